#include "spreadsheet/TableurProtocol.h"

#include <QApplication>
#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace {

QColor grey(double level)
{
    return QColor::fromRgbF(float(level), float(level), float(level), 1.0f);
}

QFont sized(QFont font, double size, bool bold)
{
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setBold(bold);
    return font;
}

} // namespace

QString TableurProtocol::valueAtRowInDataSource(long, long) const
{
    return QStringLiteral("");
}

QString TableurProtocol::valueAtRowHeaderInDataSource(long index) const
{
    return QString::number(index + 1);
}

QString TableurProtocol::valueAtColumnHeaderInDataSource(long index) const
{
    return QString::number(index + 1);
}

unsigned long TableurProtocol::alignmentOfRowHeaderInDataSource(long) const
{
    return kAlignLeft;
}

unsigned long TableurProtocol::alignmentOfColumnHeaderInDataSource(long) const
{
    return kAlignLeft;
}

unsigned long TableurProtocol::alignmentForCellAtRowIndex(long, long) const
{
    return defaultAlignment();
}

QFont TableurProtocol::fontForRowHeaderInDataSource(long, double size) const
{
    return defaultFont(size);
}

QFont TableurProtocol::fontForColumnHeaderInDataSource(long, double size) const
{
    return defaultFont(size);
}

QFont TableurProtocol::fontForCellAtRowIndex(long, long, double size) const
{
    return defaultFont(size);
}

float TableurProtocol::defaultHeightOfRow(long) const
{
    return 32;
}

float TableurProtocol::defaultWidthOfColumn(long) const
{
    return 80;
}

QColor TableurProtocol::defaultBackgroundColorForRowHeader() const
{
    return grey(0.9);
}

QColor TableurProtocol::defaultBackgroundColorForColumnHeader() const
{
    return grey(0.9);
}

QColor TableurProtocol::backgroundColorAtRow(long, long) const
{
    return QColor(Qt::white);
}

QColor TableurProtocol::foregroundColorAtRow(long, long) const
{
    return QColor(Qt::black);
}

QColor TableurProtocol::backgroundColorForHeaderAtRow(long) const
{
    return defaultBackgroundColorForRowHeader();
}

QColor TableurProtocol::backgroundColorForHeaderAtColumn(long) const
{
    return defaultBackgroundColorForColumnHeader();
}

QColor TableurProtocol::foregroundColorForHeaderAtRow(long) const
{
    return QColor(Qt::black);
}

QColor TableurProtocol::foregroundColorForHeaderAtColumn(long) const
{
    return QColor(Qt::black);
}

QColor TableurProtocol::backgroundColorForSelectedCellAtRow(long, long) const
{
    return QColor::fromRgbF(1.0f, 0.5f, 0.5f, 1.0f);
}

QColor TableurProtocol::backgroundColorForSelectedHeaderAtRow(long) const
{
    return QColor::fromRgbF(1.0f, 0.5f, 0.5f, 1.0f);
}

QColor TableurProtocol::backgroundColorForSelectedHeaderAtColumn(long) const
{
    return QColor::fromRgbF(1.0f, 0.5f, 0.5f, 1.0f);
}

QColor TableurProtocol::backgroundColorForHilitedCellAtRow(long, long) const
{
    return QColor::fromRgbF(1.0f, 0.8f, 0.8f, 1.0f);
}

QColor TableurProtocol::backgroundColorForHilitedHeaderAtRow(long) const
{
    return QColor::fromRgbF(1.0f, 0.8f, 0.8f, 1.0f);
}

QColor TableurProtocol::backgroundColorForHilitedHeaderAtColumn(long) const
{
    return QColor::fromRgbF(1.0f, 0.8f, 0.8f, 1.0f);
}

QColor TableurProtocol::gridColor() const
{
    return grey(0.5);
}

QFont TableurProtocol::defaultFont(double size)
{
    return sized(QApplication::font(), size, false);
}

QFont TableurProtocol::defaultBoldFont(double size)
{
    return sized(QApplication::font(), size, true);
}

QFont TableurProtocol::defaultFixedFont(double size)
{
    return sized(QFontDatabase::systemFont(QFontDatabase::FixedFont), size, false);
}

QFont TableurProtocol::defaultBoldFixedFont(double size)
{
    return sized(QFontDatabase::systemFont(QFontDatabase::FixedFont), size, true);
}

#include "toolkit/drawing/figures.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Rounding of a measure taken at another moment, or on another device of the same resolution.
constexpr double kTolerance = 0.5;
// A little air on either side of a figure's ink, so that antialiasing never touches the edge.
constexpr int kAir = 2;

QFont italicTwin(QFont font)
{
    font.setItalic(!font.italic());
    return font;
}

// The same font a step smaller; false when it can't be smaller.
bool shrink(QFont& font)
{
    if (font.pixelSize() > 1) {
        font.setPixelSize(font.pixelSize() - 1);
        return true;
    }
    if (font.pointSizeF() > 1) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        return true;
    }
    return false;
}

} // namespace

QString largestAmountText(long slot, const DeviseList* devises, bool showUnit)
{
    const long decimals = devises ? Devise::deviseDecimalesAtIndex(*devises, slot) : 2;
    const double largest = 1e9 - std::pow(10.0, -double(decimals));
    MONTANT amount;
    for (long i = 0; i < kDeviseSlotCount; ++i)
        amount.setValueForDevise(i, -largest);
    return amount.montantToStringWithDecimales(slot, devises, showUnit, decimals, u',');
}

double figureAdvance(const QString& text, const QFont& font, const QPaintDevice* device)
{
    // QFontMetricsF takes a non-const device but only reads its resolution.
    const QFontMetricsF metrics = device ? QFontMetricsF(font, const_cast<QPaintDevice*>(device)) : QFontMetricsF(font);
    return metrics.horizontalAdvance(text);
}

int figureRoom(const QString& text, const QFont& font)
{
    const double widest = std::max(figureAdvance(text, font), figureAdvance(text, italicTwin(font)));
    return int(std::ceil(widest)) + kAir;
}

bool drawFigure(QPainter& painter, const QRectF& room, Qt::Alignment alignment, const QString& text)
{
    if (text.isEmpty())
        return true;
    const double needed = figureAdvance(text, painter.font(), painter.device());
    const bool whole = needed <= room.width() + kTolerance;
    painter.save();
    if (!whole) {
        qWarning("Chiffre plus large que sa place : \"%s\" demande %.1f pixels, il en a %.1f", qPrintable(text), needed,
                 room.width());
        QFont smaller = painter.font();
        while (figureAdvance(text, smaller, painter.device()) > room.width() + kTolerance && shrink(smaller))
            ;
        painter.setFont(smaller);
    }
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    painter.drawText(room, int(alignment | Qt::TextSingleLine | Qt::TextDontClip), text);
    painter.restore();
    return whole;
}

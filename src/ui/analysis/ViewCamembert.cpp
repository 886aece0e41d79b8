#include "analysis/ViewCamembert.h"

#include "toolkit/drawing/drawing.h"

#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/numbers.h"

#include <QPainter>
#include <cmath>

CamembertLayout CamembertLayout::compute(const QRectF& rect, qsizetype slices, double factor)
{
    CamembertLayout l;
    l.factor = factor;
    l.fontSize = 12 * factor;
    const double F = l.fontSize;
    l.titleRect = QRectF(rect.x(), rect.y(), rect.width(), 20);
    l.leftRows = long((slices + 1) / 2);
    // The legend sits at the bottom: its top leaves room for its rows and the footer.
    l.legendTop = rect.bottom() - double(l.leftRows + 1) * F - 20;
    const double half = rect.width() / 2;
    const double x0 = rect.x() + 20 * factor;
    for (qsizetype i = 0; i < slices; ++i) {
        const bool left = i < l.leftRows;
        const long row = left ? long(i) + 1 : long(i - l.leftRows) + 1;
        l.swatches.append(QRectF(left ? x0 : x0 + half, l.legendTop + double(row) * F, 20, F - 1));
    }
    const QRectF area(rect.x() + 20, rect.y() + 30, rect.width() - 40, (l.legendTop - F) - (rect.y() + 30));
    l.pieRadius = std::max(0.0, std::min(area.width(), area.height()) / 2);
    l.pieCentre = area.center();
    return l;
}

QRectF camembertPrintSquare(const QRectF& printable)
{
    const double side = std::min(printable.width(), printable.height());
    return QRectF(printable.x() + (printable.width() - side) / 2, printable.y() + (printable.height() - side) / 2, side,
                  side);
}

namespace {

// Sizes are in the drawing's own units, the same on screen and on paper.
QFont systemFont(double size)
{
    QFont font;
    font.setPixelSize(std::max(1, int(std::lround(size))));
    return font;
}

void drawLegend(QPainter& painter, const CamembertLayout& l, const Camembert& camembert, bool printing)
{
    const double f = l.factor;
    const QFont font = systemFont(9 * f);
    const QColor text = printing ? QColor(Qt::black) : QColor::fromRgbF(0.8666667f, 0.8666667f, 0.8666667f, 1);
    for (qsizetype i = 0; i < l.swatches.size(); ++i) {
        const QRectF swatch = l.swatches.at(i);
        const QColor colour = camembert.camembertPattern(i);
        fillRectWithColor(painter, colour, true, swatch);
        strokeRectWithColor(painter, printing ? QColor::fromRgbF(0.26666668f, 0.26666668f, 0.26666668f, 1) : colour,
                            true, swatch);
        const QRectF share(swatch.x() + 20 + f, swatch.y(), 49 * f, l.fontSize);
        const QString value = doubleToDisplayString(2, camembert.camembert_data().at(i).value) + QStringLiteral(" %");
        drawStringInRect(painter, value, font, 1, 2, text, QColor(), share, QColor(), true);
        const double nameX = swatch.x() + 20 + 52 * f;
        const QRectF name(nameX, swatch.y(), swatch.width() + 200 * f, l.fontSize);
        drawStringInRect(painter, camembert.camembert_data().at(i).name, font, 0, 2, text, QColor(), name, QColor(),
                         true);
    }
}

void drawPie(QPainter& painter, const CamembertLayout& l, const Camembert& camembert)
{
    double start = 0;
    for (qsizetype i = 0; i < camembert.camembert_data().size(); ++i) {
        const double sweep = camembert.camembert_data().at(i).value / 100 * 360;
        if (sweep > 0)
            fillPieSlice(painter, camembert.camembertPattern(i), l.pieCentre.x(), l.pieCentre.y(), l.pieRadius, start,
                         start + sweep);
        start += sweep;
    }
}

} // namespace

void drawCamembert(QPainter& painter, const QRectF& rect, const Camembert& camembert, bool printing, double factor,
                   const QString& docName)
{
    const CamembertLayout l = CamembertLayout::compute(rect, camembert.camembert_data().size(), factor);
    const QColor titleColour
        = printing ? QColor::fromRgbF(0.39215687f, 0, 0, 1) : QColor::fromRgbF(0.6666667f, 0.6666667f, 0.6666667f, 1);
    drawStringInRect(painter, camembert.title(), systemFont(l.fontSize), 2, 2, titleColour, QColor(), l.titleRect,
                     QColor(), true);
    if (!camembert.camembert_data().isEmpty()) {
        drawLegend(painter, l, camembert, printing);
        drawPie(painter, l, camembert);
    }
    const QString footer = (docName + QStringLiteral(" - ") + dateToStringWithStyles(4, 2, dateNow())).left(255);
    drawStringInRect(painter, footer, systemFont(9 * factor), 1, 0,
                     QColor::fromRgbF(0.49803922f, 0.49803922f, 0.49803922f, 1), QColor(), rect, QColor(), true);
}

ViewCamembert::ViewCamembert(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("view_camembert"));
    setMinimumSize(420, 460);
}

void ViewCamembert::setCamembert(const Camembert& camembert)
{
    m_camembert = camembert;
    update();
}

void ViewCamembert::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(40, 40, 44));
    drawCamembert(painter, QRectF(rect()), m_camembert, false, 1, m_docName);
}

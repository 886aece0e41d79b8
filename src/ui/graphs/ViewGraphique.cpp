#include "graphs/ViewGraphique.h"

#include "toolkit/drawing/drawing.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/print/PrintInfo.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// What the drawing helpers leave between a text and the sides of its rectangle.
constexpr double kTextInset = 3;

QColor toQColor(const SVColor& c)
{
    return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha));
}

QColor optionalColor(const std::optional<SVColor>& c)
{
    return c ? toQColor(*c) : QColor();
}

void paintPolygon(QPainter& painter, const GraphShape& shape)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPolygonF polygon(shape.points);
    if (shape.fill) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(*shape.fill));
        painter.drawPolygon(polygon);
    }
    if (shape.stroke) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(toQColor(*shape.stroke), shape.lineWidth));
        painter.drawPolygon(polygon);
    }
    painter.restore();
}

QFont textFont(const GraphShape& shape)
{
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, int(std::lround(shape.fontSize))));
    font.setItalic(shape.italic);
    return font;
}

Qt::Alignment alignmentOf(const GraphShape& shape)
{
    const Qt::Alignment horizontal = shape.horizontal == 1 ? Qt::AlignRight
        : shape.horizontal == 2                            ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
    const Qt::Alignment vertical = shape.vertical == 1 ? Qt::AlignTop
        : shape.vertical == 2                          ? Qt::AlignVCenter
                                                       : Qt::AlignBottom;
    return horizontal | vertical;
}

// The text's left edge when drawn in its rectangle by its alignment.
double textLeft(const GraphShape& text, double advance)
{
    if (text.horizontal == 1)
        return text.rect.right() - kTextInset - advance;
    if (text.horizontal == 2)
        return text.rect.center().x() - advance / 2;
    return text.rect.left() + kTextInset;
}

// The rectangle of a figure holds it between its insets, around the point its alignment keeps
// (a frame only ever grows), and lies inside the drawing.
void giveRoom(GraphShape& text, double advance, const QRectF& bounds)
{
    const double needed = std::ceil(advance) + 2 * kTextInset;
    const bool boxed = text.fill || text.stroke;
    if (!boxed || text.rect.width() < needed) {
        double left = text.rect.left();
        if (text.horizontal == 1)
            left = text.rect.right() - needed;
        else if (text.horizontal == 2)
            left = text.rect.center().x() - needed / 2;
        text.rect.setLeft(left);
        text.rect.setWidth(needed);
    }
    if (text.rect.left() < bounds.left())
        text.rect.moveLeft(bounds.left());
    else if (text.rect.right() > bounds.right())
        text.rect.moveRight(bounds.right());
}

void paintText(QPainter& painter, const GraphShape& shape, const QRectF& bounds)
{
    const QFont font = textFont(shape);
    if (!isGraphFigure(shape, bounds)) {
        drawStringInRect(painter, shape.text, font, shape.horizontal, shape.vertical, toQColor(shape.textColor),
                         optionalColor(shape.fill), shape.rect, optionalColor(shape.stroke), true);
        return;
    }
    drawStringInRect(painter, QString(), font, shape.horizontal, shape.vertical, QColor(), optionalColor(shape.fill),
                     shape.rect, optionalColor(shape.stroke), true);
    painter.save();
    painter.setFont(font);
    painter.setPen(toQColor(shape.textColor));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    drawFigure(painter, shape.rect.adjusted(kTextInset, 1, -kTextInset, -1), alignmentOf(shape), shape.text);
    painter.restore();
}

} // namespace

bool isGraphFigure(const GraphShape& shape, const QRectF& bounds)
{
    // The title and the footer are placed in the whole drawing, the footer 2 points in.
    const bool titleLine = shape.rect.adjusted(-0.5, -0.5, 0.5, 0.5).contains(bounds.adjusted(2, 2, -2, -2));
    return shape.kind == GraphShape::Kind::Text && !titleLine;
}

GraphPicture graphPictureWithRoom(const GRAPHFILE& file, const GraphDrawOptions& options, const QRectF& rect,
                                  const QPaintDevice* device)
{
    GraphPicture picture = makeGraphPicture(file, options, rect);
    const auto advanceOf
        = [device](const GraphShape& text) { return figureAdvance(text.text, textFont(text), device); };
    // The amounts of the scale end where the axis begins: when the widest runs past the left
    // edge, the plot moves right by as much, and the title lines keep the whole width.
    double over = 0;
    for (const GraphShape& shape : picture.shapes) {
        if (isGraphFigure(shape, rect) && shape.horizontal == 1)
            over = std::max(over, rect.left() - textLeft(shape, advanceOf(shape)));
    }
    if (over > 0) {
        const double moved = std::ceil(over);
        picture = makeGraphPicture(file, options, rect.adjusted(moved, 0, 0, 0));
        for (GraphShape& shape : picture.shapes) {
            if (shape.kind == GraphShape::Kind::Text && !isGraphFigure(shape, rect.adjusted(moved, 0, 0, 0)))
                shape.rect.setLeft(shape.rect.left() - moved);
        }
    }
    for (GraphShape& shape : picture.shapes) {
        if (isGraphFigure(shape, rect))
            giveRoom(shape, advanceOf(shape), rect);
    }
    return picture;
}

void getGraphColorOptions(const PrintInfo* printing, bool* backgrounds, bool* texts)
{
    *backgrounds = !printing || printing->svOptionFondsColores;
    *texts = !printing || printing->svOptionTextesColores;
}

void paintGraphPicture(QPainter& painter, const GraphPicture& picture, const QRectF& bounds)
{
    for (const GraphShape& shape : picture.shapes) {
        switch (shape.kind) {
        case GraphShape::Kind::Line:
            if (shape.points.size() == 2 && shape.stroke)
                drawLineWithColor(painter, toQColor(*shape.stroke), true, shape.points.at(0).x(),
                                  shape.points.at(0).y(), shape.points.at(1).x(), shape.points.at(1).y(),
                                  shape.lineWidth);
            break;
        case GraphShape::Kind::Polygon:
            paintPolygon(painter, shape);
            break;
        case GraphShape::Kind::Text:
            paintText(painter, shape, bounds);
            break;
        }
    }
}

void drawGraph(QPainter& painter, const GRAPHFILE& file, long devise, const DeviseList* devises,
               const PrintInfo* printing, const QRectF& rect)
{
    GraphDrawOptions options;
    options.devise = devise;
    options.devises = devises;
    options.onScreen = printing == nullptr;
    getGraphColorOptions(printing, &options.backgrounds, &options.texts);
    paintGraphPicture(painter, graphPictureWithRoom(file, options, rect, painter.device()), rect);
}

ViewGraphique::ViewGraphique(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("view_graphique"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMinimumSize(400, 250);
}

void ViewGraphique::paintEvent(QPaintEvent*)
{
    if (!m_file)
        return;
    QPainter painter(this);
    drawGraph(painter, *m_file, m_devise, m_devHdl, nullptr, QRectF(rect()));
}

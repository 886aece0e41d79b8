#include "graphs/ViewGraphique.h"

#include "toolkit/drawing/drawing.h"
#include "toolkit/print/PrintInfo.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

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

void paintText(QPainter& painter, const GraphShape& shape)
{
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, int(std::lround(shape.fontSize))));
    font.setItalic(shape.italic);
    drawStringInRect(painter, shape.text, font, shape.horizontal, shape.vertical, toQColor(shape.textColor),
                     optionalColor(shape.fill), shape.rect, optionalColor(shape.stroke), true);
}

} // namespace

void getGraphColorOptions(const PrintInfo* printing, bool* backgrounds, bool* texts)
{
    *backgrounds = !printing || printing->svOptionFondsColores;
    *texts = !printing || printing->svOptionTextesColores;
}

void paintGraphPicture(QPainter& painter, const GraphPicture& picture)
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
            paintText(painter, shape);
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
    paintGraphPicture(painter, makeGraphPicture(file, options, rect));
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

#include "toolkit/drawing/FigureLabel.h"

#include "toolkit/drawing/figures.h"

#include <QPainter>

#include <algorithm>

FigureLabel::FigureLabel(QWidget* parent)
    : FigureLabel(QString(), parent)
{
}

FigureLabel::FigureLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

int FigureLabel::figureWidth() const
{
    const int shown = text().isEmpty() ? 0 : figureRoom(text(), font());
    const QMargins margins = contentsMargins();
    return shown + margins.left() + margins.right() + 2 * margin();
}

QSize FigureLabel::sizeHint() const
{
    return QSize(std::max(QLabel::sizeHint().width(), figureWidth()), QLabel::sizeHint().height());
}

QSize FigureLabel::minimumSizeHint() const
{
    return QSize(figureWidth(), QLabel::minimumSizeHint().height());
}

QRect FigureLabel::figureRect() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

void FigureLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    drawFigure(painter, figureRect(), alignment(), text());
}

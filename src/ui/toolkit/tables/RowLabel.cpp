#include "toolkit/tables/RowLabel.h"

#include <QPainter>

void RowLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect();
    painter.drawText(room, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

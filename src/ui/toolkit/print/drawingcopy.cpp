#include "toolkit/print/drawingcopy.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QWidget>

QByteArray drawingAsPdfPage(const QSizeF& size, const DrawingFunction& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(size, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(72);
    QPainter painter(&writer);
    draw(painter, QRectF(QPointF(), size));
    painter.end();
    return bytes;
}

void copyViewDrawing(QWidget& view, const DrawingFunction& draw)
{
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/pdf"), drawingAsPdfPage(view.size(), draw));
    mime->setImageData(view.grab().toImage());
    QApplication::clipboard()->setMimeData(mime);
}

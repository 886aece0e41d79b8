#include "toolkit/windows/imagex.h"

#include <QBuffer>
#include <QPainter>

QByteArray XPNGRepresentation(const QImage& image)
{
    QByteArray data;
    if (image.isNull())
        return data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        data.clear();
    return data;
}

ResizedImage resizedImage(const QImage& image, const QSizeF& size)
{
    const int width = static_cast<int>(size.width());
    const int height = static_cast<int>(size.height());
    if (image.isNull() || width < 1 || height < 1)
        return {};
    QImage bitmap(width, height, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, width, height), image);
    painter.end();
    return {bitmap.convertToFormat(QImage::Format_RGBA8888), size};
}

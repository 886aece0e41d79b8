#pragma once
// What the program adds to the platform's images: their PNG form, and a copy resized to a size
// in points. A bitmap has whole pixels while a size in points may have fractions, so a resized
// image keeps both: its bitmap, of the size's whole pixels, and the size it is shown at.
#include <QByteArray>
#include <QImage>
#include <QSizeF>

struct ResizedImage {
    QImage bitmap; // RGBA, 8 bits per sample, not premultiplied
    QSizeF size; // the size the image is shown at

    bool isNull() const { return bitmap.isNull(); }
};

// The PNG data of the image; empty for a null image.
QByteArray XPNGRepresentation(const QImage& image);

// A new image of that size: a bitmap of the size's width and height with the fractions dropped,
// into which the whole image is drawn scaled to fill it, replacing what was there. A null result
// for a null image, and for a size of less than one pixel, which no bitmap can hold.
ResizedImage resizedImage(const QImage& image, const QSizeF& size);

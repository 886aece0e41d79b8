// Copying a chart's view: one call puts both forms on the clipboard, each the view's size.
#include "toolkit/print/drawingcopy.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

TEST(DrawingCopyTest, TheViewGoesOnTheClipboardAsAPdfPageAndAsItsPicture)
{
    QWidget view;
    view.resize(120, 80);
    QRectF drawnIn;
    copyViewDrawing(view, [&drawnIn](QPainter& painter, const QRectF& rect) {
        drawnIn = rect;
        painter.fillRect(rect, Qt::red);
    });
    EXPECT_EQ(drawnIn, QRectF(0, 0, 120, 80));
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    const QByteArray pdf = mime->data(QStringLiteral("application/pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 120.000000 80.000000]"));
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(image.size(), QSize(120, 80) * image.devicePixelRatio());
}

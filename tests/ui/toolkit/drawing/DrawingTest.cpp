#include "toolkit/drawing/drawing.h"

#include "toolkit/drawing/Constants.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The smallest rectangle holding every dark pixel of the image inside the area.
QRect inkBounds(const QImage& image, const QRect& area)
{
    QRect ink;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The ink of one string drawn without antialiasing in the rect with those codes.
QRect inkOf(const QString& text, const QFont& font, int horizontal, int vertical, const QRectF& rect, bool wrap = false)
{
    QImage image = whiteImage(300, 120);
    {
        QPainter painter(&image);
        drawStringInRectFull(painter, text, font, horizontal, vertical, Qt::black, QColor(), rect, QColor(), false,
                             wrap);
    }
    return inkBounds(image, image.rect());
}

class DrawingTest : public ::testing::Test {
protected:
    QFont font = makeListFont(false, false, 14);
    QFontMetricsF fm {font};
    QRectF rect {20, 10, 200, 40};
    QString text = QStringLiteral("HHHH");
};

TEST_F(DrawingTest, OneLineKeepsThreePointsFromTheSidesAndOnePointFromTopOrBottom)
{
    const double bearing = fm.leftBearing(QLatin1Char('H'));
    EXPECT_NEAR(inkOf(text, font, 0, 0, rect).left(), rect.left() + 3 + bearing, 1.5);
    const double inkEnd = fm.horizontalAdvance(text) - fm.rightBearing(QLatin1Char('H'));
    const double rightGap = fm.horizontalAdvance(text) - inkEnd;
    // Right bearings are hinted differently from font to font: allow one more pixel there.
    EXPECT_NEAR(inkOf(text, font, 1, 0, rect).right() + 1, rect.right() - 3 - rightGap, 2.5);
    const QRect centred = inkOf(text, font, 2, 0, rect);
    EXPECT_NEAR((centred.left() + centred.right() + 1) / 2.0, rect.center().x() + (bearing - rightGap) / 2, 1.5);

    // Capitals sit on the baseline: the line's bottom (below the descent) is 1 point above the edge.
    const double leading = std::abs(fm.leading());
    EXPECT_NEAR(inkOf(text, font, 0, 0, rect).bottom() + 1, rect.bottom() - 1 - fm.descent() - leading, 1.5);
    const double topGap = leading > 0 ? 1 : 3;
    EXPECT_NEAR(inkOf(text, font, 0, 1, rect).top(), rect.top() + topGap + fm.ascent() - fm.capHeight(), 1.5);
    const QRect middle = inkOf(text, font, 0, 2, rect);
    EXPECT_GT(middle.top(), inkOf(text, font, 0, 1, rect).top());
    EXPECT_LT(middle.bottom(), inkOf(text, font, 0, 0, rect).bottom());
}

TEST_F(DrawingTest, WrappedTextStaysInsideItsRectAndATallOneSitsOnTheBottom)
{
    const QString longText = QStringLiteral("HEUREUX QUI COMME ULYSSE A FAIT UN BEAU VOYAGE");
    const QRectF small(10, 30, 80, 20);
    const QRect ink = inkOf(longText, font, 0, 2, small, true);
    EXPECT_GE(ink.top(), small.top());
    EXPECT_LE(ink.right(), small.right());
    EXPECT_NEAR(ink.bottom() + 1, small.bottom() - 1 - fm.descent(), 1.5);

    const QRectF tall(10, 0, 120, 120);
    const QRect centred = inkOf(longText, font, 0, 2, tall, true);
    EXPECT_GT(centred.height(), 3 * fm.capHeight()); // several lines
    EXPECT_NEAR(centred.top() - tall.top(), tall.bottom() - centred.bottom(), fm.descent() + fm.ascent() / 2);
    EXPECT_NEAR(inkOf(longText, font, 0, 1, tall, true).top(), 1 + fm.ascent() - fm.capHeight(), 1.5);
}

TEST_F(DrawingTest, AnEmptyStringStillPaintsItsFillAndFrame)
{
    QImage image = whiteImage(60, 40);
    {
        QPainter painter(&image);
        drawStringInRect(painter, QString(), font, 0, 0, Qt::black, Qt::yellow, QRectF(10, 10, 40, 20), Qt::blue,
                         false);
    }
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::yellow));
    EXPECT_NE(image.pixelColor(9, 20), QColor(Qt::white)); // the thin frame, antialiased
    EXPECT_EQ(image.pixelColor(5, 20), QColor(Qt::white));
}

TEST_F(DrawingTest, PieSlicesTurnCounterClockwiseFromThreeOClock)
{
    auto quadrants = [](double start, double end) {
        QImage image = whiteImage(100, 100);
        {
            QPainter painter(&image);
            fillPieSlice(painter, Qt::red, 50, 50, 40, start, end);
        }
        QString red;
        for (QPoint p : {QPoint(70, 30), QPoint(30, 30), QPoint(30, 70), QPoint(70, 70)})
            red += image.pixelColor(p) == QColor(Qt::red) ? QLatin1Char('X') : QLatin1Char('.');
        return red; // upper right, upper left, lower left, lower right
    };
    EXPECT_EQ(quadrants(0, 90), "X...");
    EXPECT_EQ(quadrants(90, 180), ".X..");
    EXPECT_EQ(quadrants(90, 0), ".XXX"); // the long way round
    EXPECT_EQ(quadrants(-90, 0), "...X");
    EXPECT_EQ(quadrants(0, 360), "XXXX");
}

TEST_F(DrawingTest, LinesNeedAColourAndThePainterIsLeftAsItWas)
{
    QImage image = whiteImage(40, 40);
    QPainter painter(&image);
    painter.setPen(Qt::green);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawLineWithColor(painter, QColor(), true, 0, 20, 40, 20, 3);
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::white));
    drawLineRGBA(painter, false, 0, 20, 40, 20, 3, 0, 0, 1, 1);
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::blue));
    drawStringInRectRGBA(painter, text, font, 2, 2, true, QRectF(0, 0, 40, 40), SVColor {1, 0, 0, 1},
                         SVColor {0, 0, 0, 0.1}, SVColor {0, 0, 0, 1});
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    EXPECT_FALSE(painter.testRenderHint(QPainter::Antialiasing));
}

TEST_F(DrawingTest, AlignedOriginsHaveNoInset)
{
    const double width = fm.horizontalAdvance(text);
    EXPECT_DOUBLE_EQ(alignedStringOrigin(text, font, 0, 1, rect).x(), rect.left());
    EXPECT_DOUBLE_EQ(alignedStringOrigin(text, font, 1, 1, rect).x(), rect.right() - width);
    EXPECT_DOUBLE_EQ(alignedStringOrigin(text, font, 0, 1, rect).y(), rect.top());
    EXPECT_NEAR(alignedStringOrigin(text, font, 0, 2, rect).y(), rect.top() + (rect.height() - fm.height()) / 2,
                std::abs(fm.leading()) / 2 + 1e-9);
}

// A sample sheet for the eye: every alignment, wrapped text and a pie, saved beside the build.
TEST_F(DrawingTest, SampleSheetIsRendered)
{
    QImage image = whiteImage(520, 300);
    {
        QPainter painter(&image);
        const QFont listFont = makeListFont(false, false, 12);
        const char* names[3][3] = {{"gauche bas", "droite bas", "centre bas"},
                                   {"gauche haut", "droite haut", "centre haut"},
                                   {"gauche milieu", "droite milieu", "centre milieu"}};
        for (int v = 0; v < 3; ++v) {
            for (int h = 0; h < 3; ++h) {
                const QRectF cell(10 + h * 110, 10 + v * 50, 100, 40);
                drawStringInRect(painter, QString::fromUtf8(names[v][h]), listFont, h, v, Qt::black,
                                 QColor(240, 244, 250), cell, QColor(120, 130, 150), true);
            }
        }
        drawStringInRectWrapped(painter, QStringLiteral("Un texte assez long pour aller à la ligne dans sa case."),
                                makeListFont(false, true, 12), 2, 2, QColor(30, 60, 120), QColor(255, 250, 230),
                                QRectF(10, 170, 320, 50), Qt::darkGray, true);
        drawLineWithColor(painter, Qt::darkRed, true, 10, 240, 330, 240, 1);
        const QColor colors[] = {QColor(70, 130, 180), QColor(230, 150, 60), QColor(120, 180, 90), QColor(200, 80, 90)};
        const double angles[] = {0, 130, 210, 300, 360};
        for (int i = 0; i < 4; ++i)
            fillPieSlice(painter, colors[i], 430, 120, 70, angles[i], angles[i + 1]);
    }
    const QString dir = QStringLiteral(SORV_TEST_OUTPUT_DIR);
    ASSERT_TRUE(QDir().mkpath(dir));
    EXPECT_TRUE(image.save(dir + QStringLiteral("/drawing-sample.png")));
}

} // namespace

// Figures drawn whole: the largest amount a field must hold in each currency, and the one drawing
// of a figure (whole in its room, or warned of and drawn whole in a smaller font).
#include "toolkit/drawing/figures.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"

#include "model/Devise.h"
#include "support/ExpectedWarning.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QString kTooNarrow = QStringLiteral("Chiffre plus large que sa place");

// The columns holding a dark pixel, left and right; an empty range for a blank image.
std::pair<int, int> inkColumns(const QImage& image)
{
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

TEST(FiguresTest, TheLargestAmountHasTheDecimalsAndUnitOfItsCurrency)
{
    DeviseList devises = Devise::defaultDevises();
    devises[2].decimale = 0;
    devises[3].decimale = 3;
    devises[3].unit = QStringLiteral("TND");
    const std::tuple<long, bool, const char*> cases[] = {
        {0, false, "-999 999 999,99"},
        {0, true, "-999 999 999,99 €"},
        {2, false, "-999 999 999"},
        {3, true, "-999 999 999,999 TND"},
    };
    for (const auto& [slot, unit, expected] : cases)
        EXPECT_EQ(largestAmountText(slot, &devises, unit), QString::fromUtf8(expected)) << slot << unit;
    EXPECT_EQ(largestAmountText(), QStringLiteral("-999 999 999,99"));
}

// In a room as wide as its room, a figure is drawn whole without a word; in a narrower one it is
// warned of and still drawn whole inside the room, never cut nor ended with an ellipsis.
TEST(FiguresTest, AFigureIsDrawnWholeAndANarrowRoomIsWarnedOf)
{
    const QString figure = QStringLiteral("-999 999 999,99");
    const std::tuple<bool, bool, double, int> cases[] = {
        // italic, bold, room as a share of the figure's own room, warnings
        {false, false, 1.0, 0}, {true, false, 1.0, 0}, {false, true, 1.0, 0},
        {false, false, 0.8, 1}, {true, false, 0.5, 1},
    };
    for (const auto& [italic, bold, share, warnings] : cases) {
        const QFont font = makeListFont(bold, italic, 12);
        const QRectF room(10, 2, std::floor(figureRoom(figure, font) * share), 20);
        QImage image(200, 24, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        ExpectedWarning narrow(kTooNarrow);
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::black);
            EXPECT_EQ(drawFigure(painter, room, Qt::AlignRight, figure), warnings == 0) << italic << bold << share;
        }
        EXPECT_EQ(narrow.count(), warnings) << italic << bold << share;
        const auto [left, right] = inkColumns(image);
        EXPECT_GE(left, room.left() - 1) << italic << bold << share;
        EXPECT_LE(right, room.right() + 1) << italic << bold << share;
        EXPECT_GT(right - left, room.width() / 2) << "drawn, not dropped";
    }
}

} // namespace

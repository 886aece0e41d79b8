// What the grid's bands draw, probed pixel by pixel: backgrounds, the selection (never on a
// printed page), the veils of unreadable cells, the grid lines, the bold title of a column with
// an import role, the first header reaching one point further left, and the print options.
// Also the pictures of a 40 x 12 grid to look at.
#include "DemoTableur.h"

#include "spreadsheet/ViewTableurCenter.h"
#include "toolkit/print/PrintView.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include <QCoreApplication>
#include <QPainter>

namespace {

// A grid whose cell (0, 2) writes in red and whose cell (0, 3) has no text colour.
class ColouredTableur : public DemoTableurController {
public:
    QColor foregroundColorAtRow(long row, long column) const override
    {
        if (row == 0 && column == 2)
            return QColor(Qt::red);
        if (row == 0 && column == 3)
            return QColor();
        return DemoTableurController::foregroundColorAtRow(row, column);
    }
};

class ViewTableurTest : public UiTestFixture {
protected:
    ViewTableurTest()
    {
        grid.rows = {{"", "", "XXXX", "XXXX"}, {"", "", "", ""}};
        grid.initWithForWindow(nullptr, makeWindowData(), 0, false, false);
        grid.window()->show();
    }

    // The whole grid drawn as a printed zone at factor 1 (or as the PDF is, without an operation).
    QImage zone(PrintOperation* operation = nullptr, long rows = 1)
    {
        QImage image(400, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        grid.drawTableurWithZone(painter, 0, rows, 0, grid.numberOfColumns() - 1, 1, operation, QRectF());
        grid.didDrawTableurWithZone();
        return image;
    }

    // The pixels of a text in a rectangle inside a cell (away from its lines): dark ones, or
    // red ones.
    static int ink(const QImage& image, const QRect& area, bool redOnly = false)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (redOnly ? (c.red() > 150 && c.green() < 100) : c.lightness() < 160)
                    ++count;
            }
        }
        return count;
    }

    static int grey(const QImage& image, int x, int y) { return image.pixelColor(x, y).red(); }

    ColouredTableur grid;
};

} // namespace

TEST_F(ViewTableurTest, VeilsOfUnreadableCellsAndTheSelectionOnScreenOnly)
{
    grid.cellAtRow(1, 0)->setInvalidated(true);
    grid.cellAtRow(1, 1)->setInvalidatedImplicit(true);
    grid.selectCellAtRowIndex(1, 2);
    // The content starts right of the row headers (40) and below the column headers (20).
    const QImage page = zone();
    EXPECT_NEAR(grey(page, 60, 70), 204, 2) << "white under grey 0.6 at opacity 0.5";
    EXPECT_NEAR(grey(page, 140, 70), 224, 2) << "at opacity 0.3";
    EXPECT_EQ(page.pixelColor(220, 70), QColor(Qt::white)) << "a printed page shows no selection";
    const QImage screen = grid.viewTableurCenter()->grab().toImage();
    EXPECT_EQ(screen.pixelColor(180, 50).rgb(), qRgb(255, 128, 128)) << "cell (1, 2) selected";
    EXPECT_EQ(screen.pixelColor(20, 50).red(), screen.pixelColor(20, 50).green()) << "a veil, not a selection";
}

TEST_F(ViewTableurTest, GridLinesOnlyWithAGridColour)
{
    auto hasLine = [](const QImage& image) {
        for (int y = 50; y <= 54; ++y) {
            if (image.pixelColor(60, y) != QColor(Qt::white))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(hasLine(zone()));
    grid.grid = QColor();
    const QImage none = zone();
    EXPECT_FALSE(hasLine(none));
    EXPECT_GT(ink(none, QRect(204, 24, 70, 24)), 0) << "the texts are still drawn";
}

TEST_F(ViewTableurTest, TextColoursAndTheBoldTitleOfAnImportColumn)
{
    const QImage plain = zone();
    EXPECT_GT(ink(plain, QRect(204, 24, 70, 24), true), 0) << "red text";
    EXPECT_EQ(ink(plain, QRect(284, 24, 70, 24)), 0) << "no text colour, no text";
    const int regular = ink(plain, QRect(124, 2, 70, 16));
    grid.columnAtIndex(1)->setAssociatedObject(4);
    const int bold = ink(zone(), QRect(124, 2, 70, 16));
    EXPECT_GT(bold, regular + regular / 5) << regular << " " << bold;
    // The first column's header reaches one point into the corner (seen without the lines).
    grid.grid = QColor();
    const QImage unlined = zone();
    EXPECT_EQ(grey(unlined, 39, 10), 230);
    EXPECT_EQ(unlined.pixelColor(38, 10), QColor(Qt::white));
}

TEST_F(ViewTableurTest, PrintOptionsDecideBackgroundsColoursAndLines)
{
    grid.cellAtRow(1, 0)->setInvalidated(true);
    PrintView view(&grid);
    PrintInfo info;
    info.svOptionFondsColores = false;
    info.svOptionTextesColores = false;
    info.svOptionAddBorders = false;
    PrintOperation operation(&view, info);
    const QImage page = zone(&operation);
    EXPECT_EQ(page.pixelColor(60, 10), QColor(Qt::white)) << "no header background";
    EXPECT_EQ(page.pixelColor(60, 70), QColor(Qt::white)) << "no veil";
    EXPECT_EQ(ink(page, QRect(204, 24, 70, 24), true), 0) << "the red text prints black";
    EXPECT_GT(ink(page, QRect(204, 24, 70, 24)), 0);
    EXPECT_EQ(page.pixelColor(60, 52), QColor(Qt::white)) << "no lines";
    // A zone without rows draws no row and no cell.
    const QImage empty = zone(nullptr, -1);
    EXPECT_EQ(ink(empty, QRect(40, 22, 360, 98)), 0);
    EXPECT_EQ(empty.pixelColor(20, 40), QColor(Qt::white));
}

TEST_F(ViewTableurTest, PicturesOfA40By12Grid)
{
    auto demo = openDemoTableur(DemoTableurController::statementRows(), DemoTableurController::statementTitles());
    demo->cellAtRow(3, 2)->setInvalidated(true);
    demo->cellAtRow(4, 2)->setInvalidatedImplicit(true);
    demo->columnAtIndex(4)->setAssociatedObject(1);
    demo->changeWidthOfColumnAtIndex(1, 150);
    demo->selectCellsFromCell1(demo->cellAtRow(1, 3), demo->cellAtRow(5, 5));
    demo->drawScrollViews();
    QCoreApplication::processEvents();
    const QImage shown = WindowDriver(demo->window()).grab(QStringLiteral("tableur-40x12.png"));
    EXPECT_FALSE(shown.isNull());
    demo->inverseRotation();
    QCoreApplication::processEvents(); // the scroll bars show or hide once the event loop runs
    EXPECT_FALSE(WindowDriver(demo->window()).grab(QStringLiteral("tableur-40x12-rotated.png")).isNull());
}

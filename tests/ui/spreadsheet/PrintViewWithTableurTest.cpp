// Printing a grid in bands: pages cut at 100 % and 50 %, in display orientation when rotated,
// rows and columns larger than the paper, an empty grid, each page drawing its own headers and
// footer, and the whole print road with its PDF counted by pdfinfo.
#include "DemoTableur.h"

#include "spreadsheet/PrintViewWithTableur.h"

#include "foundation/SystemClock.h"
#include "uisupport/UiTestFixture.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

void PrintTo(const PrintViewWithTableur::Page& page, std::ostream* out)
{
    *out << "rows " << page.rowIndex1 << "-" << page.rowIndex2 << " columns " << page.columnIndex1 << "-"
         << page.columnIndex2;
}

namespace {

using Page = PrintViewWithTableur::Page;

// A4 landscape inside margins of 70 and 50: 702 points across and 495 down, of which the footer
// takes 32.
PrintInfo landscape(double echelle = 100)
{
    PrintInfo info;
    info.paperSize = QSizeF(842, 595);
    info.orientation = PrintInfo::kLandscape;
    info.leftMargin = info.rightMargin = 70;
    info.topMargin = info.bottomMargin = 50;
    info.svOptionEchelle = echelle;
    info.svOptionFondsColores = info.svOptionTextesColores = info.svOptionAddBorders = true;
    return info;
}

struct Spooled {
    Spooled(DemoTableurController& grid, const PrintInfo& info)
        : view(&grid)
        , operation(&view, info)
    {
        view.setPrintOperation(&operation);
        view.spoolPrintOperation(operation);
    }
    PrintViewWithTableur view;
    PrintOperation operation;
};

class PrintTableurTest : public UiTestFixture {
protected:
    PrintTableurTest()
        : grid(openDemoTableur(DemoTableurController::statementRows(), DemoTableurController::statementTitles()))
    {
        SystemClock::setNowForTesting(QDateTime(QDate(2024, 3, 31), QTime(18, 30)).toSecsSinceEpoch()
                                      - kReferenceDateOffset);
    }
    ~PrintTableurTest() override { SystemClock::setNowForTesting(std::nullopt); }

    std::unique_ptr<DemoTableurController> grid;
};

bool hasInk(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
        }
    }
    return false;
}

} // namespace

TEST_F(PrintTableurTest, BandsOfColumnsAndRowsMakeThePagesRowBandByRowBand)
{
    // 40 + 8 x 80 = 680 fits 702; 20 + 13 x 32 = 436 fits 463.
    Spooled full(*grid, landscape(100));
    ASSERT_EQ(full.view.nbPages(), 8);
    EXPECT_EQ(full.view.pages().at(0), (Page {0, 12, 0, 7}));
    EXPECT_EQ(full.view.pages().at(1), (Page {0, 12, 8, 11}));
    EXPECT_EQ(full.view.pages().at(2), (Page {13, 25, 0, 7}));
    EXPECT_EQ(full.view.pages().back(), (Page {39, 39, 8, 11}));
    EXPECT_EQ(full.view.rectForPage(1), QRectF(0, 0, 680, 20 + 13 * 32 + 32));

    // At 50 % every column fits, and a page is half the size of what it shows.
    Spooled half(*grid, landscape(50));
    ASSERT_EQ(half.view.nbPages(), 2);
    EXPECT_EQ(half.view.pages().at(0), (Page {0, 27, 0, 11}));
    EXPECT_EQ(half.view.pages().at(1), (Page {28, 39, 0, 11}));
    EXPECT_EQ(half.view.rectForPage(1), QRectF(0, 0, 500, (20 + 28 * 32 + 32) * 0.5));
    EXPECT_DOUBLE_EQ(half.view.factor(), 0.5);
}

TEST_F(PrintTableurTest, ARotatedGridPrintsItsDisplayRowsAndColumns)
{
    grid->inverseRotation();
    Spooled spooled(*grid, landscape(100));
    long lastRow = 0;
    long lastColumn = 0;
    for (const Page& page : spooled.view.pages()) {
        lastRow = std::max(lastRow, page.rowIndex2);
        lastColumn = std::max(lastColumn, page.columnIndex2);
    }
    EXPECT_EQ(lastRow, 11);
    EXPECT_EQ(lastColumn, 39);
    EXPECT_EQ(spooled.view.nbPages(), 5); // 40 columns in bands of 8, the 12 rows on one band
    EXPECT_FALSE(spooled.view.pageImage(5).isNull());
}

TEST_F(PrintTableurTest, OversizeRowsAndColumnsGetTheirOwnPagesAndAnEmptyGridOneOfHeaders)
{
    PrintInfo small = landscape(100);
    small.paperSize = QSizeF(300, 200); // 160 across, 100 - 32 = 68 down
    grid->rows = DemoTableurController::numberedRows(3, 2);
    grid->columnTitles.clear();
    grid->initAll();
    grid->changeHeightOfRowAtIndex(1, 100);
    grid->changeWidthOfColumnAtIndex(0, 300);
    Spooled spooled(*grid, small);
    EXPECT_EQ(spooled.view.pages(),
              (std::vector<Page> {{0, 0, 0, 0}, {0, 0, 1, 1}, {1, 1, 0, 0}, {1, 1, 1, 1}, {2, 2, 0, 0}, {2, 2, 1, 1}}));
    EXPECT_FALSE(spooled.view.pageImage(3).isNull());

    grid->rows.clear();
    grid->initAll();
    Spooled empty(*grid, landscape(100));
    ASSERT_EQ(empty.view.nbPages(), 1);
    EXPECT_EQ(empty.view.pages().at(0), (Page {0, -1, 0, -1}));
    EXPECT_EQ(empty.view.rectForPage(1), QRectF(0, 0, 40, 20 + 32));
    const QImage page = empty.view.pageImage(1);
    EXPECT_TRUE(hasInk(page, QRect(70, 50 + 20, 40, 32))) << "the end of the footer, clipped to the page";
}

TEST_F(PrintTableurTest, EachPageRepeatsItsHeadersAndEndsWithItsFooter)
{
    grid->selectColumnAtIndex(0);
    Spooled spooled(*grid, landscape(100));
    const QImage second = spooled.view.pageImage(2);
    const QImage third = spooled.view.pageImage(3);
    // Page 2 (columns 8 to 11) and page 3 (rows 13 to 25) both begin with the header bands.
    for (const QImage& page : {second, third}) {
        EXPECT_EQ(page.pixelColor(70 + 100, 50 + 10).red(), 230) << "column headers";
        EXPECT_EQ(page.pixelColor(70 + 20, 50 + 40).red(), 230) << "row headers";
        EXPECT_TRUE(hasInk(page, QRect(70, 50 + 436 + 1, 680, 14))) << "the footer";
    }
    EXPECT_EQ(third.pixelColor(70 + 60, 50 + 40), QColor(Qt::white)) << "no selection on paper";
    EXPECT_FALSE(hasInk(second, QRect(70 + 360, 50, 300, 400))) << "page 2 holds four columns";
}

TEST_F(PrintTableurTest, PrintRoadLandscapeWithTheOptionsAndAPdfOfEveryPage)
{
    ui().printHost().pixelsPerPoint = 1.0;
    const QString pdf = QStringLiteral(SORV_TEST_OUTPUT_DIR "/tableur-print.pdf");
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    ui().printHost().pdfPath = pdf;
    ui().onPrint([](PrintOperation& operation, PrintAccessoryViewController* accessory) {
        EXPECT_NE(accessory, nullptr);
        EXPECT_EQ(operation.printInfo().orientation, PrintInfo::kLandscape);
        return true;
    });
    grid->perform(QStringLiteral("IMPRIMER:"));
    ASSERT_EQ(ui().printHost().records.size(), 1);
    const auto& record = ui().printHost().records.at(0);
    ASSERT_GE(record.nbPages, 2);
    for (int page = 0; page < record.pages.size(); ++page)
        record.pages.at(page).save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/tableur-print-%1.png").arg(page + 1));

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    ASSERT_FALSE(tool.isEmpty()) << "pdfinfo is missing: scripts/install-deps installs poppler-utils";
    QProcess process;
    process.start(tool, {pdf});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QRegularExpression pages(QStringLiteral("Pages:\\s+%1\\n").arg(record.nbPages));
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains(pages));
}

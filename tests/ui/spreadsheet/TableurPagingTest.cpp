// Pages of rows and their navigator, the rows-per-page field, the page question, the tab and CSV
// export (golden cases in tests/data/spreadsheet), its file and its failure, and the one-page
// PDF within the size PDF readers open.
#include "DemoTableur.h"

#include "spreadsheet/ViewTableurRowHeaders.h"
#include "toolkit/dialogs/FenAskIntegerNController.h"

#include "foundation/SystemClock.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

class TableurPagingTest : public UiTestFixture {
protected:
    TableurPagingTest()
    {
        SystemClock::setNowForTesting(QDateTime(QDate(2024, 3, 31), QTime(18, 30)).toSecsSinceEpoch()
                                      - kReferenceDateOffset);
    }
    ~TableurPagingTest() override { SystemClock::setNowForTesting(std::nullopt); }

    static QString navigator(const DemoTableurController& grid)
    {
        QString text = grid.buttonChangePage()->text();
        for (const QPushButton* button : {grid.buttonFirstPage(), grid.buttonPrevPage(), grid.buttonChangePage(),
                                          grid.buttonNextPage(), grid.buttonLastPage()})
            text += button->isEnabled() ? QStringLiteral(" +") : QStringLiteral(" -");
        return text;
    }

    static void typeRowsPerPage(DemoTableurController& grid, const QString& typed)
    {
        WindowDriver(grid).type(QStringLiteral("fieldNbRowsPerPage"), typed);
        QTest::keyClick(grid.fieldNbRowsPerPage(), Qt::Key_Return);
    }

    static QAction* exportItem(DemoTableurController& grid, const char* name)
    {
        return grid.window()->findChild<QAction*>(QString::fromLatin1(name));
    }

    // What pdfinfo says of the file, as key and value.
    static QMap<QString, QString> pdfInfo(const QString& path)
    {
        QMap<QString, QString> info;
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        EXPECT_FALSE(tool.isEmpty()) << "pdfinfo is missing: scripts/install-deps installs poppler-utils";
        QProcess process;
        process.start(tool, {path});
        if (tool.isEmpty() || !process.waitForFinished(20000))
            return info;
        const auto lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
        for (const QString& line : lines) {
            const int colon = line.indexOf(u':');
            if (colon > 0)
                info.insert(line.left(colon), line.mid(colon + 1).trimmed());
        }
        return info;
    }

    QTemporaryDir folder;
};

// One golden case: the grid (titles and rows, '|' between fields, \t \n \r escaped), the
// format and the rotation, then the expected text, CR shown as line ends and TAB as \t.
struct ExportCase {
    int format = 0;
    bool rotated = false;
    QStringList titles;
    QList<QStringList> rows;
    QString expected;
};

QString unescape(QString text)
{
    return text.replace(QStringLiteral("\\t"), QStringLiteral("\t"))
        .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
        .replace(QStringLiteral("\\r"), QStringLiteral("\r"));
}

QStringList fields(const QString& line)
{
    return line.isEmpty() ? QStringList() : unescape(line).split(u'|');
}

ExportCase readCase(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    ExportCase c;
    QStringList expected;
    bool inExpected = false;
    const auto lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (inExpected)
            expected.append(line);
        else if (line.startsWith(u'#'))
            continue;
        else if (line.startsWith(QStringLiteral("format:")))
            c.format = line.contains(QStringLiteral("csv")) ? 1 : 0;
        else if (line.startsWith(QStringLiteral("rotated:")))
            c.rotated = line.contains(QStringLiteral("yes"));
        else if (line.startsWith(QStringLiteral("titles:")))
            c.titles = fields(line.mid(7).trimmed());
        else if (line.startsWith(QStringLiteral("row:")))
            c.rows.append(fields(line.mid(4).trimmed()));
        else if (line == QStringLiteral("expected:"))
            inExpected = true;
    }
    c.expected = expected.join(u'\n');
    return c;
}

} // namespace

TEST_F(TableurPagingTest, PagesOfRowsAndTheirNavigator)
{
    auto grid = openDemoTableur(DemoTableurController::numberedRows(600, 2), {}, 300);
    EXPECT_EQ(grid->numberOfPages(), 2);
    EXPECT_EQ(navigator(*grid), "1 / 2 - - + + +");
    WindowDriver(*grid).click("actionNextPage:");
    EXPECT_EQ(grid->firstRowInCurrentPage(), 300);
    EXPECT_EQ(grid->numberOfRowsInCurrentPage(), 300);
    EXPECT_EQ(grid->scrollview()->contentSize().height(), 300 * 32 + 1);
    EXPECT_EQ(navigator(*grid), "2 / 2 + + + - -");
    // The rows shown are those of the page: a click on the first row selects row 300.
    TableurMouse::click(grid->viewTableurRowHeaders(), QPointF(20, 16));
    EXPECT_EQ(grid->firstSelectedRowIndex(), 300);

    grid->rows = DemoTableurController::numberedRows(601, 2);
    grid->initAll();
    long last = 0;
    EXPECT_EQ(grid->numberOfPages(&last), 3);
    EXPECT_EQ(last, 1);
    WindowDriver(*grid).click("actionLastPage:");
    EXPECT_EQ(grid->numberOfRowsInCurrentPage(), 1);
    TableurMouse::click(grid->viewTableurRowHeaders(), QPointF(20, 48));
    EXPECT_FALSE(grid->hasSelectedRow()) << "below the page's only row";

    grid->rowsPerPage = 100;
    grid->rows = DemoTableurController::numberedRows(500, 2);
    grid->initAll();
    WindowDriver(*grid).click("actionNextPage:");
    WindowDriver(*grid).click("actionNextPage:");
    EXPECT_EQ(navigator(*grid), "3 / 5 + + + + +");
    WindowDriver(*grid).click("actionLastPage:");
    EXPECT_EQ(navigator(*grid), "5 / 5 + + + - -");
    WindowDriver(*grid).click("actionFirstPage:");
    EXPECT_EQ(navigator(*grid), "1 / 5 - - + + +");
}

TEST_F(TableurPagingTest, PageQuestionAndRowsPerPageAreHeldWithinTheirBounds)
{
    auto grid = openDemoTableur(DemoTableurController::numberedRows(500, 2), {}, 100);
    for (const auto& [typed, page] : {std::pair {"7", 5L}, {"0", 1L}, {"2", 2L}}) {
        ui().onModal<FenAskIntegerNController>([typed](FenAskIntegerNController& question) {
            WindowDriver window(question);
            EXPECT_EQ(window.text("field_titre"), QStringLiteral("Aller à la page :"));
            window.type(QStringLiteral("view_texte"), QString::fromLatin1(typed));
            window.click("OUI:");
        });
        WindowDriver(*grid).click("actionChangePage:");
        EXPECT_EQ(grid->currentPage(), page) << typed;
    }
    ui().onModal<FenAskIntegerNController>(
        [](FenAskIntegerNController& question) { WindowDriver(question).click("NON:"); });
    WindowDriver(*grid).click("actionChangePage:");
    EXPECT_EQ(grid->currentPage(), 2) << "cancelled";

    grid->scrollview()->verticalScrollBar()->setValue(200);
    typeRowsPerPage(*grid, QStringLiteral("-5"));
    EXPECT_EQ(grid->fieldNbRowsPerPage()->text(), QStringLiteral("0"));
    EXPECT_EQ(navigator(*grid), "1 / 1 - - - - -");
    EXPECT_EQ(grid->numberOfRowsInCurrentPage(), 500);
    EXPECT_EQ(grid->scrollview()->verticalScrollBar()->value(), 0) << "back to the first row";
    typeRowsPerPage(*grid, QStringLiteral("5000"));
    EXPECT_EQ(grid->fieldNbRowsPerPage()->text(), QStringLiteral("999"));
    EXPECT_EQ(grid->numberOfRowsPerPage(), 999);
    typeRowsPerPage(*grid, QStringLiteral("120"));
    EXPECT_EQ(grid->numberOfPages(), 5);
    EXPECT_TRUE(grid->control(grid->buttonRotate())) << "any other control may end editing";
}

TEST_F(TableurPagingTest, ExportTextsMatchTheirGoldenCases)
{
    const QDir cases(QStringLiteral(SORV_TEST_DATA_DIR "/spreadsheet"));
    const QStringList names = cases.entryList({QStringLiteral("*.case")}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 6);
    for (const QString& name : names) {
        const ExportCase c = readCase(cases.filePath(name));
        auto grid = openDemoTableur(c.rows, c.titles);
        if (c.rotated)
            grid->inverseRotation();
        const QString text = grid->stringToExport(c.format);
        EXPECT_FALSE(text.contains(u'\n')) << name.toStdString();
        EXPECT_TRUE(text.endsWith(u'\r')) << name.toStdString();
        QString shown = text;
        shown.replace(u'\t', QStringLiteral("\\t")).replace(u'\r', u'\n');
        EXPECT_EQ(shown.trimmed(), c.expected.trimmed()) << name.toStdString();
    }
}

TEST_F(TableurPagingTest, ExportWritesTheFileAndOpensItOrSaysItFailed)
{
    auto grid = openDemoTableur({{"1;5", "x"}}, {"A", "B"});
    EXPECT_EQ(exportItem(*grid, "FenTableur_exporterCSV")->text(), QStringLiteral("CSV…"));
    EXPECT_EQ(exportItem(*grid, "FenTableur_exporterPDF")->text(), QStringLiteral("PDF sur une page…"));
    const QString path = folder.filePath(QStringLiteral("export.csv"));
    ui().answerSavePanel(path);
    exportItem(*grid, "FenTableur_exporterCSV")->trigger();
    ASSERT_EQ(ui().panelsShown().saves.size(), 1);
    EXPECT_EQ(ui().panelsShown().saves.at(0).defaultName, QStringLiteral("Nouvel export"));
    EXPECT_EQ(ui().panelsShown().saves.at(0).allowedType, QStringLiteral("csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), grid->stringToExport(1));
    EXPECT_EQ(ui().desktopRequests().openedFiles, QStringList {path});

    // A folder that can't be written: the user is told, nothing is opened.
    ui().answerSavePanel(folder.filePath(QStringLiteral("missing/export.txt")));
    ui().answerAlert(QStringLiteral("kAlerte_ExportTableurFailed"), kAlertFirstButton);
    exportItem(*grid, "FenTableur_exporterTexte")->trigger();
    EXPECT_EQ(ui().panelsShown().saves.at(1).allowedType, QStringLiteral("txt"));
    EXPECT_EQ(ui().desktopRequests().openedFiles.size(), 1);
    // Cancelling the panel writes nothing.
    ui().answerSavePanel(QString());
    exportItem(*grid, "FenTableur_exporterTexte")->trigger();
    EXPECT_EQ(ui().alertsShown().size(), 1);
}

TEST_F(TableurPagingTest, OnePagePdfOfTheWholeGridAsShown)
{
    auto grid = openDemoTableur(DemoTableurController::statementRows(), DemoTableurController::statementTitles(), 15);
    grid->window()->setWindowTitle(QStringLiteral("Relevé de mars"));
    grid->inverseRotation();
    const QString path = QStringLiteral(SORV_TEST_OUTPUT_DIR "/tableur-onepage.pdf");
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    QFile::remove(path);
    ui().answerSavePanel(path);
    exportItem(*grid, "FenTableur_exporterPDF")->trigger();
    EXPECT_EQ(ui().panelsShown().saves.at(0).defaultName, QStringLiteral("Nommez-moi"));
    EXPECT_EQ(ui().desktopRequests().openedFiles, QStringList {path});
    EXPECT_FALSE(grid->drawWithZone());
    const auto info = pdfInfo(path);
    EXPECT_EQ(info.value(QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_EQ(info.value(QStringLiteral("Title")), QStringLiteral("Relevé de mars"));
    EXPECT_EQ(info.value(QStringLiteral("Creator")), QStringLiteral("Sorvanta Budget"));
    // Rotated: 12 rows of 32 under the headers, 40 columns of 80 beside them, and the footer.
    EXPECT_EQ(info.value(QStringLiteral("Page size")), QStringLiteral("3240 x 436 pts"));
}

TEST_F(TableurPagingTest, APdfThatCannotBeWrittenIsReportedAndNotOpened)
{
    auto grid = openDemoTableur(DemoTableurController::numberedRows(3, 3));
    ui().answerSavePanel(folder.filePath(QStringLiteral("missing/grille.pdf")));
    ui().answerAlert(QStringLiteral("kAlerte_PrintPdfFailed"), kAlertFirstButton);
    EXPECT_FALSE(grid->printInPDF(QRectF(0, 0, 300, 200), 1));
    EXPECT_TRUE(ui().desktopRequests().openedFiles.isEmpty());
    EXPECT_FALSE(grid->drawWithZone());
}

TEST_F(TableurPagingTest, ACurrencyChangeReachesTheGridAndRedrawsIt)
{
    class CurrencyTableur : public DemoTableurController {
    public:
        void applyDevise(long devise) override { applied.append(devise); }
        QList<long> applied;
    } grid;
    grid.initWithForWindow(nullptr, makeWindowData(), 0, false, false);
    grid.window();
    QAction item;
    item.setData(2);
    grid.perform(QStringLiteral("DEVISE:"), &item);
    EXPECT_EQ(grid.applied, QList<long> {2});
    EXPECT_EQ(grid.devise(), 2);
}

TEST_F(TableurPagingTest, ALargeGridStaysOnOnePageWithinWhatReadersOpen)
{
    auto grid = openDemoTableur(DemoTableurController::numberedRows(500, 3));
    const QString path = folder.filePath(QStringLiteral("grand.pdf"));
    ui().answerSavePanel(path);
    grid->EXPORTER_PDF(nullptr);
    const auto info = pdfInfo(path);
    EXPECT_EQ(info.value(QStringLiteral("Pages")), QStringLiteral("1"));
    // 20 + 500 x 32 + 32 = 16,052 points high: scaled to 14,400, its width with it.
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("([0-9.]+) x ([0-9.]+) pts"))
                                             .match(info.value(QStringLiteral("Page size")));
    ASSERT_TRUE(size.hasMatch()) << info.value(QStringLiteral("Page size")).toStdString();
    EXPECT_EQ(size.captured(2).toDouble(), 14400);
    EXPECT_NEAR(size.captured(1).toDouble(), 280 * 14400.0 / 16052, 1);
}

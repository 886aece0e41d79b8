// Printing: the page arithmetic of lists, what each page draws, the options panel, the print road
// of a window with its options saved back, a printed demo list to look at, and the panel brought
// forward by a quit.
#include "toolkit/fields/StdTextFieldTruncate.h"
#include "toolkit/host/QtUiHost.h"
#include "toolkit/print/PrintAccessoryViewController.h"
#include "toolkit/print/PrintViewWithTable.h"
#include "toolkit/print/PrintViewWithView.h"
#include "toolkit/print/QtPrintHost.h"
#include "toolkit/tables/TemplateFinanceTitre.h"
#include "toolkit/windows/StdBoxNoBorder.h"
#include "toolkit/windows/StdViewTitre.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "foundation/SystemClock.h"
#include "support/Fields.h"
#include "uisupport/DemoRows.h"
#include "uisupport/ToolPaletteApp.h"
#include "uisupport/UiTestFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using Layout = PrintViewWithTable::Layout;
using testenv::fields;

// factor, view width, head, rows a page, pages of rows, rows on the last, footer on its own page,
// pages, page height.
std::string describe(const Layout& l)
{
    return fields(l.factor, l.viewWidth, l.head, l.rowsPerPage, l.pagesOfRows, l.rowsOnLastPage, l.footerOwnPage,
                  l.nbPages, l.pageHeight);
}

// A4 with the margins the program starts with.
PrintInfo a4Info(double echelle = 100)
{
    PrintInfo info;
    info.paperSize = QSizeF(595, 842);
    info.leftMargin = 70;
    info.topMargin = 50;
    info.rightMargin = 70;
    info.bottomMargin = 50;
    info.svOptionEchelle = echelle;
    return info;
}

// A list window with 22-point demonstration rows, numbered, under a title block, a heading and a
// footer.
class DemoListWindow : public StdWindowController, public PrintDelegate {
public:
    DemoListWindow()
    {
        templ.didAwakeFromNib();
        titre.resize(600, StdViewTitre::kHeight);
        // Long descriptions are cut, as in the window, rather than widening the row.
        cell.field_libelle->setMinimumWidth(1);
    }

    long numberOfRows() override { return long(rows.size()); }
    QWidget* viewTitre() override { return &titre; }
    QWidget* viewTete() override { return templ.template_view_tete(); }
    QWidget* viewPied() override { return templ.template_view_pied(); }
    QWidget* viewAtRow(long row) override
    {
        if (row < 0 || row >= rows.size())
            return nullptr;
        cell.fill(rows.at(row));
        cell.getBgbox()->setFillColor(row % 2 == 0 ? QColor::fromRgbF(0.95, 0.95, 1.0) : QColor(Qt::white));
        return &cell;
    }
    void paintPrintTetePage(long page, long nb) override
    {
        pagesAsked.append({page, nb});
        PrintDelegate::paintPrintTetePage(page, nb);
    }
    void willSpoolPrintOperation(PrintOperation&) override { ++spools; }

    const QMetaObject* classForPrinting() const override { return &PrintViewWithTable::staticMetaObject; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    bool canAddBorders() const override { return true; }
    bool canPrintImages() const override { return offersImages; }

    QList<DemoRow> rows;
    StdViewTitre titre;
    DemoTemplate templ;
    DemoRowCell cell;
    QList<QPair<long, long>> pagesAsked;
    int spools = 0;
    bool offersImages = true;
};

QList<DemoRow> demoRows(int count)
{
    const QList<DemoRow> sample = DemoTableSource::sampleRows();
    QList<DemoRow> rows;
    for (int i = 0; i < count; ++i) {
        DemoRow row = sample.at(i % sample.size());
        row.libelle = QStringLiteral("%1 (%2)").arg(row.libelle).arg(i + 1);
        rows.append(row);
    }
    return rows;
}

// A view spooled and laid out for a given print information, without any panel.
struct Spooled {
    Spooled(StdWindowController* window, const PrintInfo& info)
        : view(window)
        , operation(&view, info)
    {
        view.setPrintOperation(&operation);
        view.spoolPrintOperation(operation);
    }
    PrintViewWithTable view;
    PrintOperation operation;
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

// The print options and margins as the program starts, saved: the preference file outlives a test.
void savePrintDefaults()
{
    const APPLIPARAM defaults;
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.svOptionFondsColores = defaults.svOptionFondsColores;
    parameters.svOptionTextesColores = defaults.svOptionTextesColores;
    parameters.svOptionAddBorders = defaults.svOptionAddBorders;
    parameters.svOptionPrintImages = defaults.svOptionPrintImages;
    parameters.svOptionMargeLeft = defaults.svOptionMargeLeft;
    parameters.svOptionMargeTop = defaults.svOptionMargeTop;
    parameters.svOptionMargeRight = defaults.svOptionMargeRight;
    parameters.svOptionMargeBottom = defaults.svOptionMargeBottom;
    parameters.svOptionGroupees = defaults.svOptionGroupees;
    parameters.svOptionEchelle = defaults.svOptionEchelle;
    APPLIPARAM::saveAppliParam();
}

class PrintTest : public UiTestFixture {
protected:
    PrintTest()
    {
        SystemClock::setNowForTesting(QDateTime(QDate(2024, 3, 31), QTime(18, 30)).toSecsSinceEpoch()
                                      - kReferenceDateOffset);
    }
    ~PrintTest() override { SystemClock::setNowForTesting(std::nullopt); }
};

} // namespace

TEST(PrintTableLayout, PageArithmeticOf250RowsAtTwoScales)
{
    // A title block twice the available width (451 points): the factor is 0.5 at 100 %.
    const PrintViewWithTable::ViewSizes sizes {{902, 80}, {902, 24}, {902, 30}, {902, 20}};

    // 67 rows a page: (842 - 100 - 52 - 15) / 10; at 50 %, 141: (842 - 100 - 26 - 7.5) / 5.
    EXPECT_EQ(describe(PrintViewWithTable::computeLayout(a4Info(100), 250, sizes)), "0.5 451 52 67 4 49 false 4 722");
    EXPECT_EQ(describe(PrintViewWithTable::computeLayout(a4Info(50), 250, sizes)), "0.25 451 26 141 2 109 false 2 731");
    // A full last page leaves the footer no room: it gets a page of its own.
    EXPECT_EQ(describe(PrintViewWithTable::computeLayout(a4Info(100), 268, sizes)), "0.5 451 52 67 4 67 true 5 722");
    // A footer exactly as tall as the free rows still fits under them: only a taller one moves.
    EXPECT_EQ(
        describe(PrintViewWithTable::computeLayout(a4Info(100), 135, {{902, 80}, {902, 24}, {902, 20}, {902, 20}})),
        "0.5 451 52 68 2 67 false 2 732");
    // No rows: one page as tall as the printable area.
    EXPECT_EQ(describe(PrintViewWithTable::computeLayout(a4Info(100), 0, sizes)), "0.5 451 52 67 1 0 false 1 742");
    // 800 points wide with 451 available.
    EXPECT_DOUBLE_EQ(PrintViewWithTable::computeLayout(a4Info(100), 1, {{800, 10}, {}, {}, {800, 10}}).factor, 0.56375);
    EXPECT_DOUBLE_EQ(PrintViewWithTable::computeLayout(a4Info(50), 1, {{800, 10}, {}, {}, {800, 10}}).factor,
                     0.28187500000000004);
}

TEST(PrintTableLayout, NeverFewerThanOneRowPerPage)
{
    PrintInfo info = a4Info();
    info.paperSize = QSizeF(595, 400); // 300 points inside the margins
    EXPECT_EQ(describe(PrintViewWithTable::computeLayout(info, 25, {{451, 60}, {451, 20}, {451, 20}, {451, 20}})),
              "1 451 80 10 3 5 false 3 280");
    // A row taller than the page (three rows, then the footer), and a head that fills the page:
    // one row a page, never none.
    EXPECT_EQ(describe(PrintViewWithTable::computeLayout(info, 3, {{451, 60}, {451, 20}, {451, 20}, {451, 900}})),
              "1 451 80 1 3 1 true 4 980");
    EXPECT_EQ(describe(PrintViewWithTable::computeLayout(info, 5, {{451, 400}, {451, 20}, {451, 20}, {451, 20}})),
              "1 451 420 1 5 1 true 6 440");
}

TEST_F(PrintTest, SpoolsEachPageHeadRowsAndFooterAndNumbersThePages)
{
    DemoListWindow window;
    window.rows = demoRows(268);
    window.titre.resize(902, 80);
    window.templ.template_view_tete()->setFixedHeight(24);
    window.templ.template_view_pied()->setFixedHeight(30);
    window.cell.resize(902, 20);
    const int teteWidth = window.viewTete()->width();
    Spooled spooled(&window, a4Info(100));
    const PrintViewWithTable& view = spooled.view;

    ASSERT_EQ(view.nbPages(), 5);
    EXPECT_EQ(window.spools, 1);
    EXPECT_EQ(window.pagesAsked, (QList<QPair<long, long>> {{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}));
    ASSERT_EQ(view.spool().size(), size_t(5 * 2 + 268 + 1));
    EXPECT_EQ(window.viewTete()->width(), teteWidth) << "the heading's width comes back";
    EXPECT_EQ(view.rectForPage(2), QRectF(0, 722, 451, 722));

    // Page 2 starts with its own title block, numbered; the footer's page holds only its head.
    const auto& secondTitle = view.spool().at(2 + 67);
    EXPECT_DOUBLE_EQ(secondTitle.position, 722);
    EXPECT_EQ(secondTitle.view.find(QStringLiteral("field_page"))->text, QStringLiteral("2/5"));
    EXPECT_EQ(secondTitle.view.find(QStringLiteral("field_date"))->text, QStringLiteral("31 mars 2024 18:30:00"));
    EXPECT_TRUE(view.spool().at(2).view.texts().contains(QStringLiteral("Salaire mars (1)")));
    const auto& lastTitle = view.spool().at(view.spool().size() - 3);
    EXPECT_DOUBLE_EQ(lastTitle.position, 4 * 722);
    EXPECT_EQ(lastTitle.view.find(QStringLiteral("field_page"))->text, QStringLiteral("5/5"));
    EXPECT_TRUE(view.spool().back().view.texts().contains(QStringLiteral("Solde")));

    // Every page draws; the last one only its head and the footer.
    const QImage last = spooled.view.pageImage(5);
    EXPECT_TRUE(hasInk(last, QRect(70, 50, 451, 60)));
    EXPECT_FALSE(hasInk(last, QRect(70, 150, 451, 600)));
}

TEST_F(PrintTest, ARowTallerThanThePageIsClippedOnItsOwnPage)
{
    DemoListWindow window;
    window.rows = demoRows(2);
    window.cell.resize(600, 2000);
    PrintInfo info = a4Info();
    info.svOptionFondsColores = true;
    Spooled spooled(&window, info);
    ASSERT_EQ(spooled.view.layout().rowsPerPage, 1);
    ASSERT_EQ(spooled.view.nbPages(), 3);
    const QImage first = spooled.view.pageImage(1);
    const QImage second = spooled.view.pageImage(2);
    // The row's coloured background runs down to the bottom margin and stops there.
    EXPECT_EQ(first.pixelColor(300, 780).rgb(), QColor::fromRgbF(0.95, 0.95, 1.0).rgb());
    EXPECT_FALSE(hasInk(first, QRect(0, 795, 595, 40)));
    EXPECT_EQ(second.pixelColor(300, 780).rgb(), QColor(Qt::white).rgb());
    EXPECT_TRUE(hasInk(spooled.view.pageImage(3), QRect(70, 50, 451, 120)));
}

TEST_F(PrintTest, ViewsDrawByTheirKindAndTheOptions)
{
    const auto& variable = PrintViewWithTable::createInterpolationVariableArray();
    const auto& fixe = PrintViewWithTable::createInterpolationFixeArray();
    const auto& image = PrintViewWithTable::createInterpolationImageArray();
    const auto deltay = &PrintViewWithTable::deltayFromFactor;
    EXPECT_EQ(fields(deltay(0.5, variable), deltay(0.5, fixe), deltay(0.58, image), deltay(0.6, image),
                     deltay(1.5, fixe), deltay(0.3, {}), deltay(0.3, {{0.7, 2.0}}),
                     deltay(0.58, {{0.58, 1.0}, {0.58, 3.0}})),
              "0.25 0 0 -0.125 0 0 2 1");

    QWidget row;
    row.resize(300, 40);
    auto* longText = new StdTextFieldTruncate(&row);
    longText->setText(QStringLiteral("Abonnement mensuel du club")); // 26 characters
    auto* box = new StdBox(&row);
    box->setObjectName(QStringLiteral("hidden_box"));
    new QLabel(QStringLiteral("inside"), box);
    box->hide();
    auto* picture = new QLabel(&row);
    QPixmap red(16, 16);
    red.fill(Qt::red);
    picture->setPixmap(red);
    picture->setGeometry(200, 0, 40, 40);
    const PrintElement element = PrintElement::fromView(&row);
    EXPECT_EQ(element.texts(), QStringList {QStringLiteral("Abonnement mensuel d...")});
    EXPECT_EQ(element.find(QStringLiteral("hidden_box")), nullptr);

    // The securities template: a heading that prints framed, a title block and a footer that don't.
    TemplateFinanceTitre securities;
    securities.didAwakeFromNib();
    const PrintElement tete = PrintElement::fromView(securities.template_view_tete());
    EXPECT_EQ(tete.texts(), (QStringList {"Nom", "Cours", "Nb titres", "Liquidité", "Valeur", "Plus-value"}));
    EXPECT_TRUE(tete.kind == PrintElement::Kind::View && tete.printBorder);
    const PrintElement pied = PrintElement::fromView(securities.template_view_pied());
    EXPECT_TRUE(pied.kind == PrintElement::Kind::Box && !pied.printBorder);
    EXPECT_NE(pied.find(QStringLiteral("field_total_valeur")), nullptr);
    EXPECT_FALSE(PrintElement::fromView(securities.template_view_titre()).printBorder);

    // With images off a plain image view prints nothing; with them on, its image.
    DemoListWindow window;
    window.titre.resize(400, 60); // narrower than the paper: factor 1
    PrintInfo info = a4Info();
    for (const bool images : {false, true}) {
        info.svOptionPrintImages = images;
        Spooled spooled(&window, info);
        QImage page(300, 100, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        spooled.view.drawPrintElementFromView(painter, element, QRectF(0, 0, 300, 40));
        painter.end();
        EXPECT_EQ(page.pixelColor(220, 20) == QColor(Qt::red), images);
    }
}

TEST(PrintViewWithView, CentresTheScaledViewInsideTheMargins)
{
    class GraphWindow : public StdWindowController, public PrintViewDelegate {
    public:
        void printTheView(QPainter&, const QRectF& rect, PrintOperation&) override { drawnIn = rect; }
        QRectF drawnIn;
    } window;
    PrintViewWithView view(&window);
    PrintOperation operation(&view, a4Info(80));
    view.setPrintOperation(&operation);
    view.spoolPrintOperation(operation);
    EXPECT_EQ(view.nbPages(), 1);
    EXPECT_EQ(fields(view.frame().x(), view.frame().y(), view.frame().width(), view.frame().height()),
              "115.5 124.2 364 593.6");
    view.pageImage(1);
    EXPECT_EQ(window.drawnIn, view.frame());
}

TEST_F(PrintTest, OptionsPanelWritesTheOptionsAndRespoolsOnlyOnChange)
{
    DemoListWindow window;
    window.offersImages = false;
    window.rows = demoRows(10);
    Spooled spooled(&window, a4Info(100));
    QSignalSpy respools(&spooled.view, &PrintView::didSpool);
    PrintAccessoryViewController panel(&spooled.operation, &window);
    panel.setRepresentedObject(spooled.operation.printInfo());
    PrintInfo& info = spooled.operation.printInfo();

    EXPECT_FALSE(panel.findChild<QCheckBox*>(QStringLiteral("check_print_images"))->isEnabled());
    EXPECT_TRUE(panel.findChild<QCheckBox*>(QStringLiteral("check_fonds_colores"))->isEnabled());
    EXPECT_EQ(panel.findChild<QCheckBox*>(QStringLiteral("check_print_images"))->toolTip(),
              QStringLiteral("Imprime des images dans le contenu"));
    EXPECT_FALSE(panel.findChild<QWidget*>(QStringLiteral("pop_groupees"))->isEnabled());
    EXPECT_EQ(panel.findChild<QLineEdit*>(QStringLiteral("text_marge_left"))->text(), QStringLiteral("70"));

    auto* left = panel.findChild<QLineEdit*>(QStringLiteral("text_marge_left"));
    left->setText(QStringLiteral("70"));
    panel.textDidEndEditing(left);
    EXPECT_EQ(respools.count(), 0);
    left->setText(QStringLiteral("-12"));
    panel.textDidEndEditing(left);
    EXPECT_EQ(info.leftMargin, 0) << "a negative margin counts as none";
    EXPECT_EQ(respools.count(), 1);

    auto* echelle = panel.findChild<QLineEdit*>(QStringLiteral("text_echelle"));
    echelle->setText(QStringLiteral("120"));
    panel.textDidEndEditing(echelle);
    EXPECT_EQ(respools.count(), 1) << "120 is held at 100, the scale already shown";
    echelle->setText(QStringLiteral("10"));
    panel.textDidEndEditing(echelle);
    EXPECT_EQ(info.svOptionEchelle, 50);
    EXPECT_EQ(panel.findChild<QSlider*>(QStringLiteral("slider_echelle"))->value(), 50);
    EXPECT_DOUBLE_EQ(spooled.view.factor(), 521.0 / 600 * 0.5); // 595 - 0 - 70 - 4 available
    EXPECT_EQ(respools.count(), 2);

    panel.findChild<QCheckBox*>(QStringLiteral("check_fonds_colores"))->click();
    EXPECT_TRUE(info.svOptionFondsColores);
    EXPECT_EQ(respools.count(), 3);

    // The paper: the same one changes nothing, another one lays the pages out again.
    spooled.operation.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    EXPECT_EQ(respools.count(), 4);
    EXPECT_EQ(spooled.view.lastPaperSize(), QSizeF(842, 595));
    spooled.operation.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    EXPECT_EQ(respools.count(), 4);
}

TEST_F(PrintTest, PrintReadsTheOptionsAndSavesThemBackEvenWhenCancelled)
{
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.svOptionMargeLeft = 40;
    parameters.svOptionEchelle = 90;
    parameters.svOptionTextesColores = true;
    DemoListWindow window;
    window.rows = demoRows(30);
    window.setCurrentOrientation(PrintInfo::kLandscape);
    ui().onPrint([](PrintOperation& operation, PrintAccessoryViewController* panel) {
        const PrintInfo& info = operation.printInfo();
        EXPECT_EQ(fields(info.leftMargin, info.svOptionEchelle, info.svOptionTextesColores), "40 90 true");
        EXPECT_GT(operation.printInfo().paperSize.width(), operation.printInfo().paperSize.height());
        auto* top = panel->findChild<QLineEdit*>(QStringLiteral("text_marge_top"));
        top->setText(QStringLiteral("36"));
        panel->textDidEndEditing(top);
        operation.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        return false; // cancelled
    });
    window.IMPRIMER(nullptr);

    ASSERT_EQ(ui().printHost().records.size(), 1);
    EXPECT_TRUE(ui().printHost().records[0].hadAccessory);
    EXPECT_EQ(window.currentOrientation(), PrintInfo::kPortrait);
    APPLIPARAM::disposeAppliParam(); // read back from the file
    const APPLIPARAM& saved = APPLIPARAM::loadAppliParam();
    EXPECT_EQ(
        fields(saved.svOptionMargeTop, saved.svOptionMargeLeft, saved.svOptionEchelle, saved.svOptionTextesColores),
        "36 40 90 true");
    savePrintDefaults();

    // A window without a print-view class prints nothing and shows no panel.
    StdWindowController plain;
    plain.IMPRIMER(nullptr);
    ASSERT_EQ(ui().printHost().records.size(), 1);
}

TEST_F(PrintTest, ADemoListPrintsToPdf)
{
    DemoListWindow window;
    window.rows = demoRows(250);
    window.window()->setWindowTitle(QStringLiteral("Compte courant — mars 2024"));
    savePrintDefaults();
    APPLIPARAM::loadAppliParam().svOptionFondsColores = true;
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    const QString pdf = QStringLiteral(SORV_TEST_OUTPUT_DIR "/printed-list.pdf");
    QFile::remove(pdf);
    ui().printHost().pdfPath = pdf;
    ui().printHost().pixelsPerPoint = 2;
    ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
    window.IMPRIMER(nullptr);

    ASSERT_EQ(ui().printHost().records.size(), 1);
    const TestPrintHost::Record& record = ui().printHost().records[0];
    EXPECT_TRUE(record.printed);
    EXPECT_EQ(record.nbPages, 7); // 39 rows of 16.5 points a page
    EXPECT_GT(QFileInfo(pdf).size(), 10000);
    ASSERT_FALSE(record.pages.isEmpty());
    record.pages[0].save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/printed-list-page1.png"));
    EXPECT_TRUE(hasInk(record.pages[0], QRect(140, 100, 902, 120))) << "the title block";
}

TEST(PrintPanelSmoke, ProductionPanelShowsThePreviewAndCancels)
{
    std::unique_ptr<UiHost> host = makeQtUiHost();
    UiHost::install(host.get());
    DemoListWindow window;
    window.rows = demoRows(60);
    Spooled spooled(&window, a4Info());
    PrintAccessoryViewController panel(&spooled.operation, &window);
    panel.setRepresentedObject(spooled.operation.printInfo());
    int previewPages = -1;
    QTimer::singleShot(200, [&] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* shown : windows) {
            if (shown->objectName() != QStringLiteral("PrintPanel") || !shown->isVisible())
                continue;
            if (auto* preview = shown->findChild<QPrintPreviewWidget*>())
                previewPages = preview->pageCount();
            QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
            shown->grab().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/print-panel.png"));
            shown->findChild<QPushButton*>(QStringLiteral("button_annuler"))->click();
        }
    });
    EXPECT_FALSE(host->print().runPrintOperation({&spooled.operation, &panel, nullptr}));
    EXPECT_EQ(previewPages, int(spooled.view.nbPages()));
    EXPECT_EQ(panel.parent(), nullptr) << "the options panel stays the driver's";
    UiHost::install(nullptr);
}

// The panel appears as every window does, over a window that stands just under the tool palette:
// wholly on the screen, its title bar below the palette, where it can be taken to move it.
TEST(PrintPanelSmoke, ThePanelOpensBelowTheToolPaletteWhollyOnTheScreen)
{
    const QRect screen(0, 27, 1366, 741);
    const QMargins decorations(1, 24, 1, 1);
    UiHost::Services services = testServices();
    services.print = std::make_unique<QtPrintHost>();
    static_cast<TestScreenInfo&>(*services.screen).frame = screen;
    UiHost host(std::move(services));
    UiHost::install(&host);
    StdWindowPlacement::setDecorations(decorations);
    ToolPaletteApp app;
    setWindowAppDelegate(&app);
    QRect area;
    QRect shownAt;
    {
        StdWindowController tool;
        tool.window()->setGeometry(283, 51, 800, 60);
        tool.window()->show();
        app.tool = &tool;
        DemoListWindow window;
        window.rows = demoRows(20);
        window.window()->setGeometry(300, 140, 700, 100);
        window.window()->show();
        area = screen.adjusted(0, tool.window()->frameGeometry().bottom() + 3 - screen.top(), 0, 0);
        Spooled spooled(&window, a4Info());
        QTimer::singleShot(0, [&shownAt] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget* shown : windows) {
                if (shown->objectName() != QStringLiteral("PrintPanel") || !shown->isVisible())
                    continue;
                shownAt = shown->geometry();
                shown->findChild<QPushButton*>(QStringLiteral("button_annuler"))->click();
            }
        });
        EXPECT_FALSE(host.print().runPrintOperation({&spooled.operation, nullptr, window.window()}));
    }
    setWindowAppDelegate(nullptr);
    StdWindowPlacement::setDecorations(std::nullopt);
    UiHost::install(nullptr);
    ASSERT_FALSE(shownAt.isNull());
    EXPECT_TRUE(area.contains(shownAt.marginsAdded(decorations)))
        << shownAt.x() << "," << shownAt.y() << " " << shownAt.width() << "x" << shownAt.height() << " in " << area.y()
        << ".." << area.bottom();
}

// The print panel waits on its own window only: another window can come over it. A quit typed
// there brings the panel forward as it does a question, to be closed, and goes on once it is.
TEST(PrintPanelSmoke, AQuitBringsThePanelForward)
{
    std::unique_ptr<UiHost> host = makeQtUiHost();
    UiHost::install(host.get());
    DemoListWindow window;
    window.rows = demoRows(20);
    window.window()->show();
    Spooled spooled(&window, a4Info());
    QList<QWidget*> broughtForward;
    bool quitGoesOn = false;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        auto* panel = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(host->endModalRunsThen(&context, [&] { quitGoesOn = true; }));
        broughtForward = host->waitingQuestions();
        EXPECT_EQ(broughtForward, QList<QWidget*> {panel});
        panel->reject();
    });
    EXPECT_FALSE(host->print().runPrintOperation({&spooled.operation, nullptr, window.window()}));
    EXPECT_EQ(broughtForward.size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return quitGoesOn; }, 1000));
    UiHost::install(nullptr);
}

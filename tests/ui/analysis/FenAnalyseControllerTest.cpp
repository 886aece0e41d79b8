// The analysis window on a household's year: the whole year and one month, empty lines, the
// month-by-month synthesis, the listing behind a row, the compute mode and the configuration
// broadcasts, the pie chart, the printed page, memorising and reopening, the period menu of a long
// analysis or budget within the mouse's reach.
#include "AnalyseHousehold.h"

#include "analysis/AnalyseColumns.h"
#include "analysis/BoxAnalyseBudgetTete.h"
#include "analysis/CellConfAnalyse.h"
#include "analysis/ColorAccessoryViewController.h"
#include "analysis/FenAnalyseController.h"
#include "analysis/FenAskCamembertController.h"
#include "analysis/FenBudgetController.h"
#include "analysis/FenCamembertController.h"
#include "analysis/FenEditConfigurationController.h"
#include "analysis/PopPeriode.h"
#include "analysis/ViewCamembert.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/dialogs/QtColorPanel.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "toolkit/windows/windowutils.h"
#include "transactions/FenListingController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "engines/AnalyseRecord.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"
#include "toolkit/popups/StdMenu.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

namespace {

using analysehousehold::at;

QAction* taggedItem(qint64 tag)
{
    auto* item = new QAction;
    item->setData(QVariant::fromValue<qint64>(tag));
    return item;
}

// Whether the mouse, moved to the middle of the entry, picks it: the whole entry lies on the
// screen, inside the menu and clear of its scroll arrows.
bool underTheMouse(QMenu* menu, QAction* item)
{
    const QRect local = menu->actionGeometry(item);
    const QRect global(menu->mapToGlobal(local.topLeft()), local.size());
    if (!menu->screen()->availableGeometry().contains(global) || !menu->geometry().contains(global))
        return false;
    QMouseEvent move(QEvent::MouseMove, QPointF(local.center()), QPointF(global.center()), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(menu, &move);
    return menu->activeAction() == item;
}

// Clicks the pop-up and, while its menu is up, brings each entry in turn under the mouse, turning
// the wheel down while it is out of sight: the titles reached in order, up to the first out of reach.
QStringList reachEveryEntry(StdPopUp* pop)
{
    QStringList reached;
    QTimer::singleShot(0, pop, [menu = pop->stdMenu(), &reached] {
        const auto items = menu->actions();
        for (qsizetype i = 1; i < items.size() && reached.size() == i - 1; ++i) {
            for (int turn = 0; turn < 300 && reached.size() < i; ++turn) {
                if (underTheMouse(menu, items[i])) {
                    reached << items[i]->text();
                    continue;
                }
                const QPointF middle = QRectF(menu->rect()).center();
                QWheelEvent wheel(middle, menu->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(menu, &wheel);
            }
        }
        menu->hide();
    });
    pop->window()->show();
    QTest::mouseClick(pop, Qt::LeftButton);
    return reached;
}

class FenAnalyseControllerTest : public UiTestFixture {
protected:
    FenAnalyseControllerTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        analysehousehold::fill(doc);
        doc.docParam->analyseShowEmpty = true;
        session.emplace(doc);
    }
    ~FenAnalyseControllerTest() override
    {
        for (FenAnalyseController* w : windows)
            if (w)
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }

    FenAnalyseController* open(const QString& name, long month = 0)
    {
        FenAnalyseController* w = openNewAnalyseWindow(doc, name, month, std::nullopt, true);
        windows.append(w);
        return w;
    }
    static QStringList rows(FenAnalyseController* w)
    {
        QStringList out;
        for (int row = 0; row < w->table1()->numberOfRows(); ++row) {
            StdCell* cell = w->viewForTableColumn1(w->table1(), row);
            out << (cell ? cell->rowTexts().join(u'|') : QStringLiteral("(none)"));
        }
        return out;
    }
    static void choose(FenAnalyseController* w, const char* action, qint64 tag)
    {
        std::unique_ptr<QAction> item(taggedItem(tag));
        w->perform(QString::fromLatin1(action), item.get());
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    QList<QPointer<FenAnalyseController>> windows;
};

TEST_F(FenAnalyseControllerTest, TheYearShowsFoldersAndCategoriesWithTheirShares)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    ASSERT_NE(w, nullptr);
    const QStringList shown = rows(w);
    ASSERT_EQ(shown.size(), 10);
    EXPECT_EQ(shown.at(0), QStringLiteral("Maison|15 972,00|87,62|100,00||||-15 972,00"));
    EXPECT_EQ(shown.at(2), QStringLiteral("Loyer|9 600,00||60,11||||-9 600,00"));
    EXPECT_EQ(shown.at(7), QStringLiteral("Vacances|1 200,00||53,19||||-1 200,00"));
    EXPECT_EQ(shown.at(9), QStringLiteral("Salaire||||30 000,00||100,00|30 000,00"));
    const BoxAnalyseBudgetTete* tete = w->boxTete();
    EXPECT_EQ(tete->cell_title3()->text(), QStringLiteral("Du 01/01/2024 au 31/12/2024 (€)"));
    EXPECT_EQ(tete->cell_total_dossier(1)->text(), QStringLiteral("18 228,00"));
    EXPECT_EQ(tete->cell_total_solde()->text(), QStringLiteral("11 772,00"));
    EXPECT_EQ(tete->cell_total_solde()->palette().color(QPalette::WindowText), QColor::fromRgbF(0, 0.2f, 0, 1));
    EXPECT_EQ(w->windowIfLoaded()->windowTitle(), QStringLiteral("Analyse par postes - Année 2024"));
    w->windowIfLoaded()->resize(860, 420);
    WindowDriver(*w).grab(QStringLiteral("analyse-annee-2024.png"));
}

TEST_F(FenAnalyseControllerTest, AMonthShowsItsOwnFiguresAndHidesEmptyLinesWhenAsked)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"), 13);
    EXPECT_EQ(w->myAnaMonth(), 0) << "a month past the columns opens on the whole year";
    choose(w, "PERIODE:", 3);
    EXPECT_EQ(w->myAnaMonth(), 3);
    EXPECT_EQ(w->pop_periode()->text(), QStringLiteral("Mars 2024"));
    EXPECT_EQ(rows(w).at(2), QStringLiteral("Loyer|800,00||64,21||||-800,00"));
    EXPECT_EQ(rows(w).at(7), QStringLiteral("Vacances|||||||"));
    choose(w, "filtrer:", 2);
    EXPECT_FALSE(doc.docParam->analyseShowEmpty);
    EXPECT_FALSE(rows(w).join(u' ').contains(QStringLiteral("Vacances")));
    choose(w, "PERIODE:", 8);
    EXPECT_TRUE(rows(w).join(u' ').contains(QStringLiteral("Vacances")));
    EXPECT_EQ(w->myAnaFile()->initialMonth, 8);
    FenAnalyseController* last = open(QStringLiteral("Année 2024"), 12);
    EXPECT_EQ(last->myAnaMonth(), 12) << "the last month is a month";
}

// A selected row shows the selection's colour, in the classic view and in the synthesis alike.
TEST_F(FenAnalyseControllerTest, ASelectedRowHasTheSelectionsBackground)
{
    FenAnalyseController* w = open(QStringLiteral("Sans mois"));
    auto background = [w](int row) { return w->viewForTableColumn1(w->table1(), row)->getBgbox()->fillColor(); };
    const QList<QColor> selection {w->selectedControlColor(), w->secondarySelectedControlColor()};
    for (const bool synthese : {false, true}) {
        SCOPED_TRACE(synthese ? "synthesis" : "classic");
        if (synthese)
            w->perform(QStringLiteral("GLOBAL_VIEW:"));
        w->table1()->GO(2);
        EXPECT_TRUE(selection.contains(background(2))) << background(2).name().toStdString();
        EXPECT_FALSE(selection.contains(background(3)));
    }
    w->windowIfLoaded()->resize(860, 380);
    WindowDriver(*w).grab(QStringLiteral("analyse-synthese-selection.png"));
}

TEST_F(FenAnalyseControllerTest, TheSynthesisOpensAMonthOntoItsRowsAndClosesItAgain)
{
    FenAnalyseController* w = open(QStringLiteral("Sans mois"));
    ASSERT_TRUE(w->pop_periode()->anaFile());
    w->perform(QStringLiteral("GLOBAL_VIEW:"));
    ASSERT_EQ(w->table1()->numberOfRows(), 12);
    ASSERT_NE(w->oldAnaFile(), nullptr);
    EXPECT_FALSE(w->oldAnaFile()->anaDef.showMonth);
    EXPECT_TRUE(w->myAnaFile()->anaDef.showMonth);
    EXPECT_EQ(rows(w).at(7), QStringLiteral("Août 2024|2 667,00|||2 500,00|||-167,00"));
    w->openSyntheseAtRowInIndex(7);
    ASSERT_EQ(w->table1()->numberOfRows(), 12 + 10);
    EXPECT_EQ(rows(w).at(8).section(u'|', 0, 0), QStringLiteral("Maison"));
    EXPECT_EQ(w->myAnaFile()->getAnalyseDataTotalDossierAtMonth(8)->percentTotDeb, 100) << "the file keeps its shares";
    w->table1()->GO(7);
    EXPECT_FALSE(w->canListing());
    EXPECT_FALSE(w->canCamembert());
    w->table1()->GO(8);
    EXPECT_TRUE(w->canListing());
    w->closeSyntheseAtRowInIndex(7);
    EXPECT_EQ(w->table1()->numberOfRows(), 12);
    w->windowIfLoaded()->resize(860, 380);
    WindowDriver(*w).grab(QStringLiteral("analyse-synthese.png"));
    choose(w, "PERIODE:", 0);
    EXPECT_EQ(w->currentShowMode(), AnalyseShowMode::Classic);
    EXPECT_EQ(w->oldAnaFile(), nullptr);
    EXPECT_FALSE(w->myAnaFile()->anaDef.showMonth);
}

TEST_F(FenAnalyseControllerTest, AFolderListsItsTransactionsUntilTheAnalysisIsRecomputed)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    w->table1()->GO(4); // Loisirs
    w->perform(QStringLiteral("LISTING:"));
    ASSERT_EQ(w->openListings().size(), 1);
    auto* listing = qobject_cast<FenListingController*>(w->openListings().first());
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->windowIfLoaded()->windowTitle(), QStringLiteral("Listing Analyse - Loisirs"));
    EXPECT_EQ(listingCount(listing->listing()), 12 + 12 + 1);
    WindowDriver(*listing).grab(QStringLiteral("analyse-listing-loisirs.png"));
    choose(w, "AUTOCOMPUTE:", -1);
    EXPECT_TRUE(w->openListings().isEmpty());

    // Computed by hand, the positions outlive deleted transactions: they are skipped, never read.
    doc.transact_array.resize(doc.transact_array.size() / 2);
    w->table1()->GO(4);
    w->perform(QStringLiteral("LISTING:"));
    ASSERT_EQ(w->openListings().size(), 1);
    auto* again = qobject_cast<FenListingController*>(w->openListings().first());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(listingCount(again->listing()), 6 + 6);
    w->openListings().first()->close();
    EXPECT_TRUE(w->openListings().isEmpty());
}

TEST_F(FenAnalyseControllerTest, BroadcastsRecomputeOnlyWhenAutomaticAndFollowTheConfigurations)
{
    doc.docParam->autoComputeAnalyse = false;
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    const QString before = rows(w).at(7);
    doc.transact_array.append(doc.transact_array.constLast());
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    EXPECT_EQ(rows(w).at(7), before);
    choose(w, "AUTOCOMPUTE:", 1);
    EXPECT_TRUE(doc.docParam->autoComputeAnalyse);
    const QString computed = rows(w).at(7);
    EXPECT_NE(computed, before) << "choosing automatic computation computes at once";
    choose(w, "AUTOCOMPUTE:", -2); // no such mode: nothing changes
    EXPECT_TRUE(doc.docParam->autoComputeAnalyse);
    doc.transact_array.append(doc.transact_array.constLast());
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    EXPECT_NE(rows(w).at(7), computed);

    // Deleting the configuration before this one's moves it down a place: it follows by name.
    FenAnalyseController* sansMois = open(QStringLiteral("Sans mois"));
    EXPECT_EQ(sansMois->myAnaConfigIndex(), 2);
    doc.anadefHdl.removeAt(1);
    sendToAllWindowDelegates(Sel::notifyAnalyseDelete, QStringLiteral("Loisirs seuls"), QVariant());
    EXPECT_EQ(sansMois->myAnaConfigIndex(), 1);
    doc.anadefHdl[1].nom = QStringLiteral("Année sans mois");
    sendToAllWindowDelegates(Sel::notifyAnalyseRename, QVariant::fromValue<qint64>(1), QVariant());
    EXPECT_EQ(sansMois->myAnaFile()->anaDef.nom, QStringLiteral("Année sans mois"));
    EXPECT_EQ(w->myAnaFile()->anaDef.nom, QStringLiteral("Année 2024"));
    sendToAllWindowDelegates(Sel::notifyAnalyseDelete, QStringLiteral("Année sans mois"), QVariant());
    EXPECT_EQ(sansMois->myAnaConfigIndex(), 0);
    EXPECT_EQ(sansMois->myAnaFile()->anaDef.nom, QStringLiteral("Année 2024"));
}

TEST_F(FenAnalyseControllerTest, APieChartOfTheFoldersOrOfOneFoldersCategories)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    EXPECT_EQ(w->ligToDossier(0), 1);
    EXPECT_EQ(w->ligToDossier(7), 2);
    EXPECT_EQ(w->ligToDossier(42), -1);
    w->table1()->GO(7); // Vacances, in Loisirs
    ui().onModal<FenAskCamembertController>([](FenAskCamembertController& ask) {
        EXPECT_EQ(ask.pickers().dossierID, 2);
        EXPECT_EQ(WindowDriver(ask).text(QStringLiteral("field_periode")), QStringLiteral("Toute la période"));
        WindowDriver(ask).grab(QStringLiteral("camembert-question.png"));
        ask.perform(QStringLiteral("OUI:"));
    });
    w->perform(QStringLiteral("CAMEMBERT:"));
    auto* chart = qobject_cast<FenCamembertController*>(registeredWindowControllers().constLast());
    ASSERT_NE(chart, nullptr);
    const QList<CamembertData>& slices = chart->camembert().camembert_data();
    ASSERT_EQ(slices.size(), 3);
    EXPECT_EQ(slices.at(0).name, QStringLiteral("Vacances"));
    EXPECT_NEAR(slices.at(0).value, 1200.0 / 2256 * 100, 1e-9);
    EXPECT_EQ(chart->camembert().title(), QStringLiteral("Loisirs ( Dépenses ) - Du 01/01/2024 au 31/12/2024"));
    EXPECT_NEAR(chart->windowIfLoaded()->windowOpacity(), 0.95, 0.01);
    chart->windowIfLoaded()->resize(520, 520);
    WindowDriver(*chart).grab(QStringLiteral("camembert-loisirs.png"));
    chart->copy(nullptr);
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    ASSERT_NE(clip, nullptr);
    EXPECT_TRUE(clip->data(QStringLiteral("application/pdf")).startsWith("%PDF"));
    EXPECT_TRUE(clip->hasImage());
    chart->close();

    const Camembert all = w->newAnaCamembertData(1, 0, -1);
    ASSERT_EQ(all.camembert_data().size(), 1);
    EXPECT_EQ(all.camembert_data().at(0).name, QStringLiteral("Revenus"));
}

TEST_F(FenAnalyseControllerTest, ThePrintedAnalysisHasItsTitleHeaderAndRows)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    ui().printHost().pdfPath = QStringLiteral(SORV_TEST_OUTPUT_DIR "/analyse-annee-2024.pdf");
    ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
    w->perform(QStringLiteral("IMPRIMER:"));
    ASSERT_EQ(ui().printHost().records.size(), 1);
    const TestPrintHost::Record& printed = ui().printHost().records.first();
    EXPECT_TRUE(printed.printed);
    EXPECT_EQ(printed.nbPages, 1);
    ASSERT_FALSE(printed.pages.isEmpty());
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    EXPECT_TRUE(printed.pages.first().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/analyse-imprimee.png")));
}

TEST_F(FenAnalyseControllerTest, MemorisedWindowsComeBackAndAVanishedConfigurationReopensOnTheFirst)
{
    const QString package = testenv::freshDir(QStringLiteral("analyses")) + QStringLiteral("/Famille.svd");
    ASSERT_TRUE(QDir().mkpath(package + QStringLiteral("/Contents/Resources")));
    doc.documentUrl = package;
    FenAnalyseController* w = open(QStringLiteral("Loisirs seuls"));
    choose(w, "PERIODE:", 8);
    w->MEMORISE(QVariant::fromValue<qint64>(1), doc.documentUrl);
    open(QStringLiteral("Sans mois"))->MEMORISE(QVariant::fromValue<qint64>(2), doc.documentUrl);
    for (FenAnalyseController* open : windows)
        open->close();
    windows.clear();
    doc.anadefHdl.removeAt(2);
    reopenAnalysesOfDocument(doc);
    const QList<QObject*> controllers = registeredWindowControllers();
    QList<FenAnalyseController*> reopened;
    for (QObject* c : controllers)
        if (auto* a = qobject_cast<FenAnalyseController*>(c))
            reopened.append(a);
    ASSERT_EQ(reopened.size(), 2);
    for (FenAnalyseController* a : reopened)
        windows.append(a);
    std::sort(reopened.begin(), reopened.end(),
              [](FenAnalyseController* a, FenAnalyseController* b) { return a->myAnaMonth() > b->myAnaMonth(); });
    EXPECT_EQ(reopened[0]->myAnaFile()->anaDef.nom, QStringLiteral("Loisirs seuls"));
    EXPECT_EQ(reopened[0]->myAnaMonth(), 8);
    EXPECT_EQ(reopened[1]->myAnaFile()->anaDef.nom, doc.anadefHdl.at(0).nom); // "Sans mois" is gone
    EXPECT_EQ(reopened[1]->myAnaConfigIndex(), 0);
}

// On a laptop screen the analysis and the budget open as tall as their rows want within the
// screen (all of it when the rows need more) once they have slid in, the budget a step aside from
// the analysis rather than over it.
TEST_F(FenAnalyseControllerTest, TheWindowsOpenAsTallAsTheirRowsAndApartOnALaptopScreen)
{
    const QRect screen(0, 0, 1366, 768);
    ui().screenInfo().full = ui().screenInfo().frame = screen;
    APPLIPARAM::loadAppliParam().doAnimations = true;
    ui().animations().setSpeed(1); // the slides end after the windows are fitted
    long ident = 100;
    for (const int moreCategories : {0, 10, 20}) { // 10, 20 and 40 rows
        for (const long last = ident + moreCategories; ident < last; ++ident)
            doc.posteHdl.append(POSTE {.ident = ident, .dossierID = 2, .nom = QStringLiteral("Loisir %1").arg(ident)});
        FenAnalyseBudgetController* analyse = open(QStringLiteral("Année 2024"));
        FenAnalyseBudgetController* budget = openBudgetWindow(doc, analyse->myAnaFile()->anaDef.nom, 0, {}, true);
        ui().animations().finishAll();
        for (FenAnalyseBudgetController* w : {analyse, budget}) {
            const int rows = w->table1()->numberOfRows();
            const int shown = w->table1()->viewport()->height() / analysecolumns::kRowHeight;
            const QRect frame = w->window()->frameGeometry();
            EXPECT_TRUE(screen.contains(frame)) << rows;
            EXPECT_TRUE(shown >= rows || frame.height() == screen.height()) << shown << " of " << rows;
        }
        EXPECT_NE(budget->window()->pos(), analyse->window()->pos()) << ident;
        WindowDriver(*analyse).grab(QStringLiteral("analyse-%1-lignes.png").arg(analyse->table1()->numberOfRows()));
        budget->close();
        analyse->close();
    }
}

// On a 1024-pixel screen the analysis and the budget, whose controls want more, fit whole in the
// frame a manager with openbox's borders gives them, opened or put back at a remembered frame: a
// manager keeps a window with size steps at its base plus whole steps, counted below the base too.
TEST_F(FenAnalyseControllerTest, OnA1024PixelScreenTheWindowsFitWholeInTheFrameAManagerGives)
{
    const QRect screen(0, 0, 1024, 768);
    const QMargins openbox(1, 20, 1, 5);
    ui().screenInfo().full = ui().screenInfo().frame = screen;
    StdWindowPlacement::setDecorations(openbox);
    const auto managersSize = [](const QWidget* window) {
        const QSize base = window->baseSize().isNull() ? window->minimumSize() : window->baseSize();
        const QSize step = window->sizeIncrement().expandedTo(QSize(1, 1));
        return QSize(base.width() + (window->width() - base.width()) / step.width() * step.width(),
                     base.height() + (window->height() - base.height()) / step.height() * step.height());
    };
    const struct {
        const char* why;
        bool budget;
        std::optional<QRectF> frame; // remembered, from the screen's bottom left
    } cases[] = {
        {"the analysis", false, std::nullopt},
        {"the budget", true, std::nullopt},
        {"the analysis at a remembered frame", false, QRectF(1, 5, 1028, 743)},
        {"the budget at a remembered frame", true, QRectF(1, 5, 1031, 743)},
    };
    // A name that widens the windows' top row past the screen, as the household's own did.
    AnalyseConfiguration longNamed = doc.anadefHdl.at(0);
    longNamed.nom = QStringLiteral("Analyse complète des dépenses et des recettes du ménage");
    doc.anadefHdl.append(longNamed);
    const QString name = longNamed.nom;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        StdWindowController* w = c.budget
            ? static_cast<StdWindowController*>(openBudgetWindow(doc, name, 0, c.frame, true))
            : static_cast<StdWindowController*>(openNewAnalyseWindow(doc, name, 0, c.frame, true));
        ASSERT_NE(w, nullptr);
        const QWidget* window = w->window();
        ASSERT_NE(window->findChild<QWidget*>(QLatin1String(StdWindowPlacement::kScrollName)), nullptr)
            << "the controls want more than the screen";
        const QRect kept(window->geometry().topLeft(), managersSize(window));
        EXPECT_TRUE(screen.contains(kept.marginsAdded(openbox)))
            << kept.x() << "," << kept.y() << " " << kept.width() << "x" << kept.height();
        w->close();
    }
    StdWindowPlacement::setDecorations(std::nullopt);
}

TEST_F(FenAnalyseControllerTest, TheEditorStoresItsConfigurationAndTheWindowFollows)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    ui().onModal<FenEditConfigurationController>([](FenEditConfigurationController& editor) {
        EXPECT_EQ(editor.currentDefIndex(), 0);
        std::unique_ptr<QAction> item(taggedItem(1));
        editor.perform(QStringLiteral("CONFIGURATION:"), item.get());
        EXPECT_EQ(editor.currentDefRec().nom, QStringLiteral("Loisirs seuls"));
        EXPECT_EQ(editor.list(FenEditConfigurationController::ListKind::Dossier)->count(), 1);
        editor.windowIfLoaded()->resize(1000, 560);
        WindowDriver(editor).grab(QStringLiteral("analyse-configurations.png"));
        editor.perform(QStringLiteral("SUPP_ALL_DOSSIERS:"));
        editor.perform(QStringLiteral("ADD_ALL_POSTES:"));
        editor.perform(QStringLiteral("OUI:"));
    });
    w->perform(QStringLiteral("EDIT_CONFIGURATION:"));
    EXPECT_EQ(w->myAnaConfigIndex(), 1);
    EXPECT_EQ(doc.anadefHdl.at(1).postesArray.size(), 7);
    EXPECT_EQ(rows(w).size(), 10);
}

// Each row of the editor's lists carries its own delete button, shown on the selected row only;
// the lists' tool rows have none.
TEST_F(FenAnalyseControllerTest, TheConfigurationListsDeleteARowByItsOwnButton)
{
    FenAnalyseController* w = open(QStringLiteral("Loisirs seuls"));
    ui().onModal<FenEditConfigurationController>([](FenEditConfigurationController& editor) {
        editor.perform(QStringLiteral("ADD_ALL_POSTES:"));
        QListWidget* postes = editor.list(FenEditConfigurationController::ListKind::Poste);
        ASSERT_EQ(postes->count(), 7);
        const QString third = postes->item(2)->text();
        postes->setCurrentRow(2);
        for (int row = 0; row < postes->count(); ++row) {
            CellConfAnalyse* cell = CellConfAnalyse::cellAt(postes, row);
            ASSERT_NE(cell, nullptr) << row;
            EXPECT_EQ(cell->button_supprimer()->isVisibleTo(postes), row == 2) << row;
        }
        editor.windowIfLoaded()->show(); // the rows' own widgets take their places once shown
        QApplication::processEvents();
        WindowDriver(editor).grab(QStringLiteral("analyse-configuration-lignes.png"));
        CellConfAnalyse::cellAt(postes, 2)->button_supprimer()->click();
        ASSERT_EQ(postes->count(), 6);
        EXPECT_NE(postes->item(2)->text(), third);
        EXPECT_EQ(postes->currentRow(), 2);
        EXPECT_TRUE(CellConfAnalyse::cellAt(postes, 2)->button_supprimer()->isVisibleTo(postes));
        const QList<QAbstractButton*> outside
            = editor.windowIfLoaded()->findChildren<QAbstractButton*>(QStringLiteral("button_supprimer"));
        for (QAbstractButton* button : outside)
            EXPECT_NE(qobject_cast<CellConfAnalyse*>(button->parentWidget()), nullptr);
        editor.perform(QStringLiteral("OUI:"));
    });
    w->perform(QStringLiteral("EDIT_CONFIGURATION:"));
    EXPECT_EQ(doc.anadefHdl.at(1).postesArray.size(), 6);
}

TEST_F(FenAnalyseControllerTest, TheColourItemsEditTheWindowsGradientsAndSaveThem)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    const QColor picked = QColor::fromRgbF(0.25f, 0.5f, 0.75f, 1);
    struct Case {
        qint64 tag;
        Colorizator APPLIPARAM::*gradient;
        bool first;
    };
    const Case cases[] = {
        {1, &APPLIPARAM::colorisatorAnalyseTitre, true},   {2, &APPLIPARAM::colorisatorAnalyseTitre, false},
        {3, &APPLIPARAM::colorisatorAnalyseDepense, true}, {4, &APPLIPARAM::colorisatorAnalyseDepense, false},
        {5, &APPLIPARAM::colorisatorAnalyseRecette, true}, {6, &APPLIPARAM::colorisatorAnalyseRecette, false},
        {7, &APPLIPARAM::colorisatorAnalyseSolde, true},   {8, &APPLIPARAM::colorisatorAnalyseSolde, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        const Colorizator before = APPLIPARAM::loadAppliParam().*c.gradient;
        ui().onColorPanel([&](TestColorPanel& panel, const ColorPanelRequest& request) {
            EXPECT_EQ(request.color, toQColor(c.first ? before.firstColor() : before.lastColor()));
            panel.setColor(picked);
            panel.click(QStringLiteral("button_ok"));
        });
        choose(w, "COLORISER:", c.tag);
        EXPECT_TRUE(ui().colorPanelShown().sheet);
        EXPECT_FALSE(ui().colorPanelShown().isVisible());
        const Colorizator& after = APPLIPARAM::loadAppliParam().*c.gradient;
        EXPECT_EQ(toQColor(c.first ? after.firstColor() : after.lastColor()), picked);
        EXPECT_EQ(c.first ? after.lastColor() : after.firstColor(), c.first ? before.lastColor() : before.firstColor());
    }
    const Colorizator titre = APPLIPARAM::loadAppliParam().colorisatorAnalyseTitre;
    EXPECT_EQ(w->boxTete()->box(QStringLiteral("box_header_tot0"))->fillColor(), toQColor(titre.colorAtIndex(1)));
    APPLIPARAM::disposeAppliParam();
    EXPECT_EQ(toQColor(APPLIPARAM::loadAppliParam().colorisatorAnalyseSolde.lastColor()), picked) << "saved";
    w->windowIfLoaded()->resize(980, 420);
    WindowDriver(*w).grab(QStringLiteral("analyse-couleurs.png"));

    // Cancel, or a panel asked for again before it was answered, changes nothing.
    ui().onColorPanel([](TestColorPanel& panel, const ColorPanelRequest&) { panel.setColor(Qt::red); });
    choose(w, "COLORISER:", 3);
    ui().onColorPanel([](TestColorPanel& panel, const ColorPanelRequest&) {
        panel.setColor(Qt::red);
        panel.click(QStringLiteral("button_nok"));
    });
    choose(w, "COLORISER:", 4);
    EXPECT_EQ(toQColor(APPLIPARAM::loadAppliParam().colorisatorAnalyseDepense.firstColor()), picked);
    EXPECT_EQ(toQColor(APPLIPARAM::loadAppliParam().colorisatorAnalyseDepense.lastColor()), picked);

    choose(w, "COLORISER:", 0);
    APPLIPARAM::disposeAppliParam();
    EXPECT_EQ(toQColor(APPLIPARAM::loadAppliParam().colorisatorAnalyseSolde.firstColor()),
              toQColor(Colorizator::defaultColorisatorAnalyseSolde().firstColor()));
    EXPECT_EQ(w->boxTete()->box(QStringLiteral("box_header_tot0"))->fillColor(),
              toQColor(Colorizator::defaultColorisatorAnalyseTitre().colorAtIndex(1)));
}

TEST_F(FenAnalyseControllerTest, TheProgramsColourPanelCarriesTheAccessoryAndItsAnswer)
{
    FenAnalyseController* w = open(QStringLiteral("Année 2024"));
    QtColorPanel panel;
    auto* accessory = new ColorAccessoryViewController(w, &panel, 6, w); // the window releases it
    ColorPanelRequest request {w->window(), QColor::fromRgbF(0.2f, 0.4f, 0.6f, 1), accessory->view(), accessory, {}};
    panel.show(request);
    auto* dialog = w->window()->findChild<QDialog*>(QStringLiteral("colorPanel"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.color(), request.color);
    dialog->findChild<QColorDialog*>()->setCurrentColor(Qt::darkGreen);
    WindowDriver(dialog).grab(QStringLiteral("analyse-panneau-couleurs.png"));

    const QVariantMap ok = accessory->returnDictionnaryWithCode(true);
    const QVariantMap nok = accessory->returnDictionnaryWithCode(false);
    EXPECT_TRUE(ok.value(QStringLiteral("code")).toBool());
    EXPECT_FALSE(nok.value(QStringLiteral("code")).toBool());
    for (const char* key : {"controller", "panel", "color", "tag"})
        EXPECT_EQ(ok.value(QString::fromLatin1(key)), nok.value(QString::fromLatin1(key))) << key;
    EXPECT_EQ(nok.value(QStringLiteral("tag")).toLongLong(), 6);
    EXPECT_EQ(nok.value(QStringLiteral("color")).value<QColor>(), QColor(Qt::darkGreen));

    accessory->button_ok()->click();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(toQColor(APPLIPARAM::loadAppliParam().colorisatorAnalyseRecette.lastColor()), QColor(Qt::darkGreen));
}

// On a screen no wider than the smallest the program serves, the period menu of a long analysis
// or budget, opened by a click, lets the mouse reach every entry in its order.
TEST_F(FenAnalyseControllerTest, EveryEntryOfALongPeriodMenuComesUnderTheMouse)
{
    ASSERT_LE(QGuiApplication::primaryScreen()->availableGeometry().width(), 1024);
    TRANSACT first = doc.transact_array.first(); // kept here since 2012
    first.when = at(5, 1, 2012);
    doc.transact_array.append(first);
    const struct {
        const char* nom;
        int modeDate;
        double date1, date2;
        bool budget;
        qsizetype months;
        const char* last;
    } cases[] = {
        {"Entre les dates", kModeDateGiven, at(1, 1, 2026), at(31, 8, 2042), false, 200, "Août 2042"},
        {"Budget sur dix ans", kModeDateGiven, at(1, 1, 2025), at(31, 12, 2034), true, 120, "Décembre 2034"},
        {"Toutes les opérations", kModeDateNoLimit, 0, 0, false, 156, "Décembre 2024"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nom);
        AnalyseConfiguration conf = doc.anadefHdl.first();
        conf.nom = QString::fromUtf8(c.nom);
        conf.modeDate = c.modeDate;
        conf.date1 = c.date1;
        conf.date2 = c.date2 + 86399;
        doc.anadefHdl.append(conf);
        FenAnalyseBudgetController* w = c.budget
            ? static_cast<FenAnalyseBudgetController*>(openBudgetWindow(doc, conf.nom, 0, {}, true))
            : open(conf.nom);
        const QStringList reached = reachEveryEntry(w->pop_periode());
        EXPECT_EQ(reached.size(), c.months + 2);
        EXPECT_EQ(reached.value(1), localizedAppl(QStringLiteral("POPUP_ANALYSE_TOTAL")));
        EXPECT_EQ(reached.last().toStdString(), c.last);
        if (c.budget)
            w->close();
    }
}

} // namespace

namespace {

// The editor's refusals and list rules, each step run on a fresh editor of the household's
// configurations, opened on "Année 2024".
class FenEditConfigurationTest : public FenAnalyseControllerTest {
protected:
    void edit(int type, const std::function<void(FenEditConfigurationController&)>& steps, long result = 1)
    {
        WindowDataPtr data = makeWindowData(
            {{QStringLiteral("pindex"), QVariant::fromValue<qint64>(0)}, {QStringLiteral("type"), type}});
        ui().onModal<FenEditConfigurationController>([steps, result](FenEditConfigurationController& editor) {
            steps(editor);
            if (result == 1)
                editor.perform(QStringLiteral("OUI:"));
        });
        EXPECT_EQ(StdWindowController::pushModal<FenEditConfigurationController>(nullptr, data, 0), result);
    }
    static void choose(FenEditConfigurationController& editor, const char* action, qint64 tag)
    {
        std::unique_ptr<QAction> item(taggedItem(tag));
        editor.perform(QString::fromLatin1(action), item.get());
    }
};

TEST_F(FenEditConfigurationTest, NamesAreCheckedAndTheDefaultCannotBeDeleted)
{
    edit(0, [this](FenEditConfigurationController& editor) {
        editor.perform(QStringLiteral("SUPPRIMER:")); // position 0: no question
        ui().onModal<FenAskStringController>([](FenAskStringController& ask) {
            ask.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(QStringLiteral("Sans mois"));
            ask.perform(QStringLiteral("OUI:"));
        });
        ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_NameAlreadyExist")), 1000);
        editor.perform(QStringLiteral("CREER:"));
        ui().onModal<FenAskStringController>([](FenAskStringController& ask) {
            ask.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(QStringLiteral("Année 2024"));
            ask.perform(QStringLiteral("OUI:"));
        });
        editor.perform(QStringLiteral("RENOMMER:")); // its own name is accepted
        ui().onModal<FenAskStringController>([](FenAskStringController& ask) {
            ask.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(QStringLiteral("Copie"));
            ask.perform(QStringLiteral("OUI:"));
        });
        editor.perform(QStringLiteral("CREER:"));
        EXPECT_EQ(editor.currentDefIndex(), 3);
        ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SuppAnalyse")), 1001);
        editor.perform(QStringLiteral("SUPPRIMER:"));
        EXPECT_EQ(editor.currentDefIndex(), 0);
    });
    EXPECT_EQ(doc.anadefHdl.size(), 3);
}

TEST_F(FenEditConfigurationTest, ListsRefuseDuplicatesAndKeepASelection)
{
    edit(0, [](FenEditConfigurationController& editor) {
        QListWidget* banques = editor.list(FenEditConfigurationController::ListKind::Banque);
        choose(editor, "MODECOMPTE:", 0);
        editor.outlet<QComboBox>(QStringLiteral("popup_modecompte"))->setCurrentIndex(1);
        editor.perform(QStringLiteral("MODECOMPTE:"));
        choose(editor, "BDEBIT:", 11);
        choose(editor, "BDEBIT:", 10); // before the selected row
        banques->setCurrentRow(-1);
        choose(editor, "BDEBIT:", 23); // appended
        ASSERT_EQ(banques->count(), 3);
        choose(editor, "BDEBIT:", 23);
        banques->setCurrentRow(2);
        editor.perform(QStringLiteral("SUPP_BANQUE:"));
        EXPECT_EQ(banques->count(), 2);
        banques->setCurrentRow(-1);
        choose(editor, "BDEBIT:", 10); // already there: selected, not added
        EXPECT_EQ(banques->count(), 2);
        EXPECT_EQ(banques->currentRow(), 0);
        editor.perform(QStringLiteral("ADD_ALL_COMPTES:"));
        QListWidget* comptes = editor.list(FenEditConfigurationController::ListKind::Compte);
        ASSERT_EQ(comptes->count(), 4);
        comptes->setCurrentRow(3);
        editor.perform(QStringLiteral("SUPP_COMPTE:"));
        EXPECT_EQ(comptes->currentRow(), 2);
        choose(editor, "CREDIT:", 7);
        editor.perform(QStringLiteral("TOUS_COMPTES:"));
    });
    EXPECT_EQ(doc.anadefHdl.at(0).banquesArray, (AnaIdentList {10, 11}));
    EXPECT_EQ(doc.anadefHdl.at(0).comptesArray, (AnaIdentList {7, 9, 22}));
    EXPECT_EQ(doc.anadefHdl.at(0).compteID, -1);
}

TEST_F(FenEditConfigurationTest, WholeMonthsAndWrongDates)
{
    edit(
        1,
        [this](FenEditConfigurationController& editor) {
            auto* mois = editor.outlet<QCheckBox>(QStringLiteral("checkbox_montrer_mois_complets"));
            EXPECT_TRUE(mois->isChecked());
            EXPECT_FALSE(mois->isEnabled()) << "a budget counts whole months";
            WindowDriver driver(editor);
            driver.type(QStringLiteral("field_jour1"), QStringLiteral("17"));
            driver.type(QStringLiteral("field_mois2"), QStringLiteral("2"));
            editor.textDidEndEditing(editor.outlet<QWidget>(QStringLiteral("field_jour1")));
            EXPECT_EQ(driver.text(QStringLiteral("field_jour1")), QStringLiteral("1"));
            EXPECT_EQ(driver.text(QStringLiteral("field_jour2")), QStringLiteral("29"));
            ui().onModal<FenCalendrierController2>([](FenCalendrierController2& picker) {
                picker.GO(at(10, 4, 2024));
                picker.perform(QStringLiteral("OUI:"));
            });
            editor.perform(QStringLiteral("CALENDRIER2:"));
            EXPECT_EQ(driver.text(QStringLiteral("field_mois2")), QStringLiteral("4"));
            EXPECT_EQ(driver.text(QStringLiteral("field_jour2")), QStringLiteral("30")) << "a picked date too";
            driver.type(QStringLiteral("field_annee1"), QStringLiteral("2025"));
            ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_WrongDate")), 1000);
            EXPECT_FALSE(editor.ENREGISTRER());
            editor.perform(QStringLiteral("NON:"));
        },
        0);
}

} // namespace

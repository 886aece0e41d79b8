// The budget window on a household's year with its rent schedule and grocery forecast: the
// figures against a hand-computed table, the details palette of a figure, the category row's
// menu, the synthesis grid, memorising and reopening.
#include "AnalyseHousehold.h"

#include "analysis/BoxAnalyseBudgetTete.h"
#include "analysis/CellBudget.h"
#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "analysis/FenBudgetMetadataController.h"
#include "analysis/FenTableurBudgetController.h"
#include "analysis/PopPeriode.h"
#include "schedules/FenEcheancierController.h"
#include "schedules/FenEditEcheancierController.h"
#include "schedules/FenEditPrevisionController.h"
#include "toolkit/windows/IWindowAppDelegate.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "engines/AnalyseRecord.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>

namespace {

using analysehousehold::at;

// What the budget window asks of the application: the schedules window.
class EcheancierApp : public QObject, public IWindowAppDelegate {
    Q_OBJECT
public:
    void windowDidBecomeMain(StdWindow*) override { }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return nullptr; }
    Q_INVOKABLE void ECHEANCIERS(QObject*) { FenEcheancierController::openEcheanciers(0, true); }
};

class FenBudgetControllerTest : public UiTestFixture {
protected:
    FenBudgetControllerTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        analysehousehold::fill(doc);
        analysehousehold::addBudget(doc);
        doc.docParam->budgetShowEmpty = true;
        session.emplace(doc);
        setWindowAppDelegate(&app);
    }
    ~FenBudgetControllerTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* w = qobject_cast<StdWindowController*>(controller))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setWindowAppDelegate(nullptr);
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }

    FenBudgetController* open(long month = 0)
    {
        FenBudgetController* w = openBudgetWindow(doc, QStringLiteral("Année 2024"), month, std::nullopt, true);
        EXPECT_NE(w, nullptr);
        return w;
    }
    static QStringList rows(FenBudgetController* w)
    {
        QStringList out;
        for (int row = 0; row < w->table1()->numberOfRows(); ++row) {
            StdCell* cell = w->viewForTableColumn1(w->table1(), row);
            out << (cell ? cell->rowTexts().join(u'|') : QStringLiteral("(none)"));
        }
        return out;
    }
    static void choose(StdWindowController* w, const char* action, qint64 tag)
    {
        QAction item;
        item.setData(QVariant::fromValue<qint64>(tag));
        w->perform(QString::fromLatin1(action), &item);
    }
    static CellBudget* cellAt(FenBudgetController* w, int row)
    {
        return qobject_cast<CellBudget*>(w->viewForTableColumn1(w->table1(), row));
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    EcheancierApp app;
};

TEST_F(FenBudgetControllerTest, TheYearComparesRealAndPlannedFiguresOfEachFolderAndCategory)
{
    FenBudgetController* w = open();
    ASSERT_NE(w, nullptr);
    const QStringList shown = rows(w);
    ASSERT_EQ(shown.size(), 10);
    // Rent: 12 x 800 written by its schedule as planned; groceries: 5,472 spent for 12 x 400.
    EXPECT_EQ(shown.at(0), QStringLiteral("Maison|15 972,00|14 400,00|-1 572,00||||-15 972,00"));
    EXPECT_EQ(shown.at(1), QStringLiteral("Courses|5 472,00|4 800,00|-672,00||||-5 472,00"));
    EXPECT_EQ(shown.at(2), QStringLiteral("Loyer|9 600,00|9 600,00|||||-9 600,00"));
    EXPECT_EQ(shown.at(9), QStringLiteral("Salaire||||30 000,00||+30 000,00|30 000,00"));
    const BoxAnalyseBudgetTete* tete = w->boxTete();
    EXPECT_EQ(tete->cell_title3()->text(), QStringLiteral("Du 01/01/2024 au 31/12/2024 (€)"));
    EXPECT_EQ(tete->cell_total_dossier(2)->text(), QStringLiteral("14 400,00"));
    EXPECT_EQ(tete->cell_total_dossier(3)->text(), QStringLiteral("-3 828,00"));
    EXPECT_EQ(tete->cell_total_dossier(3)->palette().color(QPalette::WindowText), QColor::fromRgbF(0.5882353F, 0, 0));
    EXPECT_EQ(tete->cell_total_dossier(6)->text(), QStringLiteral("+30 000,00"));
    EXPECT_EQ(tete->cell_total_solde()->text(), QStringLiteral("11 772,00"));
    EXPECT_EQ(w->windowIfLoaded()->windowTitle(), QStringLiteral("Budget mensuel - Année 2024"));
    EXPECT_EQ(w->pop_periode()->titleForTag(PopPeriode::kTagTableauSynthese),
              QStringLiteral("Tableau de synthèse du budget"));
    w->windowIfLoaded()->resize(880, 420);
    WindowDriver(*w).grab(QStringLiteral("budget-annee-2024.png"));
}

TEST_F(FenBudgetControllerTest, DifferencesShowTheirSignAndColourOnlyWhenAsked)
{
    struct Case {
        double value;
        bool isDiff;
        bool colorize;
        const char* text;
        QColor colour;
    };
    const QColor green = QColor::fromRgbF(0, 0.5019608F, 0);
    const QColor red = QColor::fromRgbF(0.5882353F, 0, 0);
    const Case cases[] = {
        {0, true, true, "", QColor()},
        {0.004, true, true, "", QColor()},
        {12.5, true, true, "+12,50", green},
        {12.5, true, false, "+12,50", QColor()},
        {-1234, true, true, "-1 234,00", red},
        {-1234, false, true, "-1 234,00", QColor()},
        {1234, false, true, "1 234,00", QColor()},
    };
    for (const Case& c : cases) {
        QColor colour;
        const QString text = FenBudgetController::budgetCellNumberAux(testenv::amount(c.value), 0, doc.deviseHdl,
                                                                      c.isDiff, c.colorize, &colour);
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.value;
        EXPECT_EQ(colour, c.colour) << c.value;
    }
    AnalyseData data;
    data.totDeb = testenv::amount(300);
    data.totCre = testenv::amount(100);
    data.totDebPrev = testenv::amount(250);
    const FenBudgetController::CellTexts cells = FenBudgetController::budgetCellNumber(data, 0, doc.deviseHdl, true);
    EXPECT_EQ(cells.texts[6], QStringLiteral("-200,00")) << "real income less real expenses";
    EXPECT_FALSE(cells.colours[6].isValid());
}

TEST_F(FenBudgetControllerTest, AFiguresDetailsOpenInThePaletteGroupedUnderTheirSchedule)
{
    FenBudgetController* w = open(3);
    w->table1()->GO(2); // Loyer, March
    w->perform(QStringLiteral("LISTING:"));
    auto* palette = qobject_cast<FenBudgetMetadataController*>(w->paletteMetadata());
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->fieldNom()->text(), QStringLiteral("Loyer"));
    EXPECT_EQ(palette->fieldDate()->text(), QStringLiteral("Mars 2024 (€)"));
    QStringList shown;
    for (int i = 0; i < palette->numberOfRowsInTableView1(palette->table1()); ++i) {
        QStringList texts = palette->viewForTableColumn1(palette->table1(), i)->rowTexts();
        texts.removeAll(QString());
        shown << texts.join(u'|');
    }
    EXPECT_EQ(shown.join(u'/'),
              QStringLiteral("Loyer|Décalage : +0 mois|par rapport à l'échéance"
                             "/800,00|-|01/03/2024/800,00|-|01/03/2024"));
    EXPECT_EQ(palette->computeTotalHeightForTable1(), 48 + 62 + 48);
    WindowDriver(*palette).grab(QStringLiteral("budget-palette-loyer.png"));

    // The same palette follows the next figure and the window's currency.
    w->table1()->GO(3); // Électricité: nothing planned
    w->perform(QStringLiteral("LISTING:"));
    EXPECT_EQ(w->paletteMetadata(), palette);
    ASSERT_EQ(palette->organizedArray().size(), 2);
    EXPECT_TRUE(palette->organizedArray().first().chapeau);
    choose(w, "DEVISE:", 1);
    EXPECT_EQ(palette->devise(), 1);
    // The header of the unplanned transactions stands for nothing: no entry window, no beep.
    palette->table1()->GO(0);
    palette->perform(QStringLiteral("OUVRIR:"));
    EXPECT_TRUE(ui().modalRuns().isEmpty());
    EXPECT_EQ(ui().desktopRequests().beeps, 0);
}

TEST_F(FenBudgetControllerTest, TheCategoryMenuShowsOnTheSelectedCategoryRowAndCreatesForIt)
{
    FenBudgetController* w = open(3);
    w->table1()->GO(5); // Sport
    EXPECT_TRUE(cellAt(w, 5)->popup_poste()->isVisibleTo(cellAt(w, 5)));
    EXPECT_FALSE(cellAt(w, 6)->popup_poste()->isVisibleTo(cellAt(w, 6))) << "not selected";
    EXPECT_EQ(cellAt(w, 4)->popup_poste(), nullptr) << "a folder row has none";
    CellBudget* sport = cellAt(w, 5);
    EXPECT_EQ(sport->main_delegate(), w);
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& editor) {
        WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Piscine"));
        editor.perform(QStringLiteral("OUI:"));
    });
    sport->popup_poste()->menu()->actions().at(2)->trigger(); // CREER_PREV:
    ASSERT_EQ(doc.previsionsArray.size(), 2);
    EXPECT_EQ(doc.previsionsArray.last().transact.posteID, 30);
    ASSERT_NE(FenEcheancierController::current(), nullptr);

    // Empty lines hidden: Vacances is gone in March, and the row chosen is still the category's.
    choose(w, "filtrer:", 2);
    ASSERT_EQ(rows(w).size(), 9);
    w->table1()->GO(8);
    ASSERT_TRUE(rows(w).at(8).startsWith(QStringLiteral("Salaire|")));
    long posteID = -1;
    ui().onModal<FenEditEcheancierController>([&posteID](FenEditEcheancierController& editor) {
        posteID = editor.echeancier().transact.posteID;
        editor.perform(QStringLiteral("NON:"));
    });
    cellAt(w, 8)->popup_poste()->menu()->actions().at(1)->trigger(); // CREER_REEL:
    EXPECT_EQ(posteID, 40);
    EXPECT_EQ(doc.echeancierHdl.size(), 1) << "cancelled";

    // A press on the painted menu of the selected row opens it.
    const QRect rowRect = w->table1()->visualRect(w->table1()->model()->index(8, 0));
    const QPoint where = rowRect.topLeft() + CellBudget::popupRect(rowRect.height()).center();
    QTest::mousePress(w->table1()->viewport(), Qt::LeftButton, Qt::NoModifier, where);
    QMenu* menu = cellAt(w, 8)->popup_poste()->menu();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(FenBudgetControllerTest, TheSynthesisGridSumsTheFiguresByScheduleAndForecast)
{
    FenBudgetController* w = open();
    w->pop_periode()->rebuild();
    ASSERT_TRUE(w->pop_periode()->activateTag(PopPeriode::kTagTableauSynthese));
    FenTableurBudgetController* grid = nullptr;
    for (QObject* controller : registeredWindowControllers())
        if (auto* g = qobject_cast<FenTableurBudgetController*>(controller))
            grid = g;
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->numberOfRowsInDataSource(), 4);
    QStringList shown;
    for (long r = 0; r < 4; ++r) {
        QStringList line {grid->valueAtRowHeaderInDataSource(r)};
        for (long c = 0; c < 5; ++c)
            line << grid->valueAtRowInDataSource(r, c);
        shown << line.join(u'|');
    }
    EXPECT_EQ(shown,
              (QStringList {
                  QStringLiteral("Courses du mois|Maison|Courses|-4 800,00|-5 472,00|-672,00"),
                  QStringLiteral("Loyer|Maison|Loyer|-9 600,00|-9 600,00|-"),
                  QStringLiteral("Hors budget|-|-|-|26 844,00|26 844,00"),
                  QStringLiteral("Total|-|-|-14 400,00|11 772,00|26 172,00"),
              }));
    EXPECT_EQ(grid->fieldConfiguration()->text(), QStringLiteral("Année 2024 (Du 01/01/2024 au 31/12/2024)"));
    // The grid keeps the figures of its moment.
    doc.echeancierHdl.clear();
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    EXPECT_EQ(grid->valueAtRowHeaderInDataSource(1), QStringLiteral("Loyer"));
    grid->windowIfLoaded()->resize(760, 260);
    WindowDriver(*grid).grab(QStringLiteral("budget-synthese.png"));
}

// A memorised budget comes back on the month it showed, not on the month at the same place: the
// configuration may start earlier by then (earlier records imported). A record of an older
// version knows only the place.
TEST_F(FenBudgetControllerTest, AMemorisedBudgetComesBackOnItsMonth)
{
    const QString package = testenv::freshDir(QStringLiteral("budgets")) + QStringLiteral("/Famille.svd");
    ASSERT_TRUE(QDir().mkpath(package + QStringLiteral("/Contents/Resources")));
    doc.documentUrl = package;
    const struct {
        double firstDay; // of the configuration when the budget comes back
        const char* olderRecord; // written by an older version instead
        long expected;
    } cases[] = {
        {at(1, 1, 2024), nullptr, 8},
        {at(1, 1, 2023), nullptr, 20},
        {at(1, 9, 2024), nullptr, 0}, // its month is gone
        {at(1, 1, 2024), "<record><initialMonth>8</initialMonth><nom>Année 2024</nom></record>", 8},
    };
    for (const auto& c : cases) {
        doc.anadefHdl[0].date1 = at(1, 1, 2024);
        FenBudgetController* w = open();
        choose(w, "PERIODE:", 8);
        w->MEMORISE(QVariant::fromValue<qint64>(2), doc.documentUrl);
        w->close();
        if (c.olderRecord)
            testenv::writeFile(package + QStringLiteral("/Contents/Resources/budget/budget2.xml"), c.olderRecord);
        doc.anadefHdl[0].date1 = c.firstDay;
        reopenBudgetsOfDocument(doc);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        FenBudgetController* reopened = nullptr;
        for (QObject* controller : registeredWindowControllers())
            reopened = reopened ? reopened : qobject_cast<FenBudgetController*>(controller);
        ASSERT_NE(reopened, nullptr);
        EXPECT_EQ(reopened->myAnaMonth(), c.expected) << c.expected;
        EXPECT_EQ(reopened->analyseType(), AnalyseType::Budget);
        reopened->close();
    }
}

} // namespace

#include "FenBudgetControllerTest.moc"

// Each window of the family reads and writes only its own gradients and flags.
TEST_F(FenBudgetControllerTest, TheBudgetAndTheAnalysisKeepTheirSettingsApart)
{
    FenBudgetController* budget = open();
    QPointer<FenAnalyseController> analyse
        = openNewAnalyseWindow(doc, QStringLiteral("Année 2024"), 0, std::nullopt, true);
    ASSERT_TRUE(budget && analyse);
    APPLIPARAM& p = APPLIPARAM::loadAppliParam();
    Colorizator APPLIPARAM::*const fields[]
        = {&APPLIPARAM::colorisatorAnalyseTitre,   &APPLIPARAM::colorisatorAnalyseDepense,
           &APPLIPARAM::colorisatorAnalyseRecette, &APPLIPARAM::colorisatorAnalyseSolde,
           &APPLIPARAM::colorisatorBudgetTitre,    &APPLIPARAM::colorisatorBudgetDepense,
           &APPLIPARAM::colorisatorBudgetRecette,  &APPLIPARAM::colorisatorBudgetSolde};
    for (int i = 0; i < 8; ++i)
        (p.*fields[i]).setNumberOfColors(101 + i);
    const auto steps = [](const FenAnalyseBudgetController* w) {
        return QList<int64_t> {w->colorizatorTete().numberOfColors(), w->colorizatorDepense().numberOfColors(),
                               w->colorizatorRecette().numberOfColors(), w->colorizatorSolde().numberOfColors()};
    };
    EXPECT_EQ(steps(analyse), (QList<int64_t> {101, 102, 103, 104}));
    EXPECT_EQ(steps(budget), (QList<int64_t> {105, 106, 107, 108}));
    budget->setColorizatorsToDefault();
    EXPECT_EQ(steps(budget)[0], Colorizator::defaultColorisatorBudgetTitre().numberOfColors());
    EXPECT_EQ(steps(budget)[3], Colorizator::defaultColorisatorBudgetSolde().numberOfColors());
    EXPECT_EQ(steps(analyse), (QList<int64_t> {101, 102, 103, 104}));

    doc.docParam->analyseShowEmpty = true;
    doc.docParam->autoComputeAnalyse = false;
    budget->savePreferenceShowEmpty(false);
    budget->savePreferenceAutoCompute(true);
    EXPECT_FALSE(doc.docParam->budgetShowEmpty);
    EXPECT_TRUE(doc.docParam->autoComputeBudget);
    EXPECT_TRUE(analyse->getPreferenceShowEmpty());
    EXPECT_FALSE(analyse->getPreferenceAutoCompute());
    analyse->savePreferenceAutoCompute(true);
    analyse->savePreferenceShowEmpty(false);
    EXPECT_TRUE(doc.docParam->autoComputeAnalyse);
    EXPECT_FALSE(doc.docParam->analyseShowEmpty);
    EXPECT_FALSE(budget->showEmpty());
    analyse->close();
}

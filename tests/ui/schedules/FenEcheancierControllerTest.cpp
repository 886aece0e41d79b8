// The schedules window on a household's rent, a finished subscription and a grocery forecast:
// rows under their headers, the filter and its picture, deleting with the question of each kind,
// the listing of a schedule, the due pass by hand and the rows that follow the broadcasts.
#include "schedules/FenEcheancierController.h"
#include "schedules/FenEditEcheancierController.h"
#include "schedules/FenEditPrevisionController.h"
#include "schedules/PopFiltrerEcheancier.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/FakeAppShell.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/popups/PopChrono.h"
#include "toolkit/tables/StdTableView.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/FenListingChronoController.h"

#include "engines/PrevisionManager.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/TOOL.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

double day(long d, long m, long y)
{
    double t = 0;
    dmyhmsToDate(d, m, y, 12, 0, 0, &t);
    return t;
}

class Listener : public QObject {
    Q_OBJECT
public:
    Listener() { registerWindowController(this); }
    ~Listener() override { unregisterWindowController(this); }
    QStringList heard;
    Q_INVOKABLE void DID_DELETE_CHRONO() { heard << QStringLiteral("DID_DELETE_CHRONO"); }
    Q_INVOKABLE void DID_CREATE_CHRONO() { heard << QStringLiteral("DID_CREATE_CHRONO"); }
    Q_INVOKABLE void COMPUTE_ANALYSE_NOTIFICATION() { heard << QStringLiteral("COMPUTE_ANALYSE_NOTIFICATION"); }
};

TRANSACT rent(double when, long poste, double amount)
{
    TRANSACT t;
    t.when = when;
    t.who1 = 1001;
    t.who2 = 2002;
    t.posteID = poste;
    t.solde = testenv::amount(amount);
    return t;
}

// Folder 1 "Logement" holds the category 20 "Loyer"; folder 2 "Vie courante" the category 30
// "Courses".
class FenEcheancierControllerTest : public UiTestFixture {
protected:
    FenEcheancierControllerTest()
    {
        SystemClock::setNowForTesting(day(15, 3, 2024));
        testenv::addDefaultDocParam(doc);
        doc.docParam->defaultPoste = 30; // what new schedules and forecasts are filed under
        doc.docParam->defaultCompte = 1001;
        doc.deviseHdl = Devise::defaultDevises();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, kBanqueUser), testenv::tool(kToolBanque, 11, kBanqueTiers)};
        doc.compteHdl = {testenv::tool(kToolCompte, 1001, QStringLiteral("Courant"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 2002, QStringLiteral("Bailleur"), kBanqueTiers, 11)};
        doc.dossierHdl = {DOSSIER(), DOSSIER()};
        doc.dossierHdl[0].ident = 1;
        doc.dossierHdl[0].nom = QStringLiteral("Logement");
        doc.dossierHdl[1].ident = 2;
        doc.dossierHdl[1].nom = QStringLiteral("Vie courante");
        doc.posteHdl = {POSTE {.ident = 20, .dossierID = 1, .nom = QStringLiteral("Loyer")},
                        POSTE {.ident = 30, .dossierID = 2, .nom = QStringLiteral("Courses")}};
        addSchedule(40, QStringLiteral("Loyer"), rent(day(5, 1, 2024), 20, 800), true);
        addSchedule(41, QStringLiteral("Abonnement"), rent(day(1, 1, 2020), 30, 12), false);
        Prevision courses;
        courses.name = QStringLiteral("Courses");
        courses.transact = rent(day(1, 1, 2024), 30, 400);
        courses.planificator = Planificator(day(1, 1, 2024), Planificator::kTypePrevision);
        PrevisionManager::sharedManager().addIndexedPrevisionReference(courses, &doc, 50, nullptr);
        for (double when : {day(5, 1, 2024), day(5, 2, 2024)}) {
            TRANSACT written = rent(when, 20, 800);
            written.chronoID = 40;
            doc.transact_array.append(written);
        }
        session.emplace(doc);
        window = FenEcheancierController::openEcheanciers(0);
    }
    ~FenEcheancierControllerTest() override
    {
        if (window)
            window->close();
        SystemClock::setNowForTesting(std::nullopt);
    }
    void addSchedule(long ident, const QString& nom, const TRANSACT& model, bool permanent)
    {
        ECHEANCIER e(&doc);
        e.nom = nom;
        e.transact = model;
        e.planificator = Planificator(model.when, Planificator::kTypeEcheancier);
        e.planificator.permanent = permanent;
        e.planificator.nbEcheance = 2;
        e.planificator.lastWriteDate = day(5, 2, 2024);
        addEcheancier(e, &doc, ident, nullptr);
    }
    QStringList rows() const
    {
        QStringList out;
        for (int row = 0; row < window->table1()->numberOfRows(); ++row) {
            StdCell* cell = window->viewForTableColumn1(window->table1(), row);
            out << (cell ? cell->rowTexts().join(u'|') : QString());
        }
        return out;
    }
    int rowOf(const QString& title) const
    {
        const QStringList all = rows();
        for (int row = 0; row < all.size(); ++row) {
            if (all.at(row).startsWith(title + u'|'))
                return row;
        }
        return -1;
    }
    QString count() const { return window->outlet<QLabel>(QStringLiteral("fieldNumberOfChrono"))->text(); }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    QPointer<FenEcheancierController> window;
};

} // namespace

TEST_F(FenEcheancierControllerTest, RowsShowSchedulesAndForecastsUnderTheirHeaders)
{
    // The header of split schedules heads the list even empty, as categories without any do.
    EXPECT_EQ(rows(),
              (QStringList {"Opérations ventilées", "Logement", "Loyer", "Loyer|Courant|Bailleur|05/01/2024|-|-800,00",
                            "Vie courante", "Courses", "Abonnement|Courant|Bailleur|01/01/2020|01/02/2020|-12,00",
                            "Courses|Courant|Bailleur|01/01/2024|31/12/2024|-400,00"}));
    EXPECT_EQ(count(), QStringLiteral("3 échéances et prévisions"));
    StdTableView* table = window->table1();
    EXPECT_EQ(table->rowHeight(0), CellEcheancier::kHeaderHeight);
    EXPECT_EQ(table->rowHeight(3), CellEcheancier::kChronoHeight);
    for (int row = 0; row < table->numberOfRows(); ++row)
        EXPECT_EQ(window->shouldSelectRow(table, row), rows().at(row).contains(u'|')) << "only schedules and forecasts";
    EXPECT_EQ(window->getPatColor1(3), QColor(255, 253, 239));
    EXPECT_EQ(window->getPatColor1(7), QColor(255, 237, 255));
    table->GO(6);
    EXPECT_TRUE(window->outlet<QPushButton>(QStringLiteral("button_listing"))->isEnabled());
    WindowDriver(*window).grab(QStringLiteral("FenEcheancier.png"));
    table->GO(7);
    EXPECT_FALSE(window->onReal());
    EXPECT_FALSE(window->outlet<QPushButton>(QStringLiteral("button_listing"))->isEnabled());
}

TEST_F(FenEcheancierControllerTest, TheFilterIconShowsOnlyWhileSomethingIsFilteredOut)
{
    struct Case {
        qint64 tag;
        int filter;
        const char* count;
    };
    const Case cases[] = {
        {ChronoManager::kFilterReelEchu, 305, "2 échéances et prévisions"}, // the finished subscription goes
        {ChronoManager::kTagReelAll, 307, "3 échéances et prévisions"},
        {ChronoManager::kTagPrevisionToggle, 259, "2 échéances et prévisions"},
        {ChronoManager::kFilterNone, 0, "0 échéance ou prévision"}, // French counts below two in the singular
        {ChronoManager::kFilterAll, 307, "3 échéances et prévisions"},
    };
    auto* pop = window->outlet<PopFiltrerEcheancier>(QStringLiteral("popFiltrerEcheancier"));
    auto* icon = window->outlet<QLabel>(QStringLiteral("imageFilterOn"));
    ASSERT_NE(pop, nullptr);
    for (const Case& c : cases) {
        pop->rebuild();
        ASSERT_TRUE(pop->activateTag(c.tag)) << c.tag;
        EXPECT_EQ(ChronoManager::sharedManager().filter(), c.filter) << c.tag;
        EXPECT_EQ(count(), QString::fromUtf8(c.count)) << c.tag;
        EXPECT_EQ(icon->isHidden(), c.filter == 307) << c.tag;
        EXPECT_EQ(doc.docParam->chronoFilter, c.filter) << "kept with the document";
    }
    pop->rebuild();
    QStringList marked;
    for (QAction* item : pop->stdMenu()->actions()) {
        if (item->isChecked())
            marked << item->text();
    }
    EXPECT_EQ(marked.size(), 5) << "every bit but the groups' commands";
}

TEST_F(FenEcheancierControllerTest, DeletingAScheduleAsksAndKeepsTheTransactionsItWrote)
{
    Listener listener;
    window->table1()->GO(rowOf(QStringLiteral("Loyer")));
    ui().onModal<FenAskPoursuivreController>(
        [](FenAskPoursuivreController& ask) { ask.perform(QStringLiteral("NON:")); });
    window->perform(QStringLiteral("SUPPRIMER:"));
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
    EXPECT_EQ(doc.echeancierHdl.size(), 2);

    ui().onModal<FenAskPoursuivreController>(
        [](FenAskPoursuivreController& ask) { ask.perform(QStringLiteral("OUI:")); });
    EXPECT_TRUE(window->canDeleteSomething());
    EXPECT_TRUE(window->delete_(window->table1()));
    ASSERT_EQ(doc.echeancierHdl.size(), 1);
    EXPECT_EQ(doc.echeancierHdl.first().ident, 41);
    ASSERT_EQ(doc.transact_array.size(), 2);
    EXPECT_EQ(doc.transact_array[0].chronoID, -1);
    EXPECT_EQ(doc.transact_array[1].chronoID, -1);
    EXPECT_EQ(listener.heard, (QStringList {"COMPUTE_ANALYSE_NOTIFICATION", "DID_DELETE_CHRONO"}));
    EXPECT_EQ(rowOf(QStringLiteral("Loyer")), -1);
    EXPECT_TRUE(count().startsWith(u'2'));
}

TEST_F(FenEcheancierControllerTest, DeletingAForecastTakesTheSecondButton)
{
    const int row = rows().lastIndexOf(QStringLiteral("Courses|Courant|Bailleur|01/01/2024|31/12/2024|-400,00"));
    for (const int answer : {kAlertFirstButton, kAlertFirstButton + 1}) {
        window->table1()->GO(row);
        ui().answerAlert(QStringLiteral("kConfirm_SuppPrev"), answer);
        window->perform(QStringLiteral("SUPPRIMER:"));
    }
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
    EXPECT_TRUE(doc.previsionsArray.isEmpty());
    EXPECT_TRUE(doc.previsionIndex.isEmpty());
    window->table1()->GO(0); // a header: nothing to delete
    EXPECT_FALSE(window->canDeleteSomething());
}

TEST_F(FenEcheancierControllerTest, TheListingShowsWhatTheScheduleWrote)
{
    window->table1()->GO(rowOf(QStringLiteral("Loyer")));
    window->perform(QStringLiteral("LISTING:"));
    FenListingChronoController* listing = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<StdWindow*>(top))
            listing = listing ? listing : qobject_cast<FenListingChronoController*>(shown->controller());
    }
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->table1()->numberOfRows(), 2);
    listing->close();
}

TEST_F(FenEcheancierControllerTest, TheDuePassByHandSaysWhenNothingIsDue)
{
    FakeAppShell shell;
    ScopedAppShell installed(&shell);
    window->perform(QStringLiteral("AWAKE:"));
    ASSERT_EQ(shell.awakeLists.size(), 1);
    EXPECT_EQ(shell.awakeLists.first().size(), 1) << "the rent of March";
    for (ECHEANCIER& each : doc.echeancierHdl)
        each.planificator.lastWriteDate = day(5, 3, 2024);
    ui().answerAlert(QStringLiteral("kEmptyAwake"), kAlertFirstButton);
    window->perform(QStringLiteral("AWAKE:"));
    EXPECT_EQ(shell.awakeLists.size(), 1);
}

TEST_F(FenEcheancierControllerTest, AChangedScheduleIsSelectedAgainOrNothingWhenFilteredOut)
{
    doc.echeancierHdl[0].nom = QStringLiteral("Loyer Paris");
    sendToAllWindowDelegates(Sel::chronoDidChange, QVariant(40), QVariant(0));
    EXPECT_EQ(window->selectedRow(), rowOf(QStringLiteral("Loyer Paris")));
    window->table1()->GO(rowOf(QStringLiteral("Abonnement")));
    ChronoManager::sharedManager().setFilter(ChronoManager::kFilterReelActif);
    sendToAllWindowDelegates(Sel::chronoDidChange, QVariant(41), QVariant(0));
    EXPECT_EQ(window->selectedRow(), -1);
}

TEST_F(FenEcheancierControllerTest, AForecastMadeFromTheCreatePopUpIsStoredAndSelected)
{
    Listener listener;
    auto* creer = window->outlet<PopChrono>(QStringLiteral("pop_chrono"));
    ASSERT_NE(creer, nullptr);
    ui().onModal<FenEditPrevisionController>(
        [](FenEditPrevisionController& editor) { editor.perform(QStringLiteral("NON:")); });
    creer->rebuild();
    ASSERT_TRUE(creer->activateTag(1));
    EXPECT_EQ(doc.previsionsArray.size(), 1) << "cancelled";
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& editor) {
        WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Essence"));
        editor.perform(QStringLiteral("OUI:"));
    });
    creer->rebuild();
    ASSERT_TRUE(creer->activateTag(1));
    ASSERT_EQ(doc.previsionsArray.size(), 2);
    ASSERT_GE(rowOf(QStringLiteral("Essence")), 0);
    EXPECT_EQ(window->selectedRow(), rowOf(QStringLiteral("Essence")));
    EXPECT_EQ(listener.heard, (QStringList {"COMPUTE_ANALYSE_NOTIFICATION", "DID_CREATE_CHRONO"}));
    EXPECT_TRUE(count().startsWith(u'4'));
}

// The new schedule of the category is hidden by the filter: nothing is selected, the windows are
// told, and its first occurrence, today, is offered at once.
TEST_F(FenEcheancierControllerTest, AScheduleMadeThroughItsEditorMayBeFilteredOut)
{
    Listener listener;
    FakeAppShell shell;
    ScopedAppShell installed(&shell);
    ChronoManager::sharedManager().didChooseFilter(ChronoManager::kFilterReelActif); // active ones off
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& entry) {
        WindowDriver(entry).type(QStringLiteral("field_montant"), QStringLiteral("45"));
        entry.perform(QStringLiteral("OUI:"));
    });
    ui().onModal<FenEditEcheancierController>([](FenEditEcheancierController& editor) {
        WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Cantine"));
        editor.perform(QStringLiteral("MODIFIER:"));
        editor.perform(QStringLiteral("OUI:"));
    });
    window->CREER_ECHEANCIER(30);
    ASSERT_EQ(doc.echeancierHdl.size(), 3);
    const ECHEANCIER& added = doc.echeancierHdl.last();
    EXPECT_EQ(added.nom, QStringLiteral("Cantine"));
    EXPECT_EQ(added.transact.posteID, 30);
    EXPECT_EQ(window->selectedRow(), -1);
    EXPECT_EQ(rowOf(QStringLiteral("Cantine")), -1);
    EXPECT_EQ(listener.heard, (QStringList {"COMPUTE_ANALYSE_NOTIFICATION", "DID_CREATE_CHRONO"}));
    ASSERT_EQ(shell.awakeLists.size(), 1);
    EXPECT_EQ(shell.awakeLists.first().last().transact.chronoID, added.ident);
}

TEST_F(FenEcheancierControllerTest, OpeningARowEditsItInPlace)
{
    window->table1()->GO(rowOf(QStringLiteral("Loyer")));
    ui().onModal<FenEditEcheancierController>([](FenEditEcheancierController& editor) {
        WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Loyer Paris"));
        editor.perform(QStringLiteral("OUI:"));
    });
    window->perform(QStringLiteral("VOIR:"));
    ASSERT_GE(rowOf(QStringLiteral("Loyer Paris")), 0);
    EXPECT_EQ(window->selectedRow(), rowOf(QStringLiteral("Loyer Paris")));
    window->table1()->GO(rowOf(QStringLiteral("Courses")));
    ui().onModal<FenEditPrevisionController>(
        [](FenEditPrevisionController& editor) { editor.perform(QStringLiteral("NON:")); });
    window->didDoubleClick1(window->table1());
    EXPECT_EQ(ui().modalRuns().size(), 2);
    EXPECT_EQ(ui().modalRuns().last().name, QStringLiteral("FenEditPrevisionController"));
}

#include "FenEcheancierControllerTest.moc"

// A schedule made away from the window (a loan simulation made real) is counted as soon as the
// window hears of it.
TEST_F(FenEcheancierControllerTest, TheCountFollowsAScheduleMadeElsewhere)
{
    EXPECT_EQ(count(), QStringLiteral("3 échéances et prévisions"));
    addSchedule(42, QStringLiteral("Prêt auto"), rent(day(10, 3, 2024), 30, 250), true);
    sendToAllWindowDelegates(Sel::notifyNewEcheancier, QVariant::fromValue<qint64>(42), QVariant::fromValue<qint64>(0));
    EXPECT_GE(rowOf(QStringLiteral("Prêt auto")), 0);
    EXPECT_EQ(count(), QStringLiteral("4 échéances et prévisions"));
}

// A question leaves the other windows usable. While it waits another window adds a forecast that
// comes first in the list, with its broadcast, after deleting the one asked about or not: "Oui"
// then deletes only the forecast asked about.
TEST_F(FenEcheancierControllerTest, TheAnswerDeletesTheForecastAskedAboutAndNothingElse)
{
    UiHost::Services services = testServices();
    services.alerts = std::make_unique<QtAlertPresenter>();
    UiHost asking(std::move(services));
    UiHost::install(&asking);
    PrevisionManager& manager = PrevisionManager::sharedManager();
    const Prevision courses = doc.previsionsArray.first();
    for (const bool goneMeanwhile : {false, true}) {
        SCOPED_TRACE(goneMeanwhile);
        doc.previsionsArray = {courses};
        doc.previsionIndex = {50};
        window->REBUILD_LIST();
        QTimer::singleShot(0, [&] {
            Prevision assurance = courses;
            assurance.name = QStringLiteral("Assurance");
            if (goneMeanwhile)
                manager.removeIndexedPrevisionReference(0, &doc);
            manager.addIndexedPrevisionReference(assurance, &doc, 51, nullptr);
            sendToAllWindowDelegates(Sel::chronoDidChange, 51, 1);
            QTimer::singleShot(0, [] {
                for (QAbstractButton* button : qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->buttons())
                    button->text() == Dialog::yesString() ? button->click() : void();
            });
        });
        long row = -1;
        ChronoManager::sharedManager().findChronoList(CHRONOLIST::Kind::Prevision, 50, &row);
        window->table1()->GO(int(row));
        window->perform(QStringLiteral("SUPPRIMER:"));
        EXPECT_EQ(doc.previsionIndex, QList<long> {51});
    }
    UiHost::install(&ui());
}

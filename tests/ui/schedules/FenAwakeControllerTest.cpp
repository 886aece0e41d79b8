// The due-occurrences window on two schedules of a household: what the row commands change, the
// moment before Return is taken, the pass writing one occurrence per tick and telling the windows
// once, its final alert, and a pass stopped in the middle.
#include "schedules/FenAwakeController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include "toolkit/popups/StdPopUp.h"
#include "toolkit/tables/StdTableView.h"

#include "engines/ChronoManager.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/TOOL.h"
#include "model/TransactOps.h"

#include <QPushButton>

namespace {

double day(long d, long m, long y)
{
    double t = 0;
    dmyToDate(d, m, y, &t);
    return t;
}

// Counts what the windows are told.
class Listener : public QObject {
    Q_OBJECT
public:
    Listener() { registerWindowController(this); }
    ~Listener() override { unregisterWindowController(this); }
    int lastMakes = 0;
    int changes = 0;
    int awakes = 0;
    Q_INVOKABLE void MAKE_TRANSACT(const QVariant&, const QVariant& isLast) { lastMakes += isLast.toBool() ? 1 : 0; }
    Q_INVOKABLE void DID_CHANGE_TRANSACT() { ++changes; }
    Q_INVOKABLE void didAwakeFile(const QVariant&, const QVariant&) { ++awakes; }
};

class FenAwakeControllerTest : public UiTestFixture {
protected:
    FenAwakeControllerTest()
    {
        SystemClock::setNowForTesting(day(15, 3, 2024) + 10 * 3600);
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, kBanqueUser), testenv::tool(kToolBanque, 11, kBanqueTiers)};
        doc.compteHdl = {testenv::tool(kToolCompte, 1001, QStringLiteral("Courant"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 2002, QStringLiteral("Bailleur"), kBanqueTiers, 11)};
        loyer = addSchedule(QStringLiteral("Loyer"), day(5, 1, 2024), 800); // January to March
        edf = addSchedule(QStringLiteral("EDF"), day(10, 3, 2024), 60); // March
        session.emplace(doc);
    }
    ~FenAwakeControllerTest() override { SystemClock::setNowForTesting(std::nullopt); }

    long addSchedule(const QString& nom, double first, double amount)
    {
        ECHEANCIER e(&doc);
        e.nom = nom;
        e.transact.when = first;
        e.transact.who1 = 1001;
        e.transact.who2 = 2002;
        e.transact.solde = testenv::amount(amount);
        e.planificator = Planificator(first, Planificator::kTypeEcheancier);
        return addEcheancier(e, &doc, -1, nullptr);
    }
    ECHEANCIER& schedule(long ident)
    {
        ECHEANCIER* found = nullptr;
        findEcheancier(ident, &doc, &found, nullptr);
        return *found;
    }
    AwakeList due()
    {
        AwakeList list;
        for (const ECHEANCIER& each : doc.echeancierHdl)
            collectAwakeForEcheancier(each, list);
        return list;
    }
    // Runs the window on the list; the script plays the user once the window is built.
    int run(AwakeList& list, std::function<void(FenAwakeController&)> script, const QString& info = QString())
    {
        ui().onModal<FenAwakeController>(std::move(script));
        return showAwakeList(list, &doc, info);
    }
    static QList<long> statuses(const AwakeList& list)
    {
        QList<long> out;
        for (const AWAKE& item : list)
            out << item.status;
        return out;
    }
    static QStringList rows(FenAwakeController& window)
    {
        QStringList out;
        for (int row = 0; row < window.table1()->numberOfRows(); ++row)
            out << window.viewForTableColumn1(window.table1(), row)->rowTexts().join(u'|');
        return out;
    }
    static void ready(TestUiHost& host) { host.advance(qint64(FenAwakeController::kReadyDelay * 1000)); }
    void step() { ui().advance(qint64(FenAwakeController::kStepInterval * 1000)); }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    long loyer = -1;
    long edf = -1;
};

} // namespace

TEST_F(FenAwakeControllerTest, RowCommandsApplyByStatus)
{
    using C = FenAwakeController::LocalCommand;
    struct Case {
        long status;
        bool differer, valider, annuler, ecrire;
    };
    const Case cases[] = {{0, true, false, true, false},
                          {1, false, true, false, false},
                          {2, true, false, false, true},
                          {3, false, false, false, false},
                          {4, false, false, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(FenAwakeController::localCommandEnabled(C::Differer, c.status), c.differer) << c.status;
        EXPECT_EQ(FenAwakeController::localCommandEnabled(C::Valider, c.status), c.valider) << c.status;
        EXPECT_EQ(FenAwakeController::localCommandEnabled(C::Annuler, c.status), c.annuler) << c.status;
        EXPECT_EQ(FenAwakeController::localCommandEnabled(C::Ecrire, c.status), c.ecrire) << c.status;
    }
}

TEST_F(FenAwakeControllerTest, DeferringAnOccurrenceDefersTheLaterOnesOfItsScheduleOnly)
{
    AwakeList list = due();
    ASSERT_EQ(list.size(), 4); // Loyer 5/1, 5/2, 5/3, then EDF 10/3
    const int result = run(list, [&](FenAwakeController& window) {
        EXPECT_EQ(rows(window).first(), QStringLiteral("Loyer|05/01/2024|800,00 €"));
        window.table1()->GO(1);
        ASSERT_NE(window.outlet<StdPopUp>(QStringLiteral("pop_local_action")), nullptr) << "on the selected row";
        window.perform(QStringLiteral("LOCAL_DIFFERER:"));
        EXPECT_EQ(statuses(list), (QList<long> {0, 1, 1, 0}));
        window.table1()->GO(2);
        window.perform(QStringLiteral("LOCAL_VALIDER:"));
        EXPECT_EQ(statuses(list), (QList<long> {0, 0, 0, 0}));
        window.table1()->GO(3);
        window.perform(QStringLiteral("LOCAL_ANNULER:"));
        EXPECT_EQ(rows(window).at(3), QStringLiteral("EDF|10/03/2024|annulée"));
        window.perform(QStringLiteral("LOCAL_ECRIRE:"));
        window.perform(QStringLiteral("TOUT_DIFFERER:"));
        EXPECT_EQ(statuses(list), (QList<long> {1, 1, 1, 1}));
        window.perform(QStringLiteral("TOUT_ANNULER:"));
        EXPECT_EQ(statuses(list), (QList<long> {2, 2, 2, 2}));
        ready(ui());
        window.perform(QStringLiteral("NON:"));
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TRANSACT::nbTrans(&doc), 0) << "cancelling first writes nothing";
}

TEST_F(FenAwakeControllerTest, ReturnWaitsUntilTheWindowIsReady)
{
    AwakeList list = due();
    run(list, [&](FenAwakeController& window) {
        auto* ok = window.outlet<QPushButton>(QStringLiteral("but_OK"));
        window.didKeyDown(window.table1(), kKeyReturn);
        ui().advance(499);
        window.didKeyDown(window.table1(), kKeyReturn);
        EXPECT_FALSE(window.passRunning());
        EXPECT_FALSE(ok->isEnabled());
        ui().advance(1);
        EXPECT_TRUE(ok->isEnabled());
        window.perform(QStringLiteral("NON:"));
    });
    EXPECT_EQ(TRANSACT::nbTrans(&doc), 0);
}

// The last occurrence is deferred: the windows are still told once, by the last one written.
TEST_F(FenAwakeControllerTest, ThePassWritesOnePerTickAndTellsTheWindowsOnce)
{
    Listener listener;
    AwakeList list = due();
    list[1].status = kAwakeWriteCancelled;
    list[3].status = kAwakeDefer;
    const int result = run(list, [&](FenAwakeController& window) {
        ready(ui());
        window.didKeyDown(window.table1(), kKeyReturn);
        EXPECT_EQ(TRANSACT::nbTrans(&doc), 1) << "the first tick is at once";
        EXPECT_EQ(window.table1()->selectedRowIndexes(), IndexSet {0});
        EXPECT_EQ(listener.lastMakes, 0);
        step();
        step();
        EXPECT_EQ(TRANSACT::nbTrans(&doc), 3);
        EXPECT_EQ(listener.lastMakes, 1);
        step(); // the deferred one is passed over
        EXPECT_EQ(TRANSACT::nbTrans(&doc), 3);
        ui().answerAlert(QStringLiteral("kAlerte_AwakeDone"), kAlertFirstButton);
        step();
        step();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(statuses(list), (QList<long> {3, 4, 3, 1}));
    EXPECT_EQ(listener.lastMakes, 1);
    EXPECT_EQ(listener.changes, 1);
    EXPECT_EQ(listener.awakes, 1);
    const TRANSACT* cancelled = transactAtIndex(1, &doc);
    ASSERT_NE(cancelled, nullptr);
    EXPECT_TRUE(cancelled->annulation);
    EXPECT_EQ(cancelled->when, day(5, 2, 2024));
    EXPECT_EQ(schedule(loyer).planificator.nbWriteEch, 3) << "a cancelled occurrence advances its schedule";
    const AwakeList again = due();
    ASSERT_EQ(again.size(), 1) << "only the deferred one is due again";
    EXPECT_EQ(again.first().transact.chronoID, edf);
}

TEST_F(FenAwakeControllerTest, TheFinalAlertTellsWhatWasDone)
{
    struct Case {
        long status; // given to every occurrence
        const char* alert;
        long written;
    };
    // Deferred ones are proposed again, and then written.
    const Case cases[] = {{kAwakeDefer, "kAlerte_AwakeEmpty", 0}, {kAwakeWrite, "kAlerte_AwakeDoneAll", 4}};
    for (const Case& c : cases) {
        AwakeList list = due();
        for (AWAKE& item : list)
            item.status = c.status;
        const long before = TRANSACT::nbTrans(&doc);
        run(
            list,
            [&](FenAwakeController& window) {
                ready(ui());
                window.perform(QStringLiteral("OUI:"));
                ui().answerAlert(QString::fromLatin1(c.alert), kAlertFirstButton + 1); // stay
                for (int tick = 0; tick < 6; ++tick)
                    step();
                EXPECT_TRUE(window.passDone());
                ASSERT_FALSE(ui().alertsShown().isEmpty());
                EXPECT_EQ(alertEscapeButton(ui().alertsShown().constLast().request), kAlertFirstButton + 1)
                    << "Escape stays on the list";
                EXPECT_EQ(window.outlet<QPushButton>(QStringLiteral("but_OK"))->text(),
                          localizedDialogue(QStringLiteral("awake_fermer")));
                EXPECT_FALSE(window.outlet<StdPopUp>(QStringLiteral("pop_action"))->isEnabled());
                EXPECT_TRUE(window.outlet<QPushButton>(QStringLiteral("but_Undo"))->isHidden());
                window.perform(QStringLiteral("OUI:"));
            },
            QStringLiteral("Écrit à l'ouverture"));
        EXPECT_EQ(TRANSACT::nbTrans(&doc) - before, c.written) << c.alert;
    }
    const TRANSACT* first = transactAtIndex(0, &doc);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->why, QStringLiteral("Écrit à l'ouverture")) << "the information becomes the label";
}

TEST_F(FenAwakeControllerTest, AnEmptyListEndsAtOnce)
{
    AwakeList list;
    const int result = run(list, [&](FenAwakeController& window) {
        ready(ui());
        ui().answerAlert(QStringLiteral("kAlerte_AwakeEmpty"), kAlertFirstButton);
        window.perform(QStringLiteral("OUI:"));
        ui().advance(10);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(FenAwakeControllerTest, StoppingInTheMiddleWritesNothingMore)
{
    Listener listener;
    addSchedule(QStringLiteral("Assurance"), day(1, 3, 2024), 35);
    AwakeList list = due();
    ASSERT_EQ(list.size(), 5);
    const int result = run(list, [&](FenAwakeController& window) {
        ready(ui());
        window.table1()->GO(1);
        WindowDriver(window).grab(QStringLiteral("FenAwake_five.png"));
        window.perform(QStringLiteral("OUI:"));
        step();
        EXPECT_TRUE(window.outlet<QPushButton>(QStringLiteral("but_Undo"))->isEnabled());
        window.perform(QStringLiteral("NON:"));
        ui().advance(2000);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TRANSACT::nbTrans(&doc), 2);
    EXPECT_EQ(statuses(list), (QList<long> {3, 3, 0, 0, 0}));
    EXPECT_EQ(listener.lastMakes, 1) << "the windows hear of the two written";
    EXPECT_EQ(listener.awakes, 1);
    EXPECT_EQ(due().size(), 3);
}

#include "FenAwakeControllerTest.moc"

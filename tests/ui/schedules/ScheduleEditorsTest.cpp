// The schedule editor, its custom occurrences and the forecast editor on the household document,
// driven through the entry points other windows call; with pictures of each editor.
#include "../transactions/SaisieUiFixture.h"

#include "schedules/FenEditEcheancierController.h"
#include "schedules/FenEditEcheancierPersoController.h"
#include "schedules/FenEditPrevisionController.h"
#include "schedules/ScheduleEditors.h"
#include "schedules/ViewPlanificatorController.h"

#include "engines/PrevisionManager.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "model/ECHEANCIER.h"
#include "model/Prevision.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/tables/StdTableView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QStandardItemModel>

namespace {

using saisieui::at;

class ChronoRecorder : public QObject {
    Q_OBJECT
public:
    ChronoRecorder() { registerWindowController(this); }
    ~ChronoRecorder() override { unregisterWindowController(this); }
    Q_INVOKABLE void chronoDidChange(const QVariant& a, const QVariant& b)
    {
        calls << QStringLiteral("chrono %1 %2").arg(a.toString(), b.toString());
    }
    Q_INVOKABLE void COMPUTE_ANALYSE_NOTIFICATION() { calls << QStringLiteral("analyse"); }
    QStringList calls;
};

class ScheduleEditorsTest : public saisieui::SaisieUiTest {
protected:
    // A monthly schedule of 50 from the current account to the bakery, from 20 June 2024.
    ECHEANCIER loyer()
    {
        ECHEANCIER e(&doc);
        e.nom = QStringLiteral("Loyer");
        e.transact.when = at(20, 6, 2024);
        e.transact.who1 = 7;
        e.transact.who2 = 22;
        e.transact.solde.makeMontant(0, 50, doc.deviseHdl);
        e.planificator.firstDate = e.transact.when;
        return e;
    }
    long storeLoyer()
    {
        long position = -1;
        return addEcheancier(loyer(), &doc, -1, &position);
    }
    // A custom occurrence of that day and amount entered in the entry window.
    void enterPerso(long day, long month, const char* amount)
    {
        ui().onModal<FenEditSaisieController>([=](FenEditSaisieController& w) {
            fill(w, "field_jour1", QString::number(day));
            fill(w, "field_mois1", QString::number(month));
            fill(w, "field_annee1", QStringLiteral("2024"));
            type(w, "field_montant", QString::fromLatin1(amount));
            ok(w);
        });
    }
    void cancelEntry()
    {
        ui().onModal<FenEditSaisieController>([](FenEditSaisieController& w) { cancel(w); });
    }
    static QStringList persoDates(const ECHEANCIER& e)
    {
        QStringList dates;
        for (const PECHEANCIER& p : e.perso)
            dates << dateToDateTime(p.transact.when).toString(QStringLiteral("dd/MM"));
        return dates;
    }
    static int selectedRow(StdWindowController& w)
    {
        const IndexSet rows = w.outlet<StdTableView>(QStringLiteral("table1"))->selectedRowIndexes();
        return rows.empty() ? -1 : *rows.begin();
    }
    static void selectTag(StdWindowController& w, const char* popup, long tag)
    {
        auto* pop = w.outlet<QComboBox>(QString::fromLatin1(popup));
        ASSERT_NE(pop, nullptr) << popup;
        pop->setCurrentIndex(pop->findData(QVariant::fromValue<qlonglong>(tag)));
    }
    static void setText(StdWindowController& w, const char* field, const QString& text)
    {
        auto* view = w.outlet<QPlainTextEdit>(QString::fromLatin1(field));
        ASSERT_NE(view, nullptr) << field;
        view->setPlainText(text);
    }
    static bool okEnabled(StdWindowController& w)
    {
        return w.outlet<QAbstractButton>(QStringLiteral("button_OK"))->isEnabled();
    }
};

TEST_F(ScheduleEditorsTest, CancellingACloneEditLeavesTheStoredScheduleAndOkReplacesItUnderItsIdent)
{
    const long ident = storeLoyer();
    ASSERT_GT(ident, 0);
    ChronoRecorder recorder;
    ui().onModal<FenEditEcheancierController>([](FenEditEcheancierController& w) {
        WindowDriver(w).type(QStringLiteral("field_nom"), QStringLiteral("Autre"));
        w.perform(QStringLiteral("NON:"));
    });
    EXPECT_FALSE(editEcheancierClone(nullptr, doc, ident));
    const ECHEANCIER* stored = nullptr;
    ASSERT_TRUE(findEcheancier(ident, static_cast<const DOCUMENT*>(&doc), &stored, nullptr));
    EXPECT_EQ(stored->nom, QStringLiteral("Loyer"));
    EXPECT_TRUE(recorder.calls.isEmpty());

    ui().onModal<FenEditEcheancierController>([](FenEditEcheancierController& w) {
        WindowDriver window(w);
        window.type(QStringLiteral("field_nom"), QStringLiteral("Loyer maison"));
        selectTag(w, "popup_tousles", Planificator::kUnitYear);
        setText(w, "field_nombre_echeances", QStringLiteral("3"));
        window.grab(QStringLiteral("FenEditEcheancier_yearly.png"));
        window.click(QStringLiteral("OUI:"));
    });
    EXPECT_TRUE(editEcheancierClone(nullptr, doc, ident));
    ASSERT_TRUE(findEcheancier(ident, static_cast<const DOCUMENT*>(&doc), &stored, nullptr));
    EXPECT_EQ(stored->nom, QStringLiteral("Loyer maison"));
    EXPECT_EQ(stored->planificator.repeatTimeUnit, Planificator::kUnitYear);
    EXPECT_EQ(stored->planificator.nbEcheance, 3);
    EXPECT_EQ(echeancierIndexCount(&doc), 1);
    EXPECT_EQ(recorder.calls, QStringList({QStringLiteral("chrono %1 0").arg(ident), QStringLiteral("analyse")}));
    EXPECT_FALSE(editEcheancierClone(nullptr, doc, ident + 1)); // unknown: nothing opens
}

TEST_F(ScheduleEditorsTest, AZeroAmountIsRefusedAndAWrittenScheduleKeepsItsFirstDate)
{
    ECHEANCIER e = loyer();
    e.transact.solde = MONTANT();
    e.planificator.nbWriteEch = 1;
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_ChronoHasNoTrans")), 1000);
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerteCantModifyFirstDate")), 1000);
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& w) {
        fill(w, "field_jour1", QStringLiteral("25"));
        type(w, "field_montant", QStringLiteral("80"));
        fill(w, "field_information", QStringLiteral("nouveau libellé"));
        ok(w);
    });
    ui().onModal<FenEditEcheancierController>([](FenEditEcheancierController& w) {
        w.perform(QStringLiteral("OUI:")); // refused: no amount
        w.perform(QStringLiteral("MODIFIER:"));
        w.perform(QStringLiteral("OUI:"));
    });
    ASSERT_TRUE(editEcheancier(nullptr, doc, e));
    EXPECT_TRUE(sameDay(e.transact.when, at(20, 6, 2024)));
    EXPECT_TRUE(sameDay(e.planificator.firstDate, at(20, 6, 2024)));
    EXPECT_NEAR(e.transact.solde.getValueForDevise(0), 80, 0.005);
    EXPECT_EQ(e.transact.why, QStringLiteral("nouveau libellé"));
}

TEST_F(ScheduleEditorsTest, CustomOccurrencesStaySortedWithTheirRunningTotalAndTheLinkCountsThem)
{
    ECHEANCIER e = loyer();
    enterPerso(10, 3, "10");
    enterPerso(5, 1, "20");
    enterPerso(20, 2, "30");
    cancelEntry(); // the loop stops
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& w) {
        fill(w, "field_jour1", QStringLiteral("1"));
        fill(w, "field_mois1", QStringLiteral("4"));
        ok(w);
    });
    ui().onModal<FenEditEcheancierPersoController>([this](FenEditEcheancierPersoController& w) {
        w.perform(QStringLiteral("NOUVEAU:"));
        ASSERT_EQ(w.echeancier().perso.size(), 3);
        EXPECT_EQ(persoDates(w.echeancier()), QStringList({"05/01", "20/02", "10/03"}));
        // Three debits of the user's account: 20, 30 then 10.
        EXPECT_NEAR(FenEditEcheancierPersoController::computeCumulPerso(w.echeancier(), 2, doc).getValueForDevise(0),
                    -60, 0.005);
        WindowDriver(w).grab(QStringLiteral("FenEditEcheancierPerso.png"));
        w.outlet<StdTableView>(QStringLiteral("table1"))->GO(0);
        w.perform(QStringLiteral("MODIFIER_PERSO:")); // January to April
        EXPECT_EQ(persoDates(w.echeancier()), QStringList({"20/02", "10/03", "01/04"}));
        EXPECT_EQ(selectedRow(w), 2);
        w.perform(QStringLiteral("SUPPRIMER_PERSO:"));
        EXPECT_EQ(selectedRow(w), 1); // the new last row
        w.perform(QStringLiteral("OUI:"));
    });
    ui().onModal<FenEditEcheancierController>([this](FenEditEcheancierController& w) {
        WindowDriver window(w);
        EXPECT_TRUE(window.text(QStringLiteral("title_perso")).contains(QStringLiteral("(0)")));
        window.click(QStringLiteral("PERSO:"));
        ui().advance(100); // the custom occurrences open shortly after the click
        EXPECT_TRUE(window.text(QStringLiteral("title_perso")).contains(QStringLiteral("(2)")));
        window.grab(QStringLiteral("FenEditEcheancier_perso.png"));
        window.click(QStringLiteral("OUI:"));
    });
    ASSERT_TRUE(editEcheancier(nullptr, doc, e));
    EXPECT_EQ(e.perso.size(), 2);
}

TEST_F(ScheduleEditorsTest, RunningTotalFollowsEachOccurrencesOwnAccounts)
{
    ECHEANCIER e = loyer();
    PECHEANCIER debit = allocNewPEcheancier(e); // 50 out of the user's account
    PECHEANCIER transfer = allocNewPEcheancier(e);
    transfer.transact.who2 = 9; // to the savings book: both accounts are the user's
    PECHEANCIER income = allocNewPEcheancier(e);
    income.transact.who1 = 23;
    income.transact.who2 = 7; // from the employer
    for (PECHEANCIER* p : {&debit, &transfer, &income})
        echeancierInsertPersoSorted(e, *p);
    const double expected[] = {-50, -50, 0};
    for (long row = 0; row < 3; ++row)
        EXPECT_NEAR(FenEditEcheancierPersoController::computeCumulPerso(e, row, doc).getValueForDevise(0),
                    expected[row], 0.005)
            << row;
}

TEST_F(ScheduleEditorsTest, TheFirstDayQuestionAndTheWriteDateFollowTheRepetition)
{
    ECHEANCIER e = loyer();
    e.transact.when = at(31, 7, 2024);
    ui().onModal<FenAskPoursuivreController>([](FenAskPoursuivreController& w) { w.perform(QStringLiteral("NON:")); });
    ui().onModal<FenEditEcheancierController>([](FenEditEcheancierController& w) {
        auto* ecriture = w.outlet<QComboBox>(QStringLiteral("popup_date_ecriture"));
        auto* model = qobject_cast<QStandardItemModel*>(ecriture->model());
        selectTag(w, "popup_date_ecriture", 1);
        selectTag(w, "popup_tousles", Planificator::kUnitWeek); // no end of month for weeks
        EXPECT_EQ(ecriture->currentData().toLongLong(), 0);
        EXPECT_FALSE(model->item(1)->isEnabled());
        selectTag(w, "popup_tousles", Planificator::kUnitMonth);
        EXPECT_TRUE(model->item(1)->isEnabled());
        w.perform(QStringLiteral("OUI:")); // asked, and refused: stays open
        selectTag(w, "popup_date_ecriture", 1);
        w.perform(QStringLiteral("OUI:")); // at the end of the month: no question
    });
    ASSERT_TRUE(editEcheancier(nullptr, doc, e));
    EXPECT_EQ(e.planificator.dateEcriture, 1);
    EXPECT_EQ(ui().modalRuns().size(), 2);
}

TEST_F(ScheduleEditorsTest, ANewForecastOpensWithItsDefaultsAndTakesTheAccountsCategory)
{
    Prevision p = Prevision::newPrevision(&doc);
    p.transact.when = at(1, 6, 2024);
    p.planificator->firstDate = p.transact.when;
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& w) {
        WindowDriver window(w);
        EXPECT_EQ(window.text(QStringLiteral("field_nom")), localizedMisc(QStringLiteral("kMisc_DefaultName")));
        EXPECT_TRUE(w.outlet<QCheckBox>(QStringLiteral("checkBoxRattrapable"))->isChecked());
        EXPECT_EQ(w.outlet<QComboBox>(QStringLiteral("popup_tousles"))->currentData().toLongLong(), 0);
        EXPECT_EQ(window.text(QStringLiteral("field_nombre_echeances")), QStringLiteral("12"));
        EXPECT_TRUE(window.text(QStringLiteral("field_last_date")).contains(QStringLiteral("30/06/2024")));
        auto* debit = w.outlet<StdPopUp>(QStringLiteral("pop_compteD"));
        debit->rebuild();
        EXPECT_TRUE(debit->activateTag(22)); // the bakery's category is Alimentation
        EXPECT_EQ(w.pickers().posteID, 1);
        auto* credit = w.outlet<StdPopUp>(QStringLiteral("pop_compteC"));
        credit->rebuild();
        EXPECT_TRUE(credit->activateTag(9)); // no default category: it stays
        EXPECT_EQ(w.pickers().posteID, 1);
        window.grab(QStringLiteral("FenEditPrevision.png"));
        // A validity of three months over a monthly repetition can't be accepted.
        setText(w, "field_validite_tousles", QStringLiteral("3"));
        EXPECT_FALSE(okEnabled(w));
        EXPECT_TRUE(w.outlet<QWidget>(QStringLiteral("pop_help_alerte"))->isVisibleTo(w.window()));
        setText(w, "field_validite_tousles", QStringLiteral("1"));
        EXPECT_TRUE(okEnabled(w));
        window.click(QStringLiteral("OUI:")); // a zero amount is accepted
    });
    ASSERT_TRUE(pushEditPrevisionModal(nullptr, doc, p));
    EXPECT_EQ(p.transact.posteID, 1);
    EXPECT_EQ(p.transact.who1, 22);
    EXPECT_EQ(p.transact.who2, 9);
}

TEST_F(ScheduleEditorsTest, AForecastsFirstDayThatItsMonthLacksIsRefused)
{
    Prevision p = Prevision::newPrevision(&doc);
    p.transact.when = at(1, 6, 2024);
    p.planificator->firstDate = p.transact.when;
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_DateInexistante")).arg(QStringLiteral("31/06/2024")),
                     kAlertFirstButton);
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& w) {
        WindowDriver window(w);
        window.type(QStringLiteral("field_first_date_jour"), QStringLiteral("31"));
        window.click(QStringLiteral("OUI:"));
        EXPECT_EQ(window.text(QStringLiteral("field_first_date_jour")), QStringLiteral("31"));
        window.type(QStringLiteral("field_first_date_jour"), QStringLiteral("28"));
        window.click(QStringLiteral("OUI:"));
    });
    ASSERT_TRUE(pushEditPrevisionModal(nullptr, doc, p));
    EXPECT_EQ(p.planificator->firstDate, at(28, 6, 2024));
}

TEST_F(ScheduleEditorsTest, AStoredForecastIsReplacedUnderItsIdentOnlyOnOk)
{
    Prevision p = Prevision::newPrevision(&doc);
    p.name = QStringLiteral("Courses");
    PrevisionManager& manager = PrevisionManager::sharedManager();
    const long ident = manager.addIndexedPrevisionReference(p, &doc, -1, nullptr);
    ASSERT_GT(ident, 0);
    ChronoRecorder recorder;
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& w) {
        WindowDriver(w).type(QStringLiteral("field_nom"), QStringLiteral("Autre"));
        w.perform(QStringLiteral("NON:"));
    });
    EXPECT_FALSE(editIndexedPrevision(nullptr, doc, ident));
    EXPECT_EQ(PrevisionManager::getPrevisionName(ident, &doc), QStringLiteral("Courses"));
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& w) {
        WindowDriver window(w);
        window.type(QStringLiteral("field_nom"), QStringLiteral("Courses du mois"));
        // Renewed every year, twice: twelve months fit in one year.
        selectTag(w, "popup_reconduction", 1);
        selectTag(w, "popup_reconduction_tousles", Planificator::kUnitYear);
        setText(w, "field_nombre_echeances", QStringLiteral("11"));
        setText(w, "field_reconduction_nombre_echeances", QStringLiteral("2"));
        window.grab(QStringLiteral("FenEditPrevision_renewal.png"));
        window.click(QStringLiteral("OUI:"));
    });
    EXPECT_TRUE(editIndexedPrevision(nullptr, doc, ident));
    const Prevision* stored = PrevisionManager::getPrevisionWithIdent(ident, &doc);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->name, QStringLiteral("Courses du mois"));
    ASSERT_TRUE(stored->planificator.has_value());
    EXPECT_EQ(stored->planificator->reconductionType, 1);
    EXPECT_EQ(manager.nbIndexedPrevisions(&doc), 1);
    EXPECT_EQ(recorder.calls, QStringList({QStringLiteral("chrono %1 1").arg(ident), QStringLiteral("analyse")}));
    EXPECT_FALSE(editIndexedPrevision(nullptr, doc, ident + 1));
}

} // namespace

#include "ScheduleEditorsTest.moc"

// The budget proposals opened from the schedules window: completing the budget with the forecasts
// it lacks, one at a time through the editor or all at once, updating a forecast that drifted, the
// stars, the question of the months to look at, and the account a new forecast falls back on.
#include "analysis/FenActualiserBudgetController.h"
#include "analysis/FenAskBudgetNbMonthController.h"
#include "analysis/FenCompleterBudgetController.h"
#include "schedules/FenEcheancierController.h"
#include "schedules/FenEditPrevisionController.h"
#include "schedules/PopCompleterBudget.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {

double at(long d, long m, long y)
{
    double t = 0;
    dmyToDate(d, m, y, &t);
    return t;
}

TRANSACT transact(double when, long from, long to, double amount, long poste)
{
    TRANSACT t;
    t.when = when;
    t.who1 = from;
    t.who2 = to;
    t.solde = testenv::amount(amount);
    t.posteID = poste;
    return t;
}

QString dialogue(const char* key)
{
    return localizedDialogue(QString::fromLatin1(key));
}

// Account 7 is the user's, 22 a payee and the document's default account. Over 2024: groceries
// every month, the garden three times, insurance twice, water once, a salary every month, and a
// rent of 110 a month that forecast 8 still plans at 100. Nothing for the internet.
class FenAmeliorerBudgetTest : public UiTestFixture {
protected:
    FenAmeliorerBudgetTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, kBanqueUser), testenv::tool(kToolBanque, 11, kBanqueTiers)};
        doc.compteHdl = {testenv::tool(kToolCompte, 7, QStringLiteral("Courant"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 22, QStringLiteral("Divers"), kBanqueTiers, 11)};
        doc.docParam->defaultCompte = 22;
        doc.docParam->defaultCompteUser = 7;
        DOSSIER maison;
        maison.ident = 1;
        maison.nom = QStringLiteral("Maison");
        doc.dossierHdl = {maison};
        const std::pair<long, const char*> postes[]
            = {{20, "Courses"}, {21, "Loyer"},    {22, "Jardin"}, {23, "Assurance"},
               {24, "Eau"},     {25, "Internet"}, {30, "Salaire"}};
        doc.posteHdl.clear();
        for (const auto& [ident, nom] : postes)
            doc.posteHdl.append(POSTE {.ident = ident, .dossierID = 1, .nom = QString::fromUtf8(nom)});
        for (long m = 1; m <= 12; ++m) {
            doc.transact_array.append(transact(at(10, m, 2024), 7, 22, 300, 20));
            doc.transact_array.append(transact(at(10, m, 2024), 7, 22, 110, 21));
            doc.transact_array.append(transact(at(10, m, 2024), 22, 7, 2000, 30));
        }
        for (long m : {3, 6, 9})
            doc.transact_array.append(transact(at(12, m, 2024), 7, 22, 120, 22));
        for (long m : {2, 8})
            doc.transact_array.append(transact(at(12, m, 2024), 7, 22, 240, 23));
        doc.transact_array.append(transact(at(12, 5, 2024), 7, 22, 60, 24));
        Prevision loyer;
        loyer.ident = 8;
        loyer.name = QStringLiteral("Loyer");
        loyer.transact = transact(at(1, 1, 2024), 7, 22, 100, 21);
        loyer.planificator = Planificator(at(1, 1, 2024), Planificator::kTypePrevision);
        loyer.planificator->permanent = true;
        doc.previsionsArray = {loyer};
        session.emplace(doc);
        echeanciers = FenEcheancierController::openEcheanciers(0);
    }
    ~FenAmeliorerBudgetTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* w = qobject_cast<StdWindowController*>(controller))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }

    void ameliorer(qint64 tag)
    {
        QAction item;
        item.setData(QVariant::fromValue<qint64>(tag));
        echeanciers->perform(QStringLiteral("AMELIORER_BUDGET:"), &item);
    }
    static QStringList rows(FenAmeliorerBudgetController* w)
    {
        QStringList out;
        for (int row = 0; row < w->table1()->numberOfRows(); ++row)
            out << w->viewForTableColumn1(w->table1(), row)->rowTexts().join(u'|');
        return out;
    }
    QList<long> previsionPostes() const
    {
        QList<long> postes;
        for (const Prevision& p : doc.previsionsArray)
            postes << p.transact.posteID;
        return postes;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    FenEcheancierController* echeanciers = nullptr;
};

TEST_F(FenAmeliorerBudgetTest, StarsRateTheTransactionsAMonth)
{
    const std::tuple<long, long, long> cases[] = {{12, 3, 3}, {12, 2, 2}, {12, 1, 1}, {12, 12, 5}, {12, 40, 5},
                                                  {12, 6, 4}, {12, 0, 1}, {24, 4, 2}, {24, 3, 1}};
    for (const auto& [nbMonth, nb, stars] : cases)
        EXPECT_EQ(FenAmeliorerBudgetController::nbEtoile(nbMonth, nb), stars) << nb << " over " << nbMonth;
}

TEST_F(FenAmeliorerBudgetTest, TheCompletionListsTheCategoriesNothingPlansAndWritesOneThroughTheEditor)
{
    ameliorer(0);
    FenCompleterBudgetController* w = FenCompleterBudgetController::current();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->nbMonth(), 12) << "a year of transactions asks nothing";
    EXPECT_EQ(w->titleTotal()->text(), QStringLiteral("Total 12 mois"));
    EXPECT_EQ(rows(w),
              (QStringList {
                  QStringLiteral("Courses|-3 600,00 €|-300,00 €|12|"),
                  QStringLiteral("Jardin|-360,00 €|-30,00 €|3|"),
                  QStringLiteral("Assurance|-480,00 €|-40,00 €|2|"),
                  QStringLiteral("Eau|-60,00 €|-5,00 €|1|"),
                  QStringLiteral("Salaire|24 000,00 €|2 000,00 €|12|"),
              }));
    w->windowIfLoaded()->resize(720, 260);
    w->table1()->GO(1);
    WindowDriver(*w).grab(QStringLiteral("budget-completer.png"));
    ameliorer(0);
    EXPECT_EQ(FenCompleterBudgetController::current(), w) << "one window";

    // Cancelled in the editor: nothing is written and the proposal stays.
    ui().answerAlert(dialogue("kAlerte_WillEditPrevision"), kAlertFirstButton);
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& e) { e.perform(QStringLiteral("NON:")); });
    w->ecrire(1);
    EXPECT_EQ(doc.previsionsArray.size(), 1);
    EXPECT_EQ(w->entries().size(), 5);

    ui().answerAlert(dialogue("kAlerte_WillEditPrevision"), kAlertFirstButton);
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& e) { e.perform(QStringLiteral("OUI:")); });
    ui().answerAlert(dialogue("kAlerte_didCreatePrevision"), kAlertFirstButton);
    w->ecrire(1);
    ASSERT_EQ(doc.previsionsArray.size(), 2);
    const Prevision& jardin = doc.previsionsArray.last();
    EXPECT_EQ(jardin.name, QStringLiteral("Poste Jardin"));
    EXPECT_FALSE(jardin.rattrapable);
    EXPECT_EQ(jardin.transact.posteID, 22);
    EXPECT_DOUBLE_EQ(jardin.transact.solde.getValueForDevise(0), 30);
    EXPECT_EQ(std::pair(jardin.transact.who1, jardin.transact.who2), std::pair(7L, 22L)) << "an expense";
    ASSERT_TRUE(jardin.planificator.has_value());
    EXPECT_EQ(jardin.planificator->firstDate, at(1, 12, 2024)) << "the first day of this month, as the editor reads it";
    EXPECT_TRUE(jardin.planificator->permanent);
    EXPECT_EQ(jardin.planificator->repeatTimeUnitCount, 1);
    EXPECT_EQ(jardin.planificator->valideType, Planificator::kValideLength);
    EXPECT_EQ(w->entries().size(), 4);
    const CHRONOLIST* selected = ChronoManager::sharedManager().chronolistAtIndex(echeanciers->selectedRow());
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->ident, jardin.ident) << "the schedules window shows it";
}

TEST_F(FenAmeliorerBudgetTest, WritingAllWritesEveryProposalWithoutTheEditorAndNothingElse)
{
    ameliorer(0);
    FenCompleterBudgetController* w = FenCompleterBudgetController::current();
    ASSERT_NE(w, nullptr);
    ui().answerAlert(dialogue("kConfirm_createAllPrevision"), kAlertSecondButton);
    w->perform(QStringLiteral("TOUT_ECRIRE:"));
    EXPECT_EQ(doc.previsionsArray.size(), 1) << "declined";
    ui().answerAlert(dialogue("kConfirm_createAllPrevision"), kAlertFirstButton);
    ui().answerAlert(dialogue("kAlerte_didCreateAllPrevision"), kAlertFirstButton);
    w->perform(QStringLiteral("TOUT_ECRIRE:"));
    EXPECT_EQ(previsionPostes(), (QList<long> {21, 20, 22, 23, 24, 30}));
    EXPECT_TRUE(ui().modalRuns().isEmpty()) << "no editor";
    EXPECT_TRUE(w->entries().isEmpty());
    EXPECT_FALSE(w->buttonToutEcrire()->isEnabled());
    const Prevision& salaire = doc.previsionsArray.last();
    EXPECT_EQ(std::pair(salaire.transact.who1, salaire.transact.who2), std::pair(22L, 7L)) << "income";
    EXPECT_DOUBLE_EQ(salaire.transact.solde.getValueForDevise(0), 2000);
}

TEST_F(FenAmeliorerBudgetTest, ANewForecastFallsBackOnTheUsersFirstAccountOrIsRefused)
{
    doc.docParam->defaultCompteUser = -1;
    ameliorer(0);
    FenCompleterBudgetController* w = FenCompleterBudgetController::current();
    ASSERT_NE(w, nullptr);
    const std::optional<Prevision> courses = w->doEcrire(0, false);
    ASSERT_TRUE(courses.has_value());
    EXPECT_EQ(courses->transact.who1, 7);

    doc.banqueHdl.first().bType = kBanqueTiers; // no account of the user's any more
    ui().answerAlert(dialogue("kAlerte_completerNoCompte"), kAlertFirstButton);
    EXPECT_FALSE(w->doEcrire(0, false).has_value());
    EXPECT_EQ(doc.previsionsArray.size(), 2);
    EXPECT_EQ(w->entries().size(), 4);
    EXPECT_FALSE(w->doEcrire(42, false).has_value()) << "no such row";
}

TEST_F(FenAmeliorerBudgetTest, TheUpdateGivesADriftingForecastItsNewAmount)
{
    ameliorer(1);
    FenActualiserBudgetController* w = FenActualiserBudgetController::current();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(rows(w), (QStringList {QStringLiteral("Loyer|Loyer|-1 320,00 €|-100,00 €|-110,00 €|12|")}));
    w->windowIfLoaded()->resize(820, 200);
    WindowDriver(*w).grab(QStringLiteral("budget-actualiser.png"));
    ui().answerAlert(dialogue("kAlerte_WillEditPrevision"), kAlertFirstButton);
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& e) { e.perform(QStringLiteral("NON:")); });
    w->ecrire(0);
    EXPECT_DOUBLE_EQ(doc.previsionsArray.first().transact.solde.getValueForDevise(0), 100) << "cancelled";
    ui().answerAlert(dialogue("kAlerte_WillEditPrevision"), kAlertFirstButton);
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& e) { e.perform(QStringLiteral("OUI:")); });
    ui().answerAlert(dialogue("kAlerte_didCreatePrevision"), kAlertFirstButton);
    w->ecrire(0);
    ASSERT_EQ(doc.previsionsArray.size(), 1);
    EXPECT_DOUBLE_EQ(doc.previsionsArray.first().transact.solde.getValueForDevise(0), 110);
    EXPECT_EQ(doc.previsionsArray.first().ident, 8);
    EXPECT_TRUE(w->entries().isEmpty());
}

TEST_F(FenAmeliorerBudgetTest, TheMonthsLookedAtFollowTheTransactionsSpan)
{
    // Forty months: one, two or three years are offered.
    doc.transact_array.append(transact(at(20, 9, 2021), 7, 22, 10, 25));
    ui().onModal<FenAskCompleterBudgetNbMonthController>([](FenAskCompleterBudgetNbMonthController& ask) {
        QStringList items;
        for (int i = 0; i < ask.popupYears()->count(); ++i)
            items << ask.popupYears()->itemText(i);
        EXPECT_EQ(items, (QStringList {"12 mois (1 an)", "24 mois (2 ans)", "36 mois (3 ans)"}));
        EXPECT_EQ(ask.currentNbYear(), 1);
        WindowDriver(ask).grab(QStringLiteral("budget-nbmois.png"));
        ask.popupYears()->setCurrentIndex(1);
        ask.chooseNbMonth(ask.popupYears());
        ask.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(echeanciers->nbMonthForAmeliorerBudget(true), 24);
    ui().onModal<FenAskActualiserBudgetNbMonthController>(
        [](FenAskActualiserBudgetNbMonthController& ask) { ask.perform(QStringLiteral("NON:")); });
    ameliorer(1);
    EXPECT_EQ(FenActualiserBudgetController::current(), nullptr) << "cancelled";

    // Five months: the user confirms them, or stops.
    doc.transact_array.clear();
    doc.transact_array.append(transact(at(2, 8, 2024), 7, 22, 10, 20));
    doc.transact_array.append(transact(at(2, 12, 2024), 7, 22, 10, 20));
    ui().answerAlert(dialogue("kConfirm_CompleterBudgetNbMonth"), kAlertFirstButton);
    EXPECT_EQ(echeanciers->nbMonthForAmeliorerBudget(true), 0);
    ui().answerAlert(dialogue("kConfirm_ActualiserBudgetNbMonth"), kAlertSecondButton);
    EXPECT_EQ(echeanciers->nbMonthForAmeliorerBudget(false), 5);

    // Exactly thirty-six months: the third year is offered.
    doc.transact_array.clear();
    doc.transact_array.append(transact(at(10, 1, 2022), 7, 22, 10, 20));
    doc.transact_array.append(transact(at(10, 12, 2024), 7, 22, 10, 20));
    ui().onModal<FenAskCompleterBudgetNbMonthController>([](FenAskCompleterBudgetNbMonthController& ask) {
        EXPECT_EQ(ask.popupYears()->count(), 3);
        ask.popupYears()->setCurrentIndex(2);
        ask.chooseNbMonth(ask.popupYears());
        ask.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(echeanciers->nbMonthForAmeliorerBudget(true), 36);
}

TEST_F(FenAmeliorerBudgetTest, TheBudgetPopUpOffersBothTools)
{
    auto* pop = echeanciers->outlet<PopCompleterBudget>(QStringLiteral("pop_completer_budget"));
    ASSERT_NE(pop, nullptr);
    pop->rebuild();
    ASSERT_TRUE(pop->activateTag(1));
    EXPECT_NE(FenActualiserBudgetController::current(), nullptr);
}

} // namespace

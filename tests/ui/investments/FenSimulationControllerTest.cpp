// The loan simulator on a household: schedules computed and refused, the window's height fitted to
// them, the payment field of a number of months, saved simulations named, loaded, copied and
// deleted, the print-out and its title, and a simulation turned into a loan, abandoned (the
// document as it was) or accepted.
#include "investments/FenSimulationController.h"
#include "investments/BoxSimulationPied.h"
#include "investments/InvestmentWindows.h"
#include "investments/PopSimulation.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/print/PrintOperation.h"
#include "toolkit/print/PrintViewWithTable.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "transactions/FenListingEmpruntController.h"
#include "ui/transactions/SaisieUiFixture.h"

#include "document/SimulationFile.h"
#include "model/ECHEANCIER.h"
#include "model/FINANCE.h"
#include "support/FakeAppShell.h"

#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/StdMenu.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace saisieui;

class FenSimulationControllerTest : public SaisieUiTest {
protected:
    FenSimulationControllerTest()
    {
        doc.documentUrl = testenv::package(QStringLiteral("simulation-%1.svd").arg(++s_count));
        FINANCE loan = EMPRUNT::allocNewEmprunt(doc);
        loan.nom = QStringLiteral("Voiture");
        EMPRUNT::insertEmprunt(loan, doc);
        window = openSimulation();
    }
    ~FenSimulationControllerTest() override
    {
        if (window)
            window->close();
        disposeSimulationList();
        // The print-out saves the print options with the settings this fixture turned off.
        testenv::removePreferences();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Kind, amount, rate and the payment or number of months, as the user types them.
    void enterSimulation(int kind, const QString& montant, const QString& taux, const QString& mensualite,
                         const QString& cout = QStringLiteral("0"))
    {
        WindowDriver driver(*window);
        driver.type(QStringLiteral("field_montant"), montant);
        driver.type(QStringLiteral("field_taux"), taux);
        window->popup_kind()->setCurrentIndex(kind);
        window->POPUP_MENSUALITE(window->popup_kind());
        driver.type(QStringLiteral("field_mensualite"), mensualite);
        driver.type(QStringLiteral("field_cout"), cout);
    }
    void simuler() { EXPECT_TRUE(WindowDriver(*window).click(QStringLiteral("SIMULER:"))); }
    long rows() const { return window->numberOfRowsInTableView1(window->table1()); }
    QStringList rowTexts(int row) { return window->viewForTableColumn1(window->table1(), row)->rowTexts(); }
    void answerName(const QString& name)
    {
        ui().onModal<FenAskStringController>([name](FenAskStringController& question) {
            question.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(name);
            question.perform(QStringLiteral("OUI:"));
        });
    }
    void answerGoOn(int times)
    {
        for (int i = 0; i < times; ++i)
            ui().onModal<FenAskPoursuivreController>(
                [](FenAskPoursuivreController& question) { question.perform(QStringLiteral("OUI:")); });
    }
    void pick(const char* action)
    {
        PopSimulation* pop = window->pop_configuration();
        pop->rebuild();
        for (QAction* item : pop->stdMenu()->actions()) {
            if (StdMenu::actionOf(item) == QString::fromLatin1(action)) {
                item->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no item " << action;
    }

    static inline int s_count = 0;
    QPointer<FenSimulationController> window;
};

} // namespace

TEST_F(FenSimulationControllerTest, ATwentyYearLoanOnScreenAndOnPaper)
{
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(openSimulation(), window.data()); // one window
    EXPECT_FALSE(window->button_transform()->isEnabled());
    enterSimulation(2, QStringLiteral("200000"), QStringLiteral("3.6"), QStringLiteral("240"), QStringLiteral("15"));
    simuler();
    ASSERT_EQ(rows(), 240);
    EXPECT_TRUE(window->button_transform()->isEnabled());
    const QStringList first = rowTexts(0);
    ASSERT_EQ(first.size(), 8);
    EXPECT_EQ(first[0], QStringLiteral("1"));
    EXPECT_EQ(first[3], QStringLiteral("600,00")); // a month's interest on 200 000 at 3.6 %
    const QStringList total = window->box_pied()->texts();
    ASSERT_EQ(total.size(), 8);
    EXPECT_EQ(total[0], QStringLiteral("240"));
    EXPECT_EQ(total[4], QStringLiteral("3 600,00")); // 240 months of 15
    EXPECT_TRUE(total[5].isEmpty());
    WindowDriver(*window).grab(QStringLiteral("simulation-20ans.png"));

    ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
    EXPECT_TRUE(WindowDriver(*window).click(QStringLiteral("IMPRIMER:")));
    ASSERT_EQ(ui().printHost().records.size(), 1);
    const TestPrintHost::Record& printed = ui().printHost().records.first();
    EXPECT_GT(printed.nbPages, 3);
    ASSERT_FALSE(printed.pages.isEmpty());
    EXPECT_TRUE(printed.pages.first().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/simulation-20ans-page1.png")));
}

TEST_F(FenSimulationControllerTest, SchedulesComputedOrRefused)
{
    const struct {
        int kind;
        const char* montant;
        const char* taux;
        const char* mensualite;
        long rows; // 0: refused
        const char* firstPayment;
    } cases[] = {
        {2, "100000", "3.6", "120", 120, "993,55"}, {2, "100000", "0", "120", 0, ""}, // no rate
        {2, "100000", "3.6", "1", 0, ""}, // a single month
        {0, "100000", "3.6", "250", 0, ""}, // the payment doesn't cover the interest
        {1, "1000", "3.6", "5000", 1, "1 003,00"}, // more than the capital: one row repays it all
        {1, "1000000", "1", "0.01", 0, ""}, // a hundred years don't repay it
    };
    for (const auto& c : cases) {
        if (c.rows == 0)
            ui().answerAlert(QStringLiteral("kAlerte_BadSimul"), kAlertFirstButton);
        enterSimulation(c.kind, QString::fromLatin1(c.montant), QString::fromLatin1(c.taux),
                        QString::fromLatin1(c.mensualite));
        simuler();
        ASSERT_EQ(rows(), c.rows) << c.montant << " " << c.mensualite;
        EXPECT_EQ(window->button_transform()->isEnabled(), c.rows > 0);
        if (c.rows > 0) {
            EXPECT_EQ(rowTexts(0)[1], QString::fromUtf8(c.firstPayment));
        }
    }
}

// On a laptop's screen: each computation fits the window to the rows it shows, and a refused one
// leaves the window as it was; the window stays wholly on the screen.
TEST_F(FenSimulationControllerTest, TheHeightFollowsTheRowsOfTheLastComputation)
{
    window->close();
    ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768);
    window = openSimulation();
    ASSERT_NE(window, nullptr);
    QWidget* shown = window->window();
    const int tall = StdWindowPlacement::availableArea(shown).height();
    const struct {
        const char* months;
        int rows; // 0: refused, the height kept
    } steps[] = {{"240", 240}, {"240", 240}, {"1", 0}, {"12", 12}, {"1", 0}, {"240", 240}};
    for (const auto& step : steps) {
        const QRect before = shown->frameGeometry();
        if (step.rows == 0)
            ui().answerAlert(QStringLiteral("kAlerte_BadSimul"), kAlertFirstButton);
        enterSimulation(2, QStringLiteral("200000"), QStringLiteral("3.6"), QString::fromLatin1(step.months));
        simuler();
        QApplication::processEvents();
        SCOPED_TRACE(step.months);
        EXPECT_TRUE(StdWindowPlacement::isWithinArea(shown));
        if (step.rows == 0)
            EXPECT_EQ(shown->frameGeometry(), before);
        else if (step.rows == 12)
            EXPECT_EQ(window->table1()->viewport()->height(), 12 * window->table1()->uniformRowHeight());
        else
            EXPECT_EQ(shown->frameGeometry().height(), tall);
        WindowDriver(*window).grab(QStringLiteral("simulation-hauteur-%1.png").arg(&step - steps));
    }
}

// The title of the print-out writes the rate with up to six decimals and the payment or the
// capital repaid with two, both with the decimal comma; a number of months is a count.
TEST_F(FenSimulationControllerTest, ThePrintedTitleWritesTheRateAndThePaymentAsNumbersAreShown)
{
    const QString unit = doc.deviseHdl[0].unit;
    const struct {
        int kind;
        const char* taux;
        const char* mensualite;
        const char* printedTaux;
        QString printedMensualite;
    } cases[] = {
        {0, "3.6", "1150.5", "3,6 %", QStringLiteral("1150,50 ") + unit},
        {1, "4,125", "1200", "4,125 %", QStringLiteral("1200,00 ") + unit},
        {1, "2.1234567", "999.5", "2,123457 %", QStringLiteral("999,50 ") + unit},
        {2, "0.5", "240", "0,5 %", QStringLiteral("240")},
    };
    for (const auto& c : cases) {
        enterSimulation(c.kind, QStringLiteral("200000"), QString::fromLatin1(c.taux),
                        QString::fromLatin1(c.mensualite), QStringLiteral("15"));
        simuler();
        QStringList printed;
        ui().onPrint([&printed](PrintOperation& operation, PrintAccessoryViewController*) {
            const auto* view = dynamic_cast<const PrintViewWithTable*>(operation.view());
            const PrintElement* titre = view && !view->spool().empty() ? &view->spool().front().view : nullptr;
            for (const char* name : {"field_print_taux", "field_print_mensualite"}) {
                const PrintElement* field = titre ? titre->find(QString::fromLatin1(name)) : nullptr;
                printed << (field ? field->text : QStringLiteral("(none)"));
            }
            return false;
        });
        EXPECT_TRUE(WindowDriver(*window).click(QStringLiteral("IMPRIMER:")));
        EXPECT_EQ(printed, QStringList({QString::fromUtf8(c.printedTaux), c.printedMensualite})) << c.mensualite;
    }
}

TEST_F(FenSimulationControllerTest, AMonthCountTakesNoDecimalSeparator)
{
    window->popup_kind()->setCurrentIndex(2);
    window->POPUP_MENSUALITE(window->popup_kind());
    EXPECT_EQ(WindowDriver(*window).text(QStringLiteral("field_mensualite")), QStringLiteral("1"));
    WindowDriver(*window).type(QStringLiteral("field_mensualite"), QStringLiteral("12,5"));
    EXPECT_EQ(WindowDriver(*window).text(QStringLiteral("field_mensualite")), QStringLiteral("125"));
    window->popup_kind()->setCurrentIndex(0);
    WindowDriver(*window).type(QStringLiteral("field_mensualite"), QStringLiteral("12,5"));
    EXPECT_EQ(WindowDriver(*window).text(QStringLiteral("field_mensualite")), QStringLiteral("12,5"));
}

TEST_F(FenSimulationControllerTest, SavedSimulationsAreNamedLoadedCopiedAndDeleted)
{
    enterSimulation(2, QStringLiteral("50000"), QStringLiteral("2.5"), QStringLiteral("60"));
    simuler();
    // A loan's name, then a name that would leave the folder, are refused and asked again.
    answerName(QStringLiteral("voiture"));
    ui().answerAlert(QStringLiteral("kAlerte_EmpruntAlreadyExist"), kAlertFirstButton);
    answerName(QStringLiteral("../Travaux"));
    ui().answerAlert(QStringLiteral("kAlerte_BadSimulName"), kAlertFirstButton);
    answerName(QStringLiteral("Travaux"));
    pick("ENREGISTRER:");
    EXPECT_EQ(window->getConfiguration(), QStringLiteral("Travaux"));
    EXPECT_TRUE(window->field_montant()->isReadOnly());
    EXPECT_FALSE(window->popup_kind()->isEnabled());
    ASSERT_EQ(DocContext::instance().simulationList.size(), 1);
    const QString file = DocContext::instance().simulationList.first();
    EXPECT_TRUE(QFile::exists(file));

    pick("NOUVELLE:");
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(window->getConfiguration().isEmpty());
    pick("CHARGER:");
    EXPECT_EQ(window->getConfiguration(), QStringLiteral("Travaux"));
    EXPECT_EQ(rows(), 60);
    pick("NOUVELLE_COPIE:");
    EXPECT_FALSE(window->field_montant()->isReadOnly());
    EXPECT_EQ(rows(), 60);

    window->gotoSimulationAtIndex(0);
    ui().answerAlert(QStringLiteral("kAlerte_DeleteSimulOK"), kAlertFirstButton);
    pick("SUPPRIMER:");
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(DocContext::instance().simulationList.isEmpty());
    EXPECT_EQ(rows(), 0);
}

// A payment typed with a third decimal is the one the rows show, the one the total adds up and
// the one saved: the simulation reloads into the same table.
TEST_F(FenSimulationControllerTest, ThePaymentIsReadAsItIsSavedAndShown)
{
    enterSimulation(0, QStringLiteral("10000"), QStringLiteral("3.5"), QStringLiteral("500.555"));
    simuler();
    ASSERT_GT(rows(), 2);
    EXPECT_DOUBLE_EQ(window->simul().mensu.values[0], 500.56);
    const auto column = [this](int index) {
        QStringList texts;
        for (int row = 0; row < rows(); ++row)
            texts << rowTexts(row)[index];
        return texts;
    };
    double paid = 0;
    for (const QString& text : column(1))
        paid += TextFieldReal::valueOfText(QString(text).remove(u' '));
    EXPECT_EQ(window->box_pied()->texts()[1], MONTANT::montantToStringFromDouble(paid, 2, u','));
    const QStringList before = column(1) + column(2) + column(3);
    answerName(QStringLiteral("SimA"));
    pick("ENREGISTRER:");
    pick("NOUVELLE:");
    pick("CHARGER:");
    EXPECT_EQ(column(1) + column(2) + column(3), before);
}

TEST_F(FenSimulationControllerTest, ASimulationBecomesALoanOrLeavesNothing)
{
    FakeAppShell shell;
    ScopedAppShell installed(&shell);
    QStringList shown;
    setEmpruntShower([&shown](const QString& nom) { shown << nom; });
    enterSimulation(2, QStringLiteral("12000"), QStringLiteral("3.6"), QStringLiteral("12"));
    simuler();
    const auto fillTemplate = [](FenEditSaisieController& w) {
        SaisieUiTest::choose(w, "pop_compteD", 7);
        SaisieUiTest::choose(w, "pop_compteC", 22);
        type(w, "field_jour1", QStringLiteral("31"));
        type(w, "field_mois1", QStringLiteral("1"));
        type(w, "field_annee1", QStringLiteral("2024"));
        ok(w);
    };
    const qsizetype transacts = doc.transact_array.size();
    const double solde7 = TOOL::getTool(kToolCompte, 7, &doc)->solde.values[0];

    answerGoOn(1);
    answerName(QStringLiteral("Maison"));
    answerGoOn(1);
    ui().onModal<FenEditSaisieController>(fillTemplate);
    shell.awakeResult = 0;
    ui().answerAlert(QStringLiteral("kAlerte_SimulationAbort"), kAlertFirstButton);
    window->TRANSFORMER(nullptr);
    ASSERT_EQ(shell.awakeLists.size(), 1);
    EXPECT_EQ(doc.empruntHdl.size(), 1);
    EXPECT_TRUE(doc.echeancierHdl.isEmpty());
    EXPECT_EQ(doc.transact_array.size(), transacts);
    EXPECT_TRUE(shown.isEmpty());

    answerGoOn(2);
    ui().onModal<FenEditSaisieController>(fillTemplate);
    shell.awakeResult = 1;
    ui().answerAlert(QStringLiteral("kMessage_TransformOK"), kAlertFirstButton);
    window->TRANSFORMER(nullptr);
    EXPECT_EQ(shown, QStringList {QStringLiteral("Maison")});
    ASSERT_EQ(doc.empruntHdl.size(), 2);
    ASSERT_EQ(doc.echeancierHdl.size(), 1);
    EXPECT_EQ(doc.echeancierHdl[0].perso.size(), 11);
    EXPECT_NEAR(TOOL::getTool(kToolCompte, 7, &doc)->solde.values[0], solde7, 0.005);

    // Turned into a loan, the simulation can't be deleted nor turned again.
    ui().answerAlert(QStringLiteral("kMessage_cannotDeleteSimul"), kAlertFirstButton);
    pick("SUPPRIMER:");
    answerGoOn(1);
    ui().answerAlert(QStringLiteral("kMessage_alreadyTransformed"), kAlertFirstButton);
    window->TRANSFORMER(nullptr);
    setEmpruntShower({});

    // The loan's listing opens the simulator on the simulation of its name.
    FenListingEmpruntController::setSimulationOpener([](long index) { openSimulationAtIndex(index); });
    window->NOUVELLE(nullptr);
    long position = -1;
    ASSERT_TRUE(EMPRUNT::findEmpruntWithName(QStringLiteral("Maison"), &position, doc));
    FenListingEmpruntController* listing = openListingEmprunt(doc, doc.empruntHdl[position].ident, 0, true);
    ASSERT_NE(listing, nullptr);
    ASSERT_TRUE(listing->button_simulation()->isEnabled());
    listing->SIMULATION(listing->button_simulation());
    EXPECT_EQ(window->getConfiguration(), QStringLiteral("Maison"));
    EXPECT_EQ(rows(), 12);
    listing->close();
    FenListingEmpruntController::setSimulationOpener({});
}

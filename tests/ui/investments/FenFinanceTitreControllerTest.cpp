// The securities window: rows grouped by portfolio, opening and closing portfolios, creating a
// security in a closed portfolio, deleting securities (their transactions moved to the
// replacement) and portfolios (their securities kept), and what each change broadcasts.
#include "InvestmentFixture.h"

#include "investments/FenAskSubstFinanceController.h"
#include "investments/FenEditFinanceTitreController.h"
#include "investments/FenFinanceTitreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "transactions/FenListingTitreController.h"
#include "uisupport/TestUiHost.h"

#include "document/APPLIPARAM.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

using invest::InvestmentTest;

class FenFinanceTitreControllerTest : public InvestmentTest {
protected:
    FenFinanceTitreControllerTest()
        : window(FenFinanceTitreController::openTitres())
    {
        window->table1()->setFocus();
    }
    int rowOf(const char* name) const
    {
        const QStringList texts = rows(window);
        for (int row = 0; row < texts.size(); ++row)
            if (texts[row].startsWith(QString::fromUtf8(name) + u'|'))
                return row;
        return -1;
    }
    void answerName(const QString& name)
    {
        ui().onModal<FenAskStringController>([name](FenAskStringController& question) {
            question.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(name);
            question.perform(QStringLiteral("OUI:"));
        });
    }

    QPointer<FenFinanceTitreController> window;
};

TEST_F(FenFinanceTitreControllerTest, RowsGroupSecuritiesUnderTheirPortfoliosWhichOpenClosed)
{
    EXPECT_EQ(buildTitresRows(doc), (QList<TitreRow> {{kRowTitre, 1}, {kRowPortfolio, 11}, {kRowPortfolio, 10}}));
    EXPECT_EQ(rows(window),
              (QStringList {"Air Liquide|150,00|6,5|-990,00|975,00|-15,00", "Compte-titres|-|-|-|-|-",
                            "PEA|-|-|-300,00|300,00|-"}));
    EXPECT_EQ(WindowDriver(*window).text("field_nb_placements"), "3 titre(s)");
    EXPECT_EQ(WindowDriver(*window).text("field_total_valeur"), "1 275,00");

    // A double click on a portfolio opens it; its securities follow it, Total's count faded.
    window->table1()->GO(2);
    window->didDoubleClick1(nullptr);
    ASSERT_EQ(rows(window).size(), 5);
    EXPECT_EQ(rows(window)[3], "Bouygues|30,00|10|-300,00|300,00|-");
    EXPECT_EQ(rows(window)[4], "Total|-|-|-|-|-");
    EXPECT_EQ(selected(window), 2);
    auto* total = static_cast<CellFinanceTitre*>(window->viewForTableColumn1(window->table1(), 4));
    EXPECT_NEAR(total->field("field_nbtitre")->palette().color(QPalette::WindowText).alphaF(), 0.5, 0.001);
    WindowDriver(*window).grab(QStringLiteral("investments-titres.png"));
    // Printing saves the parameters: only what is stored goes back, not this fixture's silence.
    APPLIPARAM::disposeAppliParam();
    ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
    window->IMPRIMER(nullptr);
    ASSERT_EQ(ui().printHost().records.size(), 1);
    ASSERT_FALSE(ui().printHost().records.first().pages.isEmpty());
    EXPECT_TRUE(ui().printHost().records.first().pages.first().save(
        QStringLiteral(SORV_TEST_OUTPUT_DIR "/investments-titres-page1.png")));

    // A click on its disclosure button closes it again; every portfolio opens at once.
    const QRect pea = window->table1()->visualRect(window->table1()->model()->index(2, 0));
    const QPoint button = pea.topLeft() + QPoint(14, pea.height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, button, window->table1()->viewport()->mapToGlobal(button),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->table1()->viewport(), &press);
    EXPECT_EQ(rows(window).size(), 3);
    window->openAllPortfolio();
    window->buildTitresArray();
    EXPECT_EQ(window->titresArray().size(), 5);
    window->closeAllPortfolio();
    window->buildTitresArray();
    EXPECT_EQ(window->titresArray().size(), 3);
}

TEST_F(FenFinanceTitreControllerTest, ANewSecurityInAClosedPortfolioOpensItAndIsSelected)
{
    ui().onModal<FenEditFinanceTitreController>([](FenEditFinanceTitreController& editor) {
        editor.field_nom()->setText(QStringLiteral("Michelin"));
        auto* pop = editor.outlet<StdPopUp>(QStringLiteral("pop_portfolio"));
        pop->rebuild();
        EXPECT_TRUE(pop->activateTag(10));
        EXPECT_EQ(WindowDriver(editor).text("label_portfolio"), "PEA");
        editor.perform("OUI:");
    });
    window->perform("NOUVEAU:");
    ASSERT_EQ(doc.titreHdl.size(), 4);
    EXPECT_EQ(doc.titreHdl[2].nom, "Michelin");
    EXPECT_EQ(doc.titreHdl[2].portfolioID, 10);
    EXPECT_TRUE(doc.portfolioArray[1].opened);
    EXPECT_EQ(selected(window), rowOf("Michelin"));
    EXPECT_EQ(recorder.calls, QStringList {QStringLiteral("titreHasBeenCreated %1").arg(doc.titreHdl[2].ident)});
}

TEST_F(FenFinanceTitreControllerTest, ModifyingTakesTheCopyOnlyOnOkAndKeepsTheNameOrder)
{
    ui().onModal<FenEditFinanceTitreController>([](FenEditFinanceTitreController& editor) {
        editor.field_nom()->setText(QStringLiteral("Zodiac"));
        editor.perform("NON:");
    });
    window->table1()->GO(0);
    window->perform("MODIFIER:");
    EXPECT_EQ(doc.titreHdl[0].nom, "Air Liquide");
    EXPECT_TRUE(recorder.calls.isEmpty());

    ui().onModal<FenEditFinanceTitreController>([](FenEditFinanceTitreController& editor) {
        editor.field_nom()->setText(QStringLiteral("Zodiac"));
        editor.perform("OUI:");
    });
    window->perform("MODIFIER:");
    ASSERT_EQ(doc.titreHdl.size(), 3);
    EXPECT_EQ(doc.titreHdl[2].nom, "Zodiac");
    EXPECT_EQ(doc.titreHdl[2].cour.getValueForDevise(0), 150);
    EXPECT_EQ(selected(window), 0);
    EXPECT_EQ(recorder.calls, QStringList {"titreHasBeenModified 1"});
}

TEST_F(FenFinanceTitreControllerTest, DeletingASecurityMovesItsTransactionsAndBroadcastsTheDeletedIdent)
{
    struct Case {
        long replacement; // -2: the dialog is cancelled
        int confirm;
        bool deleted;
    };
    const Case cases[] = {{-2, 1001, false}, {2, 1000, false}, {2, 1001, true}};
    for (const Case& c : cases) {
        const QList<long> before = transactionsOf(&TRANSACT::titreID, 1);
        ASSERT_EQ(before.size(), 1);
        window->table1()->GO(0);
        ui().answerAlert("Voulez-vous vraiment supprimer ce placement ?", c.confirm);
        if (c.confirm == 1001)
            ui().onModal<FenAskSubstFinanceTitreController>([&c](FenAskSubstFinanceTitreController& dialog) {
                EXPECT_EQ(WindowDriver(dialog).text("field_old"), "Air Liquide");
                if (c.replacement == -2) {
                    dialog.perform("NON:");
                    return;
                }
                dialog.pickers().titreID = c.replacement;
                dialog.perform("OUI:");
            });
        window->perform("SUPPRIMER:");
        EXPECT_EQ(doc.titreHdl.size(), c.deleted ? 2 : 3) << c.confirm << " " << c.replacement;
        if (c.deleted) {
            EXPECT_EQ(transactionsOf(&TRANSACT::titreID, c.replacement), QList<long>({before[0], 8}));
            EXPECT_EQ(recorder.calls, QStringList {"titreHasBeenDeleted 1"});
        }
    }
}

TEST_F(FenFinanceTitreControllerTest, ADeletedPortfolioKeepsItsSecuritiesAtTheTop)
{
    window->table1()->GO(2);
    ui().answerAlert(1001);
    window->perform("SUPPRIMER:");
    ASSERT_EQ(doc.portfolioArray.size(), 1);
    EXPECT_EQ(doc.titreHdl[1].portfolioID, -1);
    EXPECT_EQ(window->titresArray(),
              (QList<TitreRow> {{kRowTitre, 1}, {kRowTitre, 2}, {kRowTitre, 3}, {kRowPortfolio, 11}}));
    // The portfolio's ident would name a security: the securities moved out are told instead.
    EXPECT_EQ(recorder.calls, (QStringList {"titreHasBeenModified 2", "titreHasBeenModified 3"}));
    EXPECT_TRUE(supprimerPortfolio(doc, 10).isEmpty());
}

TEST_F(FenFinanceTitreControllerTest, PortfoliosAreCreatedClosedAndRenamedInNameOrder)
{
    answerName(QStringLiteral("Assurance vie"));
    window->perform("newPortfolio:");
    ASSERT_EQ(doc.portfolioArray.size(), 3);
    EXPECT_EQ(doc.portfolioArray[0].nom, "Assurance vie");
    EXPECT_FALSE(doc.portfolioArray[0].opened);
    EXPECT_EQ(selected(window), 1);

    answerName(QStringLiteral("Zone euro"));
    window->perform("MODIFIER:");
    EXPECT_EQ(doc.portfolioArray[2].nom, "Zone euro");
    EXPECT_EQ(selected(window), 3);
}

TEST_F(FenFinanceTitreControllerTest, ListingOpensForASecurityAndClosesWithItsDeletion)
{
    window->table1()->GO(0);
    window->didDoubleClick1(nullptr);
    auto* listing = findOpenWindowControllerExact<FenListingTitreController>(-1, -1, -1, -1, -1, 1, -1, -1);
    ASSERT_NE(listing, nullptr);
    const QPointer<StdWindowController> open(listing);
    ui().answerAlert(1001);
    ui().onModal<FenAskSubstFinanceTitreController>([](FenAskSubstFinanceTitreController& dialog) {
        dialog.pickers().titreID = -1;
        dialog.perform("OUI:");
    });
    window->perform("SUPPRIMER:");
    EXPECT_TRUE(open.isNull() || !open->windowIfLoaded() || !open->windowIfLoaded()->isVisible());
    EXPECT_TRUE(transactionsOf(&TRANSACT::titreID, 1).isEmpty());
}

} // namespace

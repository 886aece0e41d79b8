// The investment editors and replacement dialogs: the name taken within a kind, the security's
// labels for a portfolio gone, a manual quote and a quote from the service, the savings'
// account, and a replacement that is none or the deleted item itself.
#include "InvestmentFixture.h"

#include "investments/FenAskSubstFinanceController.h"
#include "investments/FenEditFinanceEmpruntController.h"
#include "investments/FenEditFinanceRemunereController.h"
#include "investments/FenEditFinanceTitreController.h"
#include "investments/TitreQuotePanel.h"
#include "toolkit/fields/TextFieldMontant.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using invest::InvestmentTest;

class FenEditFinanceControllerTest : public InvestmentTest {
protected:
    // Runs the kind's editor on a copy of the item at that position, typing the name; the result.
    bool rename(FinanceKind kind, long index, const QString& nom, bool refused)
    {
        FINANCE copy = financeList(doc, kind).at(index).copyOfFinance();
        ui().onModal(editorClass(kind), [this, nom, refused](const ModalRequest& request) {
            auto* editor = qobject_cast<FenEditFinanceController*>(request.controller);
            ASSERT_NE(editor, nullptr);
            editor->field_nom()->setText(nom);
            if (refused)
                ui().answerAlert("Ce nom est déjà pris. Choisissez-en un autre.", 1000);
            editor->perform("OUI:");
            if (refused)
                editor->perform("NON:");
        });
        const bool ok = editFinanceModal(nullptr, kind, copy);
        EXPECT_EQ(ok, ok && copy.nom == nom);
        return ok;
    }
    static QString editorClass(FinanceKind kind)
    {
        switch (kind) {
        case FinanceKind::Titre:
            return QStringLiteral("FenEditFinanceTitreController");
        case FinanceKind::Remunere:
            return QStringLiteral("FenEditFinanceRemunereController");
        case FinanceKind::Emprunt:
            return QStringLiteral("FenEditFinanceEmpruntController");
        }
        return {};
    }
};

TEST_F(FenEditFinanceControllerTest, ANameIsTakenOnlyByAnotherItemOfTheSameKind)
{
    struct Case {
        FinanceKind kind;
        long index;
        const char* nom;
        bool accepted;
    };
    const Case cases[] = {
        {FinanceKind::Titre, 0, "AIR LIQUIDE", true},     {FinanceKind::Titre, 0, "bouygues", false},
        {FinanceKind::Titre, 0, "Prêt auto", true},       {FinanceKind::Titre, 0, "", true},
        {FinanceKind::Emprunt, 0, "prêt travaux", false}, {FinanceKind::Emprunt, 1, "Prêt Travaux", true},
        {FinanceKind::Remunere, 0, "Livret B", true},     {FinanceKind::Remunere, 0, "livret a", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rename(c.kind, c.index, QString::fromUtf8(c.nom), !c.accepted), c.accepted) << c.nom;
    EXPECT_TRUE(financeNameTaken(doc.titreHdl, QStringLiteral("total"), QStringLiteral("Bouygues")));
    EXPECT_FALSE(financeNameTaken(doc.titreHdl, QStringLiteral("TOTAL"), QStringLiteral("Total")));
}

TEST_F(FenEditFinanceControllerTest, TheSecurityShowsItsPortfolioAndWhereItsQuoteCameFrom)
{
    struct Case {
        long portfolioID;
        bool online;
        const char* portfolio;
        const char* categorie;
        const char* devise;
        const char* maj;
    };
    const Case cases[] = {
        {-1, false, "Aucun portefeuille", "-", "-", "Mise à jour manuelle"},
        {10, false, "PEA", "-", "-", "Mise à jour manuelle"},
        {42, true, "Inconnu", "Action", "40,25 USD (1 Dollar américain = 0,92 €)", "Mise à jour le "},
    };
    for (const Case& c : cases) {
        FINANCE titre = doc.titreHdl[0];
        titre.portfolioID = c.portfolioID;
        if (c.online) {
            titre.ticker = QStringLiteral("MSFT");
            titre.categorie = 6;
            titre.titreDescription = QStringLiteral("Microsoft");
            titre.codeDevise = QStringLiteral("USD");
            titre.coursNatif = 40.25;
            titre.conversion = 0.92;
            titre.updateTime = saisieui::today();
        }
        ui().onModal<FenEditFinanceTitreController>([&c](FenEditFinanceTitreController& editor) {
            WindowDriver driver(editor);
            EXPECT_EQ(driver.text("label_portfolio"), QString::fromUtf8(c.portfolio));
            EXPECT_EQ(driver.text("label_categorie"), QString::fromUtf8(c.categorie));
            EXPECT_EQ(driver.text("label_devise"), QString::fromUtf8(c.devise));
            EXPECT_TRUE(driver.text("field_maj").startsWith(QString::fromUtf8(c.maj)));
            EXPECT_EQ(editor.outlet<TextFieldMontant>(QStringLiteral("field_cours"))->isEnabled(), !c.online);
            // A ticker is searched for only while the quote is the user's, and forgotten only after.
            EXPECT_EQ(editor.quotePanel()->field_search()->isEnabled(), !c.online);
            EXPECT_EQ(editor.quotePanel()->button_supprimer()->isEnabled(), c.online);
            if (c.online)
                driver.grab(QStringLiteral("investments-edit-titre.png"));
            editor.perform("NON:");
        });
        editFinanceModal(nullptr, FinanceKind::Titre, titre);
    }
}

TEST_F(FenEditFinanceControllerTest, TheQuoteTypedIsReadInTheCurrencyShown)
{
    FINANCE titre = doc.titreHdl[0];
    ui().onModal<FenEditFinanceTitreController>([](FenEditFinanceTitreController& editor) {
        auto* cours = editor.outlet<TextFieldMontant>(QStringLiteral("field_cours"));
        EXPECT_EQ(cours->toPlainText(), "150,00");
        WindowDriver(editor).type(QStringLiteral("field_cours"), QStringLiteral("151.125"));
        editor.perform("OUI:");
    });
    ASSERT_TRUE(editFinanceModal(nullptr, FinanceKind::Titre, titre));
    EXPECT_DOUBLE_EQ(titre.cour.getValueForDevise(0), 151.125);
}

TEST_F(FenEditFinanceControllerTest, SavingsKeepTheirAccountAndLoansTheirSide)
{
    FINANCE livret = doc.remunereHdl[0];
    ui().onModal<FenEditFinanceRemunereController>([](FenEditFinanceRemunereController& editor) {
        EXPECT_EQ(editor.pickers().compteDID, 9);
        editor.pickers().compteDID = 7;
        WindowDriver(editor).grab(QStringLiteral("investments-edit-epargne.png"));
        editor.perform("OUI:");
    });
    ASSERT_TRUE(editFinanceModal(nullptr, FinanceKind::Remunere, livret));
    EXPECT_EQ(livret.compteID, 7);

    FINANCE pret = doc.empruntHdl[0];
    ui().onModal<FenEditFinanceEmpruntController>([](FenEditFinanceEmpruntController& editor) {
        WindowDriver(editor).widget("cb_pret")->setProperty("checked", true);
        WindowDriver(editor).grab(QStringLiteral("investments-edit-emprunt.png"));
        editor.perform("NON:");
    });
    EXPECT_FALSE(editFinanceModal(nullptr, FinanceKind::Emprunt, pret));
    EXPECT_FALSE(pret.pret);
}

TEST_F(FenEditFinanceControllerTest, TheReplacementIsNoneOrAnotherItemNeverItself)
{
    struct Case {
        FinanceKind kind;
        long ident;
        long chosen;
        bool refused;
        long written;
    };
    const Case cases[] = {
        {FinanceKind::Titre, 1, -1, false, -1}, {FinanceKind::Titre, 1, 2, false, 2},
        {FinanceKind::Titre, 1, 1, true, 0},    {FinanceKind::Emprunt, 3, 3, true, 0},
        {FinanceKind::Remunere, 4, 4, true, 0}, {FinanceKind::Emprunt, 99, -1, false, -1},
    };
    for (const Case& c : cases) {
        ui().onModal(QString::fromLatin1(c.kind == FinanceKind::Titre         ? "FenAskSubstFinanceTitreController"
                                             : c.kind == FinanceKind::Emprunt ? "FenAskSubstFinanceEmpruntController"
                                                                              : "FenAskSubstFinanceRemunereController"),
                     [this, &c](const ModalRequest& request) {
                         auto* dialog = qobject_cast<FenAskSubstFinanceController*>(request.controller);
                         ASSERT_NE(dialog, nullptr);
                         if (c.ident == 99) {
                             EXPECT_EQ(WindowDriver(*dialog).text("field_old"), "?");
                         }
                         dialog->pickers().titreID = dialog->pickers().empruntID = dialog->pickers().remunereID = -1;
                         (c.kind == FinanceKind::Titre         ? dialog->pickers().titreID
                              : c.kind == FinanceKind::Emprunt ? dialog->pickers().empruntID
                                                               : dialog->pickers().remunereID)
                             = c.chosen;
                         if (c.refused)
                             ui().answerAlert(1000);
                         dialog->perform("OUI:");
                         if (c.refused)
                             dialog->perform("NON:");
                     });
        long replacement = 0;
        EXPECT_EQ(askSubstFinance(nullptr, c.kind, c.ident, &replacement), !c.refused) << c.ident << " " << c.chosen;
        EXPECT_EQ(replacement, c.written) << c.ident << " " << c.chosen;
    }
}

} // namespace

// The taxes window and its dialogs on a household of five taxes: rows, creating and modifying in
// name order, refused rates, deleting with a replacement everywhere the tax is named, and the
// declaration request.
#include "entities/FenTaxeController.h"
#include "entities/FenAskDeclarationController.h"
#include "entities/FenAskSubstTaxeController.h"
#include "entities/FenEditTaxeController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include "toolkit/popups/PopTaxe.h"
#include "toolkit/tables/StdTableView.h"

#include "model/DOCUMENT.h"
#include "model/TRANSACT.h"

#include <QLineEdit>

namespace {

class FenTaxeControllerTest : public UiTestFixture {
protected:
    FenTaxeControllerTest()
    {
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addDefaultDocParam(doc);
        const std::pair<const char*, double> taxes[]
            = {{"TVA 20 %", 20}, {"TVA 10 %", 10}, {"TVA 5,5 %", 5.5}, {"TVA 2,1 %", 2.1}, {"Ancienne TVA", 19.6}};
        long ident = 2;
        for (const auto& [nom, rate] : taxes)
            TAXE::loadTaxeAux(QString::fromUtf8(nom), ident++, rate, doc.taxeHdl);
        TRANSACT t;
        t.taxeID = 3;
        doc.transact_array = {t, t};
        doc.transact_array[1].taxeID = 2;
        session.emplace(doc);
        window = FenTaxeController::openTaxes(0);
    }
    ~FenTaxeControllerTest() override
    {
        if (window)
            window->close();
    }
    QStringList rows() const
    {
        QStringList out;
        for (int row = 0; row < window->table1()->numberOfRows(); ++row)
            out << window->viewForTableColumn1(window->table1(), row)->rowTexts().join(u'|');
        return out;
    }
    long selected() const
    {
        const IndexSet s = window->table1()->selectedRowIndexes();
        return s.empty() ? -1 : long(*s.begin());
    }
    void editWith(const QString& nom, const QString& taux)
    {
        ui().onModal<FenEditTaxeController>([nom, taux](FenEditTaxeController& editor) {
            editor.outlet<QLineEdit>("field_nom")->setText(nom);
            editor.outlet<QLineEdit>("field_taux")->setText(taux);
            editor.perform("OUI:");
        });
    }
    void deleteRow(int row, long replacement, bool confirm = true)
    {
        window->table1()->GO(row);
        ui().answerAlert("kConfirm_SuppTaxe", confirm ? 1001 : 1000);
        if (confirm)
            ui().onModal<FenAskSubstTaxeController>([replacement](FenAskSubstTaxeController& dialog) {
                if (replacement == -2) {
                    dialog.perform("NON:");
                    return;
                }
                dialog.pickers().taxeID = replacement;
                dialog.perform("OUI:");
            });
        window->perform("SUPPRIMER:");
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    QPointer<FenTaxeController> window;
};

TEST_F(FenTaxeControllerTest, RowsShowNameAndRateInNameOrder)
{
    EXPECT_EQ(rows(),
              (QStringList {"Ancienne TVA|19,60 %", "TVA 10 %|10,00 %", "TVA 2,1 %|2,10 %", "TVA 20 %|20,00 %",
                            "TVA 5,5 %|5,50 %"}));
}

TEST_F(FenTaxeControllerTest, TheEditorRefusesRatesATaxCannotHave)
{
    struct Case {
        const char* text;
        bool accepted;
        double rate;
    };
    const Case cases[]
        = {{"19.6", true, 19.6}, {"7,5 %", true, 7.5}, {"-99.5", true, -99.5}, {"0", true, 0},    {"-100", false, 0},
           {"-250", false, 0},   {"abc", false, 0},    {"inf", false, 0},      {"nan", false, 0}, {"", false, 0}};
    for (const Case& c : cases) {
        double rate = 0;
        EXPECT_EQ(FenEditTaxeController::rateOfText(QString::fromLatin1(c.text), &rate), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(rate, c.rate) << c.text;
        }
    }
    ui().onModal<FenEditTaxeController>([this](FenEditTaxeController& editor) {
        editor.outlet<QLineEdit>("field_taux")->setText("-100");
        ui().answerAlert("kAlerte_TaxeTauxInvalide", 1000);
        editor.perform("OUI:");
        editor.perform("NON:");
    });
    window->table1()->GO(0);
    window->perform("MODIFIER:");
    EXPECT_DOUBLE_EQ(doc.taxeHdl[0].rate, 19.6) << "a refused rate changes nothing";
}

TEST_F(FenTaxeControllerTest, NewAndModifiedTaxesTakeTheirPlaceByName)
{
    editWith("Taxe de séjour", "1.5");
    window->perform("NOUVEAU:");
    ASSERT_EQ(doc.taxeHdl.size(), 6);
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(doc.taxeHdl[1].nom, "Taxe de séjour");
    EXPECT_EQ(doc.taxeHdl[1].ident, 7);
    editWith("Zone franche", "0");
    window->perform("MODIFIER:");
    EXPECT_EQ(doc.taxeHdl.last().nom, "Zone franche");
    EXPECT_EQ(doc.taxeHdl.last().ident, 7);
    EXPECT_EQ(selected(), 5);
}

TEST_F(FenTaxeControllerTest, DeletingReplacesTheTaxEverywhereAndSelectsTheRowBefore)
{
    TOOL payee;
    payee.taxeID = 3;
    doc.compteHdl = {payee};
    MACRO macro;
    macro.transact = TRANSACT();
    macro.transact->taxeID = 3;
    doc.macroHdl = {macro};
    ECHEANCIER echeancier;
    echeancier.transact.taxeID = 3;
    echeancier.perso = {PECHEANCIER(echeancier.transact, false)};
    doc.echeancierHdl = {echeancier};
    Prevision prevision;
    prevision.transact.taxeID = 3;
    doc.previsionsArray = {prevision};

    deleteRow(1, -1); // "TVA 10 %", ident 3, replaced by none
    ASSERT_EQ(doc.taxeHdl.size(), 4);
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(doc.transact_array[0].taxeID, -1);
    EXPECT_EQ(doc.transact_array[1].taxeID, 2);
    EXPECT_EQ(doc.compteHdl[0].taxeID, -1);
    EXPECT_EQ(doc.macroHdl[0].transact->taxeID, -1);
    EXPECT_EQ(doc.echeancierHdl[0].transact.taxeID, -1);
    EXPECT_EQ(doc.echeancierHdl[0].perso[0].transact.taxeID, -1);
    EXPECT_EQ(doc.previsionsArray[0].transact.taxeID, -1);

    deleteRow(3, 5); // the last, "TVA 5,5 %", replaced by "TVA 2,1 %"
    EXPECT_EQ(selected(), 2);
    deleteRow(0, -2); // the replacement cancelled
    deleteRow(0, 0, false); // the confirmation cancelled
    EXPECT_EQ(doc.taxeHdl.size(), 3);
}

TEST_F(FenTaxeControllerTest, ATaxCannotReplaceItself)
{
    window->table1()->GO(3); // "TVA 20 %", ident 2
    ui().answerAlert("kConfirm_SuppTaxe", 1001);
    ui().onModal<FenAskSubstTaxeController>([this](FenAskSubstTaxeController& dialog) {
        EXPECT_EQ(WindowDriver(dialog).text("field_old"), "TVA 20 %");
        ui().answerAlert("kAlerte_CannotSubstTaxe", 1000);
        dialog.perform("OUI:");
        dialog.pickers().taxeID = 5;
        dialog.perform("OUI:");
    });
    window->perform("SUPPRIMER:");
    EXPECT_EQ(doc.transact_array[1].taxeID, 5);
    EXPECT_EQ(doc.taxeHdl.size(), 4);
}

TEST_F(FenTaxeControllerTest, TheDeclarationRequestNeverOffersNoTax)
{
    DECLARATION declaration {3, 100.0, 200.0};
    ui().onModal<FenAskDeclarationController>([](FenAskDeclarationController& dialog) {
        auto* pop = dialog.outlet<PopTaxe>("pop_taxe");
        pop->rebuild();
        EXPECT_FALSE(pop->activateTag(-1));
        EXPECT_EQ(WindowDriver(dialog).text("field_taxe"), "TVA 10 %");
        EXPECT_TRUE(pop->activateTag(6));
        dialog.perform("OUI:");
    });
    ASSERT_TRUE(askDeclaration(nullptr, declaration));
    EXPECT_EQ(declaration.taxeID, 6);
    ui().onModal<FenAskDeclarationController>([](FenAskDeclarationController& dialog) { dialog.perform("NON:"); });
    window->table1()->GO(0);
    window->perform("DECLARATION:");
}

} // namespace

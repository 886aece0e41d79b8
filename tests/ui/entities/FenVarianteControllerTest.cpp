// The cheque books and cards of account 7: edits kept only when the window is confirmed, the
// numbering of a book whose number changes, and the accounts that have none.
#include "../transactions/SaisieUiFixture.h"

#include "entities/CellVariante.h"
#include "entities/FenEditVarianteController.h"
#include "entities/FenVarianteController.h"
#include "transactions/FenListingMoyenController.h"

#include "foundation/localized.h"
#include "model/MOYEN.h"

#include <QPushButton>
#include <QTableWidget>

namespace {

class FenVarianteControllerTest : public saisieui::SaisieUiTest {
protected:
    const VarianteList& books() const { return doc.moyenHdl.at(0).variantes; }
    const VarianteList& cards() const { return doc.moyenHdl.at(1).variantes; }
    // The lists window on account 7, the script standing for the user.
    bool run(std::function<void(FenVarianteController&)> user, long compte = 7)
    {
        ui().onModal<FenVarianteController>(std::move(user));
        return editVariantesOfCompte(nullptr, compte, true, doc);
    }
    static void select(FenVarianteController& w, int table, int row) { w.table(table)->selectRow(row); }
};

// The book's number retyped: the same in other letters keeps where its numbering stands, another
// restarts it and lets its alert be given again.
TEST_F(FenVarianteControllerTest, ANewChequeBookNumberRestartsTheNumbering)
{
    const struct {
        const char* numero;
        long lastNumero;
    } cases[] = {{"0001231", 1240}, {"0001281", -1}};
    for (const auto& c : cases) {
        doc.moyenHdl[0].variantes[0].numero = QStringLiteral("0001231");
        doc.moyenHdl[0].variantes[0].lastNumero = 1240;
        doc.moyenHdl[0].variantes[0].alerteDone = true;
        ui().onModal<FenEditVarianteChequeController>([&c](FenEditVarianteChequeController& e) {
            WindowDriver editor(e);
            EXPECT_EQ(editor.text(QStringLiteral("field_nombre")), QStringLiteral("50"));
            editor.type(QStringLiteral("field_numero"), QString::fromLatin1(c.numero));
            editor.grab(QStringLiteral("FenEditVarianteCheque.png"));
            editor.click(QStringLiteral("OUI:"));
        });
        ASSERT_TRUE(run([](FenVarianteController& w) {
            select(w, 1, 0);
            w.perform(QStringLiteral("OUVRIR1:"));
            auto* cell = qobject_cast<CellVariante*>(w.table(1)->cellWidget(0, 0));
            ASSERT_NE(cell, nullptr);
            EXPECT_TRUE(cell->getButtonSupprimer()->isVisibleTo(cell)); // only the selected row's
            WindowDriver(w).grab(QStringLiteral("FenVariante.png"));
            w.perform(QStringLiteral("OUI:"));
        }));
        ASSERT_EQ(books().size(), 1);
        EXPECT_EQ(books()[0].lastNumero, c.lastNumero) << c.numero;
        EXPECT_EQ(books()[0].alerteDone, c.lastNumero > 0) << c.numero;
    }
}

// What the window's ending keeps: a new card and a deleted book, by OK, by the listing command or
// not at all by Cancel.
TEST_F(FenVarianteControllerTest, EditsAreKeptOnlyWhenTheWindowIsConfirmed)
{
    const struct {
        const char* action;
        bool stored;
        bool listing;
    } cases[] = {{"NON:", false, false}, {"OUI:", true, false}, {"RELEVE1:", true, true}};
    for (const auto& c : cases) {
        const MoyenList before = doc.moyenHdl;
        ui().onModal<FenEditVarianteCarteController>([](FenEditVarianteCarteController& e) {
            WindowDriver editor(e);
            editor.type(QStringLiteral("field_nom"), QStringLiteral("Visa Premier"));
            editor.type(QStringLiteral("field_annee1"), QStringLiteral("2028"));
            editor.grab(QStringLiteral("FenEditVarianteCarte.png"));
            editor.click(QStringLiteral("OUI:"));
        });
        ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SuppChequier")), 1001);
        EXPECT_EQ(run([&c](FenVarianteController& w) {
                      w.perform(QStringLiteral("CREER2:"));
                      EXPECT_EQ(w.table(2)->rowCount(), 2);
                      select(w, 1, 0);
                      w.perform(QStringLiteral("SUPPRIMER1:"));
                      EXPECT_EQ(w.table(1)->rowCount(), 0);
                      WindowDriver(w).click(QString::fromLatin1(c.action));
                  }),
                  c.stored)
            << c.action;
        if (!c.stored) {
            EXPECT_EQ(doc.moyenHdl, before);
            continue;
        }
        EXPECT_TRUE(books().isEmpty());
        ASSERT_EQ(cards().size(), 2);
        EXPECT_EQ(cards()[1].nom, QStringLiteral("Visa Premier"));
        auto* listing
            = findOpenWindowController<FenListingMoyenController>(7, -1, -1, kFamilyChequeDebit, -1, -1, -1, -1);
        EXPECT_EQ(listing != nullptr, c.listing);
        if (listing) // no window outlives its test
            listing->close();
        doc.moyenHdl = before;
    }
}

TEST_F(FenVarianteControllerTest, WithoutASelectionNothingIsEditedAndAPayeeHasNoBooks)
{
    ASSERT_TRUE(run([](FenVarianteController& w) {
                    w.perform(QStringLiteral("OUVRIR2:"));
                    w.perform(QStringLiteral("NON:"));
                })
                == false);
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
    const MoyenList before = doc.moyenHdl;
    ui().answerAlert(localizedDialogue(QStringLiteral("kCriticalVarianteProblem")), 1000);
    EXPECT_FALSE(editVariantesOfCompte(nullptr, 22, true, doc));
    EXPECT_EQ(doc.moyenHdl, before);
}

} // namespace

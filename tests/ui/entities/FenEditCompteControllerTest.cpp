// The bank and account editors on the household document: creating a bank with two accounts,
// what each account type may hold, and the names refused with the document left as it was.
#include "../transactions/SaisieUiFixture.h"

#include "entities/FenEditBanqueController.h"
#include "entities/FenEditCompteController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/popups/PopCompte.h"

#include "foundation/localized.h"
#include "model/TOOL.h"

namespace {

class FenEditCompteControllerTest : public saisieui::SaisieUiTest {
protected:
    // Every bank's and account's name, bank, logo and statement days.
    QString digest() const
    {
        QStringList parts;
        for (const int kind : {kToolBanque, kToolCompte})
            for (const TOOL& tool : *TOOL::toolList(kind, &doc))
                parts << QStringLiteral("%1/%2/%3/%4/%5")
                             .arg(tool.nom)
                             .arg(tool.ownerID)
                             .arg(tool.logoIdent)
                             .arg(tool.dateReleve0)
                             .arg(tool.posteID);
        return parts.join(u'|');
    }
    // The account editor on the account; the script types and clicks.
    long editCompte(long ident, std::function<void(FenEditCompteController&)> user)
    {
        ui().onModal<FenEditCompteController>(std::move(user));
        return editCompteDialog(nullptr, *getTool(kToolCompte, ident, &doc), doc);
    }
    void answerPoursuivre(const char* action)
    {
        ui().onModal<FenAskPoursuivreController>(
            [action](FenAskPoursuivreController& w) { w.perform(QString::fromLatin1(action)); });
    }
};

TEST_F(FenEditCompteControllerTest, ABankAndTwoAccountsAreCreatedThroughTheEditors)
{
    ui().onModal<FenEditBanqueController>([](FenEditBanqueController& w) {
        WindowDriver window(w);
        EXPECT_EQ(window.text(QStringLiteral("field_logo")), QStringLiteral("Aucun logo"));
        EXPECT_FALSE(w.outlet<QLabel>(QStringLiteral("image"))->pixmap().isNull());
        window.type(QStringLiteral("field_nom"), QStringLiteral("Banque Nord"));
        window.grab(QStringLiteral("FenEditBanque.png"));
        window.click(QStringLiteral("OUI:"));
    });
    answerPoursuivre("OUI:"); // create its accounts
    for (const char* name : {"Compte joint", "Livret jeune"}) {
        ui().onModal<FenEditCompteController>([name](FenEditCompteController& w) {
            WindowDriver window(w);
            window.type(QStringLiteral("field_nom"), QString::fromUtf8(name));
            window.type(QStringLiteral("field_date1"), QStringLiteral("5"));
            // Not in the document yet, the account still shows its type's picture.
            EXPECT_FALSE(w.outlet<QLabel>(QStringLiteral("image"))->pixmap().isNull()) << name;
            window.grab(QStringLiteral("FenEditCompte.png"));
            window.click(QStringLiteral("OUI:"));
        });
        answerPoursuivre("NON:"); // no initial balance now
        answerPoursuivre(*name == 'C' ? "AUTRE:" : "OUI:"); // another account, then stop
    }
    long index = -1;
    ASSERT_TRUE(createBanqueWithDialog(nullptr, kBanqueUser, &index, doc));
    const long banqueID = banqueIndexToID(index, &doc);
    ASSERT_NE(getTool(kToolBanque, banqueID, &doc), nullptr);
    EXPECT_EQ(getTool(kToolBanque, banqueID, &doc)->nom, QStringLiteral("Banque Nord"));
    ASSERT_EQ(banqueIndexToNbCompte(index, &doc), 2);
    for (long c = 0; c < 2; ++c) {
        const TOOL* compte = getTool(kToolCompte, compteIndexToID(index, c, &doc), &doc);
        ASSERT_NE(compte, nullptr);
        EXPECT_EQ(compte->ownerID, banqueID);
        EXPECT_EQ(compte->dateReleve0, 5);
    }
}

TEST_F(FenEditCompteControllerTest, NamesAreRefusedOrTakenAndARefusalChangesNothing)
{
    // Another of the user's banks, holding an account named as account 9 of bank 10.
    TOOL nord = TOOL::newToolHdl(kToolBanque, -1, QStringLiteral("Banque Nord"), kBanqueUser, 0, &doc);
    const long nordID = TOOL::addToolToDocumentNoCopy(kToolBanque, nord, &doc);
    TOOL::addToolToDocumentNoCopy(
        kToolCompte, TOOL::newToolHdl(kToolCompte, nordID, QStringLiteral("Livret A"), kBanqueUser, 0, &doc), &doc);
    buildToolArbo(&doc);
    const struct {
        const char* name;
        long bank; // -1 keeps the bank
        const char* refusal; // null: taken
    } cases[] = {
        {"compte COURANT", -1, "kAlerte_NameAlreadyExist"}, // another account of the bank, other case
        {"  ", -1, "kAlerte_NameEmpty"},
        {"Livret A", nordID, "kAlerte_NameAlreadyExist"}, // moved where the name is taken
        {"LIVRET A", -1, nullptr}, // its own name in other letters
        {"Livret B", nordID, nullptr},
    };
    for (const auto& c : cases) {
        const QString before = digest();
        if (c.refusal)
            ui().answerAlert(localizedDialogue(QString::fromLatin1(c.refusal)), 1000);
        const long result = editCompte(9, [&c](FenEditCompteController& w) {
            WindowDriver(w).type(QStringLiteral("field_nom"), QString::fromUtf8(c.name));
            if (c.bank >= 0) {
                auto* pop = w.outlet<PopCompte>(QStringLiteral("pop_banqueD"));
                pop->rebuild();
                EXPECT_TRUE(pop->activateTag(c.bank)) << c.name;
            }
            w.perform(QStringLiteral("OUI:"));
            if (c.refusal) // still open: the user gives up
                w.perform(QStringLiteral("NON:"));
        });
        EXPECT_EQ(result, c.refusal ? 0 : 1) << c.name;
        if (c.refusal) {
            EXPECT_EQ(digest(), before) << c.name;
            continue;
        }
        const TOOL* livret = getTool(kToolCompte, 9, &doc);
        EXPECT_EQ(livret->nom, QString::fromUtf8(c.name));
        EXPECT_EQ(livret->ownerID, c.bank >= 0 ? c.bank : 10);
    }
}

// What each type shows and keeps: category and tax for a payee, statement days for the user's
// own, nothing of either for cash; and the banks its pop-up offers.
TEST_F(FenEditCompteControllerTest, EachTypeOffersItsOwnControls)
{
    const struct {
        long compte;
        bool poste, taxe, dates;
        qint32 bankFilter;
    } cases[] = {
        {22, true, true, false, kFilterBanqueTiers},
        {7, false, false, true, kFilterBanqueUser},
        {30, false, false, false, kFilterBanqueLiquide},
    };
    for (const auto& c : cases) {
        editCompte(c.compte, [&c](FenEditCompteController& w) {
            WindowDriver window(w);
            // A text view is never disabled, only made read-only.
            const auto editable = [&window](const char* name) {
                return !qobject_cast<QPlainTextEdit*>(window.widget(QString::fromLatin1(name)))->isReadOnly();
            };
            EXPECT_EQ(editable("view_poste"), c.poste) << c.compte;
            EXPECT_EQ(window.widget(QStringLiteral("pop_taxe"))->isEnabled(), c.taxe) << c.compte;
            EXPECT_EQ(editable("field_date1"), c.dates) << c.compte;
            EXPECT_EQ(window.text(QStringLiteral("field_date1")).isEmpty(), !c.dates) << c.compte;
            EXPECT_EQ(w.outlet<PopCompte>(QStringLiteral("pop_banqueD"))->getPOPcompteBFilter(), c.bankFilter);
            window.grab(QStringLiteral("FenEditCompte_%1.png").arg(c.compte));
            w.perform(QStringLiteral("NON:"));
        });
    }
}

TEST_F(FenEditCompteControllerTest, StatementDaysAreHeldToTheMonth)
{
    const std::pair<const char*, long> cases[]
        = {{"", 0}, {"0", 0}, {"15", 15}, {"31", 31}, {"32", 31}, {"99999999999999999999", 31}};
    for (const auto& [typed, day] : cases)
        EXPECT_EQ(FenEditCompteController::statementDay(QString::fromLatin1(typed)), day) << typed;
    editCompte(7, [](FenEditCompteController& w) {
        WindowDriver(w).type(QStringLiteral("field_date2"), QStringLiteral("45"));
        w.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(getTool(kToolCompte, 7, &doc)->dateReleve1, 31);
}

} // namespace

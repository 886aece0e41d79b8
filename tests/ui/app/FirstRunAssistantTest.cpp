// The first-run assistant on a document just created through the delegate: every path through
// its questions, in the order the user meets them, and what each cancel leaves in the document.
#include "ShellFixture.h"

#include "entities/FenDeviseController.h"
#include "entities/FenEditBanqueController.h"
#include "entities/FenEditCompteController.h"
#include "entities/FenEditSoldeInitialController.h"
#include "entities/FenEditVarianteController.h"
#include "entities/FenVarianteController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"
#include "support/TestEnvironment.h"

#include <QDir>

namespace {

class FirstRunAssistantTest : public ShellFixture {
protected:
    FirstRunAssistantTest() { m_folder = testenv::freshDir(QStringLiteral("assistant")); }

    // A new document, its assistant answered by what the test queued.
    DOCUMENT& create()
    {
        const QString url = m_folder + QStringLiteral("/Nouveau.svd");
        QDir().mkpath(url);
        EXPECT_TRUE(delegate->nouveauDocument(url, kFileSystemLocal));
        return *delegate->document();
    }
    // The user's own banks and their accounts, in the tree's order: "Banque: Compte, Compte".
    static QStringList ownBanks(const DOCUMENT& doc)
    {
        QStringList banks;
        for (const TOOL& banque : *TOOL::toolList(kToolBanque, &doc)) {
            if (banque.bType != kBanqueUser)
                continue;
            QStringList comptes;
            for (const TOOL& compte : *TOOL::toolList(kToolCompte, &doc))
                if (compte.ownerID == banque.ident)
                    comptes << compte.nom;
            banks << banque.nom + QStringLiteral(": ") + comptes.join(QStringLiteral(", "));
        }
        return banks;
    }
    static const TOOL* compteNamed(DOCUMENT& doc, const QString& nom)
    {
        for (const TOOL& compte : *TOOL::toolList(kToolCompte, &doc))
            if (compte.nom == nom)
                return &compte;
        return nullptr;
    }
    void closeCurrencies()
    {
        ui().onModal<FenDeviseController>([this](FenDeviseController& window) {
            EXPECT_TRUE(window.isAssistantModal());
            note(QStringLiteral("FenDeviseController"));
            window.close();
        });
    }
    static QString dialogue(const char* key) { return localizedDialogue(QString::fromLatin1(key)); }

    QString m_folder;
};

} // namespace

// Stopping before the banks ends on the page that says how to go on later, without Cancel; the
// currencies window, when asked for, runs modally between the currency question and the next.
TEST_F(FirstRunAssistantTest, StoppingEarlyShowsTheLaterPageAndTheCurrenciesWindowRunsInBetween)
{
    const QString devise = QStringLiteral("ASSIST002 +") + dialogue("kConfirm_ChangeDevise");
    const struct {
        const char* name;
        std::vector<const char*> answers;
        bool currencies;
        QStringList expected;
    } cases[] = {
        {"cancel at the welcome", {"NON:", "OUI:"}, false, {"ASSIST001", "ASSIST006 seul"}},
        {"cancel at the currency", {"OUI:", "NON:", "OUI:"}, false, {"ASSIST001", devise, "ASSIST006 seul"}},
        {"currencies, then no bank",
         {"OUI:", "AUTRE:", "NON:", "OUI:"},
         true,
         {"ASSIST001", devise, "FenDeviseController", "ASSIST003", "FenEditBanqueController", "ASSIST005 seul"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* action : c.answers)
            answer(action);
        if (c.currencies) {
            closeCurrencies();
            edit<FenEditBanqueController>("Abandon", "NON:");
        }
        const qsizetype before = trace().size();
        DOCUMENT& doc = create();
        EXPECT_EQ(trace().mid(before), c.expected);
        EXPECT_TRUE(ownBanks(doc).isEmpty());
        EXPECT_EQ(FenDeviseController::current(), nullptr);
        delegate->doCloseDocument(false);
        QDir(m_folder).removeRecursively();
    }
}

// Two banks, the first with two accounts: an opening balance and a cheque book for the first
// account, then every answer that stops a repetition. The third buttons repeat; Cancel of the
// banks' introduction does not skip the banks.
TEST_F(FirstRunAssistantTest, BanksAccountsOpeningBalanceAndChequeBooks)
{
    answer("OUI:"); // welcome
    answer("OUI:"); // keep the currency
    answer("NON:"); // the introduction's Cancel
    edit<FenEditBanqueController>("Banque Nord", "OUI:");
    answer("OUI:"); // create its accounts
    edit<FenEditCompteController>("Compte courant", "OUI:");
    answer("AUTRE:"); // enter its opening balance
    ui().onModal<FenEditSoldeInitialController>([this](FenEditSoldeInitialController& window) {
        note(QStringLiteral("FenEditSoldeInitialController"));
        WindowDriver(window).type(QStringLiteral("field_solde"), QStringLiteral("1500"));
        window.perform(QStringLiteral("OUI:"));
    });
    answer("AUTRE:"); // its cheque books and cards
    ui().onModal<FenEditVarianteChequeController>([this](FenEditVarianteChequeController& editor) {
        note(QStringLiteral("FenEditVarianteChequeController"));
        WindowDriver(editor).type(QStringLiteral("field_numero"), QStringLiteral("0000101"));
        editor.perform(QStringLiteral("OUI:"));
    });
    ui().onModal<FenVarianteController>([this](FenVarianteController& window) {
        note(QStringLiteral("FenVarianteController"));
        window.perform(QStringLiteral("CREER1:"));
        window.perform(QStringLiteral("OUI:"));
    });
    answer("AUTRE:"); // another account
    edit<FenEditCompteController>("Livret", "OUI:");
    answer("OUI:"); // no opening balance: still the cheque books
    answer("NON:");
    answer("OUI:"); // no more accounts
    answer("AUTRE:"); // another bank
    edit<FenEditBanqueController>("Banque Sud", "OUI:");
    answer("NON:"); // no accounts in it
    answer("OUI:"); // done
    answer("OUI:");

    DOCUMENT& doc = create();
    const QString compte = QStringLiteral("ASSIST009 +") + dialogue("kConfirm_SoldeInitial");
    const QString moyens = QStringLiteral("ASSIST010 +") + dialogue("kConfirm_Moyens");
    const QString autreCompte = QStringLiteral("ASSIST008 +") + dialogue("kConfirm_AutreCompte");
    const QString autreBanque = QStringLiteral("ASSIST004 +") + dialogue("kConfirm_AutreBanque");
    EXPECT_EQ(trace(),
              QStringList({"ASSIST001",
                           QStringLiteral("ASSIST002 +") + dialogue("kConfirm_ChangeDevise"),
                           "ASSIST003",
                           "FenEditBanqueController",
                           "ASSIST007",
                           "FenEditCompteController",
                           compte,
                           "FenEditSoldeInitialController",
                           moyens,
                           "FenVarianteController",
                           "FenEditVarianteChequeController",
                           autreCompte,
                           "FenEditCompteController",
                           compte,
                           moyens,
                           autreCompte,
                           autreBanque,
                           "FenEditBanqueController",
                           "ASSIST007",
                           autreBanque,
                           "ASSIST005 seul"}));
    EXPECT_EQ(ownBanks(doc), QStringList({"Banque Nord: Compte courant, Livret", "Banque Sud: "}));
    const TOOL* courant = compteNamed(doc, QStringLiteral("Compte courant"));
    ASSERT_NE(courant, nullptr);
    EXPECT_NEAR(courant->solde.getValueForDevise(0), 1500.0, 0.005);
    EXPECT_EQ(doc.transact_array.size(), 1);
    const VarianteList* books = MOYEN::variantesArrayForFamily(9, courant->ident, &doc);
    ASSERT_NE(books, nullptr);
    ASSERT_EQ(books->size(), 1);
    const TOOL* livret = compteNamed(doc, QStringLiteral("Livret"));
    ASSERT_NE(livret, nullptr);
    const VarianteList* none = MOYEN::variantesArrayForFamily(9, livret->ident, &doc);
    EXPECT_TRUE(!none || none->isEmpty());
}

// Each editor's Cancel ends its own repetition only: the bank made before a cancelled account
// editor keeps its first account, a cancelled balance or cheque-book window adds nothing, and
// the cancelled second bank leaves the first.
TEST_F(FirstRunAssistantTest, ACancelledEditorKeepsWhatWasMadeBeforeIt)
{
    answer("OUI:");
    answer("OUI:");
    answer("OUI:");
    edit<FenEditBanqueController>("Banque Nord", "OUI:");
    answer("OUI:");
    edit<FenEditCompteController>("Compte courant", "OUI:");
    answer("AUTRE:");
    edit<FenEditSoldeInitialController>(nullptr, "NON:");
    answer("AUTRE:"); // the balance was cancelled, the cheque books are still offered
    edit<FenVarianteController>(nullptr, "NON:");
    answer("AUTRE:");
    edit<FenEditCompteController>("Abandon", "NON:");
    answer("AUTRE:"); // another bank, then its editor cancelled
    edit<FenEditBanqueController>("Banque Sud", "NON:");
    answer("OUI:");

    DOCUMENT& doc = create();
    EXPECT_EQ(trace().mid(trace().indexOf(QStringLiteral("FenEditSoldeInitialController"))),
              QStringList({"FenEditSoldeInitialController", QStringLiteral("ASSIST010 +") + dialogue("kConfirm_Moyens"),
                           "FenVarianteController", QStringLiteral("ASSIST008 +") + dialogue("kConfirm_AutreCompte"),
                           "FenEditCompteController", QStringLiteral("ASSIST004 +") + dialogue("kConfirm_AutreBanque"),
                           "FenEditBanqueController", "ASSIST005 seul"}));
    EXPECT_EQ(ownBanks(doc), QStringList({"Banque Nord: Compte courant"}));
    EXPECT_TRUE(doc.transact_array.isEmpty());
    const VarianteList* books
        = MOYEN::variantesArrayForFamily(9, compteNamed(doc, QStringLiteral("Compte courant"))->ident, &doc);
    EXPECT_TRUE(!books || books->isEmpty());
}

// Outside the assistant an account is made through the same routine: a payee is asked nothing
// more, cash is offered its opening balance but not cheque books, and the user's own account both.
TEST_F(FirstRunAssistantTest, WhatANewAccountIsOfferedFollowsItsBanksType)
{
    answer("NON:");
    answer("OUI:");
    DOCUMENT& doc = create();
    const long userBank = [&doc] {
        TOOL banque = TOOL::newToolHdl(kToolBanque, -1, QStringLiteral("Banque Nord"), kBanqueUser, 0, &doc);
        const long ident = TOOL::addToolToDocumentNoCopy(kToolBanque, banque, &doc);
        buildToolArbo(&doc);
        return ident;
    }();
    const struct {
        long banque;
        int bType;
        QStringList expected;
    } cases[] = {
        {kBanqueTiersSpeciauxID, kBanqueTiers, {"FenEditCompteController"}},
        {kBanqueLiquideID,
         kBanqueLiquide,
         {"FenEditCompteController", QStringLiteral("ASSIST009 +") + dialogue("kConfirm_SoldeInitial")}},
        {userBank,
         kBanqueUser,
         {"FenEditCompteController", QStringLiteral("ASSIST009 +") + dialogue("kConfirm_SoldeInitial"),
          QStringLiteral("ASSIST010 +") + dialogue("kConfirm_Moyens")}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QByteArray nom = QByteArray("Compte ") + QByteArray::number(++n);
        edit<FenEditCompteController>(nom.constData(), "OUI:");
        if (c.bType != kBanqueTiers)
            answer("OUI:");
        if (c.bType == kBanqueUser)
            answer("OUI:");
        const qsizetype before = trace().size();
        long ident = -1;
        EXPECT_TRUE(createCompteWithDialog(nullptr, c.banque, c.bType, &ident, doc));
        EXPECT_EQ(trace().mid(before), c.expected) << c.bType;
        ASSERT_NE(getTool(kToolCompte, ident, &doc), nullptr);
    }
}

// Every page the assistant and the year's closing ask for ships with the program, and every
// third button has its text.
TEST(FirstRunAssistantPages, EveryPageAndButtonTextExists)
{
    for (const char* page : {"ASSIST001", "ASSIST002", "ASSIST003", "ASSIST004", "ASSIST005", "ASSIST006", "ASSIST007",
                             "ASSIST008", "ASSIST009", "ASSIST010", "ASSIST100", "ASSIST110", "ASSIST120"})
        EXPECT_FALSE(FenAskPoursuivreController::assistantPagePath(QString::fromLatin1(page)).isEmpty()) << page;
    for (const char* key : {"kConfirm_ChangeDevise", "kConfirm_AutreBanque", "kConfirm_AutreCompte",
                            "kConfirm_SoldeInitial", "kConfirm_Moyens"})
        EXPECT_NE(localizedDialogue(QString::fromLatin1(key)), QString::fromLatin1(key)) << key;
}

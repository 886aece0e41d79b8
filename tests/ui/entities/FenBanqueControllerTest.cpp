// The banks-and-accounts window over a household's document: three banks of its own and its
// payees, eight accounts, a few transactions.
#include "entities/FenBanqueController.h"
#include "entities/FenBanqueActions.h"
#include "entities/FenEditBanqueController.h"
#include "entities/FenEditCompteController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/popups/PopCategorie.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/MACRO.h"
#include "model/TOOL.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"
#include "toolkit/tables/StdTableView.h"

#include <QLayout>

#include <cstring>

namespace {

using testenv::tool;

TRANSACT transact(long who1, long who2, double amount, const char* why)
{
    TRANSACT t;
    std::tie(t.who1, t.who2, t.why) = std::tuple(who1, who2, QString::fromUtf8(why));
    t.solde = testenv::amount(amount);
    return t;
}

class FenBanqueTest : public UiTestFixture {
protected:
    FenBanqueTest()
    {
        testenv::addDefaultDocParam(doc);
        doc.docParam->defaultCompte = 20;
        doc.docParam->defaultCompteHistorique = -1;
        doc.banqueHdl = {tool(kToolBanque, kBanqueTiersSpeciauxID, "Comptes spéciaux", kBanqueTiers),
                         tool(kToolBanque, kBanqueLiquideID, "Liquide", kBanqueLiquide),
                         tool(kToolBanque, 10, "Banque du Centre", kBanqueUser),
                         tool(kToolBanque, 11, "Caisse d'Épargne", kBanqueUser),
                         tool(kToolBanque, 12, "Fournisseurs", kBanqueTiers)};
        doc.compteHdl = {tool(kToolCompte, kCompteAnonymeID, "Anonyme", kBanqueTiers, 1),
                         tool(kToolCompte, kCompteInitialisationID, "Initialisation", kBanqueTiers, 1),
                         tool(kToolCompte, 20, "Compte courant", kBanqueUser, 10),
                         tool(kToolCompte, 21, "Livret A", kBanqueUser, 10),
                         tool(kToolCompte, 22, "Compte joint", kBanqueUser, 11),
                         tool(kToolCompte, 30, "Boulangerie", kBanqueTiers, 12),
                         tool(kToolCompte, 31, "Électricité", kBanqueTiers, 12),
                         tool(kToolCompte, 40, "Porte-monnaie", kBanqueLiquide, 2)};
        doc.compteHdl[2].infos = QStringLiteral("FR76 3000 4000 0100");
        doc.transact_array = {transact(20, 30, 42.5, "Pain"), transact(20, 31, 80, ""),
                              transact(5, 20, 1500, "Solde initial"), transact(22, 40, 60, "Retrait")};
        MACRO macro;
        macro.transact = transact(20, 31, 80, "Facture");
        doc.macroHdl = {macro};
        opened.emplace(doc);
    }
    ~FenBanqueTest() override
    {
        if (FenBanqueController* fen = FenBanqueController::current())
            fen->window()->close();
    }
    FenBanqueController& open()
    {
        FenBanqueController* fen = showBanques(true);
        EXPECT_NE(fen, nullptr);
        return *fen;
    }
    void selectBanque(FenBanqueController& fen, long ident)
    {
        long row = -1;
        ASSERT_TRUE(findTool(&toolTree(&doc), ident, &row));
        fen.table1()->GO(int(row));
    }
    void selectCompte(FenBanqueController& fen, long ident)
    {
        long row = -1;
        ASSERT_NE(fen.arrayOfComptes(), nullptr);
        ASSERT_TRUE(findTool(fen.arrayOfComptes(), ident, &row));
        fen.table2()->GO(int(row));
    }
    QStringList comptesShown(const FenBanqueController& fen) const
    {
        QStringList names;
        for (const ToolNode& node : fen.arrayOfComptes() ? *fen.arrayOfComptes() : ToolNodeList())
            names << getToolNameNS(kToolCompte, node.ident, &doc);
        return names;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> opened;
};

// Both lists take their share of what fitting the window's height gives it, so fitting it again
// at the next opening changes nothing.
TEST_F(FenBanqueTest, FittingTheHeightAgainChangesNothingAndEachListHoldsItsRows)
{
    opened.reset();
    for (long i = 0; i < 9; ++i)
        doc.banqueHdl.append(tool(kToolBanque, 50 + i, "Banque régionale", kBanqueUser));
    opened.emplace(doc);
    FenBanqueController& fen = open();
    selectBanque(fen, 10);
    const auto fitted = [&fen] {
        fen.adjustHeight(false);
        return fen.window()->geometry();
    };
    const QRect first = fitted();
    EXPECT_EQ(fitted(), first);
    EXPECT_EQ(fitted(), first);
    for (StdTableView* table : {fen.table1(), fen.table2()}) {
        const long rows = std::max(fen.minimumOfVisibleRows(), long(table->numberOfRows()));
        const int least = table->minimumHeight() - (table->height() - table->contentsRect().height());
        EXPECT_NEAR(table->contentsRect().height(), std::max(int(rows) * table->uniformRowHeight(), least),
                    table->uniformRowHeight() / 2)
            << table->objectName().toStdString();
    }
}

// Given back a frame too short for its lists (kept when it had fewer banks), the window still
// shows every bank, the accounts' list, empty until a bank is chosen, giving up its room first.
TEST_F(FenBanqueTest, EveryBankShowsInAFrameTooShortForBothLists)
{
    ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768);
    opened.reset();
    doc.banqueHdl.append(tool(kToolBanque, 13, "Banque Postale", kBanqueUser));
    opened.emplace(doc);
    FenBanqueController& fen = open();
    fen.window()->setGeometry(QRect(60, 120, 829, 480));
    fen.window()->layout()->activate();
    StdTableView* banques = fen.table1();
    EXPECT_GE(banques->viewport()->height(), banques->numberOfRows() * banques->uniformRowHeight());
    EXPECT_GE(fen.table2()->viewport()->height(), fen.minimumOfVisibleRows() * fen.table2()->uniformRowHeight());
    EXPECT_TRUE(StdWindowPlacement::isWithinArea(fen.window()));
    WindowDriver(fen).grab(QStringLiteral("banques-short-frame.png"));
}

} // namespace

// Reserved accounts, accounts in use and free ones, each decided before anything changes.
TEST_F(FenBanqueTest, DeletionPlanProbesEveryUse)
{
    doc.transact_array.append(transact(3, 20, 1, ""));
    using Kind = CompteDeletion::Kind;
    const std::tuple<long, QString, Kind, QString> cases[] = {
        {5, "kAlerte_CantEffacerSpecial", Kind::Archive, ""}, // refused before the probe
        {20, "kAlerte_CantEffacerDefault", Kind::Refuse, "kAlerte_CantEffacerCompteTrans"},
        {30, "", Kind::Archive, ""},
        {31, "", Kind::Refuse, "kAlerte_CantEffacerCompteMacro"},
        {22, "", Kind::Refuse, "kAlerte_CantEffacerCompteTrans"},
        {21, "", Kind::Delete, ""},
    };
    for (const auto& [ident, reserved, kind, alert] : cases) {
        EXPECT_EQ(reservedCompteAlert(ident, doc), reserved) << ident;
        const CompteDeletion plan = planCompteDeletion(*TOOL::getTool(kToolCompte, ident, &doc), doc);
        EXPECT_EQ(plan.kind, kind) << ident;
        EXPECT_EQ(plan.alertKey, alert) << ident;
    }
}

TEST_F(FenBanqueTest, MoveLogicKeepsTypesApart)
{
    const std::tuple<QList<long>, long, int, long> cases[] = {
        {{20, 21}, 11, 2, 11}, // own accounts to another own bank
        {{21}, 12, 0, 11}, // an own account refused by a payees' bank
        {{30}, 99, 0, 12}, // no such bank
    };
    for (const auto& [idents, banque, moved, owner] : cases) {
        EXPECT_EQ(moveComptesToBanque(idents, banque, doc), moved) << banque;
        EXPECT_EQ(TOOL::getTool(kToolCompte, idents.first(), &doc)->ownerID, owner) << banque;
    }
    long row = -1;
    ASSERT_TRUE(findTool(&toolTree(&doc), 11, &row));
    EXPECT_EQ(toolTree(&doc)[row].liste.size(), 3);
}

TEST_F(FenBanqueTest, TypedCharacterAndBalanceColours)
{
    long row = -1;
    ASSERT_TRUE(findTool(&toolTree(&doc), 12, &row));
    const ToolNodeList& payees = toolTree(&doc)[row].liste; // Boulangerie, Électricité
    for (const auto& [typed, expected] : {std::pair(u'a', 0), {u'C', 1}, {u'z', 1}, {u'-', -1}})
        EXPECT_EQ(chercherCompteRow(QChar(typed), payees, doc), expected) << char(typed);
    const QColor red = QColor::fromRgbF(0.5f, 0, 0);
    const QColor green = QColor::fromRgbF(0, 0.3f, 0);
    for (const auto& [amount, bType, colour] : {std::tuple(10.0, kBanqueTiers, red),
                                                {-10.0, kBanqueTiers, green},
                                                {-10.0, kBanqueUser, red},
                                                {10.0, kBanqueLiquide, green}})
        EXPECT_EQ(soldeColor(testenv::amount(amount), bType), colour) << amount << bType;
}

// The payee used only by transactions is archived then deleted; its transactions name the
// history account; refusals and a declined confirmation change nothing.
TEST_F(FenBanqueTest, ArchivesAPayeeAndRefusesAccountsInUse)
{
    FenBanqueController& fen = open();
    selectBanque(fen, 12);
    EXPECT_EQ(comptesShown(fen), QStringList({"Boulangerie", "Électricité"}));
    WindowDriver(fen).grab(QStringLiteral("FenBanque.png"));

    selectCompte(fen, 31);
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_CantEffacerCompteMacro")), kAlertFirstButton);
    fen.SUPPRIMERC();
    selectCompte(fen, 30);
    ui().answerAlert(kAlertFirstButton); // declines
    fen.SUPPRIMERC();
    EXPECT_NE(TOOL::getTool(kToolCompte, 30, &doc), nullptr);

    ui().answerAlert(kAlertSecondButton);
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_suppTiersOK")), kAlertFirstButton);
    fen.SUPPRIMERC();
    EXPECT_EQ(TOOL::getTool(kToolCompte, 30, &doc), nullptr);
    const long historique = doc.docParam->defaultCompteHistorique;
    ASSERT_GE(historique, 0);
    EXPECT_EQ(doc.transact_array[0].who2, historique);
    EXPECT_EQ(doc.transact_array[0].why, QStringLiteral("Pain - Archive du compte Boulangerie"));
    EXPECT_EQ(comptesShown(fen), QStringList({"Électricité"}));
}

// Without a bank for the history account, archiving fails and the payee stays with its transactions.
TEST_F(FenBanqueTest, FailedArchiveKeepsThePayee)
{
    doc.compteHdl.removeAt(1); // no initialisation account: no bank for the history account
    EXPECT_FALSE(archiveAndDeleteCompte(30, doc));
    EXPECT_NE(TOOL::getTool(kToolCompte, 30, &doc), nullptr);
    EXPECT_EQ(doc.transact_array[0].who2, 30);
}

// A bank with accounts is refused; deleting the last bank selects the one before, the only one none.
TEST_F(FenBanqueTest, DeletesEmptyBanksAndSelectsTheRowBefore)
{
    FenBanqueController& fen = open();
    selectBanque(fen, 10);
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_CantEffacerBanque")), kAlertFirstButton);
    fen.SUPPRIMERB();
    EXPECT_NE(TOOL::getTool(kToolBanque, 10, &doc), nullptr);

    doc.banqueHdl.append(tool(kToolBanque, 13, "Zèbre", kBanqueTiers));
    insertDeal(kToolBanque, doc.banqueHdl.last(), nullptr, &doc, false);
    fen.table1()->reloadData();
    selectBanque(fen, 13);
    const int last = fen.table1()->numberOfRows() - 1;
    ASSERT_EQ(*fen.table1()->selectedRowIndexes().begin(), last);
    ui().answerAlert(kAlertSecondButton);
    fen.SUPPRIMERB();
    EXPECT_EQ(TOOL::getTool(kToolBanque, 13, &doc), nullptr);
    ASSERT_FALSE(fen.table1()->selectedRowIndexes().empty());
    EXPECT_EQ(*fen.table1()->selectedRowIndexes().begin(), last - 1);
}

// Dropping accounts on a bank of their type moves them and shows them selected there.
TEST_F(FenBanqueTest, DropMovesAccountsToTheTargetBank)
{
    FenBanqueController& fen = open();
    selectBanque(fen, 10);
    selectCompte(fen, 21);
    long target = -1;
    ASSERT_TRUE(findTool(&toolTree(&doc), 12, &target));
    EXPECT_FALSE(fen.validateDrop(target));
    ASSERT_TRUE(findTool(&toolTree(&doc), 11, &target));
    EXPECT_TRUE(fen.validateDrop(target));
    fen.dragRowsFromIndexes(fen.table2()->selectedRowIndexes(), target);
    EXPECT_EQ(TOOL::getTool(kToolCompte, 21, &doc)->ownerID, 11);
    EXPECT_EQ(comptesShown(fen), QStringList({"Compte joint", "Livret A"}));
    EXPECT_EQ(fen.table2()->selectedRowIndexes(), IndexSet({1}));
}

// Banks and accounts are created and edited through the editors from the window's own controls;
// each step leaves the bank and account it made or renamed selected, at their new places.
TEST_F(FenBanqueTest, CreatesAndEditsThroughTheEditors)
{
    FenBanqueController& fen = open();
    WindowDriver window(fen);
    const auto poursuivre = [this](const char* action) {
        ui().onModal<FenAskPoursuivreController>(
            [action](FenAskPoursuivreController& w) { w.perform(QString::fromLatin1(action)); });
    };
    const auto edit = [this]<class Editor>(Editor*, const char* name, const char* button) {
        ui().onModal<Editor>([name, button](Editor& w) {
            WindowDriver(w).type(QStringLiteral("field_nom"), QString::fromUtf8(name));
            w.perform(QString::fromLatin1(button));
        });
    };
    const auto selection = [&fen, &window, this] {
        const long banque = toolIndexToIdent(&toolTree(&doc), *fen.table1()->selectedRowIndexes().begin());
        const QList<long> comptes = fen.table2()->selectedRowIndexes().empty()
            ? QList<long>()
            : QList<long>({toolIndexToIdent(fen.arrayOfComptes(), *fen.table2()->selectedRowIndexes().begin())});
        return QStringLiteral("%1 [%2] %3 init:%4")
            .arg(getToolNameNS(kToolBanque, banque, &doc), comptesShown(fen).join(u','),
                 comptes.isEmpty() ? QString() : getToolNameNS(kToolCompte, comptes.first(), &doc))
            .arg(window.widget(QStringLiteral("SOLDE_INITIAL:"))->isEnabled());
    };
    const struct {
        const char* action; // null: the bank-kind pop-up, own banks
        bool bankEditor;
        const char* name;
        const char* button;
        const char* expected;
    } steps[] = {
        {nullptr, true, "Banque Nord", "OUI:", "Banque Nord []  init:0"},
        {"CREERC:", false, "Compte Nord", "OUI:", "Banque Nord [Compte Nord] Compte Nord init:1"},
        {"CREERC:", false, "Abandon", "NON:", "Banque Nord [Compte Nord] Compte Nord init:1"},
        {"VOIRC:", false, "Livret Nord", "OUI:", "Banque Nord [Livret Nord] Livret Nord init:1"},
        {"VOIRB:", true, "Agence Nord", "OUI:", "Agence Nord [Livret Nord]  init:0"},
        {"VOIRB:", true, "Zut", "NON:", "Agence Nord [Livret Nord]  init:0"},
    };
    for (const auto& step : steps) {
        if (step.bankEditor)
            edit(static_cast<FenEditBanqueController*>(nullptr), step.name, step.button);
        else
            edit(static_cast<FenEditCompteController*>(nullptr), step.name, step.button);
        if (!step.action) {
            poursuivre("NON:"); // no accounts now
            auto* pop = fen.outlet<PopCategorie>(QStringLiteral("pop_categorieD"));
            ASSERT_NE(pop, nullptr);
            pop->rebuild();
            ASSERT_TRUE(pop->activateTag(kBanqueUser));
        } else {
            if (!strcmp(step.name, "Compte Nord"))
                poursuivre("NON:"); // no initial balance now
            ASSERT_TRUE(window.click(QString::fromLatin1(step.action))) << step.action;
        }
        ASSERT_FALSE(fen.table1()->selectedRowIndexes().empty()) << step.name;
        EXPECT_EQ(selection().toStdString(), step.expected) << step.name;
    }
    // Renamed, the bank went to the front of the user's banks.
    EXPECT_EQ(getToolNameNS(kToolBanque, toolIndexToIdent(&toolTree(&doc), 0), &doc), QStringLiteral("Agence Nord"));
    EXPECT_NE(fen.window()->findChild<QWidget*>(QStringLiteral("GRAPHIQUE:")), nullptr); // graphs are offered
    window.grab(QStringLiteral("FenBanque_edited.png"));
}

// The first-run assistant on documents just created through the delegate: every way through its
// questions, the windows in the order the user meets them, and what each cancel leaves.
#include "ShellFixture.h"

#include "app/MainMenu.h"
#include "entities/FenDeviseController.h"
#include "entities/FenEditCompteController.h"

#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

#include <functional>

namespace {

// A question (its page's name) or a window, and the user's answer: a button, with a text typed
// first into the window's name or amount; "close" closes the window.
struct Step {
    const char* window;
    const char* action;
    const char* typed = nullptr;
};

class FirstRunAssistantTest : public ShellFixture {
protected:
    void play(const std::vector<Step>& steps)
    {
        for (const Step& step : steps) {
            const QString window = QString::fromLatin1(step.window);
            if (window.startsWith(QLatin1String("ASSIST"))) {
                answer(step.window, step.action);
                continue;
            }
            ui().onModal(window, [step](const ModalRequest& request) {
                auto* controller = qobject_cast<StdWindowController*>(request.controller);
                if (auto* devises = qobject_cast<FenDeviseController*>(controller)) {
                    EXPECT_TRUE(devises->isAssistantModal());
                    devises->close();
                    return;
                }
                if (step.typed)
                    WindowDriver(*controller)
                        .type(controller->outlet(QStringLiteral("field_solde")) ? QStringLiteral("field_solde")
                                                                                : QStringLiteral("field_nom"),
                              QString::fromLatin1(step.typed));
                controller->perform(QString::fromLatin1(step.action));
            });
        }
    }
    // The windows run, questions under their controller's name.
    static QStringList windowsOf(const std::vector<Step>& steps)
    {
        QStringList windows;
        for (const Step& step : steps)
            windows << (QByteArray(step.window).startsWith("ASSIST") ? "FenAskPoursuivreController" : step.window);
        return windows;
    }
    // The user's own banks with their accounts: "Banque: Compte, Compte; Banque: ".
    static QString ownBanks(const DOCUMENT& doc)
    {
        QStringList banks;
        for (const TOOL& banque : *TOOL::toolList(kToolBanque, &doc)) {
            QStringList comptes;
            for (const TOOL& compte : *TOOL::toolList(kToolCompte, &doc))
                if (compte.ownerID == banque.ident)
                    comptes << compte.nom;
            if (banque.bType == kBanqueUser)
                banks << banque.nom + QStringLiteral(": ") + comptes.join(QStringLiteral(", "));
        }
        return banks.join(QStringLiteral("; "));
    }
    DOCUMENT& create()
    {
        const QString url = testenv::freshDir(QStringLiteral("assistant")) + QStringLiteral("/Nouveau.svd");
        QDir().mkpath(url);
        EXPECT_TRUE(delegate->nouveauDocument(url, kFileSystemLocal));
        return *delegate->document();
    }
};

} // namespace

// Each cancel ends its own step only: what was made before it stays, and the banks' introduction
// does not skip the banks. The closing page says whether the user stopped before the banks, even
// when no bank was made after them.
TEST_F(FirstRunAssistantTest, EveryWayThroughTheQuestions)
{
    const struct {
        const char* name;
        std::vector<Step> steps;
        const char* banks;
        qsizetype transactions;
    } cases[] = {
        {"cancel at the welcome", {{"ASSIST001", "NON:"}, {"ASSIST006", "OUI:"}}, "", 0},
        {"cancel at the currency", {{"ASSIST001", "OUI:"}, {"ASSIST002", "NON:"}, {"ASSIST006", "OUI:"}}, "", 0},
        {"the currencies window, then no bank",
         {{"ASSIST001", "OUI:"},
          {"ASSIST002", "AUTRE:"},
          {"FenDeviseController", "close"},
          {"ASSIST003", "NON:"},
          {"FenEditBanqueController", "NON:", "Abandon"},
          {"ASSIST005", "OUI:"}},
         "",
         0},
        {"two banks, two accounts, a balance and the cheque books",
         {{"ASSIST001", "OUI:"},
          {"ASSIST002", "OUI:"},
          {"ASSIST003", "NON:"},
          {"FenEditBanqueController", "OUI:", "Banque Nord"},
          {"ASSIST007", "OUI:"},
          {"FenEditCompteController", "OUI:", "Compte courant"},
          {"ASSIST009", "AUTRE:"},
          {"FenEditSoldeInitialController", "OUI:", "1500"},
          {"ASSIST010", "AUTRE:"},
          {"FenVarianteController", "OUI:"},
          {"ASSIST008", "AUTRE:"},
          {"FenEditCompteController", "OUI:", "Livret"},
          {"ASSIST009", "OUI:"},
          {"ASSIST010", "NON:"},
          {"ASSIST008", "OUI:"},
          {"ASSIST004", "AUTRE:"},
          {"FenEditBanqueController", "OUI:", "Banque Sud"},
          {"ASSIST007", "NON:"},
          {"ASSIST004", "OUI:"},
          {"ASSIST005", "OUI:"}},
         "Banque Nord: Compte courant, Livret; Banque Sud: ",
         1},
        {"cancelled editors after a first account",
         {{"ASSIST001", "OUI:"},
          {"ASSIST002", "OUI:"},
          {"ASSIST003", "OUI:"},
          {"FenEditBanqueController", "OUI:", "Banque Nord"},
          {"ASSIST007", "OUI:"},
          {"FenEditCompteController", "OUI:", "Compte courant"},
          {"ASSIST009", "AUTRE:"},
          {"FenEditSoldeInitialController", "NON:", "1500"},
          {"ASSIST010", "AUTRE:"},
          {"FenVarianteController", "NON:"},
          {"ASSIST008", "AUTRE:"},
          {"FenEditCompteController", "NON:", "Abandon"},
          {"ASSIST004", "AUTRE:"},
          {"FenEditBanqueController", "NON:", "Abandon"},
          {"ASSIST005", "OUI:"}},
         "Banque Nord: Compte courant",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        play(c.steps);
        const qsizetype before = ui().modalRuns().size();
        DOCUMENT& doc = create();
        QStringList run;
        for (qsizetype i = before; i < ui().modalRuns().size(); ++i)
            run << ui().modalRuns().at(i).name;
        EXPECT_EQ(run, windowsOf(c.steps));
        EXPECT_EQ(ownBanks(doc), QString::fromUtf8(c.banks));
        EXPECT_EQ(doc.transact_array.size(), c.transactions);
        delegate->doCloseDocument(false);
    }
}

// An account made outside the assistant goes through the same questions: none for a payee, the
// opening balance for cash, and the cheque books too in one of the user's own banks.
TEST_F(FirstRunAssistantTest, WhatANewAccountIsOfferedFollowsItsBanksType)
{
    play({{"ASSIST001", "NON:"}, {"ASSIST006", "OUI:"}});
    DOCUMENT& doc = create();
    const long userBank = TOOL::addToolToDocumentNoCopy(
        kToolBanque, TOOL::newToolHdl(kToolBanque, -1, QStringLiteral("Banque Nord"), kBanqueUser, 0, &doc), &doc);
    buildToolArbo(&doc);
    const struct {
        long banque;
        int bType;
        std::vector<Step> steps;
    } cases[] = {
        {kBanqueTiersSpeciauxID, kBanqueTiers, {{"FenEditCompteController", "OUI:", "Compte A"}}},
        {kBanqueLiquideID, kBanqueLiquide, {{"FenEditCompteController", "OUI:", "Compte B"}, {"ASSIST009", "OUI:"}}},
        {userBank,
         kBanqueUser,
         {{"FenEditCompteController", "OUI:", "Compte C"}, {"ASSIST009", "OUI:"}, {"ASSIST010", "OUI:"}}},
    };
    for (const auto& c : cases) {
        play(c.steps);
        const qsizetype before = ui().modalRuns().size();
        long ident = -1;
        EXPECT_TRUE(createCompteWithDialog(nullptr, c.banque, c.bType, &ident, doc));
        EXPECT_EQ(ui().modalRuns().size() - before, qsizetype(c.steps.size())) << c.bType;
        EXPECT_NE(getTool(kToolCompte, ident, &doc), nullptr);
    }
}

TEST(FirstRunAssistantPages, EveryPageShipsWithTheProgram)
{
    for (const char* page : {"ASSIST001", "ASSIST002", "ASSIST003", "ASSIST004", "ASSIST005", "ASSIST006", "ASSIST007",
                             "ASSIST008", "ASSIST009", "ASSIST010", "ASSIST100", "ASSIST110", "ASSIST120"})
        EXPECT_FALSE(FenAskPoursuivreController::assistantPagePath(QString::fromLatin1(page)).isEmpty()) << page;
}

// A page sends the user to "le menu <b>Menu</b>, sous <b>Item</b> et <b>Item</b>": each must be
// spelt as the menu bar shows it, and each item must be in that menu.
TEST_F(FirstRunAssistantTest, PagesNameTheMenusAndItemsOfTheMenuBar)
{
    MainMenu menus(delegate.get());
    const std::unique_ptr<QMenuBar> bar(menus.buildMenuBar(nullptr));
    QHash<QString, QStringList> items;
    const std::function<void(const QString&, const QMenu*)> collect = [&](const QString& top, const QMenu* menu) {
        for (const QAction* item : menu->actions()) {
            items[top] << item->text();
            if (item->menu())
                collect(top, item->menu());
        }
    };
    for (const QAction* top : bar->actions()) {
        items[top->text()]; // the accounts' menu is filled only as it opens
        collect(top->text(), top->menu());
    }
    const QRegularExpression reference(QStringLiteral(R"(menu <b>([^<]+)</b>(.*?)(?:</p>|\.\s))"));
    const QRegularExpression bold(QStringLiteral("<b>([^<]+)</b>"));
    int named = 0;
    for (const QString& page : QDir(QStringLiteral(":/ui/assistant")).entryList({QStringLiteral("*.html")})) {
        QFile file(QStringLiteral(":/ui/assistant/") + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString text = QString::fromUtf8(file.readAll()).simplified();
        for (const QRegularExpressionMatch& menu : reference.globalMatch(text)) {
            const QString title = menu.captured(1);
            EXPECT_TRUE(items.contains(title)) << page.toStdString() << ": " << title.toStdString();
            for (const QRegularExpressionMatch& item : bold.globalMatch(menu.captured(2))) {
                EXPECT_TRUE(items.value(title).contains(item.captured(1)))
                    << page.toStdString() << ": " << title.toStdString() << " > " << item.captured(1).toStdString();
                ++named;
            }
        }
    }
    EXPECT_GE(named, 4);
}

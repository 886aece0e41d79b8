// The standard pickers of a window, on a window that shows them all: choosing in a pop-up or
// typing in a completing field sets the window's identifiers, the currency follows the main
// currency when it moves, the dates go through the calendar, and the broadcasts reach an open
// window.
#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopDossier.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPlacement.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/DocumentSession.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/Devise.h"
#include "model/FINANCE.h"
#include "model/POSTE.h"
#include "model/Synonyme.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "support/FakeAppShell.h"

#include <QAction>
#include <QApplication>
#include <QFormLayout>
#include <QPushButton>
#include <QTest>

namespace {

double at(long day, long month, long year)
{
    double t = 0;
    dmyhmsToDate(day, month, year, 0, 0, 0, &t);
    return t;
}

template <class T> T named(long ident, const QString& nom)
{
    T t;
    t.ident = ident;
    t.nom = nom;
    return t;
}

TOOL tool(int kind, long ident, const QString& nom, int bType, long owner = -1)
{
    TOOL t = named<TOOL>(ident, nom);
    t.kind = kind;
    t.bType = bType;
    t.ownerID = owner;
    return t;
}

// Every picker beside its text, the two dates with their calendar buttons, Annuler and OK.
class FenPickersDemo : public StdWindowController {
    Q_OBJECT
public:
    QList<qint64> devises; // the slots DEVISE: received
    int adjustCount = 0;

    Q_INVOKABLE void DEVISE(QObject* sender)
    {
        devises << StdMenu::tagOf(sender);
        pickers().DEVISE(sender);
    }
    void adjustHeight(bool) override { ++adjustCount; }

protected:
    void buildInterface(StdWindow& window) override
    {
        window.setWindowTitle("Nouvelle opération");
        auto* form = new QFormLayout(&window);
        form->setContentsMargins(20, 18, 20, 16);
        form->addRow("Devise", add<PopDevise>("pop_devise"));
        form->addRow("Catégorie", row(add<PopPoste>("pop_poste"), add<TextViewPoste>("view_poste")));
        auto* debit = add<PopCompte>("pop_compteD");
        debit->setPOPcompteCFilter(kFilterBanqueUser | kFilterBanqueLiquide | kFilterBanqueTiers);
        form->addRow("Débit", row(debit, add<TextViewCompteD>("view_compteD")));
        auto* credit = add<PopCompte>("pop_compteC");
        credit->setCompteDebit(false);
        credit->setPOPcompteCFilter(kFilterBanqueUser | kFilterBanqueLiquide | kFilterBanqueTiers);
        form->addRow("Crédit", row(credit, add<TextViewCompteC>("view_compteC")));
        add<PopDossier>("pop_dossier")->setShowAllDossierOption(true);
        form->addRow("Dossier", row(add<StdPopUp>("pop_dossier"), add<StdTextView>("field_dossier")));
        form->addRow("Moyen", row(add<PopMoyen>("pop_moyen"), add<StdTextView>("field_moyen")));
        form->addRow("Taxe", row(add<PopTaxe>("pop_taxe"), add<StdTextView>("field_taxe")));
        form->addRow("Placement", row(add<PopPlacement>("pop_placement"), add<StdTextView>("field_placement")));
        form->addRow("Du", dateRow("1"));
        form->addRow("Au", dateRow("2"));
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        for (const auto& [title, action] : {std::pair {"Annuler", "NON:"}, std::pair {"OK", "OUI:"}}) {
            auto* button = new QPushButton(title, &window);
            connectAction(button, action);
            buttons->addWidget(button);
        }
        form->addRow(buttons);
        window.resize(460, window.sizeHint().height());
    }

private:
    // The control of that name, made on first asking.
    template <class W> W* add(const char* name)
    {
        if (auto* existing = windowIfLoaded()->findChild<W*>(name))
            return existing;
        auto* control = new W(windowIfLoaded());
        control->setObjectName(name);
        if (auto* text = qobject_cast<StdTextView*>(control))
            text->setMinimumWidth(260);
        return control;
    }
    QHBoxLayout* row(QWidget* pop, QWidget* text)
    {
        auto* layout = new QHBoxLayout;
        pop->setFixedWidth(32);
        layout->addWidget(pop);
        layout->addWidget(text, 1);
        return layout;
    }
    QHBoxLayout* dateRow(const QString& n)
    {
        auto* layout = new QHBoxLayout;
        layout->addWidget(sized(add<TextFieldJour>(qPrintable("field_jour" + n)), 36));
        layout->addWidget(sized(add<TextFieldMois>(qPrintable("field_mois" + n)), 36));
        layout->addWidget(sized(add<TextFieldAnnee>(qPrintable("field_annee" + n)), 56));
        auto* calendar = new QPushButton("Calendrier…", windowIfLoaded());
        connectAction(calendar, "CALENDRIER" + n + ":");
        layout->addWidget(calendar);
        layout->addStretch();
        return layout;
    }
    static QWidget* sized(QWidget* field, int width)
    {
        field->setFixedWidth(width);
        return field;
    }
};

// A window with a category pop-up but no text beside it.
class FenPopOnly : public StdWindowController {
    Q_OBJECT
protected:
    void buildInterface(StdWindow& window) override { (new PopPoste(&window))->setObjectName("pop_poste"); }
};

// The application's answer to "create a category", and the refreshes that follow it.
class CreatingShell : public FakeAppShell {
public:
    long CREATE_POSTE(QObject*, QObject*) override { return nextPoste; }
    long nextPoste = -1;
};
class RefreshListener : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void COMPUTE_ANALYSE_NOTIFICATION() { received << "COMPUTE_ANALYSE_NOTIFICATION"; }
    Q_INVOKABLE void REBUILD_LIST() { received << "REBUILD_LIST"; }
    QStringList received;
};

class ToolPaletteApp : public IWindowAppDelegate {
public:
    void windowDidBecomeMain(StdWindow*) override { }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return tool; }
    void doAuteur(StdWindow* window) override { auteurs << window; }
    StdWindowController* tool = nullptr;
    QList<StdWindow*> auteurs;
};

class PickersTest : public UiTestFixture {
protected:
    PickersTest()
    {
        doc.deviseHdl = Devise::defaultDevises();
        doc.deviseHdl[2].unit = "$";
        doc.deviseHdl[2].used = true;
        doc.dossierHdl = {named<DOSSIER>(2, "Courant"), named<DOSSIER>(3, "Vacances")};
        for (const auto& [ident, nom] :
             {std::pair {1L, "Alimentation"}, std::pair {4L, "Assurance"}, std::pair {5L, "Auto"}}) {
            POSTE poste = named<POSTE>(ident, nom);
            poste.dossierID = 2;
            POSTE::insertPoste(poste, doc.posteHdl);
        }
        doc.banqueHdl = {tool(kToolBanque, 10, "Banque du Port", kBanqueUser),
                         tool(kToolBanque, 11, "Commerçants", kBanqueTiers)};
        doc.compteHdl = {tool(kToolCompte, 20, "Compte courant", kBanqueUser, 10),
                         tool(kToolCompte, 21, "Livret A", kBanqueUser, 10),
                         tool(kToolCompte, 30, "Boulangerie", kBanqueTiers, 11)};
        doc.taxeHdl = {named<TAXE>(2, "TVA 20 %")};
        doc.titreHdl = {named<FINANCE>(5, "Air Liquide")};
        doc.remunereHdl = {named<FINANCE>(2, "Livret jeune")};
        doc.synonymeArray = {named<Synonyme>(7, "Prélèvement EDF")};
        DocumentSession::adopt(doc);
    }
    ~PickersTest() override
    {
        installAppShell(nullptr);
        setWindowAppDelegate(nullptr);
        DocumentSession::close();
    }

    FenPickersDemo* open(long devise = 0)
    {
        auto* window = StdWindowController::push<FenPickersDemo>(makeWindowData(), devise, true);
        window->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window->window()));
        return window;
    }
    static QString text(StdWindowController* window, const char* name)
    {
        return window->outlet<QPlainTextEdit>(name)->toPlainText();
    }
    static void choose(StdWindowController* window, const char* pop, qint64 tag)
    {
        window->outlet<StdPopUp>(pop)->rebuild();
        EXPECT_TRUE(window->outlet<StdPopUp>(pop)->activateTag(tag)) << pop << " " << tag;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
};

TEST_F(PickersTest, AccountsAndCategoriesChosenByPopUpOrByTypingSetTheIdents)
{
    FenPickersDemo* window = open();
    const StdWindowPickers& pickers = window->pickers();
    auto* viewD = window->outlet<TextViewCompteD>("view_compteD");
    EXPECT_EQ(viewD->associatedPopup(), window->outlet<PopCompte>("pop_compteD"));
    EXPECT_EQ(text(window, "view_compteD"), "");

    choose(window, "pop_compteD", 21);
    EXPECT_EQ(pickers.compteDID, 21);
    EXPECT_EQ(text(window, "view_compteD"), "Livret A");
    EXPECT_EQ(window->outlet<StdPopUp>("pop_compteD")->getSelectedTag(), 21);
    EXPECT_EQ(QApplication::focusWidget(), viewD);
    EXPECT_EQ(viewD->textCursor().selectedText(), "Livret A");

    auto* viewC = window->outlet<TextViewCompteC>("view_compteC");
    viewC->setFocus();
    QTest::keyClicks(viewC, "b");
    EXPECT_EQ(pickers.compteCID, 30);
    EXPECT_EQ(text(window, "view_compteC"), "Boulangerie");

    // The completion's typed part stays selected once the window has shown the category.
    auto* viewPoste = window->outlet<TextViewPoste>("view_poste");
    viewPoste->setFocus();
    QTest::keyClicks(viewPoste, "au");
    EXPECT_EQ(pickers.posteID, 5);
    EXPECT_EQ(viewPoste->textCursor().selectedText(), "Au");
    // The Edit menu: a completing view refuses cut but copies its selection.
    EXPECT_TRUE(window->canCopy());
    EXPECT_FALSE(window->canCut());
    EXPECT_TRUE(window->canSelectAll());
    auto* jour = window->outlet<TextFieldJour>("field_jour2");
    jour->setFocus();
    jour->moveCursor(QTextCursor::End);
    EXPECT_FALSE(window->canCopy());
    EXPECT_TRUE(window->canPaste());

    choose(window, "pop_moyen", 9);
    choose(window, "pop_taxe", 2);
    choose(window, "pop_placement", kPopTagTitre | 5);
    window->setDate1(at(1, 12, 2025));
    window->setDate2(at(31, 12, 2025));
    window->pickers().FILL_DATE1();
    window->pickers().FILL_DATE2();
    WindowDriver(*window).grab("pickers.png");
    window->close();
}

TEST_F(PickersTest, CurrencyFollowsItsPopUpAndTheMoveOfTheMainCurrency)
{
    FenPickersDemo* euros = open(0);
    FenPickersDemo* chosen = open(0);
    FenPickersDemo* francs = open(1);
    EXPECT_EQ(euros->outlet<PopDevise>("pop_devise")->text(), "€");
    EXPECT_EQ(francs->outlet<PopDevise>("pop_devise")->text(), "F");

    choose(chosen, "pop_devise", 2);
    EXPECT_EQ(chosen->devise(), 2);
    EXPECT_EQ(chosen->outlet<PopDevise>("pop_devise")->text(), "$");
    chosen->devises.clear();

    // Dollars become the main currency: euros move to slot 2, the dollar window to slot 0.
    sendToAllWindowDelegates(Sel::newDevisePrincipale, QVariant(qlonglong(2)));
    EXPECT_EQ(euros->devise(), 2);
    EXPECT_EQ(euros->devises, QList<qint64> {2});
    EXPECT_EQ(chosen->devise(), 0);
    EXPECT_EQ(chosen->outlet<PopDevise>("pop_devise")->getSelectedTag(), 0);
    EXPECT_EQ(francs->devise(), 1);
    EXPECT_TRUE(francs->devises.isEmpty());
    for (auto* window : {euros, chosen, francs})
        window->close();
}

TEST_F(PickersTest, InvestmentFolderMeansAndCategoryCreation)
{
    FenPickersDemo* window = open();
    StdWindowPickers& pickers = window->pickers();
    EXPECT_EQ(text(window, "field_dossier"), "Tous les dossiers");
    EXPECT_EQ(text(window, "field_placement"), "Pas d'opération de placement");
    choose(window, "pop_dossier", 3);
    EXPECT_EQ(text(window, "field_dossier"), "Vacances");

    choose(window, "pop_placement", kPopTagTitre | 5);
    EXPECT_EQ(pickers.titreID, 5);
    EXPECT_EQ(text(window, "field_placement"), "Air Liquide");
    choose(window, "pop_placement", kPopTagRemunere | 2);
    EXPECT_EQ(std::tuple(pickers.titreID, pickers.remunereID, pickers.empruntID), std::tuple(-1L, 2L, -1L));
    EXPECT_EQ(window->outlet<StdPopUp>("pop_placement")->getSelectedTag(), kPopTagRemunere | 2);
    choose(window, "pop_placement", -1);
    EXPECT_EQ(pickers.remunereID, -1);
    EXPECT_EQ(text(window, "field_placement"), "Pas d'opération de placement");

    pickers.moyenID = 11;
    pickers.FILL_MOYEN(7);
    EXPECT_EQ(text(window, "field_moyen"), "Prélèvement EDF");
    EXPECT_EQ(window->outlet<PopMoyen>("pop_moyen")->getSelectedSynonyme(), 7);

    // Cancelled, the category stays, yet the lists look at the categories again.
    CreatingShell shell;
    installAppShell(&shell);
    RefreshListener listener;
    registerWindowController(&listener);
    choose(window, "pop_poste", 4);
    QAction create;
    window->perform("CREATE_POSTE:", &create);
    EXPECT_EQ(pickers.posteID, 4);
    EXPECT_EQ(listener.received, (QStringList {"COMPUTE_ANALYSE_NOTIFICATION", "REBUILD_LIST"}));
    POSTE cadeaux = named<POSTE>(8, "Cadeaux");
    cadeaux.dossierID = 3;
    POSTE::insertPoste(cadeaux, doc.posteHdl);
    shell.nextPoste = 8;
    window->perform("CREATE_POSTE:", &create);
    EXPECT_EQ(text(window, "view_poste"), "Cadeaux");
    EXPECT_EQ(listener.received.size(), 4);
    unregisterWindowController(&listener);
    window->close();

    // Without its text view the category pop-up is left alone.
    auto* bare = StdWindowController::push<FenPopOnly>(makeWindowData(), 0, false);
    bare->pickers().posteID = 1;
    bare->window();
    EXPECT_EQ(bare->outlet<PopPoste>("pop_poste")->getSelectedTag(), StdPopUp::kNoTag);
    bare->close();
}

TEST_F(PickersTest, DatesAreFilledReadBackAndPickedInTheCalendar)
{
    auto* window = StdWindowController::push<FenPickersDemo>(makeWindowData(), 0, false);
    window->setDate1(at(3, 2, 2025));
    window->appearWindowAnimated(false, {});
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->window()));
    EXPECT_EQ(text(window, "field_jour1"), "3");
    EXPECT_EQ(text(window, "field_mois1"), "2");
    EXPECT_EQ(text(window, "field_annee1"), "2025");

    auto* jour2 = window->outlet<TextFieldJour>("field_jour2");
    jour2->setFocus();
    jour2->selectAll();
    QTest::keyClicks(jour2, "28");
    QTest::keyClicks(QApplication::focusWidget(), "02");
    QTest::keyClicks(QApplication::focusWidget(), "2026");
    EXPECT_TRUE(window->READ());
    EXPECT_EQ(window->date2(), at(28, 2, 2026));

    ui().onModal<FenCalendrierController2>([](FenCalendrierController2& calendar) {
        EXPECT_EQ(calendar.getData()->date, at(3, 2, 2025)); // it opens on the fields' date
        calendar.GO(at(14, 7, 2025));
        calendar.perform("OUI:");
    });
    WindowDriver(*window).click("CALENDRIER1:");
    EXPECT_EQ(text(window, "field_jour1"), "14");
    EXPECT_EQ(text(window, "field_mois1"), "7");
    EXPECT_EQ(window->date1(), at(14, 7, 2025));
    EXPECT_EQ(QApplication::focusWidget(), jour2);
    window->close();
}

TEST_F(PickersTest, BroadcastsAndTheToolPaletteReachAnOpenWindow)
{
    FenPickersDemo* window = open();
    const int adjusted = window->adjustCount;
    sendToAllWindowDelegates(Sel::preferencesDidChange);
    EXPECT_EQ(window->adjustCount, adjusted + 1);

    // A modal window became key: the others dim, itself stays opaque.
    FenPopOnly* other = StdWindowController::push<FenPopOnly>(makeWindowData(), 0, false);
    other->window();
    sendToAllWindowDelegates(Sel::downAlphaIfNotEquals, QVariant::fromValue<QObject*>(other));
    EXPECT_NEAR(window->window()->windowOpacity(), 0.9, 0.005);
    EXPECT_EQ(other->window()->windowOpacity(), 1.0);
    sendToAllWindowDelegates(Sel::upAlpha);
    EXPECT_EQ(window->window()->windowOpacity(), 1.0);

    // With the tool palette open (100 high, at the top of the screen) a zoom stops below it.
    ToolPaletteApp app;
    setWindowAppDelegate(&app);
    other->window()->setGeometry(0, 0, 200, 100);
    app.tool = other;
    window->window()->showMaximized();
    EXPECT_FALSE(window->window()->isMaximized());
    // The frame, title bar included, stops there.
    EXPECT_EQ(window->window()->frameGeometry().top(), 102);
    EXPECT_EQ(window->window()->frameGeometry().bottom(), 899);
    // So does a resize that reaches into it.
    window->window()->setGeometry(10, 40, 460, 300);
    EXPECT_EQ(window->window()->frameGeometry().top(), 102);

    QTest::mouseClick(window->window(), Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier,
                      QPoint(4, 4));
    EXPECT_EQ(app.auteurs, QList<StdWindow*> {window->window()});
    window->close();
    other->close();
}

} // namespace

#include "PickersTest.moc"

// The menu bar, headless: what it enables with and without a document, and the document commands
// it sends to the delegate (close, save a copy, the tool palette).
#include "app/MainMenu.h"
#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "app/ApplicationDelegate.h"
#include "app/FenAboutReglesController.h"
#include "app/FenLettreController.h"
#include "app/FenPreferencesController.h"
#include "app/WindowMemory.h"
#include "calculator/FenCalculetteController.h"
#include "entities/FenBanqueController.h"
#include "entities/FenDeviseController.h"
#include "entities/FenDossierController.h"
#include "entities/FenEditMacroController.h"
#include "entities/FenFavoriController.h"
#include "entities/FenLogoController.h"
#include "entities/FenMacroController.h"
#include "entities/FenReglesController.h"
#include "entities/FenSynonymeController.h"
#include "entities/FenTaxeController.h"
#include "graphs/FenBilanController.h"
#include "graphs/FenEditGraphiqueController.h"
#include "graphs/FenGraphiqueController.h"
#include "import/FenAskImportPosteController.h"
#include "import/FenEditImportTABController.h"
#include "investments/FenFinanceEmpruntController.h"
#include "investments/FenFinanceRemunereController.h"
#include "investments/FenFinanceTitreController.h"
#include "investments/FenSimulationController.h"
#include "schedules/FenEcheancierController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenCalendrierController.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/palettes/FenPaletteSaisieUserController.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/FenRechercheController.h"
#include "transactions/FenReleveController.h"
#include "ui/app/ShellLaunch.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/favoris.h"
#include "engines/TransactClipboard.h"
#include "foundation/broadcast.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/MACRO.h"
#include "support/TestEnvironment.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

class MenuBrowser : public StdWindowController {
    Q_OBJECT
public:
    Q_INVOKABLE void start() { }

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("Documents récents"), &window));
        window.resize(420, 160);
    }
};

// A window whose list selects several rows and which says yes to every Edit question, with no
// Edit command of its own.
class SelectOnlyList : public StdWindowController {
    Q_OBJECT
protected:
    void buildInterface(StdWindow& window) override
    {
        auto* layout = new QVBoxLayout(&window);
        auto* list = new QTableWidget(3, 1, &window);
        list->setObjectName(QStringLiteral("liste"));
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        layout->addWidget(list);
    }
    bool canCopySomething() const override { return true; }
    bool canPasteSomething() const override { return true; }
    bool canCutSomething() const override { return true; }
    bool canSelectAllSomething() const override { return true; }
    bool canDeleteSomething() const override { return true; }
};

class MainMenuTest : public UiTestFixture {
protected:
    MainMenuTest()
    {
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.everyDaysManualSave = 100000;
        parameters.doAnimations = false;
        parameters.autoSaveWhenQuit = false;
        APPLIPARAM::saveAppliParam();
        folder = testenv::freshDir(QStringLiteral("menu"));
        delegate = launchDelegate<MenuBrowser>();
        menu = std::make_unique<MainMenu>(delegate.get());
    }
    ~MainMenuTest() override
    {
        menu.reset();
        endDelegate(delegate);
    }

    // The statement window of the document's first account, in front; null when none opened
    // or the platform gives no window the focus.
    FenReleveController* statementInFront()
    {
        const long ident = delegate->document()->compteHdl.constFirst().ident;
        FenReleveController* releve = openReleveWindow(ident, true, 0, *delegate->document());
        EXPECT_NE(releve, nullptr);
        if (!releve)
            return nullptr;
        QApplication::setActiveWindow(releve->window());
        return QApplication::activeWindow() == releve->window() ? releve : nullptr;
    }

    QString openDocument(const QString& name)
    {
        const QString url = folder + QLatin1Char('/') + name;
        copyQuietSample(url);
        EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        return url;
    }
    // Chooses the item as a user does, the menu brought up to date as it opens; the command
    // runs once the menu's event is over.
    void choose(const char* name)
    {
        menu->refresh();
        QAction* item = menu->action(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        item->trigger();
        QCoreApplication::processEvents();
    }
    bool enabled(const char* name)
    {
        menu->refresh();
        return menu->action(QString::fromLatin1(name))->isEnabled();
    }
    static QString dialogue(const char* key) { return localizedDialogue(QString::fromLatin1(key)); }

    QString folder;
    std::unique_ptr<ApplicationDelegate> delegate;
    std::unique_ptr<MainMenu> menu;
};

const char* const kDocumentCommands[] = {"NOUVELLE_OPERATION:",   "RECHERCHE:",         "FERMER_DOCUMENT:",
                                         "ENREGISTRER_DOCUMENT:", "ENREGISTRER_COPIE:", "PASSWORD:",
                                         "PALETTE_OUTILS:",       "ECHEANCIERS:",       "CLOTURE:",
                                         "DECLARATION:"};

} // namespace

TEST_F(MainMenuTest, DocumentCommandsFollowTheDocumentAndThePaletteItemTicks)
{
    for (const char* name : kDocumentCommands)
        EXPECT_FALSE(enabled(name)) << name;
    for (const char* name : {"CALENDRIER:", "LETTRES:", "ABOUT_REGLES:", "ABOUT:", "terminate"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(menu->action(QStringLiteral("FERMER_DOCUMENT:"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    EXPECT_EQ(menu->action(QStringLiteral("terminate"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    openDocument(QStringLiteral("Famille.svd"));
    for (const char* name : kDocumentCommands)
        EXPECT_TRUE(enabled(name)) << name;
    QAction* palette = menu->action(QStringLiteral("PALETTE_OUTILS:"));
    EXPECT_TRUE(palette->isChecked()); // the standard palettes come with the document
    choose("PALETTE_OUTILS:");
    EXPECT_EQ(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_FALSE(palette->isChecked());
    choose("PALETTE_OUTILS:");
    EXPECT_NE(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_TRUE(palette->isChecked());

    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    choose("FERMER_DOCUMENT:");
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(delegate->document(), nullptr);
    EXPECT_FALSE(palette->isChecked());
    for (const char* name : kDocumentCommands)
        EXPECT_FALSE(enabled(name)) << name;
}

// The Comptes menu lists the open document's accounts under their banks; an account opens the list
// of its transactions.
TEST_F(MainMenuTest, TheAccountsMenuOpensAnAccountsTransactions)
{
    openDocument(QStringLiteral("Famille.svd"));
    QWidget window;
    QMenuBar* bar = menu->buildMenuBar(&window);
    auto* comptes = bar->findChild<QMenu*>(QStringLiteral("MENU_COMPTES"));
    ASSERT_NE(comptes, nullptr);
    emit comptes->aboutToShow();
    ASSERT_FALSE(comptes->actions().isEmpty());
    QMenu* banque = comptes->actions().first()->menu();
    ASSERT_NE(banque, nullptr);
    QAction* compte = banque->actions().first();
    const long ident = long(compte->data().toLongLong());
    compte->trigger();
    QCoreApplication::processEvents();
    auto* list = findOpenWindowController<FenReleveController>(ident, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->windowIfLoaded()->windowTitle().contains(compte->text()));
    list->close();
}

TEST_F(MainMenuTest, TheInvestmentWindowsOpenOnceFromTheMenuAndReopenFromMemory)
{
    EXPECT_FALSE(enabled("TITRES:"));
    openDocument(QStringLiteral("Famille.svd"));
    const std::pair<const char*, const QMetaObject*> commands[]
        = {{"TITRES:", &FenFinanceTitreController::staticMetaObject},
           {"REMUNERES:", &FenFinanceRemunereController::staticMetaObject},
           {"EMPRUNTS:", &FenFinanceEmpruntController::staticMetaObject}};
    for (const auto& [command, meta] : commands) {
        choose(command);
        StdWindowController* window = EntityWindowRegistry::find(*meta);
        ASSERT_NE(window, nullptr) << command;
        choose(command);
        EXPECT_EQ(EntityWindowRegistry::find(*meta), window) << command;
        window->close();
        EXPECT_EQ(EntityWindowRegistry::find(*meta), nullptr) << command;
        StdWindowController* reopened
            = WindowMemory::openWindow(WindowMemory::recordForClass(QString::fromLatin1(meta->className())), false);
        ASSERT_NE(reopened, nullptr) << command;
        EXPECT_EQ(EntityWindowRegistry::find(*meta), reopened) << command;
        reopened->close();
    }
    // The loans window's simulator command is the application's.
    choose("EMPRUNTS:");
    auto* emprunts = qobject_cast<FenFinanceEmpruntController*>(
        EntityWindowRegistry::find(FenFinanceEmpruntController::staticMetaObject));
    ASSERT_NE(emprunts, nullptr);
    EXPECT_TRUE(WindowDriver(*emprunts).click(QStringLiteral("SIMULATION:")));
    auto* simulateur = findOpenWindowController<FenSimulationController>(-1, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_NE(simulateur, nullptr);
    simulateur->close();
    emprunts->close();
}

TEST_F(MainMenuTest, TheSchedulesWindowOpensOnceFromTheMenu)
{
    openDocument(QStringLiteral("Famille.svd"));
    choose("ECHEANCIERS:");
    FenEcheancierController* window = FenEcheancierController::current();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ChronoManager::sharedManager().numberOfChronos(), 2) << "the package's schedules";
    choose("ECHEANCIERS:");
    EXPECT_EQ(FenEcheancierController::current(), window);
    window->close();
    EXPECT_EQ(FenEcheancierController::current(), nullptr);
}

TEST_F(MainMenuTest, TheSearchWindowOpensFromTheMenuAndTheToolPalette)
{
    openDocument(QStringLiteral("Famille.svd"));
    for (int run = 0; run < 2; ++run)
        ui().onModal<FenRechercheController>(
            [](FenRechercheController& window) { window.perform(QStringLiteral("NON:")); });
    choose("RECHERCHE:");
    ASSERT_NE(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_TRUE(WindowDriver(*FenPaletteToolController::paletteOutils()).click(QStringLiteral("RECHERCHE:")));
    ASSERT_EQ(ui().modalRuns().size(), 2);
    for (const TestModalRunner::Record& run : ui().modalRuns())
        EXPECT_EQ(run.name, QStringLiteral("FenRechercheController"));
    EXPECT_EQ(menu->action(QStringLiteral("RECHERCHE:"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
}

TEST_F(MainMenuTest, TheLoanSimulatorOpensOnceFromTheMenu)
{
    EXPECT_FALSE(enabled("SIMULATION:"));
    openDocument(QStringLiteral("Famille.svd"));
    choose("SIMULATION:");
    FenSimulationController* simulator = FenSimulationController::current();
    ASSERT_NE(simulator, nullptr);
    choose("SIMULATION:");
    EXPECT_EQ(FenSimulationController::current(), simulator);
    simulator->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FenSimulationController::current(), nullptr);
}

TEST_F(MainMenuTest, LogosFavouritesAndPreferencesOpenFromTheMenuAndThePalette)
{
    const auto open = [](const QMetaObject& meta) { return EntityWindowRegistry::find(meta); };
    EXPECT_FALSE(enabled("LOGOS:"));
    EXPECT_TRUE(enabled("FAVORIS:"));
    EXPECT_TRUE(enabled("PREFERENCES:"));
    ui().onModal<FenPreferencesController>([](FenPreferencesController& w) { w.perform(QStringLiteral("NON:")); });
    choose("PREFERENCES:");
    ASSERT_EQ(ui().modalRuns().size(), 1);
    choose("FAVORIS:");
    ASSERT_NE(open(FenFavoriController::staticMetaObject), nullptr);
    open(FenFavoriController::staticMetaObject)->close();

    openDocument(QStringLiteral("Famille.svd"));
    StdWindowController* favoris = open(FenFavoriController::staticMetaObject);
    ASSERT_NE(favoris, nullptr) << "the favourites come with the standard palettes";
    favoris->close();
    ASSERT_NE(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_TRUE(WindowDriver(*FenPaletteToolController::paletteOutils()).click(QStringLiteral("FAVORIS:")));
    EXPECT_NE(open(FenFavoriController::staticMetaObject), nullptr);
    choose("LOGOS:");
    StdWindowController* logos = open(FenLogoController::staticMetaObject);
    ASSERT_NE(logos, nullptr);
    logos->close();
}

// The categories, macros and rules windows come from the Fenêtres menu, the synonyms window from
// the entry palettes; Alt and a macro's key, typed over the macros window, runs that macro.
TEST_F(MainMenuTest, EntityWindowsOpenFromTheMenusAndAMacroKeyRunsItsMacro)
{
    openDocument(QStringLiteral("Famille.svd"));
    FenPaletteToolController* tools = FenPaletteToolController::paletteOutils();
    ASSERT_NE(tools, nullptr);
    tools->pop_poste()->rebuild();
    ASSERT_TRUE(tools->pop_poste()->activateTag(StdPopUp::kManageTag));
    tools->pop_macro()->rebuild();
    ASSERT_TRUE(tools->pop_macro()->activateTag(StdPopUp::kManageTag));
    FenMacroController* macros = FenMacroController::current();
    ASSERT_NE(macros, nullptr);
    choose("DOSSIERS:");
    choose("MACROS:");
    EXPECT_EQ(FenMacroController::current(), macros) << "one window for the program";
    ui().answerAlert(dialogue("kAlerte_needsManualRegles"), kAlertFirstButton);
    choose("EDIT_REGLES:");
    ASSERT_NE(FenDossierController::current(), nullptr);
    ASSERT_NE(FenReglesController::current(), nullptr);
    EXPECT_FALSE(delegate->document()->reglesArray.isEmpty());
    FenPaletteSaisieUserController palette;
    palette.GERER(nullptr);
    ASSERT_NE(FenSynonymeController::current(), nullptr);
    EXPECT_EQ(FenSynonymeController::current()->table1()->numberOfRows(), 2);

    QApplication::setActiveWindow(macros->window());
    ui().onModal<FenEditSaisieController>(
        [](FenEditSaisieController& entry) { entry.perform(QStringLiteral("NON:")); });
    delegate->MACRO_FROM_KEY(u'e', true);
    ASSERT_EQ(ui().modalRuns().size(), 1);
    EXPECT_EQ(ui().modalRuns().first().name, QStringLiteral("FenEditSaisieController"));
    for (StdWindowController* window :
         {static_cast<StdWindowController*>(FenDossierController::current()), static_cast<StdWindowController*>(macros),
          static_cast<StdWindowController*>(FenReglesController::current()),
          static_cast<StdWindowController*>(FenSynonymeController::current())})
        window->close();
}

QList<FenAnalyseController*> openAnalyses()
{
    QList<FenAnalyseController*> open;
    for (QObject* controller : registeredWindowControllers())
        if (auto* analyse = qobject_cast<FenAnalyseController*>(controller))
            open.append(analyse);
    return open;
}

// The analysis opens from the menu and the tool palette; the windows left open come back with the
// document.
TEST_F(MainMenuTest, TheAnalysisWindowOpensFromTheMenuAndThePaletteAndComesBackWithTheDocument)
{
    const QString url = openDocument(QStringLiteral("Famille.svd"));
    ASSERT_EQ(openAnalyses().size(), 1) << "the package keeps one";
    EXPECT_TRUE(enabled("ANALYSE:"));
    choose("ANALYSE:");
    ASSERT_EQ(openAnalyses().size(), 2);
    ASSERT_NE(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_TRUE(WindowDriver(*FenPaletteToolController::paletteOutils()).click(QStringLiteral("ANALYSE:")));
    ASSERT_EQ(openAnalyses().size(), 3);
    openAnalyses().at(0)->close();
    openAnalyses().at(0)->close();
    ASSERT_EQ(openAnalyses().size(), 1);
    const QString name = openAnalyses().first()->myAnaFile()->anaDef.nom;
    const long month = openAnalyses().first()->myAnaMonth();

    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertFirstButton);
    choose("FERMER_DOCUMENT:");
    EXPECT_TRUE(openAnalyses().isEmpty());
    EXPECT_EQ(QDir(url + QStringLiteral("/Contents/Resources/analyse")).entryList(QDir::Files),
              QStringList {QStringLiteral("analyse1.xml")});
    EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    ASSERT_EQ(openAnalyses().size(), 1);
    EXPECT_EQ(openAnalyses().first()->myAnaFile()->anaDef.nom, name);
    EXPECT_EQ(openAnalyses().first()->myAnaMonth(), month);
}

QList<FenBudgetController*> openBudgets()
{
    QList<FenBudgetController*> open;
    for (QObject* controller : registeredWindowControllers())
        if (auto* budget = qobject_cast<FenBudgetController*>(controller))
            open.append(budget);
    return open;
}

TEST_F(MainMenuTest, TheBudgetWindowOpensFromTheMenuAndThePaletteAndComesBackWithTheDocument)
{
    const QString url = openDocument(QStringLiteral("Famille.svd"));
    // The package keeps one, whose configuration is gone: it comes back on the first one.
    ASSERT_EQ(openBudgets().size(), 1);
    EXPECT_EQ(openBudgets().first()->myAnaConfigIndex(), 0);
    EXPECT_TRUE(enabled("BUDGET:"));
    choose("BUDGET:");
    ASSERT_EQ(openBudgets().size(), 2);
    ASSERT_NE(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_TRUE(WindowDriver(*FenPaletteToolController::paletteOutils()).click(QStringLiteral("BUDGET:")));
    ASSERT_EQ(openBudgets().size(), 3);
    openBudgets().at(0)->close();
    openBudgets().at(0)->close();
    const long month = openBudgets().first()->myAnaMonth();

    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertFirstButton);
    choose("FERMER_DOCUMENT:");
    EXPECT_TRUE(openBudgets().isEmpty());
    EXPECT_EQ(QDir(url + QStringLiteral("/Contents/Resources/budget")).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    ASSERT_EQ(openBudgets().size(), 1);
    EXPECT_EQ(openBudgets().first()->myAnaMonth(), month);
}

QList<FenGraphiqueController*> openGraphiques()
{
    QList<FenGraphiqueController*> open;
    for (QObject* controller : registeredWindowControllers())
        if (auto* graph = qobject_cast<FenGraphiqueController*>(controller))
            open.append(graph);
    return open;
}

// A graph opens from the menu and the tool palette through its editor, on the document's default
// category; the one left open comes back with the document, its points as stored.
TEST_F(MainMenuTest, TheGraphWindowOpensFromTheMenuAndThePaletteAndComesBackWithTheDocument)
{
    const QString url = openDocument(QStringLiteral("Famille.svd"));
    const qsizetype before = openGraphiques().size();
    EXPECT_TRUE(enabled("GRAPHIQUE:"));
    ui().onModal<FenEditGraphiqueController>([](FenEditGraphiqueController& editor) {
        EXPECT_TRUE(editor.onPoste());
        editor.perform(QStringLiteral("OUI:"));
    });
    choose("GRAPHIQUE:");
    ASSERT_EQ(openGraphiques().size(), before + 1);
    ui().onModal<FenEditGraphiqueController>(
        [](FenEditGraphiqueController& editor) { editor.perform(QStringLiteral("NON:")); });
    ASSERT_NE(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_TRUE(WindowDriver(*FenPaletteToolController::paletteOutils()).click(QStringLiteral("GRAPHIQUE:")));
    ASSERT_EQ(openGraphiques().size(), before + 1) << "cancelled";
    const qsizetype points = openGraphiques().last()->graph_file().dataArray.size();

    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertFirstButton);
    choose("FERMER_DOCUMENT:");
    EXPECT_TRUE(openGraphiques().isEmpty());
    EXPECT_EQ(QDir(url + QStringLiteral("/Contents/Resources/graphs")).entryList(QDir::Files).size(), before + 1);
    EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    ASSERT_EQ(openGraphiques().size(), before + 1);
    EXPECT_EQ(openGraphiques().last()->graph_file().dataArray.size(), points);
}

TEST_F(MainMenuTest, SavesACompleteCopyAndWritesOverAnExistingOne)
{
    const QString url = openDocument(QStringLiteral("Famille.svd"));
    const QString copy = folder + QStringLiteral("/Copie.svd");

    // Declined "save first": the package as last saved is copied.
    ui().answerAlert(dialogue("kConfirm_SaveBeforeCopy"), kAlertSecondButton);
    ui().answerSavePanel(copy);
    ui().answerAlert(dialogue("kAlerte_SaveCopyOK"), kAlertFirstButton);
    choose("ENREGISTRER_COPIE:");
    const QStringList original = QDir(url + QStringLiteral("/Contents/Resources")).entryList(QDir::Files);
    EXPECT_FALSE(original.isEmpty());
    EXPECT_EQ(QDir(copy + QStringLiteral("/Contents/Resources")).entryList(QDir::Files), original);
    bool error = false;
    BEFOREPARAM::loadBeforeParam(copy, &error);
    EXPECT_FALSE(error);

    // Onto an existing package, once the user agreed to replace it, the document is written in
    // its place.
    for (const QString& destination : {copy}) {
        QFile::remove(destination + QStringLiteral("/Contents/Resources/transact.xml"));
        ui().answerAlert(dialogue("kConfirm_SaveBeforeCopy"), kAlertFirstButton);
        ui().answerSavePanel(destination);
        ui().answerAlert(dialogue("kConfirm_ReplaceExisting").arg(QStringLiteral("Copie")), kAlertSecondButton);
        ui().answerAlert(dialogue("kAlerte_SaveCopyOK"), kAlertFirstButton);
        choose("ENREGISTRER_COPIE:");
        EXPECT_TRUE(QFileInfo::exists(destination + QStringLiteral("/Contents/Resources/transact.xml")))
            << qPrintable(destination);
        // The saved searches, memorised analyses and graphs live in the package's folders: written
        // into its own package the document must not lose them.
        for (const char* kept : {"searches/Loyers.xml", "analyse/analyse1.xml", "graphs/graph1.xml"})
            EXPECT_TRUE(QFileInfo::exists(destination + QStringLiteral("/Contents/Resources/") + QLatin1String(kept)))
                << qPrintable(destination) << " " << kept;
    }
    EXPECT_TRUE(delegate->bankIsOpen());

    // No place chosen: nothing more is asked.
    ui().answerAlert(dialogue("kConfirm_SaveBeforeCopy"), kAlertSecondButton);
    ui().answerSavePanel(QString());
    const auto shown = ui().alertsShown().size();
    choose("ENREGISTRER_COPIE:");
    EXPECT_EQ(ui().alertsShown().size(), shown + 1);
}

namespace {

// Every item of the package with its size and modification time.
QStringList packageState(const QString& url)
{
    QStringList state;
    QDirIterator items(url, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (items.hasNext()) {
        const QFileInfo item(items.next());
        state << QStringLiteral("%1 %2 %3")
                     .arg(item.filePath().mid(url.size()))
                     .arg(item.size())
                     .arg(item.lastModified().toMSecsSinceEpoch());
    }
    state.sort();
    return state;
}

} // namespace

// The open package itself (or a link to it) and a place inside it are no copy: each is refused
// before anything is written, from the menu and from the close reminder's "Maintenant", and the
// reminder's period is not reset.
TEST_F(MainMenuTest, ACopyOntoOrInsideTheOpenDocumentIsRefused)
{
    const QString url = openDocument(QStringLiteral("Famille.svd"));
    ASSERT_TRUE(QFile::link(url, folder + QStringLiteral("/Lien.svd")));
    const QStringList before = packageState(url);
    const std::pair<QString, const char*> refused[] = {
        {url, "kAlerte_CantOverwriteCopy"},
        {folder + QStringLiteral("/Lien.svd"), "kAlerte_CantOverwriteCopy"},
        {url + QStringLiteral("/Copie.svd"), "kAlerte_CantSaveCopy"},
        {folder + QStringLiteral("/Lien.svd/Contents/Copie.svd"), "kAlerte_CantSaveCopy"},
    };
    APPLIPARAM::loadAppliParam().everyDaysManualSave = 30;
    delegate->document()->docParam->lastManualSave = 0;
    for (const auto& [destination, key] : refused) {
        ui().answerAlert(dialogue("kConfirm_SaveBeforeCopy"), kAlertSecondButton);
        ui().answerSavePanel(destination);
        // The panel asks before a place that exists; the command refuses after.
        if (QFileInfo::exists(destination))
            ui().answerAlert(dialogue("kConfirm_ReplaceExisting").arg(QFileInfo(destination).completeBaseName()),
                             kAlertSecondButton);
        ui().answerAlert(dialogue(key), kAlertFirstButton);
        choose("ENREGISTRER_COPIE:");
        ASSERT_FALSE(ui().alertsShown().isEmpty());
        EXPECT_EQ(ui().alertsShown().last().request.information, dialogue("kAlerte_CopyOutsideDocument"))
            << qPrintable(destination);
        EXPECT_EQ(packageState(url), before) << qPrintable(destination);
        EXPECT_EQ(delegate->document()->docParam->lastManualSave, 0) << qPrintable(destination);
    }

    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    ui().answerAlert(dialogue("kConfirm_ManualSaveDoc").arg(30), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_SaveBeforeCopy"), kAlertSecondButton);
    ui().answerSavePanel(url);
    ui().answerAlert(dialogue("kConfirm_ReplaceExisting").arg(QStringLiteral("Famille")), kAlertSecondButton);
    ui().answerAlert(dialogue("kAlerte_CantOverwriteCopy"), kAlertFirstButton);
    choose("FERMER_DOCUMENT:");
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(packageState(url), before);
}

// The manual-copy reminder shown on closing reaches the delegate's own copy command: "Maintenant"
// saves a copy where the user chooses and notes the manual save in the package.
TEST_F(MainMenuTest, ManualCopyReminderNowSavesACopyThroughTheDelegate)
{
    const QString url = openDocument(QStringLiteral("Famille.svd"));
    const QString copy = folder + QStringLiteral("/Rappel.svd");
    APPLIPARAM::loadAppliParam().everyDaysManualSave = 30;
    delegate->document()->docParam->lastManualSave = 0;

    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    ui().answerAlert(dialogue("kConfirm_ManualSaveDoc").arg(30), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_SaveBeforeCopy"), kAlertSecondButton);
    ui().answerSavePanel(copy);
    ui().answerAlert(dialogue("kAlerte_SaveCopyOK"), kAlertFirstButton);
    choose("FERMER_DOCUMENT:");

    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_TRUE(QFileInfo::exists(copy + QStringLiteral("/Contents/Resources/transact.xml")));
    bool error = false;
    const std::unique_ptr<DOCPARAM> param = DOCPARAM::loadDocParam(url, &error);
    ASSERT_TRUE(param);
    EXPECT_GT(param->lastManualSave, 0);
}

// The import items of the Fichier menu ask the statement window in front for a bank file.
TEST_F(MainMenuTest, TheImportItemsAskTheStatementWindowInFrontForAFile)
{
    openDocument(QStringLiteral("Famille.svd"));
    QApplication::setActiveWindow(nullptr);
    EXPECT_FALSE(enabled("IMPORTER:"));
    FenReleveController* releve = statementInFront();
    if (!releve)
        GTEST_SKIP() << "this platform gives no window the focus";
    EXPECT_TRUE(enabled("IMPORTER:"));
    ui().answerOpenPanel(QString());
    choose("IMPORTER:");
    ui().advance(1000);
    ASSERT_EQ(ui().panelsShown().opens.size(), 1);
    EXPECT_EQ(ui().panelsShown().opens.constFirst().title, localizedMisc(QStringLiteral("kMisc_OpenImportTitle")));
    releve->close();
}

// A question of the tab import editor opens, through the application, the list where the user
// creates what the file names; the text stays unmatched meanwhile.
TEST_F(MainMenuTest, AnImportQuestionOpensTheListOfItsEntity)
{
    openDocument(QStringLiteral("Famille.svd"));
    const long ident = delegate->document()->compteHdl.constFirst().ident;
    FenEditImportTABController* editor
        = openImportTABWindow({{QStringLiteral("Inconnue")}}, kImportFormatCSV, ident, 0, {});
    ASSERT_NE(editor, nullptr);
    ui().onModal<FenAskImportPosteController>(
        [](FenAskImportPosteController& w) { w.perform(QStringLiteral("ACCEDER:")); });
    editor->RUBRIQUE(ImportRubrique::Poste, 0, true);
    EXPECT_NE(FenDossierController::current(), nullptr);
    EXPECT_TRUE(editor->cellAtRow(0, 0)->invalidated());
    editor->close();
}

TEST_F(MainMenuTest, EveryPlainWindowGetsOneMenuBar)
{
    menu->install();
    openDocument(QStringLiteral("Famille.svd"));
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    choose("FERMER_DOCUMENT:"); // the browser shows again
    StdWindow* window = delegate->recentWindow()->window();
    window->show();
    QCoreApplication::processEvents();
    const QList<QMenuBar*> bars = window->findChildren<QMenuBar*>();
    ASSERT_EQ(bars.size(), 1);
    EXPECT_FALSE(menu->attachTo(window));
    ASSERT_EQ(bars.first()->actions().size(), 5);

    QMenu* fichier = bars.first()->findChild<QMenu*>(QStringLiteral("MENU_FICHIER"));
    ASSERT_NE(fichier, nullptr);
    fichier->popup(window->mapToGlobal(bars.first()->actionGeometry(bars.first()->actions().first()).bottomLeft()));
    QCoreApplication::processEvents();
    QImage image(window->width() + 40, window->height() + fichier->height(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawPixmap(0, 0, window->grab());
        painter.drawPixmap(window->mapFromGlobal(fichier->pos()), fichier->grab());
    }
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    EXPECT_TRUE(image.save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/main-menu.png")));
    fichier->hide();
}

// The Edit menu acts on what has the keyboard in the window in front: a text field by itself, else
// the window's list through its controller; nothing is enabled that would do nothing.
TEST_F(MainMenuTest, TheEditMenuActsOnTheFieldOrTheListInFront)
{
    openDocument(QStringLiteral("Famille.svd"));
    QApplication::setActiveWindow(nullptr);
    for (const char* name : {"cut:", "copy:", "paste:", "delete:", "selectAll:"})
        EXPECT_FALSE(enabled(name)) << name;
    FenReleveController* releve = statementInFront();
    if (!releve)
        GTEST_SKIP() << "this platform gives no window the focus";
    StdTableView* table = releve->table1();
    ASSERT_GT(table->numberOfRows(), 1);
    table->setFocus();
    table->clearSelection();
    EXPECT_FALSE(enabled("copy:"));
    EXPECT_FALSE(enabled("delete:"));
    ASSERT_TRUE(enabled("selectAll:"));
    choose("selectAll:");
    EXPECT_EQ(table->selectionModel()->selectedRows().size(), table->numberOfRows());
    transactClipboard()->clearTransactClipboard();
    ASSERT_TRUE(enabled("copy:"));
    choose("copy:");
    EXPECT_FALSE(transactClipboard()->transacts().isEmpty());
    EXPECT_TRUE(enabled("paste:"));

    auto* field = new QLineEdit(releve->window());
    field->show();
    field->setText(QStringLiteral("Courses"));
    field->setFocus();
    field->selectAll();
    ASSERT_TRUE(enabled("copy:"));
    choose("copy:");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Courses"));
    choose("delete:");
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_FALSE(enabled("copy:")) << "nothing left to copy";
    choose("paste:");
    EXPECT_EQ(field->text(), QStringLiteral("Courses"));
    releve->close();
}

// A list with several rows selected is what "Tout sélectionner" acts on by itself; cut, copy, paste
// and delete need the window's own commands, whatever the window answers.
TEST_F(MainMenuTest, AListSelectsAllByItselfButTakesNoOtherEditCommand)
{
    auto* window = StdWindowController::push<SelectOnlyList>(makeWindowData(), 0, true);
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window->window());
    if (QApplication::activeWindow() != window->window())
        GTEST_SKIP() << "this platform gives no window the focus";
    auto* list = window->outlet<QTableWidget>(QStringLiteral("liste"));
    list->setFocus();
    list->selectRow(0);
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_EQ(list->selectionModel()->selectedRows().size(), 2);
    for (const char* name : {"cut:", "copy:", "paste:", "delete:"})
        EXPECT_FALSE(enabled(name)) << name;
    ASSERT_TRUE(enabled("selectAll:"));
    choose("selectAll:");
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 3);
    window->close();
}

// Alt and a key is a macro key only when a macro has that key or the window in front takes it:
// otherwise the key goes on to the field, where the keyboard may make a character with Alt.
TEST_F(MainMenuTest, AnAltKeyIsTakenOnlyByAMacroOrTheWindow)
{
    openDocument(QStringLiteral("Famille.svd"));
    long index = -1;
    ASSERT_TRUE(findMacroWithKey(u'e', &index, delegate->document()));
    ASSERT_FALSE(findMacroWithKey(u'q', &index, delegate->document()));
    QApplication::setActiveWindow(nullptr);
    QKeyEvent altE(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier, QStringLiteral("e"));
    QKeyEvent altQ(QEvent::KeyPress, Qt::Key_Q, Qt::AltModifier, QStringLiteral("q"));
    QKeyEvent altShiftQ(QEvent::KeyPress, Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("Q"));
    QKeyEvent altGr(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier | Qt::GroupSwitchModifier, QStringLiteral("€"));
    QKeyEvent controlAltE(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier | Qt::ControlModifier, QStringLiteral("e"));
    QKeyEvent altEnter(QEvent::KeyPress, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier, QStringLiteral("\r"));
    QKeyEvent altShiftE(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("E"));
    ASSERT_TRUE(findMacroWithKey(u'e', &index, delegate->document()));
    MACRO upper = getDocMacro(delegate->document())->at(index);
    upper.ch = u'E';
    getDocMacro(delegate->document())->append(upper);
    for (int run = 0; run < 2; ++run)
        ui().onModal<FenEditSaisieController>(
            [](FenEditSaisieController& entry) { entry.perform(QStringLiteral("NON:")); });
    EXPECT_TRUE(delegate->interceptKeyDownEvent(&altE));
    EXPECT_TRUE(delegate->interceptKeyDownEvent(&altShiftE)) << "Shift makes the upper-case key";
    ASSERT_EQ(ui().modalRuns().size(), 2);
    EXPECT_EQ(ui().modalRuns().first().name, QStringLiteral("FenEditSaisieController"));
    for (QKeyEvent* untaken : {&altQ, &altShiftQ, &altGr, &controlAltE, &altEnter})
        EXPECT_FALSE(delegate->interceptKeyDownEvent(untaken)) << untaken->modifiers().toInt();
    EXPECT_EQ(ui().modalRuns().size(), 2) << "no macro ran";

    // In front, a modal window that doesn't take the key runs no macro and lets the key through.
    ui().onModal(QStringLiteral("FenAskPoursuivreController"), [this, &altE](const ModalRequest& request) {
        QApplication::setActiveWindow(request.window);
        EXPECT_FALSE(delegate->interceptKeyDownEvent(&altE));
        UiHost::instance().modal().endModal(request.window, 0);
    });
    askPoursuivre(nullptr, QStringLiteral("ASSIST000"), QString(), true, false, [](long) {});
    EXPECT_EQ(ui().modalRuns().size(), 3);
}

// The key typed in the macro editor's field, a capital with Shift as on a keyboard (Shift pressed
// first, alone), is the key that Alt, and Shift with a capital, runs the macro with.
TEST_F(MainMenuTest, TheKeyTypedInTheMacroEditorRunsItsMacro)
{
    openDocument(QStringLiteral("Famille.svd"));
    choose("MACROS:");
    FenMacroController* macros = FenMacroController::current();
    ASSERT_NE(macros, nullptr);
    const std::pair<char, Qt::KeyboardModifiers> cases[] = {{'X', Qt::ShiftModifier}, {'k', Qt::NoModifier}};
    const DOCUMENT* doc = delegate->document();
    long index = -1;
    for (const auto& [typed, modifiers] : cases) {
        SCOPED_TRACE(typed);
        ASSERT_FALSE(findMacroWithKey(char16_t(typed), &index, doc));
        macros->table1()->GO(0);
        const QString name = doc->macroHdl.constFirst().nom;
        const qsizetype runs = ui().modalRuns().size();
        ui().onModal<FenEditMacroController>([typed, modifiers](FenEditMacroController& editor) {
            StdWindow* window = editor.windowIfLoaded();
            window->show();
            auto* field = editor.outlet<StdTextView>(QStringLiteral("field_touche"));
            field->setFocus();
            field->selectAll();
            // Through the window, as the keyboard's keys reach whichever field has the focus.
            QTest::keyClick(window->windowHandle(), typed, modifiers);
            WindowDriver(window).grab(QStringLiteral("FenEditMacro_%1.png").arg(QLatin1Char(typed)));
            editor.perform(QStringLiteral("OUI:"));
        });
        macros->perform(QStringLiteral("MODIFIER:"));
        ASSERT_TRUE(findMacroWithKey(char16_t(typed), &index, doc));
        EXPECT_EQ(macroAtIndex(getDocMacro(doc), index)->nom, name);

        QApplication::setActiveWindow(nullptr);
        ui().onModal<FenEditSaisieController>(
            [](FenEditSaisieController& entry) { entry.perform(QStringLiteral("NON:")); });
        const auto key = Qt::Key(QChar(typed).toUpper().unicode());
        QKeyEvent alt(QEvent::KeyPress, key, Qt::AltModifier | modifiers, QString(QChar(typed)));
        QKeyEvent otherCase(QEvent::KeyPress, key, Qt::AltModifier | (modifiers ^ Qt::ShiftModifier), QString());
        EXPECT_FALSE(delegate->interceptKeyDownEvent(&otherCase)) << "the other case is another key";
        EXPECT_TRUE(delegate->interceptKeyDownEvent(&alt));
        EXPECT_EQ(ui().modalRuns().size(), runs + 2) << "the editor and the macro's entry window ran";
    }
}

// Ctrl+W closes the window in front as its close button does, the document staying open; with
// Shift it closes the document.
TEST_F(MainMenuTest, CtrlWClosesTheWindowInFrontAndWithShiftTheDocument)
{
    menu->install();
    openDocument(QStringLiteral("Famille.svd"));
    FenReleveController* releve = statementInFront();
    if (!releve)
        GTEST_SKIP() << "this platform gives no window the focus";
    const QPointer<StdWindow> window = releve->window();
    QCoreApplication::processEvents(); // the menu bar shows
    ASSERT_NE(window->findChild<QMenuBar*>(), nullptr);
    QApplication::setActiveWindow(window);
    QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(!window || !window->isVisible());
    EXPECT_TRUE(delegate->bankIsOpen());

    FenBanqueController* banques = showBanques(true);
    ASSERT_NE(banques, nullptr);
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(banques->window());
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    QTest::keyClick(banques->window(), Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(delegate->bankIsOpen());
}

// A question waits for its answer in code that the year closing would pull the document from
// under: while one is open the closing is disabled and, asked for anyway, only beeps.
TEST_F(MainMenuTest, TheYearClosingWaitsUntilNoQuestionIsOpen)
{
    openDocument(QStringLiteral("Famille.svd"));
    EXPECT_TRUE(enabled("CLOTURE:"));
    bool enabledMeanwhile = true;
    const int beeps = ui().desktopRequests().beeps;
    ui().onModal(QStringLiteral("FenAskPoursuivreController"), [&](const ModalRequest& request) {
        enabledMeanwhile = enabled("CLOTURE:");
        delegate->CLOTURE();
        UiHost::instance().modal().endModal(request.window, 0);
    });
    askPoursuivre(nullptr, QStringLiteral("ASSIST000"), QString(), true, false, [](long) {});
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_EQ(ui().modalRuns().size(), 1) << "none of the closing's questions";
    EXPECT_EQ(ui().desktopRequests().beeps, beeps + 1);
    EXPECT_TRUE(enabled("CLOTURE:"));
    EXPECT_TRUE(delegate->bankIsOpen());
}

// Without a browser to open them, the guide and the examples tell the user their address.
TEST_F(MainMenuTest, TheGuideAndTheExamplesNameTheirAddressWhenNoBrowserOpensIt)
{
    ui().desktopRequests().opensURLs = false;
    const std::pair<const char*, QString> commands[] = {
        {"GUIDE:", QStringLiteral("%1?code=").arg(QLatin1String(kFavoriGuideUrl))},
        {"EXAMPLES:", QString::fromLatin1(kFavoriSamplesUrl)},
    };
    for (const auto& [command, address] : commands) {
        if (qstrcmp(command, "EXAMPLES:") == 0)
            ui().answerAlert(dialogue("kConfirm_Examples"), kAlertFirstButton);
        ui().answerAlert(dialogue("kAlerte_CantOpenAddress"), kAlertFirstButton);
        choose(command);
        ASSERT_FALSE(ui().alertsShown().isEmpty()) << command;
        EXPECT_EQ(ui().alertsShown().last().request.message, dialogue("kAlerte_CantOpenAddress")) << command;
        EXPECT_EQ(ui().alertsShown().last().request.information, address) << command;
    }
}

namespace {

// What a menu command shows the user, set up before it runs and checked after it.
struct CommandCheck {
    std::function<void()> prepare;
    std::function<bool()> done;
};

int openCount(const QMetaObject& meta)
{
    int count = 0;
    for (QObject* controller : registeredWindowControllers())
        count += controller->metaObject()->inherits(&meta) ? 1 : 0;
    return count;
}

void cancelModal(const ModalRequest& request)
{
    UiHost::instance().modal().endModal(request.window, 0);
}

} // namespace

class MenuWalkTest : public MainMenuTest {
protected:
    // A window of that class opens (or stays open and comes to the front).
    CommandCheck opens(const QMetaObject& meta)
    {
        return {[] {}, [&meta] { return openCount(meta) > 0; }};
    }
    // One more window of that class.
    CommandCheck addsOne(const QMetaObject& meta)
    {
        auto before = std::make_shared<int>(0);
        return {[before, &meta] { *before = openCount(meta); }, [before, &meta] { return openCount(meta) > *before; }};
    }
    // That window runs modally, and is cancelled.
    CommandCheck runsModally(const char* name)
    {
        auto before = std::make_shared<qsizetype>(0);
        const QString controller = QString::fromLatin1(name);
        return {[this, before, controller] {
                    *before = ui().modalRuns().size();
                    ui().onModal(controller, cancelModal);
                },
                [this, before, controller] {
                    return ui().modalRuns().size() > *before && ui().modalRuns().last().name == controller;
                }};
    }
    CommandCheck opensAddress(const QString& address)
    {
        return {[] {}, [this, address] { return ui().desktopRequests().openedURLs.contains(address); }};
    }

    bool showsSelection() const
    {
        if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            return field->hasSelectedText();
        for (QAbstractItemView* view : m_front->findChildren<QAbstractItemView*>())
            if (view->selectionModel() && view->selectionModel()->hasSelection())
                return true;
        return false;
    }

    QHash<QString, CommandCheck> checks()
    {
        const QString url = delegate->document() ? delegate->document()->documentUrl : QString();
        const QString transact = url + QStringLiteral("/Contents/Resources/transact.xml");
        auto palette = std::make_shared<bool>(false);
        auto saves = std::make_shared<qsizetype>(0);
        auto opensPanel = std::make_shared<qsizetype>(0);
        auto prints = std::make_shared<qsizetype>(0);
        return {
            {"NOUVELLE_OPERATION:", runsModally("FenEditSaisieController")},
            {"RECHERCHE:", runsModally("FenRechercheController")},
            {"ANALYSE:", addsOne(FenAnalyseController::staticMetaObject)},
            {"BUDGET:", addsOne(FenBudgetController::staticMetaObject)},
            {"GRAPHIQUE:", runsModally("FenEditGraphiqueController")},
            {"BILAN:", opens(FenBilanController::staticMetaObject)},
            {"FERMER_DOCUMENT:",
             {[this] { ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertThirdButton); },
              [this] { return delegate->bankIsOpen(); }}},
            {"terminate",
             {[this] { ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertThirdButton); },
              [this] { return delegate->bankIsOpen(); }}},
            {"ENREGISTRER_DOCUMENT:",
             {[transact] { QFile::remove(transact); }, [transact] { return QFileInfo::exists(transact); }}},
            {"ENREGISTRER_COPIE:",
             {[this, saves] {
                  *saves = ui().panelsShown().saves.size();
                  ui().answerAlert(dialogue("kConfirm_SaveBeforeCopy"), kAlertSecondButton);
                  ui().answerSavePanel(QString());
              },
              [this, saves] { return ui().panelsShown().saves.size() > *saves; }}},
            {"VERIFIER:", runsModally("FenAskPoursuivreController")},
            {"CLOTURE:", runsModally("FenAskPoursuivreController")},
            {"PASSWORD:", runsModally("FenPasswordController")},
            {"IMPRIMER:",
             {[this, prints] {
                  *prints = ui().printHost().records.size();
                  ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return false; });
              },
              [this, prints] { return ui().printHost().records.size() > *prints; }}},
            {"IMPORTER:",
             {[this, opensPanel] {
                  *opensPanel = ui().panelsShown().opens.size();
                  ui().answerOpenPanel(QString());
              },
              [this, opensPanel] {
                  ui().advance(1000);
                  return ui().panelsShown().opens.size() > *opensPanel;
              }}},
            {"selectAll:", {[] {}, [this] { return showsSelection(); }}},
            {"BANQUES:", opens(FenBanqueController::staticMetaObject)},
            {"CALENDRIER:", opens(FenCalendrierController::staticMetaObject)},
            {"CALCULETTE:", opens(FenCalculetteController::staticMetaObject)},
            {"PALETTE_OUTILS:",
             {[palette] { *palette = FenPaletteToolController::paletteOutils() != nullptr; },
              [palette] { return (FenPaletteToolController::paletteOutils() != nullptr) != *palette; }}},
            {"DEVISES:", opens(FenDeviseController::staticMetaObject)},
            {"TAXES:", opens(FenTaxeController::staticMetaObject)},
            {"DECLARATION:", runsModally("FenAskDeclarationController")},
            {"SIMULATION:", opens(FenSimulationController::staticMetaObject)},
            {"LOGOS:", opens(FenLogoController::staticMetaObject)},
            {"FAVORIS:", opens(FenFavoriController::staticMetaObject)},
            {"PREFERENCES:", runsModally("FenPreferencesController")},
            {"DOSSIERS:", opens(FenDossierController::staticMetaObject)},
            {"MACROS:", opens(FenMacroController::staticMetaObject)},
            {"EDIT_REGLES:", opens(FenReglesController::staticMetaObject)},
            {"TITRES:", opens(FenFinanceTitreController::staticMetaObject)},
            {"REMUNERES:", opens(FenFinanceRemunereController::staticMetaObject)},
            {"EMPRUNTS:", opens(FenFinanceEmpruntController::staticMetaObject)},
            {"ECHEANCIERS:", opens(FenEcheancierController::staticMetaObject)},
            {"LETTRES:", opens(FenLettreController::staticMetaObject)},
            {"ABOUT_REGLES:", opens(FenAboutReglesController::staticMetaObject)},
            {"GUIDE:", opensAddress(QStringLiteral("https://www.sorvanta.example/guide/?code="))},
            {"EXAMPLES:",
             {[this] { ui().answerAlert(dialogue("kConfirm_Examples"), kAlertFirstButton); },
              [this] { return ui().desktopRequests().openedURLs.contains(QString::fromLatin1(kFavoriSamplesUrl)); }}},
            {"ABOUT:", runsModally("FenAboutController")},
        };
    }

    // Every enabled item of the window's menu bar, chosen with the window in front; each must
    // show what it does. Answers the commands run.
    QStringList walk(StdWindowController& front)
    {
        StdWindow* window = front.window();
        m_front = window;
        menu->attachTo(window);
        QMenuBar* bar = window->findChild<QMenuBar*>();
        EXPECT_NE(bar, nullptr);
        QStringList ran;
        if (!bar)
            return ran;
        QList<QAction*> items;
        for (QMenu* submenu : bar->findChildren<QMenu*>())
            if (submenu->objectName() != QLatin1String("MENU_COMPTES"))
                items += submenu->actions();
        for (QAction* item : std::as_const(items)) {
            const QString name = StdActionDispatcher::actionOf(item);
            if (item->isSeparator() || item->menu() || name.isEmpty())
                continue;
            // Quitting for good is the quit tests' own; closing the window walked, the key tests'.
            if ((name == QLatin1String("terminate") && !delegate->bankIsOpen())
                || name == QLatin1String("performClose:"))
                continue;
            QApplication::setActiveWindow(window);
            menu->refresh();
            if (!item->isEnabled())
                continue;
            const QHash<QString, CommandCheck> table = checks();
            if (!table.contains(name)) {
                ADD_FAILURE() << "no check for " << name.toStdString();
                continue;
            }
            table[name].prepare();
            item->trigger();
            QCoreApplication::processEvents();
            EXPECT_TRUE(table[name].done()) << name.toStdString() << " over " << front.metaObject()->className();
            ran << name;
        }
        return ran;
    }

    QPointer<QWidget> m_front;
};

TEST_F(MenuWalkTest, EveryEnabledCommandOfEveryMainWindowDoesWhatItSays)
{
    QStringList ran = walk(*delegate->recentWindow());
    EXPECT_TRUE(ran.contains(QStringLiteral("ABOUT:")));
    EXPECT_FALSE(ran.contains(QStringLiteral("BANQUES:"))) << "no document";

    openDocument(QStringLiteral("Famille.svd"));
    APPLIPARAM::loadAppliParam().reglesManuel = true;
    DOCUMENT& doc = *delegate->document();
    const long ident = doc.compteHdl.constFirst().ident;
    QList<StdWindowController*> fronts {openReleveWindow(ident, true, 0, doc), showBanques(true)};
    delegate->DOSSIERS();
    fronts << FenDossierController::current() << FenEcheancierController::openEcheanciers(0, true);
    for (StdWindowController* front : fronts) {
        ASSERT_NE(front, nullptr);
        if (auto* list = qobject_cast<StdWindowWithTableController*>(front); list && list->table1())
            list->table1()->setFocus();
        QApplication::setActiveWindow(front->window());
        if (QApplication::activeWindow() != front->window())
            GTEST_SKIP() << "this platform gives no window the focus";
        ran += walk(*front);
    }
    for (const char* name :
         {"DECLARATION:", "CLOTURE:", "GUIDE:", "EXAMPLES:", "IMPRIMER:", "IMPORTER:", "selectAll:", "BANQUES:"})
        EXPECT_TRUE(ran.contains(QString::fromLatin1(name))) << name;
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    choose("FERMER_DOCUMENT:");
    EXPECT_FALSE(delegate->bankIsOpen());
}

#include "MainMenuTest.moc"

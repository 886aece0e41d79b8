#include "MainMenu.h"

#include "app/ApplicationDelegate.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdWindow.h"

#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "model/ITransactionWindows.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr char kHasMenuBarProperty[] = "sv_hasMenuBar";
constexpr char kHasMenuKeysProperty[] = "sv_hasMenuKeys";

struct MenuDef {
    const char* titleKey;
    QList<QAction*> actions;
};

} // namespace

MainMenu::MainMenu(ApplicationDelegate* delegate)
    : m_delegate(delegate)
{
    addAction("MENU_NOUVELLE_OPERATION", "NOUVELLE_OPERATION:")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addAction("MENU_RECHERCHE", "RECHERCHE:")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction("MENU_ANALYSE", "ANALYSE:");
    addAction("MENU_BUDGET", "BUDGET:");
    addAction("MENU_GRAPHIQUE", "GRAPHIQUE:");
    addAction("MENU_BILAN", "BILAN:");
    // Ctrl+W closes the window in front, as everywhere on the desktop; the document needs Shift too.
    addAction("MENU_FERMER_FENETRE", "performClose:")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    addAction("MENU_FERMER_DOCUMENT", "FERMER_DOCUMENT:")->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    addAction("MENU_ENREGISTRER_DOCUMENT", "ENREGISTRER_DOCUMENT:")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addAction("MENU_ENREGISTRER_COPIE", "ENREGISTRER_COPIE:");
    addAction("MENU_VERIFIER", "VERIFIER:");
    addAction("MENU_CLOTURE", "CLOTURE:");
    addAction("MENU_PASSWORD", "PASSWORD:");
    addAction("MENU_IMPRIMER", "IMPRIMER:")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (int format = 0; format < ImportManager::nbImportExportFormat(); ++format) {
        QAction* item = addAction("MENU_IMPORT_IMPORTER", "IMPORTER:");
        item->setText(ImportManager::getImportFormatName(format));
        item->setData(format);
        m_importers.append(item);
    }
    addAction("MENU_QUITTER", "terminate")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addEditActions();
    addAction("MENU_BANQUES", "BANQUES:")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    addAction("MENU_CALENDRIER", "CALENDRIER:");
    addAction("MENU_CALCULETTE", "CALCULETTE:");
    m_palette = addAction("MENU_PALETTE_OUTILS", "PALETTE_OUTILS:");
    m_palette->setCheckable(true);
    addAction("MENU_DEVISES", "DEVISES:");
    addAction("MENU_TAXES", "TAXES:");
    addAction("MENU_DECLARATION", "DECLARATION:");
    addAction("MENU_SIMULATION", "SIMULATION:");
    addAction("MENU_LOGOS", "LOGOS:");
    addAction("MENU_FAVORIS", "FAVORIS:");
    addAction("MENU_PREFERENCES", "PREFERENCES:")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    addAction("MENU_DOSSIERS", "DOSSIERS:");
    addAction("MENU_MACROS", "MACROS:");
    addAction("MENU_EDIT_REGLES", "EDIT_REGLES:");
    addAction("MENU_TITRES", "TITRES:");
    addAction("MENU_REMUNERES", "REMUNERES:");
    addAction("MENU_EMPRUNTS", "EMPRUNTS:");
    addAction("MENU_ECHEANCIERS", "ECHEANCIERS:");
    addAction("MENU_LETTRES", "LETTRES:");
    addAction("MENU_ABOUT_REGLES", "ABOUT_REGLES:");
    addAction("MENU_GUIDE", "GUIDE:");
    addAction("MENU_EXAMPLES", "EXAMPLES:");
    addAction("MENU_ABOUT", "ABOUT:");
    m_delegate->setMenuPaletteOutils(m_palette);
    refresh();
}

// The platform's usual keys; Delete stays with the lists and fields, which act on it themselves.
void MainMenu::addEditActions()
{
    addAction("MENU_COUPER", "cut:")->setShortcut(QKeySequence::Cut);
    addAction("MENU_COPIER", "copy:")->setShortcut(QKeySequence::Copy);
    addAction("MENU_COLLER", "paste:")->setShortcut(QKeySequence::Paste);
    addAction("MENU_SUPPRIMER", "delete:");
    addAction("MENU_TOUT_SELECTIONNER", "selectAll:")->setShortcut(QKeySequence::SelectAll);
}

MainMenu::~MainMenu()
{
    if (qApp)
        qApp->removeEventFilter(this);
    if (m_delegate && m_delegate->menuItemPaletteOutil() == m_palette)
        m_delegate->setMenuPaletteOutils(nullptr);
}

QAction* MainMenu::addAction(const char* titleKey, const char* name)
{
    auto* item = new QAction(localizedAppl(QString::fromLatin1(titleKey)), this);
    StdActionDispatcher::setAction(item, QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, [this, item] { trigger(item); });
    m_actions.append(item);
    return item;
}

// The command runs after the menu has closed and the event that chose it has been handled: a
// command that closes the window of this very menu bar must not pull it from under the menu.
void MainMenu::trigger(QAction* item)
{
    QString name = StdActionDispatcher::actionOf(item);
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    if (name == QLatin1String("delete"))
        name = QStringLiteral("delete_");
    QMetaObject::invokeMethod(m_delegate, name.toLatin1().constData(), Qt::QueuedConnection, Q_ARG(QObject*, item));
}

QAction* MainMenu::action(const QString& name) const
{
    for (QAction* item : m_actions) {
        if (StdActionDispatcher::actionOf(item) == name)
            return item;
    }
    return nullptr;
}

void MainMenu::refresh()
{
    for (QAction* item : std::as_const(m_actions))
        item->setEnabled(m_delegate->validateMenuAction(StdActionDispatcher::actionOf(item)));
    m_palette->setChecked(FenPaletteToolController::paletteOutils() != nullptr);
}

QMenuBar* MainMenu::buildMenuBar(QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    const QList<MenuDef> menus = {
        {"MENU_FICHIER",
         {action("NOUVELLE_OPERATION:"), action("RECHERCHE:"), nullptr, action("performClose:"),
          action("FERMER_DOCUMENT:"), action("ENREGISTRER_DOCUMENT:"), action("ENREGISTRER_COPIE:"),
          action("VERIFIER:"), action("CLOTURE:"), nullptr, action("PASSWORD:"), nullptr, action("IMPRIMER:"), nullptr,
          action("PREFERENCES:"), nullptr, action("terminate")}},
        {"MENU_EDITION",
         {action("cut:"), action("copy:"), action("paste:"), action("delete:"), nullptr, action("selectAll:")}},
        {"MENU_FENETRES",
         {action("BANQUES:"),
          action("DEVISES:"),
          action("TAXES:"),
          action("DECLARATION:"),
          action("ECHEANCIERS:"),
          action("DOSSIERS:"),
          action("MACROS:"),
          action("EDIT_REGLES:"),
          nullptr,
          action("TITRES:"),
          action("REMUNERES:"),
          action("EMPRUNTS:"),
          action("SIMULATION:"),
          nullptr,
          action("LOGOS:"),
          action("FAVORIS:"),
          nullptr,
          action("ANALYSE:"),
          action("BUDGET:"),
          action("GRAPHIQUE:"),
          action("BILAN:"),
          nullptr,
          action("CALENDRIER:"),
          action("CALCULETTE:"),
          m_palette}},
        {"MENU_AIDE",
         {action("GUIDE:"), action("EXAMPLES:"), nullptr, action("LETTRES:"), action("ABOUT_REGLES:"), nullptr,
          action("ABOUT:")}},
    };
    for (const MenuDef& def : menus) {
        QMenu* menu = bar->addMenu(localizedAppl(QString::fromLatin1(def.titleKey)));
        menu->setObjectName(QString::fromLatin1(def.titleKey));
        for (QAction* item : def.actions) {
            if (item)
                menu->addAction(item);
            else
                menu->addSeparator();
        }
        connect(menu, &QMenu::aboutToShow, this, &MainMenu::refresh);
        if (qstrcmp(def.titleKey, "MENU_FICHIER") == 0) {
            addImporterMenu(menu);
            addComptesMenu(bar);
        }
    }
    return bar;
}

// One item per format, before the print item; enabled while a statement window is in front.
void MainMenu::addImporterMenu(QMenu* fichier)
{
    QMenu* importer = new QMenu(localizedAppl(QStringLiteral("MENU_IMPORTER_RELEVE")), fichier);
    importer->setObjectName(QStringLiteral("MENU_IMPORTER_RELEVE"));
    importer->addActions(m_importers);
    connect(importer, &QMenu::aboutToShow, this, &MainMenu::refresh);
    fichier->insertMenu(action(QStringLiteral("IMPRIMER:")), importer);
    fichier->insertSeparator(action(QStringLiteral("IMPRIMER:")));
}

// The accounts of the open document under their banks, in the tree's order; choosing one opens its
// window. The menu is made again each time it opens, so it follows the document.
void MainMenu::addComptesMenu(QMenuBar* bar)
{
    QMenu* comptes = bar->addMenu(localizedAppl(QStringLiteral("MENU_COMPTES")));
    comptes->setObjectName(QStringLiteral("MENU_COMPTES"));
    connect(comptes, &QMenu::aboutToShow, this, [this, comptes] { fillComptesMenu(comptes); });
}

void MainMenu::fillComptesMenu(QMenu* menu)
{
    menu->clear();
    const DOCUMENT* doc = m_delegate->document();
    for (const ToolNode& node : toolTree(doc)) {
        const TOOL* banque = TOOL::getTool(kToolBanque, node.ident, doc);
        if (!banque || node.liste.isEmpty())
            continue;
        QMenu* submenu = menu->addMenu(StdMenu::literalTitle(banque->nom));
        for (const ToolNode& account : node.liste) {
            const TOOL* compte = TOOL::getTool(kToolCompte, account.ident, doc);
            if (!compte)
                continue;
            QAction* item = submenu->addAction(StdMenu::literalTitle(compte->nom));
            item->setData(qlonglong(compte->ident));
            const long ident = compte->ident;
            // After the menu has closed, as every command of the bar.
            connect(item, &QAction::triggered, this, [this, ident] {
                QMetaObject::invokeMethod(
                    this, [ident] { openCompteWindow(ident, true); }, Qt::QueuedConnection);
            });
        }
    }
    menu->setEnabled(doc != nullptr);
}

bool MainMenu::attachTo(QWidget* window)
{
    if (!window || !window->layout() || window->property(kHasMenuBarProperty).toBool())
        return false;
    window->setProperty(kHasMenuBarProperty, true);
    giveWayToEditActions(window);
    QMenuBar* bar = buildMenuBar(window);
    window->layout()->setMenuBar(bar);
    // Shown at once: a child added to a shown window shows only at the next turn of the event loop,
    // after a list window has fitted its height to its rows as it appears, and the bar would then
    // take its height from the rows.
    bar->show();
    // Fixed-size windows are laid out for their contents alone: they grow by the bar.
    if (window->minimumHeight() == window->maximumHeight())
        window->setFixedHeight(window->height() + bar->sizeHint().height());
    return true;
}

// A window's own keys for the edit commands would make the Edit menu's keys ambiguous, and Qt
// runs neither; the menu's items reach the same commands of its controller.
void MainMenu::giveWayToEditActions(QWidget* window)
{
    QList<QKeySequence> keys;
    for (const char* name : {"cut:", "copy:", "paste:", "selectAll:"})
        keys.append(action(QString::fromLatin1(name))->shortcut());
    for (QAction* own : window->actions()) {
        if (keys.contains(own->shortcut()))
            window->removeAction(own);
    }
}

// The menus' items that have a key, as window actions of a window without a bar: Qt runs an
// action's key wherever a widget showing the action lies in the active window.
bool MainMenu::lendKeysTo(QWidget* window)
{
    if (!window || window->property(kHasMenuKeysProperty).toBool())
        return false;
    window->setProperty(kHasMenuKeysProperty, true);
    giveWayToEditActions(window);
    for (QAction* item : std::as_const(m_actions)) {
        if (!item->shortcut().isEmpty())
            window->addAction(item);
    }
    return true;
}

void MainMenu::install()
{
    qApp->installEventFilter(this);
}

bool MainMenu::wantsMenuBar(QWidget* widget) const
{
    if (!qobject_cast<StdWindow*>(widget) || !widget->isWindow() || widget->isModal())
        return false;
    const Qt::WindowType type = widget->windowType();
    return type != Qt::Tool && type != Qt::Popup && !widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// A palette that takes the keyboard (the details of a figure) shows no bar, yet a key typed there
// is the user's as in any window of the program.
bool MainMenu::wantsMenuKeysOnly(QWidget* widget) const
{
    if (!qobject_cast<StdWindow*>(widget) || !widget->isWindow() || widget->isModal())
        return false;
    return widget->windowType() == Qt::Tool && !widget->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus);
}

// A shortcut acts without its menu being opened: the states are brought up to date when a key
// may be one (the focus widget is offered it before the shortcuts are matched) and when a
// window becomes active.
bool MainMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::WindowActivate)
        refresh();
    if (event->type() == QEvent::ShortcutOverride && quitsFromModalWindow(watched, *static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (wantsMenuBar(widget))
            attachTo(widget);
        else if (wantsMenuKeysOnly(widget))
            lendKeysTo(widget);
    }
    return QObject::eventFilter(watched, event);
}

// A modal window (an editor, an alert, a question, a file or print panel) has no menu keys, and one
// waiting under a question takes no key at all (ModalHandoff): the quit key alone still quits from
// any of them, as from any window (UiHost::endModalRunsThen): every open run comes forward in turn
// and the quit goes on once the user has closed the last.
bool MainMenu::quitsFromModalWindow(QObject* watched, QKeyEvent& key)
{
    QAction* quit = action(QStringLiteral("terminate"));
    const UiHost* host = UiHost::installed();
    if (!watched->isWidgetType() || !host || !quit->isEnabled()
        || QKeySequence(key.keyCombination()) != quit->shortcut())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool modal = widget->window()->isModal();
    if (!modal && !host->waitsUnder(widget))
        return false;
    key.accept();
    trigger(quit);
    return true;
}

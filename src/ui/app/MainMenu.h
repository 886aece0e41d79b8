#pragma once
// The program's menu bar: Fichier (with the new transaction and the search), Comptes, Édition,
// Fenêtres and Aide, each item sending its command to the application delegate by name (the item's action,
// "ENREGISTRER_DOCUMENT:"). The Comptes menu lists the open document's accounts under their banks;
// each opens the account's window (openCompteWindow).
//
// Linux desktops give each window its own menu bar, so every window of the program that is not
// modal and not a palette gets one when it is first shown; a palette that takes the keyboard gets
// the items' keys without a bar, and a modal window waiting under a question the quit key alone.
// All bars share one set of actions: an item's enabled and ticked states are the same wherever it
// is shown. The document's commands are enabled as the delegate validates them (the document's
// while one is open, the Edit menu's as the window in front says); the tool palette's item is
// ticked while it is open.
#include <QList>
#include <QObject>
#include <QPointer>

class ApplicationDelegate;
class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;

class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(ApplicationDelegate* delegate);
    ~MainMenu() override;
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Watches the application's windows and gives each one its menu bar as it is first shown.
    void install();
    // A new menu bar over the shared actions, owned by parent.
    QMenuBar* buildMenuBar(QWidget* parent);
    // Gives the window a menu bar at the top of its layout; false when it has no layout or already
    // has one.
    bool attachTo(QWidget* window);
    // Gives a window that shows no menu bar but takes the keyboard the keys of the menus' items;
    // false when it already has them.
    bool lendKeysTo(QWidget* window);
    // The item of that action ("CLOTURE:"), null when there is none.
    QAction* action(const QString& name) const;
    // Enables each item as the delegate validates its command, ticks the palette's item.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addAction(const char* titleKey, const char* name);
    void addEditActions();
    void giveWayToEditActions(QWidget* window);
    void trigger(QAction* action);
    bool wantsMenuBar(QWidget* widget) const;
    bool wantsMenuKeysOnly(QWidget* widget) const;
    bool quitsFromModalWindow(QObject* watched, QKeyEvent& key);
    void addComptesMenu(QMenuBar* bar);
    void addImporterMenu(QMenu* fichier);
    void fillComptesMenu(QMenu* menu);

    ApplicationDelegate* m_delegate;
    QList<QAction*> m_actions;
    QList<QAction*> m_importers;
    QPointer<QAction> m_palette;
};

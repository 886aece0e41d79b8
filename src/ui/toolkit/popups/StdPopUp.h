#pragma once
// The base of every pop-up that lists entities of the document (accounts, categories, folders,
// payment means, taxes, currencies...). Its menu is rebuilt from the document each time it opens,
// so it never shows stale entities; each item carries the entity's ident (or another code) as its
// tag, and choosing it sends the item's action ("DOSSIER:", "TAXE:") to the window controller,
// which reads the tag from the item it receives. The window tells the pop-up which tag to mark
// (setSelectedTag) whenever its data changes; the mark is put back after every rebuild.
//
// The menu's first item (index 0) is never shown in the list: its title and image are the face
// of the button, and a rebuild keeps it. The items a subclass adds follow it.
//
// A subclass fills the menu in FILL_MENU with the item builders below; WILL_UPDATE runs first.
// Tests open the menu through rebuild(), which is what opening it does, and choose an item
// through activateTag(), which does what a click does.
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdControlProtocol.h"

#include <QToolButton>

class StdPopUp : public QToolButton, public StdControlProtocol {
    Q_OBJECT
public:
    explicit StdPopUp(QWidget* parent = nullptr);

    StdMenu* stdMenu() const { return m_menu; }
    // The first item, whose title and image the button shows.
    QAction* firstItem() const;
    // The title the button shows (the first item's).
    void setTitle(const QString& title);
    void setImage(const QIcon& image);

    // Whether the button shows the small arrow of a menu; a help button shows its image alone.
    void setShowsMenuIndicator(bool shows);

    // ---- Settings, made by the window after building it.

    // Whether the first item of a menu (index 0) may be marked; subclasses also add their
    // "none" or "all" item by it.
    bool getCanSelectFirstItem() const { return m_canSelectFirstItem; }
    void setCanSelectFirstItem(bool can) { m_canSelectFirstItem = can; }
    // Several items may be marked at once; no mark is put back after a rebuild then.
    bool getCanSelectMulti() const { return m_canSelectMulti; }
    void setCanSelectMulti(bool can) { m_canSelectMulti = can; }
    // For account pop-ups: the pop-up chooses the debit side (true) or the credit side.
    bool getCompteDebit() const { return m_compteDebit; }
    void setCompteDebit(bool debit) { m_compteDebit = debit; }
    // Whether each rebuild marks the item of the tag to select.
    bool getCanAutoSelect() const { return m_canAutoSelect; }
    void setCanAutoSelect(bool can) { m_canAutoSelect = can; }
    // The tag of the item to mark; kNoTag marks nothing (-1 is the tag of a "none" item).
    void setSelectedTag(qint64 tag) { m_tagToSelect = tag; }
    qint64 getSelectedTag() const { return m_tagToSelect; }
    static constexpr qint64 kNoTag = -2;
    // The tag of an item that opens the window managing what the pop-up lists: never an ident.
    static constexpr qint64 kManageTag = -3;

    // ---- Marking.

    // Unmarks every item, then marks the items of that tag (see SELECT_ITEM_WITH_TAG_AND_MENU).
    bool SELECT_ITEM_WITH_TAG(qint64 tag);
    // Marks every item of the menu and of its submenus whose tag is the tag, and the parent item
    // of a submenu that answered true; the first item of a menu only when canSelectFirstItem.
    // Answers the answer of the last item that decided it: true for a matching plain item, a
    // submenu's own answer for a submenu item; false for an empty menu.
    bool SELECT_ITEM_WITH_TAG_AND_MENU(QMenu* menu, qint64 tag);
    void DESELECT_ALL_ITEMS();
    // Unmarks every item, submenus first.
    void DESELECT_ALL_ITEMS_WITH_MREF(QMenu* menu);

    // ---- Rebuilding.

    // Removes every item but the first.
    void CLEAR_MENU();
    // The rebuild of an opening: WILL_UPDATE, CLEAR_MENU, FILL_MENU, then, when canAutoSelect is
    // set and canSelectMulti is not, the mark of the tag to select.
    void menuNeedsUpdate(QMenu* menu);
    // The same rebuild, as opening the menu does it.
    void rebuild() { menuNeedsUpdate(m_menu); }
    // Chooses the first shown, enabled item of that tag, in the menu or its submenus, as a click
    // would; false when there is none.
    bool activateTag(qint64 tag);

    // ---- Item builders.

    // Appends an item with the title, the image shown at 24 by 24 (none for a null icon), the
    // enabled state and the tag; with an action, the item sends it to the menu's delegate.
    QAction* addItemToMenuWithImage(QMenu* menu, const QString& title, const QString& action, const QIcon& image,
                                    bool enabled, qint64 tag);
    // The same with the application's image of that name (none for an empty name).
    QAction* addItemToMenu(QMenu* menu, const QString& title, const QString& action, const QString& imageName,
                           bool enabled, qint64 tag);
    // For menus shown outside a pop-up (a table cell's): appends an item marked when selected,
    // with the context as its represented object and the named image; it sends the action to the
    // target when both are given.
    static QAction* addItemToMenu(QMenu* menu, const QString& title, const QString& action, QObject* target,
                                  const QVariant& context, const QString& imageName, bool enabled, bool selected,
                                  qint64 tag);
    // The class-level filling of such menus, which each pop-up class that offers one declares
    // with the same signature; the base lists nothing.
    static void FILL_MENU(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag);

    // The application's image of that name as an item image; a null icon when there is none.
    static QIcon itemImage(const QString& imageName);

    // ---- Hooks.

    bool canPrint() const override { return false; }
    // The button's image.
    QImage printImage() const override;
    // Appends the items of the current document to the menu; the base adds none.
    virtual void FILL_MENU() { }
    // Runs before every rebuild.
    virtual void WILL_UPDATE() { }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showFirstItem();
    static void setItemState(QAction* item, bool on);

    StdMenu* m_menu;
    bool m_canSelectFirstItem = true;
    bool m_canSelectMulti = false;
    bool m_compteDebit = true;
    bool m_canAutoSelect = true;
    qint64 m_tagToSelect = kNoTag;
    bool m_showsMenuIndicator = true;
};

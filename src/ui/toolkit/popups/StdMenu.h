#pragma once
// The menu of the program's pop-ups and context menus. It knows the pop-up that owns it, so that
// opening it lets the pop-up rebuild it from the document, and the window controller that
// receives the actions of its items (its delegate).
//
// An item is a QAction whose data is its tag (the entity's ident or another code, -1 for a
// "none" item), whose action (StdActionDispatcher) names the controller's ("DOSSIER:") and whose
// property "sv_represented" carries what the item stands for beyond its tag. Items are checkable;
// only a checked item shows a mark, as in a menu that marks the current choice. A menu taller than
// the screen scrolls in one column (arrows at its ends, the wheel, the keys).
#include <QMenu>
#include <QPointer>
#include <QVariant>

class StdPopUp;

class StdMenu : public QMenu {
    Q_OBJECT
public:
    explicit StdMenu(const QString& title = QString(), QWidget* parent = nullptr);

    // The pop-up that owns the menu; null for a menu shown by itself (a table cell's menu).
    // (QMenu's popup(point) still shows the menu.)
    StdPopUp* popup() const;
    using QMenu::popup;
    void setPopup(StdPopUp* popup);

    // What the user of the menu attached to it, such as the row it was opened for; invalid
    // after construction.
    QVariant associatedObject() const { return m_associatedObject; }
    void setAssociatedObject(const QVariant& object) { m_associatedObject = object; }

    // The object the items' actions go to: the one set, else the window controller of the window
    // holding the pop-up (or, for a submenu, its parent menu's delegate; for a menu without
    // pop-up, the controller of the window of its parent widget). Null when there is none.
    QObject* delegate() const;
    void setDelegate(QObject* delegate) { m_delegate = delegate; }

    // An item's tag (0 when it has none), its represented object, and its action name.
    static qint64 tagOf(const QObject* item);
    static QVariant representedObject(const QObject* item);
    static QString actionOf(const QObject* item);
    // Draws the item's title in that colour (an invalid colour draws it as usual). The menu has
    // no colour per item of its own; this is read when the item is painted.
    static void setTitleColor(QAction* item, const QColor& color);
    static QColor titleColor(const QAction* item);

    // Makes the item send its action to the target when chosen: through the window
    // controller's dispatch when the target is one, else to the target's slot or invokable
    // method of that name (taking the item as a QObject*, or nothing). No target, no action.
    static void connectItem(QAction* item, const QString& action, QObject* target);

    // The title as the menu must show it: names the user typed may hold "&", which menus and
    // buttons would otherwise take for the mark of a keyboard shortcut and hide.
    static QString literalTitle(const QString& title);

    // The side of the items' images.
    static constexpr int kItemImageSize = 24;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    QPointer<StdPopUp> m_popup;
    QPointer<QObject> m_delegate;
    QVariant m_associatedObject;
};

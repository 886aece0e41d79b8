#pragma once
// Escape closes what is popped up first (a list, a menu, a completion) and only that: the window
// under it keeps what was typed and acts on Escape (its Cancel) only when nothing is popped up.
//
// A key is offered to the window's shortcuts before it reaches the pop-up, unless the pop-up claims
// it. A menu does, but a combo box's list closes itself on that offer without claiming the key: the
// shortcut search then finds no pop-up open any more, and the window's own Escape ran as well. The
// Escape offered while a pop-up is open is claimed for the pop-up, which then closes as it will.
#include <QObject>

class PopupEscape : public QObject {
    Q_OBJECT
public:
    // Watches the application's keys from now on; later calls do nothing.
    static void ensureInstalled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

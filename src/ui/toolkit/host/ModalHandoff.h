#pragma once
// A window blocked by a modal window never keeps the keyboard. Some window managers (i3) raise and
// focus whatever window is clicked, a question's own window included: the question goes out of
// sight behind it and the keys reach a window that Qt makes ignore them. When a blocked window is
// activated, the modal window blocking it is raised and activated in its place, once, whatever the
// manager. Where the manager gives the blocked window the keyboard but refuses the program's own
// request to pass it on (herbstluftwm prevents focus stealing), the modal window asks for it as the
// user's act: it follows the user's click. Managers that keep a question in front never activate
// the blocked window, so nothing changes under them.
#include <QList>
#include <QObject>

class QWidget;

class ModalHandoff : public QObject {
    Q_OBJECT
public:
    // Installs the one filter on the application; later calls do nothing.
    static void ensureInstalled();
    // The modal window that must be answered before that window takes keys again: the innermost
    // one blocking it, followed through the modal windows that block it in turn. Null when the
    // window is not blocked.
    static QWidget* answeringWindow(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    // The manager gave the window the keyboard: a blocked one hands it to its modal window.
    static void managerGaveKeyboard(QWidget* window);

    static QList<QWidget*> openModalWindows();
    static QWidget* firstBlocker(const QList<QWidget*>& modals, const QWidget* window);
};

#pragma once
// A window blocked by a modal window never keeps the keyboard. Some window managers (i3) raise and
// focus whatever window is clicked, a question's own window included: the question goes out of
// sight behind it and the keys reach a window that Qt makes ignore them. When a blocked window is
// activated, the modal window blocking it is raised and activated in its place, once, whatever the
// manager. Where the manager gives the blocked window the keyboard but refuses the program's own
// request to pass it on (herbstluftwm prevents focus stealing), the modal window asks for it as the
// user's act: it follows the user's click. Managers that keep a question in front never activate
// the blocked window, so nothing changes under them.
//
// A modal window whose run waits under a question asked from another window meanwhile (a sheet
// Qt does not let block it) counts as blocked by that question: it hands the keyboard over the
// same way, and takes no input until the question is answered, since whatever it did would be
// carried out only after the answer. Its keys and clicks are dropped, each bringing the question
// forward; its own shortcuts wait with it. While a quit or a document's close waits for the user,
// every other window counts as blocked by the run it waits for (UiHost::waitsUnder).
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
    // Whether the event is input for a window waiting under a question, dropped.
    static bool dropsWaitingInput(QObject* watched, QEvent* event);
    static QWidget* qtBlocker(QWidget* window);

    static QList<QWidget*> openModalWindows();
    static QWidget* firstBlocker(const QList<QWidget*>& modals, const QWidget* window);
};

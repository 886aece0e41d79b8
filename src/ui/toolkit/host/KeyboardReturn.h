#pragma once
// When a modal run ends (a modal window, an alert, a panel), the keyboard goes back where it was
// before the run opened: to the window that had it and, in that window, to the field that had it,
// caret and selection as the user left them. A click on a button (OK) that took the keyboard from
// a field on the way to an alert does not count: the field gets it back.
//
// Window managers mostly give the keyboard back to the window a modal window stood on, but not
// all do, and without one nothing does. The return waits until the modal window is gone, and it
// never takes the keyboard from a window opened or activated meanwhile: that window is the user's
// new choice.
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <vector>

class QWidget;

class KeyboardReturn : public QObject {
    Q_OBJECT
public:
    // A run opens on the modal window given (null when it has none): what has the keyboard now is
    // what it goes back to.
    static void runOpens(QWidget* modal);
    // The innermost run has ended.
    static void runCloses();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Holder {
        QPointer<QWidget> window; // the window that had the keyboard
        QPointer<QWidget> field; // its field that had it
        QPointer<QWidget> modal; // the window of the run
        std::uint64_t shown = 0; // windows shown before the run ended
    };

    using QObject::QObject;
    static KeyboardReturn& shared();

    void focusChanged(QWidget* old, QWidget* now);
    void closeRun();
    // Once the run's window is gone.
    void waitForModal(Holder holder);
    void releaseWaiting();
    void post(const Holder& holder);
    void giveBack(const Holder& holder);
    void watchWindows(bool watch);

    std::vector<Holder> m_open; // one per open run, innermost last
    std::vector<Holder> m_waiting; // ended runs whose window is still shown
    QPointer<QWidget> m_lastField; // the last field that had the keyboard
    std::uint64_t m_shown = 0; // windows shown while a return waits
    int m_pending = 0; // returns waiting or posted
};

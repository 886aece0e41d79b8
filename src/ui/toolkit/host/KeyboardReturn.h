#pragma once
// When a modal run ends (a modal window, an alert, a panel), the keyboard goes back where it was
// before the run opened: to the window that had it and, in that window, to the field that had it,
// caret and selection as the user left them. A click on a button (OK) that took the keyboard from
// a field on the way to an alert does not count: the field gets it back.
//
// Window managers mostly give the keyboard back to the window a modal window stood on, but not
// all do, and without one nothing does. The return waits until the modal window is gone, and it
// never takes the keyboard from a window opened, raised or activated meanwhile: that window is the
// user's new choice.
//
// Whenever the window that has the keyboard closes (a run's window, or any window the user or
// the program closes), the keyboard lands on the window in front (WindowOrder): never on a window
// lying behind another, never nowhere while a window shows. Without a manager nothing gives it:
// the program does. A manager gives it to a window of its own choosing: when that is a window
// behind another, the program gives the keyboard to the one in front instead, once. A window shown
// or raised after the close is the user's next one and takes the keyboard as it opens; until the
// user acts (a key, a click), a choice the manager made before it and that arrives late is undone
// the same way.
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;
class QWindow;

class KeyboardReturn : public QObject {
    Q_OBJECT
public:
    // Follows the keyboard from now on; later calls do nothing.
    static void ensureInstalled();
    // A run opens on the modal window given (null when it has none): what has the keyboard now is
    // what it goes back to.
    static void runOpens(QWidget* modal);
    // The innermost run has ended.
    static void runCloses();
    // A field that closes (the note) hands its place to the field it took the keyboard from: where
    // it counts as the field the user last typed in, or as the one a run gives the keyboard back
    // to, the heir counts instead.
    static void fieldHandsBack(const QWidget* closing, QWidget* heir);
    // Whether a manager chooses where the keyboard goes, as a test says: its script plays the
    // manager on a platform without one. Nullopt asks the display again.
    static void setManagerChoosesForTesting(std::optional<bool> chooses);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Holder {
        QPointer<QWidget> window; // the window that had the keyboard
        QPointer<QWidget> field; // its field that had it
        QPointer<QWidget> modal; // the window of the run
        std::uint64_t changes = 0; // windows shown or raised before the run ended
    };
    struct Landing {
        bool armed = false; // from the close until the user acts or a choice is corrected
        std::uint64_t number = 0; // which close it follows
        std::uint64_t changes = 0; // windows shown or raised before that close
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

    void keyWindowChanged(QWindow* window);
    void keyWindowCloses();
    // Whether the keyboard is where it belongs after the close, and where it belongs.
    bool landsWell(QWidget* window) const;
    QWidget* rightfulWindow() const;
    // Without a manager, once the events of the close are in.
    void land(std::uint64_t number);
    // Where the keyboard landed after the close.
    void landedOn(QWidget* window);
    void endLanding();

    // The application's every event passes here while a return or a landing waits.
    void hold();
    void release();

    std::vector<Holder> m_open; // one per open run, innermost last
    std::vector<Holder> m_waiting; // ended runs whose window is still shown
    QPointer<QWidget> m_lastField; // the last field that had the keyboard
    QPointer<QWidget> m_keyWindow; // the window that has the keyboard, watched for its close
    Landing m_landing;
    std::uint64_t m_changes = 0; // windows shown or raised while a return or a landing waits
    QPointer<QWidget> m_lastBrought; // the last of them
    int m_pending = 0; // returns and landings waiting or posted
};

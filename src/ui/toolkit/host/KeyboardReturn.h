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
// behind another, the program gives the keyboard to the one in front instead, once; when it
// leaves the keyboard where it was, on another window of the program, Qt hears nothing of it and
// is told by the program. A window shown or raised after the close is the user's next one and
// takes the keyboard as it opens; until the user acts (a key, a click), a choice the manager made
// before it and that arrives late is undone the same way.
//
// A window that shrinks as it closes still has the keyboard on the screen, though the user is done
// with it: the keys typed meanwhile wait, and go to where the keyboard lands once it is gone, in
// the order typed; its other input (a click on its buttons) is dropped.
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>

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
    // The program puts the keyboard there on purpose (the field after a date just picked): a run
    // that has ended leaves it there rather than give it back where it was when the run opened.
    static void programPlaces(QWidget* place);
    // The window begins to close (it shrinks, then hides): the keys typed into it until it has
    // hidden are for the window that has the keyboard after it.
    static void windowBeginsClosing(QWidget* window);
    // The program hid the window and showed it again at once (its modality changed): if Qt still
    // takes it for the platform's focus window, it is the active window again.
    static void windowShownAgain(QWidget* window);
    // Whether a manager chooses where the keyboard goes, as a test says: its script plays the
    // manager on a platform without one. Nullopt asks the display again.
    static void setManagerChoosesForTesting(std::optional<bool> chooses);
    // The window the platform gives the keys to, as a test says (null: none of the program's).
    // Nullopt asks the display again.
    static void setPlatformKeyboardForTesting(std::optional<QWidget*> window);

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

    // A key as typed, to send again.
    struct HeldKey {
        QEvent::Type type;
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        quint32 virtualKey;
        quint32 nativeModifiers;
        QString text;
        bool autoRepeat;
        quint16 count;
    };

    // Whether a window is still closing; forgets those deleted meanwhile.
    bool closing();
    // Whether the event is input for a closing window, kept (a key) or dropped.
    bool takesClosingInput(QObject* watched, QEvent* event);
    void closingWindowHides(QWidget* window);
    // The keys held go to the field that has the keyboard, once it has landed where it belongs.
    void deliverHeldKeysOnceLanded();
    void deliverHeldKeys();
    void updateKeyHold();

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
    // The keyboard to that window, or to the question it must answer first.
    void activate(QWidget* window);
    // With a manager, once the events of the close are in: Qt told of the window the platform
    // gives the keys to, when it knows of none.
    void followPlatformKeyboard();
    void postFollowPlatformKeyboard();

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
    int m_pending = 0; // returns and landings waiting or posted, closes, keys held
    int m_posted = 0; // give-backs posted and not yet run
    QPointer<QWidget> m_placed; // where the program put the keyboard since the last run opened
    std::vector<QPointer<QWidget>> m_closing; // windows shrinking as they close
    std::vector<HeldKey> m_heldKeys; // typed into them, in order
    bool m_keyHold = false; // whether the closes or the keys held keep the events watched
    bool m_followPosted = false; // a reading of the platform's keyboard window waits
};

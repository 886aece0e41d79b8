// Where the keyboard goes when the window that has it closes: to the window in front, into the
// field that had it there; never to a window lying behind another, never nowhere while a window
// shows, and never back over a window the program brought to front meanwhile.
#include "toolkit/host/KeyboardReturn.h"
#include "toolkit/host/QtUiHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

// A window with a field to type in, where the screen shows it.
class TypedWindow : public QWidget {
public:
    TypedWindow(const char* name, const QRect& frame)
    {
        setWindowTitle(QString::fromLatin1(name));
        field = new QLineEdit(this);
        (new QVBoxLayout(this))->addWidget(field);
        setGeometry(frame);
    }
    QLineEdit* field;
};

// The activations a window receives.
class Activations : public QObject {
public:
    explicit Activations(QWidget& window) { window.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        count += event->type() == QEvent::WindowActivate ? 1 : 0;
        return false;
    }
};

class KeyboardLandingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UiHost::install(m_host.get());
        // Shown in that order, the list last: it lies over the banks' window; the other one lies
        // beside them, as a tiling manager places windows.
        for (TypedWindow* window : {&banks, &beside, &list})
            bringToFront(*window);
    }
    void TearDown() override
    {
        KeyboardReturn::setManagerChoosesForTesting(std::nullopt);
        KeyboardReturn::setPlatformKeyboardForTesting(std::nullopt);
        UiHost::install(nullptr);
    }

    // As the program shows a window: in front, with the keyboard in its field.
    static void bringToFront(TypedWindow& window)
    {
        window.show();
        window.raise();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.field->setFocus();
    }

    // The window with the keyboard once the program is at rest: a ping-pong of activations would
    // show here.
    static QWidget* keyWindowAtRest(const QWidget& expected)
    {
        static_cast<void>(QTest::qWaitFor([&] { return QApplication::activeWindow() == &expected; }, 500));
        QTest::qWait(100);
        return QApplication::activeWindow();
    }

    // Calls fn from the event loop of the alert about to open, once it has the keyboard.
    static void whenAlertShows(std::function<void(QMessageBox&)> fn)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, fn, waited = 0]() mutable {
            auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!(alert && QApplication::activeWindow() == alert) && ++waited < 100)
                return;
            poll->deleteLater();
            poll->stop();
            ASSERT_NE(alert, nullptr);
            fn(*alert);
        });
        poll->start(20);
    }

    static void answer(QMessageBox& alert) { alert.buttons().constFirst()->click(); }

    AlertRequest question() const
    {
        AlertRequest request;
        request.message = QStringLiteral("Voulez-vous vérifier le document maintenant ?");
        return request;
    }

    std::unique_ptr<UiHost> m_host = makeQtUiHost();
    TypedWindow banks {"banques", QRect(0, 0, 500, 400)};
    TypedWindow list {"relevé", QRect(150, 100, 600, 450)};
    TypedWindow beside {"à côté", QRect(800, 0, 400, 300)};
    TypedWindow entry {"opération", QRect(200, 150, 400, 300)};
    TypedWindow calendar {"calendrier", QRect(300, 200, 300, 200)};
};

} // namespace

TEST_F(KeyboardLandingTest, TheWindowInFrontTakesTheKeyboardWhenTheOneThatHadItCloses)
{
    enum class Manager { None, ChoosesBehind, ChoosesFront, ChoosesBeside, ChoosesBehindLate, KeepsBeside };
    struct Case {
        const char* why;
        Manager manager; // what the manager does once the window is closed
        TypedWindow* expected;
        int activations; // of the expected window: one, and one more for a late choice undone
    };
    const Case cases[] = {
        {"without a manager, the program gives it", Manager::None, &list, 1},
        {"the manager chooses a window lying behind another", Manager::ChoosesBehind, &list, 1},
        {"the manager chooses the window in front", Manager::ChoosesFront, &list, 1},
        {"the manager chooses a window beside the others", Manager::ChoosesBeside, &beside, 1},
        {"the manager's choice arrives after a window opened since took the keyboard", Manager::ChoosesBehindLate,
         &calendar, 2},
        {"the manager left the keys on a window beside, saying nothing", Manager::KeepsBeside, &beside, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        bringToFront(list);
        bringToFront(entry);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("k1"));
        TypedWindow& expected = *c.expected;
        Activations activations(expected);

        KeyboardReturn::setManagerChoosesForTesting(c.manager != Manager::None);
        KeyboardReturn::setPlatformKeyboardForTesting(c.manager == Manager::KeepsBeside ? &beside : nullptr);
        entry.hide();
        switch (c.manager) {
        case Manager::None:
        case Manager::KeepsBeside:
            break;
        case Manager::ChoosesBehind:
            banks.activateWindow();
            break;
        case Manager::ChoosesFront:
            list.activateWindow();
            break;
        case Manager::ChoosesBeside:
            beside.activateWindow();
            break;
        case Manager::ChoosesBehindLate:
            calendar.show();
            calendar.raise();
            calendar.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&calendar));
            banks.activateWindow();
            break;
        }
        EXPECT_EQ(keyWindowAtRest(expected), &expected);
        EXPECT_EQ(QApplication::focusWidget(), expected.field) << "the field that had the keyboard there";
        EXPECT_EQ(activations.count, c.activations);
        calendar.hide();
    }
}

TEST_F(KeyboardLandingTest, AQuestionAnsweredLeavesTheKeyboardToTheWindowTheUserSees)
{
    struct Case {
        const char* why;
        std::function<void()> whileAsked; // what the program does while the question waits
        std::function<void()> onceAnswered; // and as soon as it is answered
        TypedWindow* expected;
    };
    const Case cases[] = {
        {"the window that asked closed meanwhile (the documents' window, as a document opens)",
         [this] { entry.hide(); }, [] {}, &list},
        {"the program brings another window to front as soon as the question is answered", [] {},
         [this] {
             banks.raise();
             banks.activateWindow();
         },
         &banks},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        bringToFront(list);
        bringToFront(entry);
        whenAlertShows([&c](QMessageBox& alert) {
            c.whileAsked();
            answer(alert);
        });
        m_host->alerts().show(question());
        c.onceAnswered();
        TypedWindow& expected = *c.expected;
        EXPECT_EQ(keyWindowAtRest(expected), &expected);
        EXPECT_EQ(QApplication::focusWidget(), expected.field);
    }
}

// A window running modally on itself (a statement while the user ticks) goes off and on again as
// its mode starts and ends, and Qt forgets it was active though the platform's focus stays on it:
// whatever the manager does meanwhile, it has the keyboard after its mode, and hands it on as it
// closes.
TEST_F(KeyboardLandingTest, AWindowRunningModallyOnItselfKeepsTheKeyboard)
{
    enum class Manager { None, LeavesTheKeys, AskedForAnotherWindow, GivesTheKeysAsTheAskerCloses };
    const struct {
        const char* why;
        Manager manager;
    } cases[] = {
        {"without a manager, the program gives it", Manager::None},
        {"the manager leaves the keys on it, saying nothing", Manager::LeavesTheKeys},
        // A click on another window during the mode: Qt asks the manager to activate the modal
        // window instead, and the manager gives it the keys again once it shows anew.
        {"the manager was asked to activate another window meanwhile", Manager::AskedForAnotherWindow},
        // The editor that asked for the mode closed as it began: Qt knew no active window until the
        // manager gave the keys to the window, its mode begun.
        {"the mode began as the window that asked for it closed", Manager::GivesTheKeysAsTheAskerCloses},
    };
    for (const auto& c : cases) {
        for (const int runs : {1, 2}) {
            SCOPED_TRACE(testing::Message() << c.why << ", " << runs << " runs");
            KeyboardReturn::setManagerChoosesForTesting(c.manager != Manager::None);
            KeyboardReturn::setPlatformKeyboardForTesting(c.manager == Manager::None ? std::nullopt
                                                                                     : std::optional<QWidget*>(&list));
            bringToFront(list);
            if (c.manager == Manager::GivesTheKeysAsTheAskerCloses) {
                bringToFront(entry);
                entry.hide();
            }
            for (int run = 0; run < runs; ++run) {
                QTimer::singleShot(0, &list, [this, &c] {
                    if (c.manager != Manager::None && c.manager != Manager::LeavesTheKeys)
                        list.activateWindow();
                    m_host->modal().endModal(&list, 0);
                });
                m_host->modal().run({&list, nullptr, false, nullptr});
                if (c.manager == Manager::AskedForAnotherWindow)
                    list.windowHandle()->requestActivate();
            }
            EXPECT_EQ(keyWindowAtRest(list), &list);
            EXPECT_EQ(QApplication::focusWidget(), list.field);
            KeyboardReturn::setPlatformKeyboardForTesting(
                c.manager == Manager::None ? std::nullopt : std::optional<QWidget*>(&beside));
            list.hide();
            if (c.manager != Manager::None)
                beside.activateWindow();
            EXPECT_EQ(keyWindowAtRest(beside), &beside) << "the keyboard went nowhere as the window closed";
        }
    }
}

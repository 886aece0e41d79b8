// A window blocked by a modal window, once activated (as i3 does on a click), hands the keyboard
// and the front to the modal window that must be answered, once; a window nothing blocks keeps both.
#include "toolkit/host/QtUiHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The activations and raises a window receives.
class WindowEvents : public QObject {
public:
    explicit WindowEvents(QWidget& window) { window.installEventFilter(this); }
    int activations = 0;
    int raises = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        activations += event->type() == QEvent::WindowActivate ? 1 : 0;
        raises += event->type() == QEvent::ZOrderChange ? 1 : 0;
        return false;
    }
};

class ModalHandoffTest : public ::testing::Test {
protected:
    void SetUp() override { UiHost::install(m_host.get()); }
    void TearDown() override { UiHost::install(nullptr); }

    // Calls fn from the event loop of the next modal run, once its window (a new innermost modal
    // window) is active; gives up after two seconds.
    static void whenModal(const QWidget* outer, std::function<void(QWidget&)> fn)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, outer, fn, waited = 0]() mutable {
            QWidget* modal = QApplication::activeModalWidget();
            const bool shown = modal && modal != outer;
            if (!(shown && QApplication::activeWindow() == modal) && ++waited < 100)
                return;
            poll->deleteLater();
            poll->stop();
            ASSERT_TRUE(shown);
            fn(*modal);
        });
        poll->start(20);
    }

    // Activates `clicked` as a window manager does on a click; once the program is back at rest,
    // `answering` is in front and active, having been raised and activated once.
    static void expectHandOff(const char* name, QWidget& clicked, QWidget& answering)
    {
        SCOPED_TRACE(name);
        const bool handedOff = &clicked != &answering;
        WindowEvents onClicked(clicked);
        WindowEvents onAnswering(answering);
        clicked.activateWindow();
        static_cast<void>(QTest::qWaitFor(
            [&] { return onClicked.activations > 0 && QApplication::activeWindow() == &answering; }, 500));
        QTest::qWait(100); // a ping-pong of activations would show here
        EXPECT_EQ(QApplication::activeWindow(), &answering);
        EXPECT_EQ(onClicked.activations, 1);
        EXPECT_EQ(onAnswering.activations, 1);
        EXPECT_EQ(onAnswering.raises, handedOff ? 1 : 0);
        answering.activateWindow(); // the next case starts from the state it expects
        EXPECT_TRUE(QTest::qWaitForWindowActive(&answering));
    }

    // The alert of the entry window, a sheet on the window given.
    static AlertRequest alertOn(QWidget& window)
    {
        AlertRequest request;
        request.window = &window;
        request.message = QStringLiteral("Le compte débité et le compte crédité doivent être différents.");
        return request;
    }

    std::unique_ptr<UiHost> m_host = makeQtUiHost();
};

TEST_F(ModalHandoffTest, AnActivatedBlockedWindowHandsTheKeyboardToItsQuestionOnce)
{
    QWidget editor;
    QWidget other;
    QWidget entry(nullptr, Qt::Window);
    for (QWidget* window : {&other, &editor, &entry})
        window->resize(300, 200);
    other.show();
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));

    // The entry window runs application-modal over the editor; its alert is a sheet on it.
    whenModal(nullptr, [&](QWidget& modal) {
        expectHandOff("editor under the modal window", editor, modal);
        whenModal(&modal, [&](QWidget& alert) {
            expectHandOff("modal window under its alert", entry, alert);
            expectHandOff("editor under the modal window and its alert", editor, alert);
            qobject_cast<QMessageBox*>(&alert)->buttons().constFirst()->click();
        });
        m_host->alerts().show(alertOn(entry));
        m_host->modal().endModal(&entry, 1);
    });
    EXPECT_EQ(m_host->modal().run(ModalRequest {&entry, nullptr, false, nullptr}), 1);
    entry.hide(); // as its controller does once answered: shown, it would block every window still

    // An alert on one window leaves the others free.
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    whenModal(nullptr, [&](QWidget& alert) {
        expectHandOff("window under its alert", editor, alert);
        expectHandOff("window free of the alert", other, other);
        qobject_cast<QMessageBox*>(&alert)->buttons().constFirst()->click();
    });
    m_host->alerts().show(alertOn(editor));
}

} // namespace

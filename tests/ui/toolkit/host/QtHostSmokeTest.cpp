// The production host on real event loops (offscreen): a sheet's modal run ended by a button, the
// close box, the timers' modal rule, and a real alert box looked at and answered.
#include "toolkit/host/QtUiHost.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

namespace {

class QtHostSmoke : public ::testing::Test {
protected:
    void SetUp() override { UiHost::install(m_host.get()); }
    void TearDown() override { UiHost::install(nullptr); }

    // Runs fn from the event loop once the modal widget is up; gives up after two seconds.
    static void whenModal(std::function<void(QWidget*)> fn)
    {
        auto* poll = new QTimer;
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        QObject::connect(poll, &QTimer::timeout, poll, [poll, started, fn] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal && started->elapsed() < 2000)
                return;
            poll->deleteLater();
            poll->stop();
            fn(modal);
        });
        poll->start(20);
    }

    std::unique_ptr<UiHost> m_host = makeQtUiHost();
};

TEST_F(QtHostSmoke, SheetRunEndsByItsButtonOrCloseBoxAndHoldsDefaultTimers)
{
    QWidget parent;
    parent.setGeometry(100, 100, 600, 400);
    parent.show();
    QWidget window(nullptr, Qt::Window);
    window.resize(200, 100);
    auto* ok = new QPushButton("OK", &window);
    ok->setObjectName("OUI:");
    QObject::connect(ok, &QPushButton::clicked, [&] { m_host->modal().endModal(&window, 1); });

    bool defaultFired = false;
    bool panelFiredInside = false;
    m_host->scheduler().after(10, IScheduler::Mode::Default, [&] { defaultFired = true; });
    m_host->scheduler().after(10, IScheduler::Mode::ModalPanel, [&] { panelFiredInside = m_host->modalDepth() == 1; });
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(modal, &window);
        QTest::qWait(100); // both timers are due by now
        EXPECT_FALSE(defaultFired);
        if (auto* button = modal ? modal->findChild<QPushButton*>("OUI:") : nullptr)
            button->click();
        else
            m_host->modal().endModal(&window, -1);
    });
    EXPECT_EQ(m_host->modal().run(ModalRequest {&window, &parent, true, nullptr}), 1);
    EXPECT_EQ(window.windowModality(), Qt::WindowModal);
    EXPECT_LE((window.geometry().center() - parent.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(panelFiredInside);
    EXPECT_FALSE(defaultFired); // held past the run, to the next turn of the loop
    EXPECT_TRUE(QTest::qWaitFor([&] { return defaultFired; }, 1000));

    window.hide();
    whenModal([&](QWidget* modal) {
        if (modal)
            modal->close();
    });
    EXPECT_EQ(m_host->modal().run(ModalRequest {&window, nullptr, false, nullptr}), 0);
    EXPECT_EQ(m_host->modal().depth(), 0);
}

TEST_F(QtHostSmoke, RepeatingTimerKeepsFiringUntilCancelled)
{
    // The main timer and the browser refresh rest on this: a repeat that fired once would stop them.
    int fired = 0;
    const auto handle = m_host->scheduler().every(10, IScheduler::Mode::Default, [&] { ++fired; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= 4; }, 2000));
    EXPECT_TRUE(m_host->scheduler().isActive(handle));
    m_host->scheduler().cancel(handle);
    const int atCancel = fired;
    QTest::qWait(50);
    EXPECT_EQ(fired, atCancel);
}

TEST_F(QtHostSmoke, MinimisingTheWindowDoesNotEndItsModalRun)
{
    QWidget window(nullptr, Qt::Window);
    window.resize(200, 100);
    whenModal([&](QWidget* modal) {
        ASSERT_EQ(modal, &window);
        QHideEvent minimised; // as the window system sends it
        QSpontaneKeyEvent::setSpontaneous(&minimised);
        qApp->notify(&window, &minimised); // as QTest does: sendEvent would clear the flag
        QTest::qWait(30);
        EXPECT_EQ(m_host->modal().depth(), 1);
        m_host->modal().endModal(&window, 1);
    });
    EXPECT_EQ(m_host->modal().run(ModalRequest {&window, nullptr, false, nullptr}), 1);
}

TEST_F(QtHostSmoke, AlertShowsItsButtonsInOrderAndAnswersTheOnePressed)
{
    QWidget parent;
    parent.setGeometry(100, 100, 600, 400);
    parent.show();
    QStringList titles;
    QString defaultTitle;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        QDir().mkpath(SORV_TEST_OUTPUT_DIR);
        box->grab().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/alert-sheet.png"));
        for (QAbstractButton* button : box->buttons())
            titles << button->text();
        defaultTitle = box->defaultButton() ? box->defaultButton()->text() : QString();
        const auto buttons = box->buttons();
        for (QAbstractButton* button : buttons) {
            if (button->text() == "Plus tard")
                button->click();
        }
    });
    AlertRequest request {&parent,
                          "Voulez-vous faire une copie de votre document ?",
                          "La dernière copie date de plus de 7 jours.",
                          "Maintenant",
                          "Plus tard",
                          "Ne plus demander",
                          QString(),
                          0};
    EXPECT_EQ(m_host->alerts().show(request), 1001);
    EXPECT_EQ(titles, (QStringList {"Maintenant", "Plus tard", "Ne plus demander"}));
    EXPECT_EQ(defaultTitle, "Maintenant");
    EXPECT_EQ(m_host->modalDepth(), 0);
}

// A question stands above the window that asked it: the window manager sees a dialog whose
// transient parent is that window (a plain window's is dropped, and the question could open
// behind), and an alert asked without a window stands above the question that is running.
TEST_F(QtHostSmoke, QuestionsAndAlertsStandAboveTheWindowThatAsked)
{
    QWidget editor;
    editor.setGeometry(100, 100, 600, 400);
    editor.show();
    QWidget question(nullptr, Qt::Window);
    question.resize(200, 100);
    Qt::WindowType type = Qt::Widget;
    const QWindow* transient = nullptr;
    const QWindow* alertOver = nullptr;
    whenModal([&](QWidget* modal) {
        ASSERT_EQ(modal, &question);
        type = modal->windowType();
        transient = modal->windowHandle() ? modal->windowHandle()->transientParent() : nullptr;
        auto* poll = new QTimer(&question);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, &alertOver] {
            if (auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                poll->stop();
                alertOver = alert->windowHandle() ? alert->windowHandle()->transientParent() : nullptr;
                alert->buttons().constFirst()->click();
            }
        });
        poll->start(20);
        QTimer::singleShot(0, [&] {
            m_host->alerts().show(
                AlertRequest {nullptr, "Compte inconnu", QString(), "OK", QString(), QString(), QString(), 1});
            m_host->modal().endModal(&question, 1);
        });
    });
    EXPECT_EQ(m_host->modal().run(ModalRequest {&question, &editor, true, nullptr}), 1);
    EXPECT_EQ(type, Qt::Dialog);
    EXPECT_EQ(transient, editor.windowHandle());
    EXPECT_EQ(alertOver, question.windowHandle());
}

} // namespace

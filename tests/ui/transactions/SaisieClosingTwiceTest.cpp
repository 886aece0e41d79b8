// A second close while the entry window shrinks: the run ends once, with the first close's code,
// and nothing left to run after the shrinking reaches a window that is gone (the sanitizers
// watch the last case). The window stays on screen until the shrinking ends, and only Cancel
// sounds, once.
#include "SaisieUiFixture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

using namespace saisieui;

namespace {

// CloseBox closes the window by program; ManagerCloseBox comes from the event loop through the
// window, as the window manager's close button sends it.
enum class Second { CloseBox, OkAgain, Quit, ManagerCloseBox };

class SaisieClosingTwiceTest : public SaisieUiTest {
protected:
    // The first close by action, the second while the window shrinks; answers the run's code.
    int closeTwice(const char* first, Second second)
    {
        keptWhileShrinking = false;
        const int status = enter(newOf(11), [&](FenEditSaisieController& w) {
            showActive(w);
            APPLIPARAM::loadAppliParam().doAnimations = true;
            APPLIPARAM::loadAppliParam().doSoundsClose = true;
            ui().animations().setSpeed(1);
            ui().sounds().plays.clear();
            shown = w.window();
            choose(w, "pop_compteC", 22);
            type(w, "field_montant", QStringLiteral("12"));
            w.perform(QString::fromLatin1(first));
            // The shrinking ends from the event loop, once the second close has come.
            QTimer::singleShot(0, [this, second] {
                if (second == Second::ManagerCloseBox && shown)
                    closeBox(shown->windowHandle());
                const auto& shrinks = ui().animations().recorded;
                keptWhileShrinking = shown && shown->isVisible() && !shrinks.empty() && !shrinks.back().finished;
                ui().animations().finishAll();
            });
            switch (second) {
            case Second::CloseBox:
                w.window()->close();
                break;
            case Second::OkAgain:
                ok(w);
                break;
            case Second::Quit:
                UiHost::instance().endModalRunsThen(&quitContext, [this] { ++quits; });
                break;
            case Second::ManagerCloseBox:
                break;
            }
            QCoreApplication::processEvents();
        });
        QCoreApplication::processEvents();
        ui().flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        APPLIPARAM::loadAppliParam().doSoundsClose = false;
        ui().animations().setSpeed(0);
        return status;
    }

    static void closeBox(QWindow* window)
    {
        QCloseEvent event;
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(window, &event); // sendEvent would clear the flag
    }
    long closeSounds() { return long(ui().sounds().playedNames().count(QStringLiteral("CloseWindow"))); }

    QObject quitContext;
    int quits = 0;
    QPointer<QWidget> shown;
    bool keptWhileShrinking = false;
};

} // namespace

TEST_F(SaisieClosingTwiceTest, TheRunEndsOnceWithTheFirstClosesCode)
{
    const struct {
        const char* first;
        Second second;
        int status;
        int stored;
    } cases[] = {
        {"OUI:", Second::CloseBox, kSaisieOK, 1},
        {"NON:", Second::CloseBox, kSaisieCancel, 0},
        {"OUI:", Second::OkAgain, kSaisieOK, 1},
        {"NON:", Second::Quit, kSaisieCancel, 0},
        {"OUI:", Second::Quit, kSaisieOK, 1},
        {"NON:", Second::ManagerCloseBox, kSaisieCancel, 0},
        {"OUI:", Second::ManagerCloseBox, kSaisieOK, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " then second close " + std::to_string(int(c.second)));
        doc.transact_array.clear();
        EXPECT_EQ(closeTwice(c.first, c.second), c.status);
        EXPECT_EQ(long(doc.transact_array.size()), c.stored);
        EXPECT_EQ(ui().modal().depth(), 0);
        EXPECT_EQ(quits, c.second == Second::Quit ? 1 : 0) << "a quit goes on once the window has gone";
        EXPECT_TRUE(keptWhileShrinking);
        EXPECT_TRUE(shown.isNull()) << "the window goes once it has shrunk";
        EXPECT_EQ(closeSounds(), c.status == kSaisieCancel ? 1 : 0);
        quits = 0;
    }
}

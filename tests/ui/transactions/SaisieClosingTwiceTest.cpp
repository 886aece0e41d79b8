// A second close while the entry window shrinks: the run ends once, with the first close's code,
// and nothing left to run after the shrinking reaches a window that is gone (the sanitizers
// watch the last case).
#include "SaisieUiFixture.h"

#include <QCoreApplication>
#include <QTimer>

using namespace saisieui;

namespace {

enum class Second { CloseBox, OkAgain, Quit };

class SaisieClosingTwiceTest : public SaisieUiTest {
protected:
    // The first close by action, the second while the window shrinks; answers the run's code.
    int closeTwice(const char* first, Second second)
    {
        const int status = enter(newOf(11), [&](FenEditSaisieController& w) {
            showActive(w);
            APPLIPARAM::loadAppliParam().doAnimations = true;
            ui().animations().setSpeed(1);
            choose(w, "pop_compteC", 22);
            type(w, "field_montant", QStringLiteral("12"));
            w.perform(QString::fromLatin1(first));
            // The shrinking ends from the event loop, once the second close has come.
            QTimer::singleShot(0, [this] { ui().animations().finishAll(); });
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
            }
            QCoreApplication::processEvents();
        });
        QCoreApplication::processEvents();
        ui().flush();
        APPLIPARAM::loadAppliParam().doAnimations = false;
        ui().animations().setSpeed(0);
        return status;
    }

    QObject quitContext;
    int quits = 0;
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
        {"OUI:", Second::CloseBox, kSaisieOK, 1}, {"NON:", Second::CloseBox, kSaisieCancel, 0},
        {"OUI:", Second::OkAgain, kSaisieOK, 1},  {"NON:", Second::Quit, kSaisieCancel, 0},
        {"OUI:", Second::Quit, kSaisieOK, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " then second close " + std::to_string(int(c.second)));
        doc.transact_array.clear();
        EXPECT_EQ(closeTwice(c.first, c.second), c.status);
        EXPECT_EQ(long(doc.transact_array.size()), c.stored);
        EXPECT_EQ(ui().modal().depth(), 0);
        EXPECT_EQ(quits, c.second == Second::Quit ? 1 : 0) << "a quit goes on once the window has gone";
        quits = 0;
    }
}

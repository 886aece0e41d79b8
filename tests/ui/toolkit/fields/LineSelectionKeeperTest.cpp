// A line edit keeps its caret and selection while its window is behind another one, however the
// keyboard went round meanwhile: back in the window, the first key typed replaces what was
// selected, or goes where the caret was.
#include "toolkit/fields/LineSelectionKeeper.h"

#include "toolkit/dialogs/FenAskStringController.h"
#include "uisupport/UiTestFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class LineSelectionKeeperTest : public UiTestFixture { };

void activate(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
}

} // namespace

TEST_F(LineSelectionKeeperTest, BackInItsWindowTheKeyLandsAsTheFieldWasLeft)
{
    struct Case {
        const char* why;
        int anchor; // the selection as the window goes behind the other
        int position;
        const char* changedMeanwhile; // the text the program puts in meanwhile, or null
        const char* typed; // what the field holds after "q" typed on coming back
        bool asked = false; // a question's field, kept and selected by its window's opening alone
    };
    const Case cases[] = {
        {"the whole name selected", 0, 8, nullptr, "q"},
        {"the last word selected backwards", 8, 5, nullptr, "Sans q"},
        {"the caret after the first word", 4, 4, nullptr, "Sansq nom"},
        {"a text changed meanwhile keeps its own caret", 0, 8, "Loyer", "Loyerq"},
        {"a question's text, selected as its window opened", 0, 8, nullptr, "q", true},
    };
    // From the window holding the keyboard, behind the other one and back, then "q" typed.
    const auto behindAndBack = [](QWidget& window, QLineEdit* line, const Case& c) {
        QWidget other;
        other.setGeometry(40, 40, 200, 80);
        // A manager handing the keyboard round as windows open: the window has it for a moment,
        // then the other one again, before the events are in.
        activate(other);
        QApplication::setActiveWindow(&window);
        QApplication::setActiveWindow(&other);
        QCoreApplication::processEvents();
        if (c.changedMeanwhile) {
            // The field's focus had the window made active again as the events came in: the text
            // changes once the other window is in front.
            activate(other);
            ASSERT_EQ(QApplication::activeWindow(), &other);
            line->setText(QString::fromUtf8(c.changedMeanwhile));
        }
        activate(window);
        ASSERT_EQ(QApplication::focusWidget(), line);
        QTest::keyClick(line, Qt::Key_Q);
        EXPECT_EQ(line->text().toStdString(), c.typed);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.asked) {
            ui().onModal<FenAskStringController>([&](FenAskStringController& question) {
                question.window()->move(300, 40);
                activate(*question.window());
                behindAndBack(*question.window(), question.window()->findChild<QLineEdit*>(), c);
                question.perform(QStringLiteral("NON:"));
            });
            askStringModal(nullptr, QStringLiteral("kMessage_AskYear"), QStringLiteral("Sans nom"), nullptr);
            continue;
        }
        QWidget window;
        auto* line = new QLineEdit(QStringLiteral("Sans nom"));
        (new QVBoxLayout(&window))->addWidget(line);
        LineSelectionKeeper::keep(line);
        LineSelectionKeeper::keep(line); // once is enough
        window.setGeometry(300, 40, 200, 80);
        activate(window);
        line->setFocus(Qt::OtherFocusReason);
        line->setSelection(c.anchor, c.position - c.anchor);
        behindAndBack(window, line, c);
    }
}

// A line edit keeps its caret and selection while its window is behind another one, however the
// keyboard went round meanwhile: back in the window, the first key typed replaces what was
// selected, or goes where the caret was.
#include "toolkit/fields/LineSelectionKeeper.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

void activate(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
}

} // namespace

TEST(LineSelectionKeeperTest, BackInItsWindowTheKeyLandsAsTheFieldWasLeft)
{
    struct Case {
        const char* why;
        int anchor; // the selection as the window goes behind the other
        int position;
        const char* changedMeanwhile; // the text the program puts in meanwhile, or null
        const char* typed; // what the field holds after "q" typed on coming back
    };
    const Case cases[] = {
        {"the whole name selected", 0, 8, nullptr, "q"},
        {"the last word selected backwards", 8, 5, nullptr, "Sans q"},
        {"the caret after the first word", 4, 4, nullptr, "Sansq nom"},
        {"a text changed meanwhile keeps its own caret", 0, 8, "Loyer", "Loyerq"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        QWidget window;
        auto* line = new QLineEdit(QStringLiteral("Sans nom"));
        (new QVBoxLayout(&window))->addWidget(line);
        LineSelectionKeeper::keep(line);
        LineSelectionKeeper::keep(line); // once is enough
        QWidget other;
        other.setGeometry(40, 40, 200, 80);
        window.setGeometry(300, 40, 200, 80);
        activate(window);
        line->setFocus(Qt::OtherFocusReason);
        line->setSelection(c.anchor, c.position - c.anchor);
        // A manager handing the keyboard round as windows open: the window has it for a moment,
        // then the other one again, before the events are in.
        activate(other);
        QApplication::setActiveWindow(&window);
        QApplication::setActiveWindow(&other);
        QCoreApplication::processEvents();
        if (c.changedMeanwhile)
            line->setText(QString::fromUtf8(c.changedMeanwhile));
        activate(window);
        ASSERT_EQ(QApplication::focusWidget(), line);
        QTest::keyClick(line, Qt::Key_Q);
        EXPECT_EQ(line->text().toStdString(), c.typed);
    }
}

// A question on a list (an alert's sheet, or a modal window run as a sheet), in real event loops:
// the list closed under it takes it along, answered as its default, and a quit then neither waits
// for it nor shows the list again; minimised with its list, it comes back when a quit brings it
// forward, and waits for the user.
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/host/QtModalRunner.h"
#include "uisupport/UiTestFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

using QuestionGoesWithWindow = UiTestFixture;

TEST_F(QuestionGoesWithWindow, AQuestionEndsWithItsWindowAndNeverHidesFromAQuit)
{
    struct Case {
        const char* name;
        bool alert; // else a modal window
        bool closed; // else minimised with its question
        bool quits;
        bool userAnswers; // the question still waits for the user, in front; yes
        int answer;
    };
    const Case cases[] = {
        {"a list's delete question, the list closed", true, true, true, false, kAlertFirstButton},
        {"a sheet window, its list closed", false, true, false, false, 0},
        {"a question minimised with its list", true, false, true, true, kAlertSecondButton},
    };
    UiHost::Services services = testServices();
    services.modal = std::make_unique<QtModalRunner>();
    services.alerts = std::make_unique<QtAlertPresenter>();
    auto& clock = static_cast<TestScheduler&>(*services.scheduler);
    UiHost asking(std::move(services));
    UiHost::install(&asking);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        QWidget list;
        QWidget editor;
        list.show();
        QObject turn; // what is left of a case when the next begins is dropped
        bool quitWentOn = false;
        bool userAnswered = false;
        // Once the question has gone, its event loop never comes round again.
        const auto userAnswersYes = [&] {
            userAnswered = true;
            QWidget* question = QApplication::activeModalWidget();
            EXPECT_TRUE(question && !question->isMinimized() && QApplication::activeWindow() == question);
            if (auto* box = qobject_cast<QMessageBox*>(question))
                box->buttons().constLast()->click();
            asking.modal().endModal(&editor, 1);
        };
        QTimer::singleShot(0, &turn, [&] {
            if (each.closed) {
                list.hide();
            } else {
                list.setWindowState(Qt::WindowMinimized);
                QApplication::activeModalWidget()->setWindowState(Qt::WindowMinimized);
            }
            if (each.quits)
                asking.endModalRunsThen(&turn, [&] { quitWentOn = true; });
            QApplication::processEvents();
            EXPECT_EQ(list.isVisible(), !each.closed) << "a closed list shown again";
            QMetaObject::invokeMethod(&turn, userAnswersYes, Qt::QueuedConnection);
        });
        const int answer = each.alert
            ? showAlert(&list, QStringLiteral("Supprimer les opérations ?"), QString(), Dialog::noString(),
                        Dialog::yesString(), QString(), QString(), 0, kAlertFirstButton)
            : asking.modal().run({&editor, &list, true, nullptr});
        EXPECT_EQ(userAnswered, each.userAnswers);
        EXPECT_EQ(answer, each.answer);
        clock.flush();
        EXPECT_EQ(quitWentOn, each.quits);
    }
    UiHost::install(&ui());
}

} // namespace

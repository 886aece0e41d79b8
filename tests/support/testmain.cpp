// The test main: fixes the process environment, then creates the Qt application object that
// the code under test expects (a core application for the core, a widget one for windows).
//
// Any warning from Qt or from the program's own soft assertions fails the test that caused it:
// a model breaking its contract, a connection to a missing slot or a layout set twice shows up
// as a failure, not as noise in the log. What the headless platform cannot do (raise a window,
// grab the keyboard, reach a sound server) is the environment, not the code, and passes. A test
// that provokes a warning on purpose installs its own handler for that time.
#include "TestEnvironment.h"
#include "TestWatchdog.h"

#include <gmock/gmock.h>

#include <QString>
#include <QtGlobal>

#ifdef SORV_UI_TESTS
#include "app/SorvApplication.h"
#include "app/WindowDoors.h"
#include "uisupport/ModelChecks.h"

#include <QApplication>
#include <QFontDatabase>
#include <cstdio>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

namespace {

QtMessageHandler g_printMessage = nullptr;

bool isHeadlessPlatformNotice(const QMessageLogContext& context, const QString& message)
{
    const QString category = QString::fromLatin1(context.category ? context.category : "");
    return category.startsWith(QLatin1String("qt.qpa")) || category.startsWith(QLatin1String("qt.multimedia"))
        || message.startsWith(QLatin1String("This plugin does not support"))
        || message.startsWith(QLatin1String("PulseAudioService:"));
}

void failTestOnWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    g_printMessage(type, context, message);
    if (type == QtDebugMsg || type == QtInfoMsg || isHeadlessPlatformNotice(context, message))
        return;
    if (::testing::UnitTest::GetInstance()->current_test_info())
        ADD_FAILURE() << "Qt warning (" << (context.category ? context.category : "") << "): " << message.toStdString();
}

} // namespace

int main(int argc, char** argv)
{
    testenv::setUpProcess();
    TestApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    g_printMessage = qInstallMessageHandler(failTestOnWarning);
#ifdef SORV_UI_TESTS
    // Without the face that stands in for Helvetica every list fails for want of room: say why once.
    if (!QFontDatabase::hasFamily(QStringLiteral("Nimbus Sans"))) {
        std::fputs("The font Nimbus Sans (Debian's fonts-urw-base35) is missing: run scripts/install-deps.\n", stderr);
        return 1;
    }
    // The windows speak the program's language, as they do for a user: French, Qt's own texts
    // included, whatever the machine's locale.
    installProgramLocale();
    // The windows open one another through the application's doors, installed here as at start-up
    // since most window tests run without an application delegate.
    installWindowDoors(&WindowDoors::shared());
    ModelChecks checks;
#endif
    // No test takes minutes, even under the sanitizers on a slow machine: one that does hangs.
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestWatchdog(std::chrono::minutes(5)));
    return RUN_ALL_TESTS();
}

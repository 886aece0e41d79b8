// The test main: fixes the process environment, then creates the Qt application object that
// the code under test expects (a core application for the core, a widget one for windows).
#include "TestEnvironment.h"

#include <gmock/gmock.h>

#ifdef SORV_UI_TESTS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    testenv::setUpProcess();
    TestApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}

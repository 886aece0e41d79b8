#include "app/ApplicationDelegate.h"
#include "app/FenAboutReglesController.h"
#include "app/FenLettreController.h"
#include "app/FenRecentController.h"
#include "app/FenTrucsController.h"
#include "app/MainMenu.h"
#include "app/SorvApplication.h"
#include "app/WindowMemory.h"
#include "toolkit/host/QtUiHost.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// The documents named on the command line, as the desktop hands them over.
QStringList documentArguments(const QStringList& arguments)
{
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments.at(i).startsWith(QLatin1Char('-')))
            files.append(QFileInfo(arguments.at(i)).absoluteFilePath());
    }
    return files;
}

void registerApplicationWindows()
{
    WindowMemory::registerWindowClass(
        QStringLiteral("FenRecentController"), [](const PARAMFEN& record, bool appear) -> StdWindowController* {
            return StdWindowController::push<FenRecentController>(nullptr, record.devise, appear);
        });
    // The tips run modally and are closed again when their opener returns.
    WindowMemory::registerWindowClass(QStringLiteral("FenTrucsController"),
                                      [](const PARAMFEN&, bool) -> StdWindowController* {
                                          showTips();
                                          return nullptr;
                                      });
    WindowMemory::registerWindowClass(QStringLiteral("FenLettreController"),
                                      [](const PARAMFEN&, bool) -> StdWindowController* { return showLetters(); });
    WindowMemory::registerWindowClass(QStringLiteral("FenAboutReglesController"),
                                      [](const PARAMFEN&, bool) -> StdWindowController* { return showRulesHelp(); });
}

} // namespace

int main(int argc, char** argv)
{
    prepareProgramLocale();
    SorvApplication app(argc, argv);
    const QStringList files = documentArguments(QApplication::arguments());
    // A second launch gives its documents to the program already running, and ends.
    if (app.handOverToRunningInstance(files))
        return 0;

    const std::unique_ptr<UiHost> host = makeQtUiHost();
    UiHost::install(host.get());
    registerApplicationWindows();
    initLettres();
    int status = 0;
    {
        ApplicationDelegate delegate;
        app.setDelegate(&delegate);
        MainMenu menu(&delegate);
        menu.install();
        for (const QString& file : files)
            delegate.openFile(file);
        delegate.applicationWillFinishLaunching();
        delegate.applicationDidFinishLaunching();
        status = QApplication::exec();
        // The session may end the program without the quit command: the document is still
        // closed (saved or not, as the user says) and the state released.
        if (delegate.bankIsOpen())
            delegate.applicationShouldTerminate();
        delegate.applicationWillTerminate();
        app.setDelegate(nullptr);
    }
    disposeLettres();
    UiHost::install(nullptr);
    return status;
}

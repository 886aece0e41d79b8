#include "app/FenAboutReglesController.h"

#include "toolkit/windows/windowutils.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QFileInfo>
#include <QPointer>

namespace {

QPointer<FenAboutReglesController>& openWindow()
{
    static QPointer<FenAboutReglesController> window;
    return window;
}

} // namespace

QString FenAboutReglesController::reglesPath()
{
    const QFileInfo page(infoFolder() + QStringLiteral("/regles.rtf"));
    return page.isFile() ? page.filePath() : QString();
}

FenAboutReglesController* FenAboutReglesController::current()
{
    return stillOpen(openWindow().data());
}

void FenAboutReglesController::buildInterface(StdWindow& window)
{
    FenRTFController::buildInterface(window);
    window.setObjectName(QStringLiteral("FenAboutRegles"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAboutRegles_titre")));
}

void FenAboutReglesController::didAwakeFromNib()
{
    FenRTFController::didAwakeFromNib();
    const QString path = reglesPath();
    if (!path.isEmpty())
        setPath(path);
}

void FenAboutReglesController::windowWillClose()
{
    if (openWindow() == this)
        openWindow() = nullptr;
    FenRTFController::windowWillClose();
}

FenAboutReglesController* showRulesHelp()
{
    if (FenAboutReglesController* open = stillOpen(openWindow().data())) {
        showWindowOfController(open->window());
        return open;
    }
    openWindow() = StdWindowController::push<FenAboutReglesController>(nullptr, MONTANT::currentDeviseSlot(), true);
    return openWindow();
}

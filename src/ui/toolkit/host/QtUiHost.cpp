#include "toolkit/host/QtUiHost.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/dialogs/QtColorPanel.h"
#include "toolkit/dialogs/QtFilePanels.h"
#include "toolkit/host/QtDesktop.h"
#include "toolkit/host/QtModalRunner.h"
#include "toolkit/host/QtScheduler.h"
#include "toolkit/host/QtScreenInfo.h"
#include "toolkit/media/QtAnimator.h"
#include "toolkit/media/QtSoundBackend.h"
#include "toolkit/print/QtPrintHost.h"

std::unique_ptr<UiHost> makeQtUiHost(std::unique_ptr<IModalRunner> modal, std::unique_ptr<IAlertPresenter> alerts)
{
    UiHost::Services services;
    services.modal = modal ? std::move(modal) : std::unique_ptr<IModalRunner>(std::make_unique<QtModalRunner>());
    services.alerts
        = alerts ? std::move(alerts) : std::unique_ptr<IAlertPresenter>(std::make_unique<QtAlertPresenter>());
    services.scheduler = std::make_unique<QtScheduler>();
    services.panels = std::make_unique<QtFilePanels>();
    services.desktop = std::make_unique<QtDesktop>();
    services.screen = std::make_unique<QtScreenInfo>();
    services.sound = std::make_unique<QtSoundBackend>();
    services.animator = std::make_unique<QtAnimator>();
    services.print = std::make_unique<QtPrintHost>();
    services.colorPanel = std::make_unique<QtColorPanel>();
    return std::make_unique<UiHost>(std::move(services));
}

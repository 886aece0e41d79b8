#include "QtUiHost.h"

#include "toolkit/QtAlertPresenter.h"
#include "toolkit/QtAnimator.h"
#include "toolkit/QtDesktop.h"
#include "toolkit/QtFilePanels.h"
#include "toolkit/QtModalRunner.h"
#include "toolkit/QtPrintHost.h"
#include "toolkit/QtScheduler.h"
#include "toolkit/QtScreenInfo.h"
#include "toolkit/QtSoundBackend.h"

std::unique_ptr<UiHost> makeQtUiHost()
{
    UiHost::Services services;
    services.modal = std::make_unique<QtModalRunner>();
    services.alerts = std::make_unique<QtAlertPresenter>();
    services.scheduler = std::make_unique<QtScheduler>();
    services.panels = std::make_unique<QtFilePanels>();
    services.desktop = std::make_unique<QtDesktop>();
    services.screen = std::make_unique<QtScreenInfo>();
    services.sound = std::make_unique<QtSoundBackend>();
    services.animator = std::make_unique<QtAnimator>();
    services.print = std::make_unique<QtPrintHost>();
    return std::make_unique<UiHost>(std::move(services));
}

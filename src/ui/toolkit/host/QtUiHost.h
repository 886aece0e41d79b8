#pragma once
// The host of the real program: every service on Qt.
#include "toolkit/host/UiHost.h"

#include <memory>

// A benchmark may play the user of the modal runs and the alerts with its own.
std::unique_ptr<UiHost> makeQtUiHost(std::unique_ptr<IModalRunner> modal = nullptr,
                                     std::unique_ptr<IAlertPresenter> alerts = nullptr);

#pragma once
// The host of the real program: every service on Qt.
#include "toolkit/host/UiHost.h"

#include <memory>

std::unique_ptr<UiHost> makeQtUiHost();

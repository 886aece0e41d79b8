#pragma once
// The primary screen's available geometry.
#include "toolkit/host/UiHost.h"

class QtScreenInfo : public IScreenInfo {
public:
    QRect visibleFrame() const override;
};

#pragma once
// The primary screen's available and whole geometry.
#include "toolkit/host/UiHost.h"

class QtScreenInfo : public IScreenInfo {
public:
    QRect visibleFrame() const override;
    QRect fullFrame() const override;
};

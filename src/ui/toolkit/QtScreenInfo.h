#pragma once
// The primary screen's available geometry.
#include "toolkit/UiHost.h"

class QtScreenInfo : public IScreenInfo {
public:
    QRect visibleFrame() const override;
};

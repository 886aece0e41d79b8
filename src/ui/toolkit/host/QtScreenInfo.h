#pragma once
// The primary screen's available and whole geometry, and what the X11 window manager does with
// the windows on it.
#include "toolkit/host/UiHost.h"

class QtScreenInfo : public IScreenInfo {
public:
    QRect visibleFrame() const override;
    QRect fullFrame() const override;
    bool managerTilesWindows() const override;
    void reserveTopStrip(QWidget* window) override;
    void reserveBottomStrip(QWidget* window) override;
    void releaseStrip(QWidget* window) override;
    bool displayWithdrew(const QWidget* window) const override;
    void mapAgain(QWidget* window) override;
    void withdraw(QWidget* window) override;
    void setMapListener(std::function<void(QWidget* window)> listener) override;
};

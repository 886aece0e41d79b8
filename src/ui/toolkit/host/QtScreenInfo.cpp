#include "toolkit/host/QtScreenInfo.h"

#include "toolkit/host/X11WindowManager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <utility>

QRect QtScreenInfo::visibleFrame() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QRect QtScreenInfo::fullFrame() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

bool QtScreenInfo::managerTilesWindows() const
{
    return X11WindowManager::managerTilesWindows();
}

void QtScreenInfo::reserveTopStrip(QWidget* window)
{
    X11WindowManager::reserveTopStrip(window);
}

void QtScreenInfo::reserveBottomStrip(QWidget* window)
{
    X11WindowManager::reserveBottomStrip(window);
}

void QtScreenInfo::releaseStrip(QWidget* window)
{
    X11WindowManager::releaseStrip(window);
}

// Qt hears of every unmap of its windows: one it still takes for exposed is mapped, and the display
// is not asked.
bool QtScreenInfo::displayWithdrew(const QWidget* window) const
{
    const QWindow* handle = window && window->isVisible() ? window->windowHandle() : nullptr;
    return handle && !handle->isExposed() && X11WindowManager::isWithdrawn(window).value_or(false);
}

void QtScreenInfo::mapAgain(QWidget* window)
{
    X11WindowManager::mapAgain(window);
}

void QtScreenInfo::withdraw(QWidget* window)
{
    X11WindowManager::withdraw(window);
}

void QtScreenInfo::setMapListener(std::function<void(QWidget* window)> listener)
{
    X11WindowManager::setMapListener(std::move(listener));
}

#include "toolkit/host/QtScreenInfo.h"

#include "toolkit/host/X11WindowManager.h"

#include <QGuiApplication>
#include <QScreen>

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

#include "toolkit/host/QtScreenInfo.h"

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

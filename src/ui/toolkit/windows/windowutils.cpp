#include "toolkit/windows/windowutils.h"

#include "toolkit/host/UiHost.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

QString runSavePanel(const QString& defaultName, const QString& allowedType)
{
    return UiHost::instance().panels().save(defaultName, allowedType);
}

QString runOpenPanel(const QString& title, const QString& prompt, bool folders, const QStringList& allowedTypes,
                     const QString& startFolder)
{
    return UiHost::instance().panels().open(OpenPanelRequest {title, prompt, folders, allowedTypes, startFolder, {}});
}

bool isModalWindow(const QWidget* window)
{
    return window && UiHost::instance().modal().modalWindow() == window;
}

QWidget* keyWindow()
{
    return QApplication::activeWindow();
}

void showWindowOfController(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void pushArrowCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

void pushIBeamCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::IBeamCursor));
}

void pushCrosshairCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
}

void popCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

QRect getMainScreenVisibleFrame()
{
    return UiHost::instance().screen().visibleFrame();
}

double noteHeightForString(const QString& text, const QFont& font, double width)
{
    if (!(width > 0) || !std::isfinite(width))
        return 0;
    const QRectF unlimited(0, 0, width, std::numeric_limits<int>::max() / 2.0);
    return QFontMetricsF(font).boundingRect(unlimited, Qt::TextWordWrap, text).height();
}

namespace {
double unit(double component)
{
    return std::isfinite(component) ? std::clamp(component, 0.0, 1.0) : 0.0;
}
} // namespace

QColor toQColor(const SVColor& color)
{
    return QColor::fromRgbF(static_cast<float>(unit(color.red)), static_cast<float>(unit(color.green)),
                            static_cast<float>(unit(color.blue)), static_cast<float>(unit(color.alpha)));
}

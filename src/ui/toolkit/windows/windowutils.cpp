#include "toolkit/windows/windowutils.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"

#include "foundation/localized.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool existsAt(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The name as the user typed it: without the type the panel adds ("Maison.old", not
// "Maison.old.svd").
QString typedName(const QString& path, const QString& allowedType)
{
    const QString name = QFileInfo(path).fileName();
    const QString suffix = QLatin1Char('.') + allowedType;
    return !allowedType.isEmpty() && name.size() > suffix.size() && name.endsWith(suffix) ? name.chopped(suffix.size())
                                                                                          : name;
}

// Asked before anything is written over what is there; the safe answer comes first, is the
// default and Escape's.
bool confirmReplacing(const QString& path, const QString& allowedType)
{
    AlertRequest question;
    question.message = localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg(typedName(path, allowedType));
    question.button1 = localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER"));
    question.button2 = localizedDialogue(QStringLiteral("LIB_BUTTON_REMPLACER"));
    question.style = 0;
    question.defaultButton = kAlertFirstButton;
    question.escapeButton = kAlertFirstButton;
    return showAlert(question) == kAlertSecondButton;
}

} // namespace

QString runSavePanel(const QString& defaultName, const QString& allowedType)
{
    QString proposed = defaultName;
    for (;;) {
        const QString chosen = UiHost::instance().panels().save(proposed, allowedType);
        if (chosen.isEmpty() || !existsAt(chosen) || confirmReplacing(chosen, allowedType))
            return chosen;
        // Not replaced: the panel again, where the user was, for another name or place.
        proposed = chosen;
    }
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

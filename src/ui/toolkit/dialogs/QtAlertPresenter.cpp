#include "toolkit/dialogs/QtAlertPresenter.h"

#include <QApplication>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <vector>

QMessageBox::Icon QtAlertPresenter::iconForStyle(int style)
{
    switch (style) {
    case 0:
        return QMessageBox::Warning;
    case 2:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Information;
    }
}

QPixmap QtAlertPresenter::namedImage(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QString path = name.contains(u'.') ? QStringLiteral(":/ui/images/%1").arg(name)
                                             : QStringLiteral(":/ui/images/%1.png").arg(name);
    return QPixmap(path);
}

namespace {

// An alert without a window of its own stays application-modal, but stands above the window it
// interrupts (the innermost modal window, else the active one), never behind it. It is not made a
// child of that window, which may go while the alert is up.
void standAboveAskingWindow(QMessageBox& box)
{
    QWidget* modal = UiHost::instance().modal().modalWindow();
    QWidget* asking = modal && modal->isVisible() ? modal->window() : QApplication::activeWindow();
    if (!asking)
        return;
    box.winId();
    asking->winId();
    if (QWindow* handle = box.windowHandle())
        handle->setTransientParent(asking->windowHandle());
}

} // namespace

int QtAlertPresenter::show(const AlertRequest& request)
{
    QWidget* parent = widgetOfWindowObject(request.window);
    QMessageBox box(parent ? parent->window() : nullptr);
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    if (!parent)
        standAboveAskingWindow(box);
    if (!request.message.isEmpty())
        box.setText(request.message);
    if (!request.information.isEmpty())
        box.setInformativeText(request.information);

    std::vector<QPushButton*> buttons;
    for (const QString& title : alertButtonTitles(request))
        buttons.push_back(box.addButton(title, QMessageBox::ActionRole));
    box.setDefaultButton(buttons.front());

    box.setIcon(iconForStyle(request.style));
    if (const QPixmap image = namedImage(request.imageName); !image.isNull())
        box.setIconPixmap(image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    ModalRunScope scope;
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    // Without an escape button the box can only end by a button; the first is the safe answer
    // should the box be torn down some other way.
    const auto index = chosen == buttons.end() ? 0 : chosen - buttons.begin();
    return kAlertFirstButton + static_cast<int>(index);
}

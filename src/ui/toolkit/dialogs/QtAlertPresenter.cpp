#include "toolkit/dialogs/QtAlertPresenter.h"

#include "toolkit/drawing/namedimages.h"

#include <QApplication>
#include <QLabel>
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
    return namedImagePixmap(name, 0, 1.0);
}

QPixmap QtAlertPresenter::namedImage(const QString& name, int side)
{
    return namedImagePixmap(name, side, qApp->devicePixelRatio());
}

// An alert's texts often quote what came from outside (a phone's name, a line of a file, an
// imported payee); none of the program's own is rich text. Shown as they are, markup included,
// never rendered, and no link in them opens anything.
void QtAlertPresenter::showAsPlainText(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    for (QLabel* label : box.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
    }
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
    showAsPlainText(box);

    std::vector<QPushButton*> buttons;
    for (const QString& title : alertButtonTitles(request))
        buttons.push_back(box.addButton(title, QMessageBox::ActionRole));
    const auto defaultIndex = std::size_t(request.defaultButton - kAlertFirstButton);
    box.setDefaultButton(defaultIndex < buttons.size() ? buttons[defaultIndex] : buttons.front());

    box.setIcon(iconForStyle(request.style));
    if (const QPixmap image = namedImage(request.imageName, 64); !image.isNull())
        box.setIconPixmap(image);

    // The box is what a quit brings to the front while it waits for its answer.
    ModalRunScope scope(&box);
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    // Without an escape button the box can only end by a button; the first is the safe answer
    // should the box be torn down some other way.
    const auto index = chosen == buttons.end() ? 0 : chosen - buttons.begin();
    return kAlertFirstButton + static_cast<int>(index);
}

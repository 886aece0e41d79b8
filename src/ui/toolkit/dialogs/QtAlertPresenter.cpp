#include "toolkit/dialogs/QtAlertPresenter.h"

#include "toolkit/drawing/namedimages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <cstddef>
#include <optional>
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

// A sheet goes with its window: once the program hides the window (it closes, its category deleted
// in another window), the question is answered as its default button would answer it, rather than
// left waiting over nothing, or brought back later over a window that is gone. Minimising is the
// user's and ends nothing.
class SheetEndsWithWindow : public QObject {
public:
    SheetEndsWithWindow(QWidget& window, QAbstractButton& defaultButton)
        : m_window(&window)
        , m_default(&defaultButton)
    {
        window.installEventFilter(this);
    }
    ~SheetEndsWithWindow() override
    {
        if (m_window)
            m_window->removeEventFilter(this);
    }
    SheetEndsWithWindow(const SheetEndsWithWindow&) = delete;
    SheetEndsWithWindow& operator=(const SheetEndsWithWindow&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide && !event->spontaneous() && m_default)
            m_default->click();
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_window;
    QPointer<QAbstractButton> m_default;
};

// Deletes the box once its run has ended, unless its window took it along.
struct BoxOwner {
    QPointer<QMessageBox> box;
    ~BoxOwner() { delete box.data(); }
};

} // namespace

int QtAlertPresenter::show(const AlertRequest& request)
{
    QWidget* parent = widgetOfWindowObject(request.window);
    // On the heap: a window deleted under its sheet takes the box with it, and the run returns.
    const BoxOwner owner {new QMessageBox(parent ? parent->window() : nullptr)};
    QMessageBox* box = owner.box;
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    if (!parent)
        standAboveAskingWindow(*box);
    if (!request.message.isEmpty())
        box->setText(request.message);
    if (!request.information.isEmpty())
        box->setInformativeText(request.information);
    showAsPlainText(*box);

    std::vector<QPushButton*> buttons;
    for (const QString& title : alertButtonTitles(request))
        buttons.push_back(box->addButton(title, QMessageBox::ActionRole));
    auto defaultIndex = std::size_t(request.defaultButton - kAlertFirstButton);
    if (defaultIndex >= buttons.size())
        defaultIndex = 0;
    box->setDefaultButton(buttons[defaultIndex]);
    // Without a safe answer the box gets none: Escape and the close box then do nothing.
    if (const int escape = alertEscapeButton(request); escape != 0)
        box->setEscapeButton(buttons[std::size_t(escape - kAlertFirstButton)]);

    box->setIcon(iconForStyle(request.style));
    if (const QPixmap image = namedImage(request.imageName, 64); !image.isNull())
        box->setIconPixmap(image);

    std::optional<SheetEndsWithWindow> endsWithWindow;
    if (parent)
        endsWithWindow.emplace(*parent->window(), *buttons[defaultIndex]);
    // The box is what a quit brings to the front while it waits for its answer.
    ModalRunScope scope(box);
    box->exec();
    if (!owner.box)
        return kAlertFirstButton + static_cast<int>(defaultIndex);
    const auto chosen = std::find(buttons.begin(), buttons.end(), box->clickedButton());
    // The box ends by a button (Escape and the close box press the safe one); the default is the
    // answer should the box be torn down some other way.
    const auto index = chosen == buttons.end() ? std::ptrdiff_t(defaultIndex) : chosen - buttons.begin();
    return kAlertFirstButton + static_cast<int>(index);
}

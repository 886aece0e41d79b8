#include "toolkit/dialogs/QtColorPanel.h"

#include <QColorDialog>
#include <QDialog>
#include <QVBoxLayout>

#include <utility>

QtColorPanel::~QtColorPanel()
{
    close();
}

void QtColorPanel::show(const ColorPanelRequest& request)
{
    // The panel is shared: asked for again, it cancels what it was showing.
    if (std::function<void()> dismissed = std::exchange(m_dismissed, nullptr); dismissed && m_dialog)
        dismissed();
    close();
    auto* dialog = new QDialog(request.window, request.window ? Qt::Sheet : Qt::Dialog);
    dialog->setObjectName(QStringLiteral("colorPanel"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* chooser = new QColorDialog(request.color, dialog);
    chooser->setWindowFlags(Qt::Widget);
    chooser->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(chooser);
    if (request.accessory) {
        layout->addWidget(request.accessory);
        request.accessory->show();
    }
    // Escape and the close box are a cancel the accessory did not see.
    QObject::connect(dialog, &QDialog::rejected, dialog, [this, dialog, dismissed = request.dismissed] {
        if (m_dialog == dialog && dismissed)
            dismissed();
    });
    m_dialog = dialog;
    m_chooser = chooser;
    m_accessory = request.accessory;
    m_dismissed = request.dismissed;
    dialog->open();
}

QColor QtColorPanel::color() const
{
    return m_chooser ? m_chooser->currentColor() : QColor();
}

void QtColorPanel::close()
{
    QPointer<QDialog> dialog = m_dialog;
    m_dialog = nullptr;
    m_dismissed = nullptr;
    if (m_accessory) {
        m_accessory->hide();
        m_accessory->setParent(nullptr);
    }
    m_accessory = nullptr;
    if (dialog) {
        dialog->hide();
        dialog->deleteLater();
    }
}

bool QtColorPanel::isVisible() const
{
    return m_dialog && m_dialog->isVisible();
}

#include "toolkit/dialogs/CancelOkButtons.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/StdWindowController.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>

QHBoxLayout* cancelOkButtons(StdWindowController& controller, QWidget& window, QPushButton** okButton,
                             QPushButton** cancelButton)
{
    QPushButton* cancel = nullptr;
    QHBoxLayout* buttons = cancelOkRow(controller, window, okButton, &cancel);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, cancel, &QPushButton::click);
    if (cancelButton)
        *cancelButton = cancel;
    return buttons;
}

QHBoxLayout* cancelOkRow(StdWindowController& controller, QWidget& window, QPushButton** okButton,
                         QPushButton** cancelButton)
{
    auto* cancel = new QPushButton(localizedMisc(QStringLiteral("kMisc_Annuler")), &window);
    controller.connectAction(cancel, QStringLiteral("NON:"));
    cancel->setAutoDefault(false);
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    controller.connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    if (okButton)
        *okButton = ok;
    if (cancelButton)
        *cancelButton = cancel;
    return buttons;
}

#include "toolkit/dialogs/CancelOkButtons.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/StdWindowController.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>

CancelOkRow cancelOkRow(StdWindowController& controller, QWidget& window)
{
    auto* cancel = new QPushButton(localizedMisc(QStringLiteral("kMisc_Annuler")), &window);
    controller.connectAction(cancel, QStringLiteral("NON:"));
    cancel->setAutoDefault(false);
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    controller.connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, cancel, &QPushButton::click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    return {buttons, cancel, ok};
}

QHBoxLayout* cancelOkButtons(StdWindowController& controller, QWidget& window, QPushButton** okButton)
{
    const CancelOkRow row = cancelOkRow(controller, window);
    if (okButton)
        *okButton = row.ok;
    return row.row;
}

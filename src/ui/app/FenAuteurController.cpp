#include "app/FenAuteurController.h"

#include "toolkit/dialogs/Dialog.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

void FenAuteurController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAuteur"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAuteur_titre")));
    auto* title = new QLabel(localizedAppl(QStringLiteral("FenAuteur_titre")), &window);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    auto* text = new QLabel(localizedAppl(QStringLiteral("FenAuteur_texte")), &window);
    text->setObjectName(QStringLiteral("text_auteur"));
    text->setWordWrap(true);
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    ok->setMinimumWidth(90);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
    window.setFixedWidth(380);
}

long doAuteur(StdWindowController* parent)
{
    return StdWindowController::pushModal<FenAuteurController>(parent, nullptr, MONTANT::currentDeviseSlot());
}

#include "entities/FenEditFavoriController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/windows/editvaluemodal.h"

#include "foundation/localized.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

const QString kFavori = QStringLiteral("favori");

} // namespace

void FenEditFavoriController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditFavori"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditFavori_titre")));
    field_nom = new QLineEdit(&window);
    field_nom->setObjectName(QStringLiteral("field_nom"));
    field_nom->setMinimumWidth(320);
    field_url = new QLineEdit(&window);
    field_url->setObjectName(QStringLiteral("field_url"));
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditFavori_nom")), field_nom);
    form->addRow(localizedAppl(QStringLiteral("FenEditFavori_url")), field_url);
    layOutEditor(*this, window, {form});
}

void FenEditFavoriController::FILL()
{
    StdWindowController::FILL();
    const Favori favori = getData()->value(kFavori).value<Favori>();
    field_nom->setText(favori.nom);
    field_url->setText(favori.url);
}

bool FenEditFavoriController::READ()
{
    if (!StdWindowController::READ())
        return false;
    getData()->insert(kFavori, QVariant::fromValue(Favori {field_nom->text(), field_url->text()}));
    return true;
}

bool editFavoriModal(StdWindowController* parent, Favori& favori)
{
    return editValueModal<FenEditFavoriController>(parent, kFavori, favori);
}

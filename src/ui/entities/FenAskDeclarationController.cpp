#include "entities/FenAskDeclarationController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/windows/editvaluemodal.h"

#include "foundation/localized.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

const QString kDeclaration = QStringLiteral("declaration");

template <class W> W* named(const QString& name, QWidget* parent, int width)
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setFixedWidth(width);
    return widget;
}

QLayout* dateRow(StdWindowController& controller, StdWindow& window, int n)
{
    auto* row = new QHBoxLayout;
    const QString suffix = QString::number(n);
    row->addWidget(named<TextFieldJour>(QStringLiteral("field_jour") + suffix, &window, 40));
    row->addWidget(named<TextFieldMois>(QStringLiteral("field_mois") + suffix, &window, 40));
    row->addWidget(named<TextFieldAnnee>(QStringLiteral("field_annee") + suffix, &window, 60));
    auto* calendrier = named<QToolButton>(QStringLiteral("button_calendrier") + suffix, &window, 28);
    calendrier->setText(QStringLiteral("…"));
    controller.connectAction(calendrier, QStringLiteral("CALENDRIER%1:").arg(n));
    row->addWidget(calendrier);
    row->addStretch();
    return row;
}

} // namespace

void FenAskDeclarationController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAskDeclaration"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAskDeclaration_titre")));
    auto* pop = new PopTaxe(&window);
    pop->setObjectName(QStringLiteral("pop_taxe"));
    pop->setCanSelectFirstItem(false);
    auto* chosen = new QLabel(&window);
    chosen->setObjectName(QStringLiteral("field_taxe"));
    auto* choice = new QHBoxLayout;
    choice->addWidget(pop);
    choice->addWidget(chosen, 1);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenAskDeclaration_taxe")), choice);
    form->addRow(localizedAppl(QStringLiteral("FenAskDeclaration_du")), dateRow(*this, window, 1));
    form->addRow(localizedAppl(QStringLiteral("FenAskDeclaration_au")), dateRow(*this, window, 2));
    layOutEditor(*this, window, {form});
}

void FenAskDeclarationController::FILL()
{
    const DECLARATION declaration = getData()->value(kDeclaration).value<DECLARATION>();
    pickers().taxeID = long(declaration.taxeID);
    setDate1(declaration.date1);
    setDate2(declaration.date2);
    StdWindowController::FILL();
}

bool FenAskDeclarationController::READ()
{
    if (!StdWindowController::READ())
        return false;
    DECLARATION declaration = getData()->value(kDeclaration).value<DECLARATION>();
    declaration.taxeID = pickers().taxeID;
    declaration.date1 = date1();
    declaration.date2 = date2();
    getData()->insert(kDeclaration, QVariant::fromValue(declaration));
    return true;
}

bool askDeclaration(StdWindowController* parent, DECLARATION& declaration)
{
    return editValueModal<FenAskDeclarationController>(parent, kDeclaration, declaration);
}

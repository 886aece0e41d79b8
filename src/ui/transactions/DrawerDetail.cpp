#include "transactions/DrawerDetail.h"

#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldMontantSaisie.h"
#include "transactions/TextViewPosteDetail.h"

#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/StdMenu.h"

#include "document/DocContext.h"
#include "foundation/IAppShell.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

DrawerDetail::DrawerDetail(FenEditSaisieController& parent)
    : QObject(&parent)
    , m_parent(parent)
{
}

void DrawerDetail::build(QWidget* container)
{
    view_poste = new TextViewPosteDetail(container);
    view_poste->setObjectName(QStringLiteral("view_poste_detail"));
    view_poste->setDelegate(this);
    pop_poste = new PopPoste(container);
    pop_poste->setObjectName(QStringLiteral("pop_poste_detail"));
    pop_poste->stdMenu()->setDelegate(this);
    field_montant = new TextFieldMontantDetail(container);
    field_montant->setObjectName(QStringLiteral("field_montant_detail"));
    field_montant->setDelegate(this);
    view_poste->setPartner(field_montant);
    field_montant->setPartner(view_poste);
    button_add = new QPushButton(localizedAppl(QStringLiteral("SAISIE_AJOUTER")), container);
    button_add->setObjectName(QStringLiteral("button_groupee_add"));
    button_add->setProperty("sv_action", QStringLiteral("ADD_DETAIL:"));
    button_add->setAutoDefault(false);
    button_modifier = new QPushButton(localizedAppl(QStringLiteral("SAISIE_MODIFIER")), container);
    button_modifier->setObjectName(QStringLiteral("button_groupee_modifier"));
    button_modifier->setProperty("sv_action", QStringLiteral("MODIFIER_DETAIL:"));
    button_modifier->setAutoDefault(false);

    auto* grid = new QGridLayout(container);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setVerticalSpacing(6);
    grid->addWidget(new QLabel(localizedAppl(QStringLiteral("SAISIE_POSTE")), container), 0, 0, 1, 2);
    grid->addWidget(pop_poste, 1, 0);
    grid->addWidget(view_poste, 1, 1);
    grid->addWidget(new QLabel(localizedAppl(QStringLiteral("SAISIE_MONTANT_LIGNE")), container), 2, 0, 1, 2);
    grid->addWidget(field_montant, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button_modifier);
    buttons->addWidget(button_add);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
}

void DrawerDetail::FILL_POSTE()
{
    const DOCUMENT* doc = currentDocument();
    if (view_poste) {
        view_poste->setFont(StdTextView::systemFontOfSize(13));
        const QString name = doc ? ::POSTE::getPosteNameNS(m_posteID, *doc) : QString();
        if (view_poste->toPlainText() != name)
            view_poste->setPlainText(name);
    }
    if (pop_poste)
        pop_poste->setSelectedTag(m_posteID);
}

void DrawerDetail::FILL_DETAIL(const TRANSACT& rec, long index, long devise)
{
    const MULTI* line = rec.multiAtIndex(index);
    if (!line)
        return;
    m_posteID = line->posteID;
    field_montant->fillMontant(line->montant, devise);
    FILL_POSTE();
    SELECT_POSTE();
}

void DrawerDetail::SELECT_POSTE()
{
    if (!view_poste)
        return;
    view_poste->setFocus(Qt::OtherFocusReason);
    view_poste->selectAll();
}

void DrawerDetail::SELECT_MONTANT()
{
    if (!field_montant)
        return;
    field_montant->setFocus(Qt::OtherFocusReason);
    field_montant->selectAll();
}

MONTANT DrawerDetail::readMontant() const
{
    MONTANT montant;
    if (field_montant) {
        field_montant->synchronizeMontant();
        field_montant->readMontant(montant);
    }
    return montant;
}

void DrawerDetail::setEnabled(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(pop_poste.data()), static_cast<QWidget*>(button_add.data()),
                             static_cast<QWidget*>(button_modifier.data())}) {
        if (control)
            control->setEnabled(enabled);
    }
    if (view_poste)
        view_poste->setEnabled(enabled);
    if (field_montant)
        field_montant->setEnabled(enabled);
}

// Chosen from the pop-up's menu, the category is done with: the amount comes next.
void DrawerDetail::POSTE(QObject* sender)
{
    m_posteID = long(StdMenu::tagOf(sender));
    FILL_POSTE();
    const auto* item = qobject_cast<QAction*>(sender);
    if (item && qobject_cast<QMenu*>(item->parent()))
        SELECT_MONTANT();
}

void DrawerDetail::CREATE_POSTE(QObject* sender)
{
    IAppShell* shell = appShell();
    const long ident = shell ? shell->CREATE_POSTE(m_parent.windowIfLoaded(), sender) : -1;
    if (ident < 0)
        return;
    m_posteID = ident;
    FILL_POSTE();
}

void DrawerDetail::ADD_DETAIL(QObject* sender)
{
    m_parent.ADD_DETAIL(sender);
}

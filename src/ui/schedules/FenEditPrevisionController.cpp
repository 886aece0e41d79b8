#include "schedules/FenEditPrevisionController.h"

#include "schedules/ScheduleEditors.h"
#include "schedules/ViewPlanificatorController.h"

#include "engines/PrevisionManager.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/Prevision.h"
#include "model/TOOL.h"
#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/windows/namedcontrols.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kPrevision = QStringLiteral("prevision");

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

} // namespace

WindowDataPtr previsionEditorData(Prevision& prevision, DOCUMENT& doc)
{
    WindowDataPtr data = makeWindowData({{kPrevision, QVariant::fromValue(static_cast<void*>(&prevision))}});
    setEditedDocument(*data, doc);
    return data;
}

Prevision& FenEditPrevisionController::prevision() const
{
    return *static_cast<Prevision*>(getData()->value(kPrevision).value<void*>());
}

DOCUMENT& FenEditPrevisionController::document() const
{
    return editedDocument(*getData());
}

void FenEditPrevisionController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditPrevision"));
    window.setWindowTitle(appl("FenEditPrevision_titre"));
    m_planificator = new ViewPlanificatorController(Planificator::kTypePrevision, &window);
    m_planificator->setDelegate(this);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addLayout(buildFields(window));
    layout->addWidget(m_planificator, 1);
    layout->addLayout(buildButtons(window));
    m_planificator->setButton_OK(m_ok);
}

QLayout* FenEditPrevisionController::buildFields(StdWindow& window)
{
    field_nom = named<QLineEdit>("field_nom", &window);
    field_montant = named<TextFieldMontant>("field_montant", &window);
    field_montant->setFixedWidth(150);
    auto* devise = named<PopDevise>("pop_devise", &window);
    devise->setAssociatedMontant(field_montant);
    auto* compteD = named<PopCompte>("pop_compteD", &window);
    auto* compteC = named<PopCompte>("pop_compteC", &window);
    compteC->setCompteDebit(false);
    for (PopCompte* pop : {compteD, compteC})
        pop->setPOPcompteCFilter(7);
    auto* poste = named<PopPoste>("pop_poste", &window);
    field_info = named<StdTextView>("field_info", &window);
    checkBoxRattrapable = named<QCheckBox>("checkBoxRattrapable", &window);
    checkBoxRattrapable->setText(appl("FenEditPrevision_rattrapable"));
    pop_help_echeance_prevision = named<PopHelp>("pop_help_echeance_prevision", &window);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(new QLabel(appl("FenEditPrevision_nom"), &window), 0, 0);
    grid->addWidget(field_nom, 0, 1, 1, 2);
    grid->addWidget(pop_help_echeance_prevision, 0, 3);
    auto* montant = new QHBoxLayout;
    montant->addWidget(field_montant);
    montant->addWidget(devise);
    montant->addStretch();
    grid->addWidget(new QLabel(appl("FenEditPrevision_montant"), &window), 1, 0);
    grid->addLayout(montant, 1, 1, 1, 2);
    const std::tuple<const char*, QWidget*, QWidget*> rows[]
        = {{"FenEditPrevision_debit", compteD, named<TextViewCompteD>("view_compteD", &window)},
           {"FenEditPrevision_credit", compteC, named<TextViewCompteC>("view_compteC", &window)},
           {"FenEditPrevision_poste", poste, named<TextViewPoste>("view_poste", &window)}};
    int row = 2;
    for (const auto& [title, pop, view] : rows) {
        grid->addWidget(new QLabel(appl(title), &window), row, 0);
        grid->addWidget(pop, row, 1);
        grid->addWidget(view, row, 2);
        ++row;
    }
    grid->addWidget(new QLabel(appl("FenEditPrevision_info"), &window), row, 0);
    grid->addWidget(field_info, row, 1, 1, 2);
    grid->addWidget(checkBoxRattrapable, row + 1, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    return grid;
}

QLayout* FenEditPrevisionController::buildButtons(StdWindow& window)
{
    QHBoxLayout* buttons = cancelOkButtons(*this, window, &m_ok);
    m_ok->setObjectName(QStringLiteral("button_OK"));
    return buttons;
}

void FenEditPrevisionController::FILL()
{
    Prevision& p = prevision();
    field_nom->setText(p.name);
    setDevise(p.transact.devise);
    field_montant->fillMontant(p.transact.solde, p.transact.devise);
    pickers().moyenID = p.transact.moyen;
    pickers().posteID = p.transact.posteID;
    pickers().compteDID = p.transact.who1;
    pickers().compteCID = p.transact.who2;
    field_info->setStoredText(p.transact.why);
    checkBoxRattrapable->setChecked(p.rattrapable);
    if (!p.planificator)
        p.planificator = Planificator(p.transact.when, Planificator::kTypePrevision);
    m_planificator->setPlanificator(&*p.planificator);
    m_planificator->FILL_PLANIFICATOR();
    pop_help_echeance_prevision->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_ECHEANCE_PREVISION")));
    pop_help_echeance_prevision->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_ECHEANCE_PREVISION")));
    StdWindowController::FILL();
}

QWidget* FenEditPrevisionController::initialFirstResponder() const
{
    return field_nom;
}

bool FenEditPrevisionController::READ()
{
    if (!StdWindowController::READ() || m_planificator->refuseImpossibleFirstDate(this))
        return false;
    Prevision& p = prevision();
    p.name = field_nom->text();
    p.transact.devise = devise();
    field_montant->readMontant(p.transact.solde);
    p.transact.who1 = pickers().compteDID;
    p.transact.who2 = pickers().compteCID;
    p.transact.why = field_info->storedText();
    p.transact.posteID = pickers().posteID;
    p.rattrapable = checkBoxRattrapable->isChecked();
    m_planificator->READ_PLANIFICATOR();
    return true;
}

// A zero amount is accepted: a forecast may only watch a category.
void FenEditPrevisionController::OUI(QObject*)
{
    if (!READ())
        return;
    m_planificator->validatePlanification([this](bool go) {
        if (go)
            endModal(1);
    });
}

void FenEditPrevisionController::NON(QObject*)
{
    endModal(0);
}

void FenEditPrevisionController::DEVISE(QObject* item)
{
    pickers().DEVISE(item);
    FILL_DEVISE(devise());
}

void FenEditPrevisionController::FILL_DEVISE(long slot)
{
    pickers().FILL_DEVISE(slot);
    field_montant->SET_DEVISE(slot);
}

void FenEditPrevisionController::DEBIT(QObject* item)
{
    pickers().DEBIT(item);
    setAutoImputationsForCompteID(pickers().compteDID);
}

void FenEditPrevisionController::CREDIT(QObject* item)
{
    pickers().CREDIT(item);
    setAutoImputationsForCompteID(pickers().compteCID);
}

void FenEditPrevisionController::didCreateCompteFromMenu(const QVariant&, const QVariant& arg2)
{
    if (isWindowLoaded())
        setAutoImputationsForCompteID(arg2.toLongLong());
}

void FenEditPrevisionController::setAutoImputationsForCompteID(long compteID)
{
    const TOOL* compte = getTool(kToolCompte, compteID, &document());
    if (!compte || compte->posteID < 0)
        return;
    pickers().posteID = compte->posteID;
    pickers().FILL_POSTE();
}

void FenEditPrevisionController::windowWillClose()
{
    m_planificator->cleanUp();
    StdWindowController::windowWillClose();
}

bool pushEditPrevisionModal(StdWindowController* parent, DOCUMENT& doc, Prevision& prevision)
{
    return StdWindowController::pushModal<FenEditPrevisionController>(parent, previsionEditorData(prevision, doc),
                                                                      parent ? parent->devise() : 0)
        == 1;
}

// The other windows stay usable while the editor is open: the forecast is found again by its
// ident on OK, and one deleted meanwhile is not brought back.
bool editIndexedPrevision(StdWindowController* parent, DOCUMENT& doc, long ident)
{
    PrevisionManager& manager = PrevisionManager::sharedManager();
    Prevision* stored = nullptr;
    if (!manager.findIndexedPrevisionWithIdent(ident, nullptr, &doc)
        || !PrevisionManager::getPrevision(ident, &doc, &stored, nullptr) || !stored)
        return false;
    Prevision copy = stored->copyOfPrevision();
    qsizetype position = -1;
    if (!pushEditPrevisionModal(parent, doc, copy) || !manager.findIndexedPrevisionWithIdent(ident, &position, &doc))
        return false;
    manager.removeIndexedPrevisionReference(position, &doc);
    manager.addIndexedPrevisionReference(copy, &doc, ident, nullptr);
    sendToAllWindowDelegates(Sel::chronoDidChange, QVariant::fromValue<qlonglong>(ident), QVariant::fromValue(1));
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    return true;
}

#include "schedules/FenEditEcheancierController.h"

#include "schedules/ScheduleEditors.h"
#include "schedules/TableEcheanceReguliere.h"
#include "schedules/ViewPlanificatorController.h"

#include "engines/ChronoManager.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/ITransactionWindows.h"
#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/HelperSVTimer.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/tables/CellTransact.h"
#include "toolkit/windows/IWindowDoors.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kEcheancier = QStringLiteral("echeancier");

} // namespace

WindowDataPtr echeancierEditorData(ECHEANCIER& echeancier, DOCUMENT& doc)
{
    WindowDataPtr data = makeWindowData({{kEcheancier, QVariant::fromValue(static_cast<void*>(&echeancier))}});
    setEditedDocument(*data, doc);
    return data;
}

ECHEANCIER& editedEcheancier(const WindowData& data)
{
    return *static_cast<ECHEANCIER*>(data.value(kEcheancier).value<void*>());
}

FenEditEcheancierController::FenEditEcheancierController()
    : m_cell(std::make_unique<CellTransact>())
{
}

FenEditEcheancierController::~FenEditEcheancierController() = default;

ECHEANCIER& FenEditEcheancierController::echeancier() const
{
    return editedEcheancier(*getData());
}

DOCUMENT& FenEditEcheancierController::document() const
{
    return editedDocument(*getData());
}

void FenEditEcheancierController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditEcheancier"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditEcheancier_titre")));
    field_nom = new QLineEdit(&window);
    field_nom->setObjectName(QStringLiteral("field_nom"));
    auto* table = new TableEcheanceReguliere(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellTransact::kHeight);
    table->setFixedHeight(CellTransact::kHeight + 4);
    table->setMinimumWidth(m_cell->preferredWidth());
    auto* help = new PopHelp(&window);
    help->setObjectName(QStringLiteral("pop_help_reguliere"));
    help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_ECHEANCE_REGULIERE")));
    help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_ECHEANCE_REGULIERE")));
    auto* modifier = new QPushButton(localizedAppl(QStringLiteral("FenEditEcheancier_modifier")), &window);
    modifier->setObjectName(QStringLiteral("button_modifier"));
    modifier->setAutoDefault(false);
    connectAction(modifier, QStringLiteral("MODIFIER:"));
    auto* regular = new QHBoxLayout;
    regular->addWidget(new QLabel(localizedAppl(QStringLiteral("FenEditEcheancier_reguliere")), &window));
    regular->addStretch();
    regular->addWidget(modifier);
    regular->addWidget(help);
    title_perso = new QPushButton(&window);
    title_perso->setObjectName(QStringLiteral("title_perso"));
    title_perso->setFlat(true);
    title_perso->setAutoDefault(false);
    title_perso->setStyleSheet(QStringLiteral("color: #2050a0; text-align: left;"));
    connectAction(title_perso, QStringLiteral("PERSO:"));
    m_planificator = new ViewPlanificatorController(Planificator::kTypeEcheancier, &window);
    m_planificator->setDelegate(this);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditEcheancier_nom")), field_nom);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addLayout(form);
    layout->addLayout(regular);
    layout->addWidget(table);
    layout->addWidget(title_perso, 0, Qt::AlignLeft);
    layout->addWidget(m_planificator, 1);
    layout->addLayout(buildButtons(window));
    m_planificator->setButton_OK(m_ok);
}

QLayout* FenEditEcheancierController::buildButtons(StdWindow& window)
{
    QHBoxLayout* buttons = cancelOkButtons(*this, window, &m_ok);
    m_ok->setObjectName(QStringLiteral("button_OK"));
    return buttons;
}

void FenEditEcheancierController::FILL()
{
    StdWindowWithTableController::FILL();
    ECHEANCIER& e = echeancier();
    field_nom->setText(e.nom);
    m_planificator->setPlanificator(&e.planificator);
    m_planificator->FILL_PLANIFICATOR();
    updateLabelPerso();
}

QWidget* FenEditEcheancierController::initialFirstResponder() const
{
    return field_nom;
}

void FenEditEcheancierController::updateLabelPerso()
{
    title_perso->setText(
        localizedAppl(QStringLiteral("FenEditEcheancier_perso")).arg(echeancierPersoCount(&echeancier())));
}

bool FenEditEcheancierController::READ()
{
    if (!StdWindowWithTableController::READ())
        return false;
    ECHEANCIER& e = echeancier();
    e.nom = field_nom->text();
    e.planificator.firstDate = e.transact.when;
    m_planificator->READ_PLANIFICATOR();
    return true;
}

void FenEditEcheancierController::OUI(QObject*)
{
    if (!READ())
        return;
    if (echeancier().transact.solde.nullMontant()) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_ChronoHasNoTrans")), QString(),
                    QStringLiteral("echeancier_reel"), 1);
        return;
    }
    m_planificator->validatePlanification([this](bool go) {
        if (go)
            endModal(1);
    });
}

void FenEditEcheancierController::NON(QObject*)
{
    endModal(0);
}

void FenEditEcheancierController::MODIFIER(QObject*)
{
    ECHEANCIER& e = echeancier();
    TRANSACT copy = e.transact.copyOfTransact();
    const double oldDate = copy.when;
    SaisieRequest request;
    request.fam = copy.moyen;
    request.synonymeID = copy.synonymeID;
    request.editObj = &copy;
    if (!windowDoors() || windowDoors()->openSaisie(this, request) != kSaisieOK) {
        table1()->GO(-1);
        return;
    }
    // Occurrences already written count from the first date: it can no longer move.
    const bool dateLocked = e.planificator.nbWriteEch > 0 && !sameDay(copy.when, oldDate);
    if (dateLocked)
        copy.when = oldDate;
    e.transact = copy;
    if (dateLocked)
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerteCantModifyFirstDate")), QString(),
                    QStringLiteral("echeancier_reel"), 1);
    table1()->reloadData();
    READ();
    m_planificator->didChangeTransact();
}

void FenEditEcheancierController::PERSO(QObject*)
{
    QPointer<FenEditEcheancierController> self(this);
    HelperSVTimer::fireBlockAfterInterval(0.1, true, [self] {
        if (!self)
            return;
        editEcheancierPerso(self, self->document(), self->echeancier());
        self->updateLabelPerso();
        if (StdWindow* w = self->windowIfLoaded())
            w->setWindowOpacity(1.0);
    });
}

MONTANT FenEditEcheancierController::cumulOfTransact(const TRANSACT& trans, const DOCUMENT& doc)
{
    bool deb = false;
    bool cre = false;
    trans.checkDebitCredit(-1, &deb, &cre, &doc);
    MONTANT cumul;
    if (deb)
        MONTANT::subMontant(cumul, trans.solde, cumul);
    if (cre)
        MONTANT::addMontant(cumul, trans.solde, cumul);
    return cumul;
}

StdCell* FenEditEcheancierController::viewForTableColumn1(StdTableView* table, int row)
{
    if (row != 0)
        return nullptr;
    const DOCUMENT& doc = document();
    TRANSACT shown = echeancier().transact;
    shown.chronoID = -1; // painted as a plain transaction, not as an occurrence
    TransLine line {.rec = &shown,
                    .row = row,
                    .tID = shown.who1,
                    .solde = shown.solde,
                    .nb_add_cols = 1,
                    .cumul = cumulOfTransact(shown, doc),
                    .devise = shown.devise,
                    .devHdl = &doc.deviseHdl,
                    .showUnit = true};
    m_cell->setTableView(table);
    setFillBackground(m_cell.get(), table, row);
    m_cell->paintStdTransWithCumul(this, line, doc);
    return m_cell.get();
}

void FenEditEcheancierController::windowWillClose()
{
    m_planificator->cleanUp();
    StdWindowWithTableController::windowWillClose();
}

bool editEcheancier(StdWindowController* parent, DOCUMENT& doc, ECHEANCIER& echeancier)
{
    long result = 0;
    StdWindowController::pushModalWithBlock<FenEditEcheancierController>(parent, echeancierEditorData(echeancier, doc),
                                                                         parent ? parent->devise() : 0,
                                                                         [&result](long code) { result = code; });
    return result == 1;
}

// The other windows stay usable while the editor is open: the schedule is found again by its
// ident on OK, and one deleted meanwhile is not brought back.
bool editEcheancierClone(StdWindowController* parent, DOCUMENT& doc, long ident)
{
    ECHEANCIER* stored = nullptr;
    if (!findEcheancierIndexPosition(ident, nullptr, &doc) || !findEcheancier(ident, &doc, &stored, nullptr) || !stored)
        return false;
    ECHEANCIER clone = stored->clonerEcheancier();
    long position = -1;
    if (!editEcheancier(parent, doc, clone) || !findEcheancierIndexPosition(ident, &position, &doc))
        return false;
    removeEcheancierAtIndexPosition(position, &doc);
    addEcheancier(clone, &doc, ident, nullptr);
    sendToAllWindowDelegates(Sel::chronoDidChange, QVariant::fromValue<qlonglong>(ident), QVariant::fromValue(0));
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    const ECHEANCIER* added = nullptr;
    if (findEcheancier(ident, static_cast<const DOCUMENT*>(&doc), &added, nullptr) && added)
        collectAwakeOccurrences(parent, &doc, added, QString(), nullptr);
    return true;
}

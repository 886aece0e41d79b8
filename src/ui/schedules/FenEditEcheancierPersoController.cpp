#include "schedules/FenEditEcheancierPersoController.h"

#include "schedules/CellTransactPerso.h"
#include "schedules/FenEditEcheancierController.h"
#include "schedules/ScheduleEditors.h"

#include "toolkit/tables/selectAfterDelete.h"
#include "toolkit/windows/IWindowDoors.h"

#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/ITransactionWindows.h"
#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/dialogs/Dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

FenEditEcheancierPersoController::FenEditEcheancierPersoController()
    : m_cell(std::make_unique<CellTransactPerso>())
{
}

FenEditEcheancierPersoController::~FenEditEcheancierPersoController() = default;

ECHEANCIER& FenEditEcheancierPersoController::echeancier() const
{
    return editedEcheancier(*getData());
}

DOCUMENT& FenEditEcheancierPersoController::document() const
{
    return editedDocument(*getData());
}

void FenEditEcheancierPersoController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditEcheancierPerso"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditEcheancierPerso_titre")));
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellTransact::kHeight);
    table->setMinimumSize(m_cell->preferredWidth() + 30, CellTransact::kHeight * 6);
    QList<QPushButton*> commands;
    const std::pair<const char*, const char*> titles[] = {{"FenEditEcheancierPerso_nouveau", "NOUVEAU:"},
                                                          {"FenEditEcheancierPerso_modifier", "MODIFIER_PERSO:"},
                                                          {"FenEditEcheancierPerso_supprimer", "SUPPRIMER_PERSO:"}};
    for (const auto& [title, action] : titles) {
        auto* button = new QPushButton(localizedAppl(QString::fromLatin1(title)), &window);
        button->setAutoDefault(false);
        connectAction(button, QString::fromLatin1(action));
        commands.append(button);
    }
    QHBoxLayout* buttons = cancelOkButtons(*this, window);
    for (qsizetype i = 0; i < commands.size(); ++i)
        buttons->insertWidget(int(i), commands.at(i));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
}

int FenEditEcheancierPersoController::selectedRow() const
{
    const IndexSet rows = table1()->selectedRowIndexes();
    return rows.empty() ? -1 : int(*rows.begin());
}

bool FenEditEcheancierPersoController::editTransact(TRANSACT& trans)
{
    SaisieRequest request;
    request.fam = trans.moyen;
    request.synonymeID = trans.synonymeID;
    request.ident = trans.transToMoyenCompte();
    request.editObj = &trans;
    IWindowDoors* doors = windowDoors();
    return doors && doors->openSaisie(this, request) == kSaisieOK;
}

void FenEditEcheancierPersoController::reloadAndSelect(long row)
{
    table1()->reloadData();
    table1()->GO(int(row));
    tableViewSelectionDidChange1();
}

void FenEditEcheancierPersoController::NOUVEAU(QObject*)
{
    for (;;) {
        PECHEANCIER perso = allocNewPEcheancier(echeancier());
        if (!editTransact(perso.transact))
            return;
        reloadAndSelect(echeancierInsertPersoSorted(echeancier(), perso));
        adjustHeight(false);
    }
}

void FenEditEcheancierPersoController::MODIFIER_PERSO(QObject*)
{
    const int row = selectedRow();
    PECHEANCIER* perso = echeancierPersoAtIndex(echeancier(), row);
    if (!perso)
        return;
    TRANSACT edited = perso->transact;
    if (!editTransact(edited))
        return;
    std::optional<PECHEANCIER> taken = echeancierRemovePersoAtIndex(echeancier(), row);
    if (!taken) {
        svLog(QStringLiteral("Erreur de reference dans MODIFIER_PERSO"));
        return;
    }
    taken->transact = edited;
    reloadAndSelect(echeancierInsertPersoSorted(echeancier(), *taken));
}

void FenEditEcheancierPersoController::SUPPRIMER_PERSO(QObject* sender)
{
    long row = selectedRow();
    if (sender && sender->property("tag").isValid())
        row = sender->property("tag").toLongLong();
    const long count = echeancierPersoCount(&echeancier());
    if (!echeancierRemovePersoAtIndex(echeancier(), row))
        return;
    reloadAndSelect(selectAfterDelete(int(row), int(count)));
    adjustHeight(false);
}

MONTANT FenEditEcheancierPersoController::computeCumulPerso(const ECHEANCIER& echeancier, long row, const DOCUMENT& doc)
{
    MONTANT cumul;
    for (long i = 0; i <= row; ++i) {
        const PECHEANCIER* perso = echeancierPersoAtIndex(echeancier, i);
        if (!perso)
            break;
        MONTANT::addMontant(cumul, FenEditEcheancierController::cumulOfTransact(perso->transact, doc), cumul);
    }
    return cumul;
}

int FenEditEcheancierPersoController::numberOfRowsInTableView1(StdTableView*)
{
    return isWindowLoaded() ? int(echeancierPersoCount(&echeancier())) : 0;
}

StdCell* FenEditEcheancierPersoController::viewForTableColumn1(StdTableView* table, int row)
{
    const PECHEANCIER* perso = echeancierPersoAtIndex(echeancier(), row);
    if (!perso)
        return nullptr;
    const DOCUMENT& doc = document();
    const TRANSACT& model = echeancier().transact;
    TRANSACT shown = perso->transact;
    shown.chronoID = -1;
    TransLine line {.rec = &shown,
                    .row = row,
                    .tID = model.who1,
                    .solde = shown.solde,
                    .nb_add_cols = 1,
                    .cumul = computeCumulPerso(echeancier(), row, doc),
                    .devise = model.devise,
                    .devHdl = &doc.deviseHdl,
                    .showUnit = true};
    m_cell->setTableView(table);
    setFillBackground(m_cell.get(), table, row);
    m_cell->paintStdTransWithCumul(this, line, doc);
    return m_cell.get();
}

void FenEditEcheancierPersoController::tableViewSelectionDidChange1()
{
    StdWindowWithTableController::tableViewSelectionDidChange1();
    m_cell->placeButtonSuppPerso(table1(), selectedRow(), this);
}

bool editEcheancierPerso(StdWindowController* parent, DOCUMENT& doc, ECHEANCIER& echeancier)
{
    return StdWindowController::pushModal<FenEditEcheancierPersoController>(
               parent, echeancierEditorData(echeancier, doc), parent ? parent->devise() : 0)
        == 1;
}

#include "investments/FenFinanceEmpruntController.h"

#include "investments/TemplateFinance.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/IWindowDoors.h"

#include "document/DocContext.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <QAbstractButton>
#include <QLabel>

namespace {

FenFinanceEmpruntController::SimulationOpener& simulationOpener()
{
    static FenFinanceEmpruntController::SimulationOpener opener;
    return opener;
}

} // namespace

FenFinanceEmpruntController* FenFinanceEmpruntController::openEmprunts(bool appear)
{
    return openEntityWindow<FenFinanceEmpruntController>(appear);
}

void FenFinanceEmpruntController::setSimulationOpener(SimulationOpener opener)
{
    simulationOpener() = std::move(opener);
}

QList<std::pair<const char*, const char*>> FenFinanceEmpruntController::extraCommands() const
{
    return {{"SIMULATION:", "FenFinanceEmprunt_simulation"}};
}

StdTemplate* FenFinanceEmpruntController::makeTemplate() const
{
    return new TemplateFinanceEmprunt;
}

void FenFinanceEmpruntController::didAwakeFromNib()
{
    FenFinanceController::didAwakeFromNib();
    if (auto* button = outlet<QAbstractButton>(QStringLiteral("button_SIMULATION")))
        button->setEnabled(bool(simulationOpener()));
}

int FenFinanceEmpruntController::numberOfRowsInTableView1(StdTableView*)
{
    return flatRowCount(FinanceKind::Emprunt);
}

StdCell* FenFinanceEmpruntController::viewForTableColumn1(StdTableView*, int row)
{
    const DOCUMENT* doc = currentDocument();
    m_cell.paintEmpruntListe(row, devise(), doc ? &doc->deviseHdl : nullptr, doc);
    return &m_cell;
}

void FenFinanceEmpruntController::COMPUTE_TOTAUX()
{
    computeAllEmpruntsTotaux(MyTotaux(), currentDocument());
    PRINT_PIED();
}

void FenFinanceEmpruntController::PRINT_PIED()
{
    if (QLabel* field = piedField("field_nb_placements"))
        field->setText(QStringLiteral("%1%2")
                           .arg(flatRowCount(FinanceKind::Emprunt))
                           .arg(localizedMisc(QStringLiteral("kMisc_Nb_Emprunts"))));
    const DOCUMENT* doc = currentDocument();
    paintEmpruntPied(devise(), doc ? &doc->deviseHdl : nullptr);
}

void FenFinanceEmpruntController::paintEmpruntPied(long slot, const DeviseList* devises)
{
    paintPiedFields({{"field_total_rembourse", &MyTotaux().total1},
                     {"field_total_prete", &MyTotaux().total2},
                     {"field_total_interet", &MyTotaux().total3},
                     {"field_total_cout", &MyTotaux().total4}},
                    slot, devises, true);
}

void FenFinanceEmpruntController::LISTING(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const long row = selectedFlatRow(FinanceKind::Emprunt);
    if (IWindowDoors* doors = windowDoors(); doors && doc && row >= 0)
        doors->openEntityListing(EntityListing::Emprunt, *doc, doc->empruntHdl.at(row).ident, devise(), true);
}

void FenFinanceEmpruntController::SIMULATION(QObject*)
{
    if (simulationOpener())
        simulationOpener()();
}

void FenFinanceEmpruntController::CLOSE_ETAT(long ident)
{
    if (IWindowDoors* doors = windowDoors()) {
        if (StdWindowController* listing = doors->entityListingWindow(EntityListing::Emprunt, ident))
            listing->close();
    }
}

void FenFinanceEmpruntController::showEmpruntAtName(const QString& name)
{
    const DOCUMENT* doc = currentDocument();
    long index = 0;
    if (doc && EMPRUNT::findEmpruntWithName(name, &index, *doc))
        table1()->GO(int(index));
}

void FenFinanceEmpruntController::notifyNewEmprunt(const QVariant& position, const QVariant&)
{
    table1()->SMART_RELOAD();
    COMPUTE_TOTAUX();
    const long row = long(position.toLongLong());
    if (row >= 0 && row < flatRowCount(FinanceKind::Emprunt))
        table1()->GO(int(row));
}

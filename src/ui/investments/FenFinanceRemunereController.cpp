#include "investments/FenFinanceRemunereController.h"

#include "investments/TemplateFinance.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/IWindowDoors.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <QLabel>

FenFinanceRemunereController* FenFinanceRemunereController::openRemuneres(bool appear)
{
    return openEntityWindow<FenFinanceRemunereController>(appear);
}

StdTemplate* FenFinanceRemunereController::makeTemplate() const
{
    return new TemplateFinanceRemunere;
}

int FenFinanceRemunereController::numberOfRowsInTableView1(StdTableView*)
{
    return flatRowCount(FinanceKind::Remunere);
}

StdCell* FenFinanceRemunereController::viewForTableColumn1(StdTableView*, int row)
{
    const DOCUMENT* doc = currentDocument();
    m_cell.paintRemunereListe(row, devise(), doc ? &doc->deviseHdl : nullptr, doc);
    return &m_cell;
}

void FenFinanceRemunereController::COMPUTE_TOTAUX()
{
    computeAllRemuneresTotaux(MyTotaux(), currentDocument());
    PRINT_PIED();
}

void FenFinanceRemunereController::PRINT_PIED()
{
    printNbPlacements(flatRowCount(FinanceKind::Remunere), QStringLiteral("kMisc_Nb_Remuneres"));
    const DOCUMENT* doc = currentDocument();
    paintRemunerePied(devise(), doc ? &doc->deviseHdl : nullptr);
}

void FenFinanceRemunereController::paintRemunerePied(long slot, const DeviseList* devises)
{
    paintPiedFields({{"field_total_capital", &MyTotaux().total5},
                     {"field_total_interet", &MyTotaux().total3},
                     {"field_total_cout", &MyTotaux().total4},
                     {"field_total_solde", &MyTotaux().total6}},
                    slot, devises, true);
}

void FenFinanceRemunereController::LISTING(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const long row = selectedFlatRow(FinanceKind::Remunere);
    if (IWindowDoors* doors = windowDoors(); doors && doc && row >= 0)
        doors->openEntityListing(EntityListing::Remunere, *doc, doc->remunereHdl.at(row).ident, devise(), true);
}

void FenFinanceRemunereController::CLOSE_ETAT(long ident)
{
    if (IWindowDoors* doors = windowDoors()) {
        if (StdWindowController* listing = doors->entityListingWindow(EntityListing::Remunere, ident))
            listing->close();
    }
}

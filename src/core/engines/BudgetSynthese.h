#pragma once
// The budget's synthesis by schedule and forecast: the items behind the folder figures of one
// period of a computed budget, summed per schedule, per forecast, for what nothing planned, and
// in a total. Items of a schedule or forecast that is gone or finished are left out of every row.
//
// A row carries the names it shows, resolved when it is built: the synthesis grid keeps showing
// them after the schedule, the forecast or the category has changed or gone.
#include "engines/AnalyseFile.h"
#include "model/MONTANT.h"

#include <QList>
#include <QString>

enum class BudgetSyntheseKind : int {
    Echeancier = 0,
    Prevision = 1,
    HorsBudget = 2,
    Total = 3,
};

struct BudgetSyntheseEntry {
    long ident = -1; // the schedule's or forecast's; -1 for the other kinds
    BudgetSyntheseKind kind = BudgetSyntheseKind::Total;
    QString name; // the schedule's or forecast's name
    // The category of the schedule's or forecast's model; -1 for a schedule with split lines
    // (groupage) and for the other kinds.
    long posteID = -1;
    bool groupage = false;
    QString posteName; // empty when the category is unknown
    QString dossierName; // the category's folder; empty when unknown
    MONTANT montantReelDebit;
    MONTANT montantReelCredit;
    MONTANT montantPrevuDebit;
    MONTANT montantPrevuCredit;
};
using BudgetSyntheseList = QList<BudgetSyntheseEntry>;

// The rows of the period (month index) of the file: forecasts, schedules and the row of what
// nothing planned, ordered by compareEntry1, then the total. Every item counted in the file is
// in one folder row when the file shows folders, else in one category row: those are the rows
// walked, all of them, whether shown or not, so that nothing is counted twice or left out.
BudgetSyntheseList buildTableauSynthese(const AnalyseFile& file, long month, const DOCUMENT& doc);

// A row of the kind and ident holding the item's four amounts, appended to the list when one is
// given.
BudgetSyntheseEntry createEntryWithMetaData(const AnalyseMetadata& item, BudgetSyntheseList* list, long ident,
                                            BudgetSyntheseKind kind);
void addMetaData(const AnalyseMetadata& item, BudgetSyntheseEntry& entry);
// The first row of that ident; null when none.
BudgetSyntheseEntry* findEntryForID(long ident, BudgetSyntheseList& list);
// The forecast rows, then the schedule rows, then the row of what nothing planned, sorted.
BudgetSyntheseList flattenArrayFromDict(const BudgetSyntheseList& echeanciers, const BudgetSyntheseList& previsions,
                                        const BudgetSyntheseList& horsBudget);
// -1, 0 or 1. A consistent order: rows with a category by folder name, then category name
// (case ignored); rows without one after them; the row of what nothing planned last. Rows it
// finds equal keep their order in a stable sort.
int compareEntry1(const BudgetSyntheseEntry& entry1, const BudgetSyntheseEntry& entry2);

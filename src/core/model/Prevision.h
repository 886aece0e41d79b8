#pragma once
// A forecast: an amount budgeted for a category that recurs by a rule of type 1 (a monthly
// grocery budget). Each occurrence of the rule opens a validity window; real transactions of the
// category dated inside it are counted against the occurrence.
//
// A forecast is a plain value; the document owns its forecasts in previsionsArray, and
// transactions refer to one by its ident (TRANSACT::previsionID).
#include "model/Planificator.h"
#include "model/TRANSACT.h"

#include <QList>
#include <QString>

#include <optional>

class DOCUMENT;

class Prevision {
public:
    long ident = -1; // 1..32767 once added to a document
    QString name;
    // When false, listings show a negative remainder of an occurrence as zero: what was not spent
    // in one occurrence is not carried over to the next.
    bool rattrapable = true;
    TRANSACT transact; // the model: category, accounts, amount, date
    // The recurrence rule; none only for a record of prevision.xml that lost it.
    std::optional<Planificator> planificator;

    // A plain forecast with an empty name, a plain model and no rule; initWithDocument gives the
    // defaults a new forecast starts from.
    Prevision() = default;

    // Ident -1, the default name, catch-up on, a new transaction of the document as model and a
    // rule of type 1 starting at the model's date.
    void initWithDocument(const DOCUMENT* doc);
    static Prevision newPrevision(const DOCUMENT* doc);

    // The same forecast, the model copied without its memory-only mark.
    Prevision copyOfPrevision() const;

    // The occurrence of that date as a transaction: the model with that date, no payment means and
    // the forecast's ident.
    TRANSACT previsionToTrans(double date) const;
};
using PrevisionList = QList<Prevision>;

// The first forecast with that ident and its position; null and -1 when none.
Prevision* findPrevisionWithIdentInArray(long ident, qsizetype* index, PrevisionList& list);
const Prevision* findPrevisionWithIdentInArray(long ident, qsizetype* index, const PrevisionList& list);
// The first forecast named exactly so (case counts); null when none.
const Prevision* findPrevisionWithNameInArray(const PrevisionList& list, const QString& name);
// The name itself when no forecast has it, else the first free of "name 2", "name 3", ...
QString availableNameForPrevision(const QString& name, const PrevisionList& list);

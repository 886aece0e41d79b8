#include "engines/SaisieEntry.h"

#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/MACRO.h"
#include "model/ReleveCompute.h"
#include "model/TransactOps.h"

namespace {

// New transactions are dated today, or at the date last entered when the user asks for it.
double newEntryDate(int optionSaisieDate, double lastEnteredDate)
{
    return optionSaisieDate == 1 ? lastEnteredDate : SystemClock::now();
}

std::optional<TRANSACT> workingTransact(const SaisieRequest& request, DOCUMENT* doc, int optionSaisieDate,
                                        double lastEnteredDate, MONTANT* oldSolde)
{
    if (request.editObj)
        return request.editObj->copyOfTransact();
    if (request.pos >= 0) {
        std::optional<TRANSACT> stored = TRANSACT::loadTransactCopy_from_file(request.pos, doc);
        if (stored)
            oldSolde->setFromMontant(stored->solde);
        return stored;
    }
    const double when = newEntryDate(optionSaisieDate, lastEnteredDate);
    if (request.macro) {
        if (std::optional<TRANSACT> fromMacro = newTransactFromMacro(*request.macro, when))
            return fromMacro;
    }
    // A macro without a template enters a plain transaction of its family.
    TRANSACT trans = TRANSACT::moyenToTrans(doc->moyenHdl, request.fam, request.ident, when, doc);
    trans.synonymeID = request.synonymeID;
    return trans;
}

} // namespace

std::optional<SaisieData> makeSaisieData(const SaisieRequest& request, DOCUMENT* doc, int optionSaisieDate,
                                         double lastEnteredDate)
{
    if (!doc)
        return std::nullopt;
    SaisieData data;
    data.fam = request.fam;
    data.ident = request.ident;
    data.forReal = request.forReal;
    data.forSimul = request.forSimul;
    data.forImport = request.forImport;
    data.pos = request.editObj ? -1 : request.pos;
    data.reuseFrame = request.reuseFrame;
    data.repeat = request.repeat;
    data.editsCallerObject = request.editObj != nullptr;
    data.text = request.text;
    std::optional<TRANSACT> rec = workingTransact(request, doc, optionSaisieDate, lastEnteredDate, &data.oldSolde);
    if (!rec)
        return std::nullopt;
    data.rec = std::move(*rec);
    data.oldTransHdl = data.rec;
    return data;
}

bool storeSaisieResult(int status, SaisieData& data, TRANSACT* editObj, DOCUMENT* doc)
{
    if (status != kSaisieOK && status != kSaisieImportAll)
        return false;
    if (data.rec.importID >= 0)
        data.rec.importTouched = data.rec.isTransactImportTouched(doc);
    if (data.pos >= 0) {
        if (!replaceTransact(data.rec, data.pos, doc, true, true, false))
            recomputeAllReleves(doc, QStringLiteral("kMessage_ComputeVerify3"));
        return true;
    }
    if (editObj) {
        editObj->setFromTransact(data.rec);
        return false;
    }
    return makeTransact(data.rec, nullptr, doc, true, true);
}

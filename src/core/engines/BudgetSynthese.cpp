#include "engines/BudgetSynthese.h"

#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/ECHEANCIER.h"
#include "model/POSTE.h"
#include "model/Prevision.h"

#include <algorithm>

namespace {

// The category of a model transaction, with its name and its folder's name.
void resolvePoste(BudgetSyntheseEntry& entry, const TRANSACT& model, const DOCUMENT& doc)
{
    const POSTE* poste = POSTE::posteWithIdent(model.posteID, doc);
    if (!poste)
        return;
    entry.posteID = poste->ident;
    entry.posteName = poste->nom;
    if (const DOSSIER* dossier = DOSSIER::dossierWithIdent(poste->dossierID, doc))
        entry.dossierName = dossier->nom;
}

struct Rows {
    BudgetSyntheseList echeanciers;
    BudgetSyntheseList previsions;
    BudgetSyntheseList horsBudget;
};

// False when the item belongs to a schedule or forecast that is gone or finished.
bool addToRows(const AnalyseMetadata& item, Rows& rows, const DOCUMENT& doc)
{
    if (item.associatedEcheancierIdent >= 0) {
        const ECHEANCIER* echeancier = nullptr;
        if (!findEcheancier(item.associatedEcheancierIdent, &doc, &echeancier, nullptr) || !echeancier
            || echeancierIsFinished(*echeancier))
            return false;
        if (BudgetSyntheseEntry* entry = findEntryForID(echeancier->ident, rows.echeanciers)) {
            addMetaData(item, *entry);
            return true;
        }
        BudgetSyntheseEntry entry
            = createEntryWithMetaData(item, nullptr, echeancier->ident, BudgetSyntheseKind::Echeancier);
        entry.name = echeancier->nom;
        entry.groupage = !echeancier->transact.multis.isEmpty();
        if (!entry.groupage)
            resolvePoste(entry, echeancier->transact, doc);
        rows.echeanciers.append(entry);
        return true;
    }
    if (item.associatedPrevisionIdent >= 0) {
        const Prevision* prevision
            = findPrevisionWithIdentInArray(item.associatedPrevisionIdent, nullptr, doc.previsionsArray);
        if (!prevision || (prevision->planificator && prevision->planificator->isFinished()))
            return false;
        if (BudgetSyntheseEntry* entry = findEntryForID(prevision->ident, rows.previsions)) {
            addMetaData(item, *entry);
            return true;
        }
        BudgetSyntheseEntry entry
            = createEntryWithMetaData(item, nullptr, prevision->ident, BudgetSyntheseKind::Prevision);
        entry.name = prevision->name;
        resolvePoste(entry, prevision->transact, doc);
        rows.previsions.append(entry);
        return true;
    }
    if (BudgetSyntheseEntry* entry = findEntryForID(-1, rows.horsBudget))
        addMetaData(item, *entry);
    else
        createEntryWithMetaData(item, &rows.horsBudget, -1, BudgetSyntheseKind::HorsBudget);
    return true;
}

// 0 a row with a category, 1 one without, 2 what nothing planned.
int sortGroup(const BudgetSyntheseEntry& entry)
{
    if (entry.kind == BudgetSyntheseKind::HorsBudget)
        return 2;
    return entry.posteID >= 0 ? 0 : 1;
}

} // namespace

BudgetSyntheseEntry createEntryWithMetaData(const AnalyseMetadata& item, BudgetSyntheseList* list, long ident,
                                            BudgetSyntheseKind kind)
{
    BudgetSyntheseEntry entry;
    entry.ident = ident;
    entry.kind = kind;
    entry.montantReelDebit = item.montantReelDebit;
    entry.montantReelCredit = item.montantReelCredit;
    entry.montantPrevuDebit = item.montantPrevuDebit;
    entry.montantPrevuCredit = item.montantPrevuCredit;
    if (list)
        list->append(entry);
    return entry;
}

void addMetaData(const AnalyseMetadata& item, BudgetSyntheseEntry& entry)
{
    MONTANT::addMontant(entry.montantReelDebit, item.montantReelDebit, entry.montantReelDebit);
    MONTANT::addMontant(entry.montantReelCredit, item.montantReelCredit, entry.montantReelCredit);
    MONTANT::addMontant(entry.montantPrevuDebit, item.montantPrevuDebit, entry.montantPrevuDebit);
    MONTANT::addMontant(entry.montantPrevuCredit, item.montantPrevuCredit, entry.montantPrevuCredit);
}

BudgetSyntheseEntry* findEntryForID(long ident, BudgetSyntheseList& list)
{
    for (BudgetSyntheseEntry& entry : list) {
        if (entry.ident == ident)
            return &entry;
    }
    return nullptr;
}

int compareEntry1(const BudgetSyntheseEntry& entry1, const BudgetSyntheseEntry& entry2)
{
    const int group1 = sortGroup(entry1);
    const int group2 = sortGroup(entry2);
    if (group1 != group2)
        return group1 < group2 ? -1 : 1;
    if (group1 != 0)
        return 0;
    int order = QString::compare(entry1.dossierName, entry2.dossierName, Qt::CaseInsensitive);
    if (order == 0)
        order = QString::compare(entry1.posteName, entry2.posteName, Qt::CaseInsensitive);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

BudgetSyntheseList flattenArrayFromDict(const BudgetSyntheseList& echeanciers, const BudgetSyntheseList& previsions,
                                        const BudgetSyntheseList& horsBudget)
{
    BudgetSyntheseList rows = previsions;
    rows.append(echeanciers);
    rows.append(horsBudget);
    std::stable_sort(rows.begin(), rows.end(), [](const BudgetSyntheseEntry& a, const BudgetSyntheseEntry& b) {
        return compareEntry1(a, b) < 0;
    });
    return rows;
}

BudgetSyntheseList buildTableauSynthese(const AnalyseFile& file, long month, const DOCUMENT& doc)
{
    Rows rows;
    BudgetSyntheseEntry total = createEntryWithMetaData(AnalyseMetadata(), nullptr, -1, BudgetSyntheseKind::Total);
    const AnalyseRowKind walked = file.anaDef.showDossier ? AnalyseRowKind::Dossier : AnalyseRowKind::Poste;
    for (long r = 0; r < analyseNumberOfRows(file); ++r) {
        const AnalyseData* data = file.rows.at(r).kind == walked ? file.getAnalyseDataAtRow(r, month) : nullptr;
        if (!data)
            continue;
        for (const AnalyseMetadata& item : data->metadataArray) {
            if (!item.chapeau && addToRows(item, rows, doc))
                addMetaData(item, total);
        }
    }
    BudgetSyntheseList result = flattenArrayFromDict(rows.echeanciers, rows.previsions, rows.horsBudget);
    result.append(total);
    return result;
}

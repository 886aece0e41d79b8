// Filling an analysis file: one walk of every schedule and forecast (budget only) up to the end of
// the period, then one pass over the document's transactions. Everything the per-item work needs
// from the document's lists (category selection and rows, account owners) is looked up once
// beforehand, so an item costs a few hash lookups whatever the size of the lists.
#include "engines/AnalyseFile.h"

#include "engines/ChronoManager.h"
#include "engines/PlanificatorWalk.h"
#include "engines/PrevisionManager.h"
#include "engines/SearchEngine.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"

#include <algorithm>
#include <optional>

namespace {

// Where a category's amounts go; absent from the map when it counts nowhere.
struct PosteTarget {
    long posteRow = -1;
    long dossierRow = -1;
};

// What applyTransToAnalyse is told about one item besides the transaction.
struct ItemContext {
    bool planned = false;
    long budgetShift = 0;
    int budgetShiftReference = 0;
    double budgetFirstDate = 0;
    double associatedDate = 0;
    double planifiedDate = 0;
    StorageKind storageType = StorageKind::Transact;
    long storageIndex = 0;
    long echeancierIdent = -1;
    long previsionIdent = -1;
};

class AnalyseComputer {
public:
    AnalyseComputer(AnalyseFile& file, AnalyseType type, DOCUMENT& doc)
        : m_file(file)
        , m_conf(file.anaDef)
        , m_type(type)
        , m_doc(doc)
    {
        preparePostes();
        for (const TOOL& compte : doc.compteHdl)
            m_compteOwner.insert(compte.ident, compte.ownerID);
        for (const AnalyseColumn& column : file.columns)
            m_columnStarts.append(column.month);
        if (type == AnalyseType::Budget)
            m_previsions.emplace(doc.previsionsArray, m_conf.date2);
    }

    void countEcheanciers();
    void countPrevisions();
    void countTransacts();

private:
    void preparePostes();
    void countRealTransact(const TRANSACT& t, long position);
    void countScheduledTransact(const TRANSACT& t, const ECHEANCIER& echeancier, ItemContext ctx);
    void countWithForecastMatch(const TRANSACT& t, ItemContext ctx);
    void applyTransToAnalyse(const TRANSACT& t, const ItemContext& ctx);
    double itemDate(const TRANSACT& t, const ItemContext& ctx) const;
    bool keptByAccounts(const TRANSACT& t) const;
    long monthIndex(double date) const;
    void addTransToAnalyseCells(const TRANSACT& t, long posteID, long multiIndex, bool deb, bool cre, long month,
                                const ItemContext& ctx);
    void addMontantToAnalyseData(AnalyseData* cell, const MONTANT& a, bool deb, bool cre, const ItemContext& ctx);

    AnalyseFile& m_file;
    const AnalyseConfiguration& m_conf;
    AnalyseType m_type;
    DOCUMENT& m_doc;
    QHash<long, PosteTarget> m_postes;
    QHash<long, long> m_compteOwner;
    QList<double> m_columnStarts;
    // Every forecast's windows walked once, for matching real transactions (budget only).
    std::optional<PrevisionWindowIndex> m_previsions;
};

void AnalyseComputer::preparePostes()
{
    QSet<long> dossiers;
    for (const DOSSIER& dossier : m_doc.dossierHdl)
        dossiers.insert(dossier.ident);
    for (const POSTE& poste : m_doc.posteHdl) {
        if (m_postes.contains(poste.ident) || !dossiers.contains(poste.dossierID))
            continue;
        if (!isPosteSelectedByAnaDef(poste.ident, m_conf, m_doc))
            continue;
        m_postes.insert(
            poste.ident,
            PosteTarget {m_file.posteRows.value(poste.ident, -1), m_file.dossierRows.value(poste.dossierID, -1)});
    }
}

void AnalyseComputer::countEcheanciers()
{
    for (qsizetype p = 0; p < m_doc.echeancierHdl.size(); ++p) {
        const ECHEANCIER& echeancier = m_doc.echeancierHdl.at(p);
        ItemContext ctx;
        ctx.planned = true;
        ctx.budgetShift = echeancier.planificator.budgetShift;
        ctx.budgetShiftReference = echeancier.planificator.budgetShiftReference;
        ctx.storageType = StorageKind::Echeancier;
        ctx.storageIndex = p;
        ctx.echeancierIdent = echeancier.ident;
        PlanificatorWalk walk(echeancier.planificator);
        auto regular = [&](bool, bool reconduction, double date, double delta) {
            if (reconduction)
                return;
            ctx.budgetFirstDate = walk.firstDate() + delta;
            ctx.associatedDate = ctx.planifiedDate = date;
            applyTransToAnalyse(echeancierOccurrenceAtDate(echeancier, date), ctx);
        };
        while (walk.chronoLoop(m_conf.date2, regular)) { }
        walk.startChronoLoopPerso();
        walk.chronoLoopPerso(PlanificatorWalk::persoDatesOf(echeancier), m_conf.date2,
                             [&](qsizetype index, double date, bool, double delta) {
                                 TRANSACT occurrence
                                     = echeancierPersoOccurrence(echeancier, echeancier.perso.at(index));
                                 occurrence.when = occurrence.planifiedDate = date;
                                 ctx.budgetFirstDate = walk.firstDate() + delta;
                                 ctx.associatedDate = ctx.planifiedDate = date;
                                 applyTransToAnalyse(occurrence, ctx);
                             });
    }
}

void AnalyseComputer::countPrevisions()
{
    for (qsizetype p = 0; p < m_doc.previsionsArray.size(); ++p) {
        const Prevision& prevision = m_doc.previsionsArray.at(p);
        if (!prevision.planificator)
            continue;
        ItemContext ctx;
        ctx.planned = true;
        ctx.budgetShift = prevision.planificator->budgetShift;
        ctx.budgetShiftReference = prevision.planificator->budgetShiftReference;
        ctx.storageType = StorageKind::Prevision;
        ctx.storageIndex = p;
        ctx.previsionIdent = prevision.ident;
        PlanificatorWalk walk(*prevision.planificator);
        auto regular = [&](bool, bool reconduction, double date, double) {
            if (reconduction)
                return;
            ctx.budgetFirstDate = ctx.associatedDate = ctx.planifiedDate = date;
            applyTransToAnalyse(prevision.previsionToTrans(date), ctx);
        };
        while (walk.chronoLoop(m_conf.date2, regular)) { }
    }
}

void AnalyseComputer::countTransacts()
{
    const TransactList& transacts = m_doc.transact_array;
    for (qsizetype p = 0; p < transacts.size(); ++p)
        countRealTransact(transacts.at(p), p);
}

TRANSACT splitLineCopy(const TRANSACT& t, const MULTI& line)
{
    TRANSACT copy = t;
    copy.multis.clear();
    copy.posteID = line.posteID;
    copy.solde = line.montant;
    return copy;
}

void AnalyseComputer::countRealTransact(const TRANSACT& t, long position)
{
    ItemContext ctx;
    ctx.storageIndex = position;
    if (t.chronoID >= 1) {
        const ECHEANCIER* echeancier = nullptr;
        if (!findEcheancier(t.chronoID, &m_doc, &echeancier, nullptr) || !echeancier)
            return; // its schedule is gone
        countScheduledTransact(t, *echeancier, ctx);
        return;
    }
    if (t.multis.isEmpty()) {
        countWithForecastMatch(t, ctx);
        return;
    }
    for (const MULTI& line : t.multis)
        countWithForecastMatch(splitLineCopy(t, line), ctx);
}

void AnalyseComputer::countScheduledTransact(const TRANSACT& t, const ECHEANCIER& echeancier, ItemContext ctx)
{
    if (m_type == AnalyseType::Budget)
        ctx.budgetFirstDate = echeancierOccurrenceDateForTransact(echeancier, t, m_conf.date2);
    ctx.budgetShift = echeancier.planificator.budgetShift;
    ctx.budgetShiftReference = echeancier.planificator.budgetShiftReference;
    ctx.associatedDate = t.when;
    ctx.planifiedDate = t.planifiedDate;
    if (t.multis.isEmpty()) {
        ctx.echeancierIdent = echeancier.ident;
        applyTransToAnalyse(t, ctx);
        return;
    }
    // Only the line in the schedule's own category stays tied to the schedule.
    for (const MULTI& line : t.multis) {
        ItemContext lineCtx = ctx;
        lineCtx.echeancierIdent = line.posteID == t.posteID ? echeancier.ident : -1;
        applyTransToAnalyse(splitLineCopy(t, line), lineCtx);
    }
}

void AnalyseComputer::countWithForecastMatch(const TRANSACT& t, ItemContext ctx)
{
    if (m_type == AnalyseType::Budget && m_previsions) {
        double first = 0;
        const Prevision* prevision = m_previsions->findPrevisionMatchingTransact(t, &first, nullptr);
        if (prevision && prevision->planificator) {
            ctx.budgetShift = prevision->planificator->budgetShift;
            ctx.budgetShiftReference = prevision->planificator->budgetShiftReference;
            ctx.previsionIdent = prevision->ident;
            ctx.budgetFirstDate = ctx.planifiedDate = first;
            ctx.associatedDate = t.when;
            applyTransToAnalyse(t, ctx);
            return;
        }
    }
    ctx.budgetFirstDate = ctx.associatedDate = ctx.planifiedDate = t.when;
    applyTransToAnalyse(t, ctx);
}

double AnalyseComputer::itemDate(const TRANSACT& t, const ItemContext& ctx) const
{
    double d = ctx.echeancierIdent < 0 && ctx.previsionIdent < 0 ? t.when : ctx.planifiedDate;
    const long shift = ctx.budgetShift;
    if (m_type != AnalyseType::Budget || shift == 0)
        return d;
    if (ctx.budgetShiftReference == 1) {
        d = ctx.budgetFirstDate;
        const ECHEANCIER* echeancier = nullptr;
        const Prevision* prevision = ctx.previsionIdent >= 0
            ? findPrevisionWithIdentInArray(ctx.previsionIdent, nullptr, m_doc.previsionsArray)
            : nullptr;
        if (ctx.echeancierIdent >= 0 && findEcheancier(ctx.echeancierIdent, &m_doc, &echeancier, nullptr) && echeancier)
            d = echeancier->planificator.absoluteFirstDateFromPlanificator(ctx.budgetFirstDate);
        else if (prevision && prevision->planificator)
            d = prevision->planificator->absoluteFirstDateFromPlanificator(ctx.budgetFirstDate);
    }
    return shift > 0 ? addMonthsToDate(shift, d) : subMonthsFromDate(-shift, d);
}

bool AnalyseComputer::keptByAccounts(const TRANSACT& t) const
{
    if (m_conf.modeCompte != kSelectionOnly && m_conf.modeCompte != kSelectionAllBut)
        return true;
    bool found = m_conf.comptesArray.contains(t.who1) || m_conf.comptesArray.contains(t.who2);
    if (!found) {
        const long bank1 = m_compteOwner.value(t.who1, -1);
        const long bank2 = m_compteOwner.value(t.who2, -1);
        found = (bank1 >= 0 && m_conf.banquesArray.contains(bank1))
            || (bank2 >= 0 && m_conf.banquesArray.contains(bank2));
    }
    return found == (m_conf.modeCompte == kSelectionOnly);
}

long AnalyseComputer::monthIndex(double date) const
{
    if (!m_conf.showMonth)
        return 0;
    // Column n starts at m_columnStarts[n - 1]: the count of starts at or before the date.
    return std::upper_bound(m_columnStarts.cbegin(), m_columnStarts.cend(), date) - m_columnStarts.cbegin();
}

void AnalyseComputer::applyTransToAnalyse(const TRANSACT& t, const ItemContext& ctx)
{
    const double d = itemDate(t, ctx);
    if (d < m_conf.date1 || d > m_conf.date2)
        return;
    bool deb = false;
    bool cre = false;
    t.checkDebitCredit(m_conf.compteID, &deb, &cre, &m_doc);
    if (!deb && !cre)
        return;
    if (deb && cre && !m_conf.showVirInt)
        return;
    if (!keptByAccounts(t))
        return;
    const long month = monthIndex(d);
    if (month < 0 || month > m_file.columns.size())
        return;
    if (t.multis.isEmpty()) {
        addTransToAnalyseCells(t, t.posteID, -1, deb, cre, month, ctx);
        return;
    }
    for (qsizetype j = 0; j < t.multis.size(); ++j)
        addTransToAnalyseCells(t, t.multis.at(j).posteID, j, deb, cre, month, ctx);
}

void AnalyseComputer::addTransToAnalyseCells(const TRANSACT& t, long posteID, long multiIndex, bool deb, bool cre,
                                             long month, const ItemContext& ctx)
{
    const auto target = m_postes.constFind(posteID);
    if (target == m_postes.cend())
        return;
    MONTANT a = multiIndex >= 0 ? t.multis.at(multiIndex).montant : t.solde;
    if (m_conf.fiscalite == kFiscaliteHT || m_conf.fiscalite == kFiscaliteTaxe) {
        MONTANT ht;
        MONTANT tx;
        if (t.taxeID >= 0) {
            TAXE::applyTaxeToMontant(t.taxeID, a, ht, tx, m_doc.taxeHdl);
            a = m_conf.fiscalite == kFiscaliteHT ? ht : tx;
        } else if (m_conf.fiscalite == kFiscaliteTaxe) {
            a = MONTANT::zero();
        }
    }
    if (a.negativeMontant()) {
        MONTANT::invertMontant(a);
        std::swap(deb, cre);
    }
    const long months[2] = {month, 0};
    const int nMonths = month > 0 ? 2 : 1;
    for (int i = 0; i < nMonths; ++i) {
        const long m = months[i];
        if (target->posteRow >= 0)
            addMontantToAnalyseData(m_file.getAnalyseDataAtRow(target->posteRow, m), a, deb, cre, ctx);
        if (target->dossierRow >= 0)
            addMontantToAnalyseData(m_file.getAnalyseDataAtRow(target->dossierRow, m), a, deb, cre, ctx);
        addMontantToAnalyseData(m_file.getAnalyseDataTotalDossierAtMonth(m), a, deb, cre, ctx);
    }
}

void AnalyseComputer::addMontantToAnalyseData(AnalyseData* cell, const MONTANT& a, bool deb, bool cre,
                                              const ItemContext& ctx)
{
    if (!cell || (!deb && !cre))
        return;
    MONTANT& debit = ctx.planned ? cell->totDebPrev : cell->totDeb;
    MONTANT& credit = ctx.planned ? cell->totCrePrev : cell->totCre;
    if (deb)
        MONTANT::addMontant(debit, a, debit);
    if (cre)
        MONTANT::addMontant(credit, a, credit);
    if (m_type == AnalyseType::Analyse && !ctx.planned) {
        // Positions arrive in ascending order; split lines of one transaction share a cell.
        if (cell->transArray.isEmpty() || cell->transArray.constLast() != ctx.storageIndex)
            cell->transArray.append(ctx.storageIndex);
        return;
    }
    AnalyseMetadata item;
    item.storageType = ctx.storageType;
    item.storageIndex = ctx.storageIndex;
    item.budgetFirstDate = ctx.budgetFirstDate;
    item.budgetShift = ctx.budgetShift;
    item.budgetShiftReference = ctx.budgetShiftReference;
    item.associatedEcheancierIdent = ctx.echeancierIdent;
    item.associatedPrevisionIdent = ctx.previsionIdent;
    item.associatedDate = ctx.associatedDate;
    item.planifiedDate = ctx.planifiedDate;
    MONTANT& debitItem = ctx.planned ? item.montantPrevuDebit : item.montantReelDebit;
    MONTANT& creditItem = ctx.planned ? item.montantPrevuCredit : item.montantReelCredit;
    if (deb)
        debitItem = a;
    if (cre)
        creditItem = a;
    cell->metadataArray.append(item);
}

} // namespace

void computeAnalyse(AnalyseFile& file, long devise, AnalyseType type, long percentMonth, DOCUMENT& doc)
{
    file.analyseZero();
    AnalyseComputer computer(file, type, doc);
    if (type == AnalyseType::Budget) {
        computer.countEcheanciers();
        computer.countPrevisions();
    }
    computer.countTransacts();
    computeAnalyseTotaux(file, type, devise, percentMonth);
}

void recomputeAnalyse(AnalyseFile& file, long month, DOCUMENT& doc, AnalyseType type, long devise)
{
    file.analyseZero();
    computeAnalyse(file, devise, type, month, doc);
}

namespace {

double percentOf(const MONTANT& part, const MONTANT& whole, long devise)
{
    const double w = whole.getValueForDevise(devise);
    return w == 0 ? 0 : part.getValueForDevise(devise) / w * 100;
}

void computeDifferences(AnalyseData& cell)
{
    MONTANT::subMontant(cell.totDebPrev, cell.totDeb, cell.totDebDiff);
    MONTANT::subMontant(cell.totCre, cell.totCrePrev, cell.totCreDiff);
}

void folderPercentages(AnalyseData& cell, const AnalyseData& total, long devise)
{
    const bool deb = !cell.totDeb.nullMontant() && !total.totDeb.nullMontant();
    cell.percentTotDeb = deb ? percentOf(cell.totDeb, total.totDeb, devise) : 0;
    cell.percentDosDeb = deb ? 100 : 0;
    const bool cre = !cell.totCre.nullMontant() && !total.totCre.nullMontant();
    cell.percentTotCre = cre ? percentOf(cell.totCre, total.totCre, devise) : 0;
    cell.percentDosCre = cre ? 100 : 0;
}

void categoryPercentages(AnalyseData& cell, const AnalyseData* folder, long devise)
{
    cell.percentTotDeb = cell.percentTotCre = 0;
    cell.percentDosDeb = folder && !cell.totDeb.nullMontant() && !folder->totDeb.nullMontant()
        ? percentOf(cell.totDeb, folder->totDeb, devise)
        : 0;
    cell.percentDosCre = folder && !cell.totCre.nullMontant() && !folder->totCre.nullMontant()
        ? percentOf(cell.totCre, folder->totCre, devise)
        : 0;
}

} // namespace

void computeAnalyseTotaux(AnalyseFile& file, AnalyseType type, long devise, long month)
{
    AnalyseDataMonthStorage* storage = file.getAnalyseDataMonthStorageAtMonth(month);
    if (!storage)
        return;
    AnalyseData& total = storage->dataTotalDossiers;
    const qsizetype nRows = std::min<qsizetype>(file.rows.size(), storage->rowsStorage.size());
    if (type == AnalyseType::Budget) {
        // Every row's difference depends on that row alone, so one sweep covers every layout.
        computeDifferences(total);
        for (qsizetype r = 0; r < nRows; ++r)
            computeDifferences(storage->rowsStorage[r]);
    }
    total.percentDosDeb = total.percentDosCre = 0;
    total.percentTotDeb = total.totDeb.nullMontant() ? 0 : 100;
    total.percentTotCre = total.totCre.nullMontant() ? 0 : 100;
    const AnalyseData* lastFolder = nullptr;
    for (qsizetype r = 0; r < nRows; ++r) {
        AnalyseData& cell = storage->rowsStorage[r];
        switch (file.rows.at(r).kind) {
        case AnalyseRowKind::Dossier:
            folderPercentages(cell, total, devise);
            lastFolder = &cell;
            break;
        case AnalyseRowKind::Poste:
            categoryPercentages(cell, lastFolder, devise);
            break;
        }
    }
}

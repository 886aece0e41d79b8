#include "engines/Simulation.h"

#include "foundation/numbers.h"

#include <cmath>

namespace {

// Below this monthly rate the constant-payment formula divides by almost nothing.
constexpr double kMinMonthlyRate = 0.0000001;

// P = montant × r / (1 - (1 + r)^-nbMensu); false when the kind-2 inputs can't give one.
bool constantPayment(const SIMULrec& rec, double r, MONTANT& payment)
{
    if (!(r > kMinMonthlyRate) || rec.nbMensu < 2 || rec.nbMensu > kSimulationMaxRows)
        return false;
    const double base = 1.0 + r;
    double logBase = 0;
    logByPointer(&base, &logBase);
    const double exponent = -static_cast<double>(rec.nbMensu) * logBase;
    double power = 0;
    expByPointer(&exponent, &power);
    MONTANT::multMontant(rec.montant, r / (1.0 - power), payment);
    return true;
}

// The capital a month repays before it is capped at what remains; zero for an unknown kind.
MONTANT capitalOfMonth(const SIMULrec& rec, const MONTANT& interest, const MONTANT& payment)
{
    MONTANT capital;
    if (rec.kind == kSimulationFixedPayment) {
        MONTANT net;
        MONTANT::subMontant(rec.mensu, rec.cout, net);
        MONTANT::subMontant(net, interest, capital);
    } else if (rec.kind == kSimulationFixedCapital) {
        capital = rec.mensu;
    } else if (rec.kind == kSimulationConstantPayment) {
        MONTANT::subMontant(payment, interest, capital);
    }
    return capital;
}

bool isKnownKind(int64_t kind)
{
    return kind == kSimulationFixedPayment || kind == kSimulationFixedCapital || kind == kSimulationConstantPayment;
}

// A month that repays nothing (or less) would never end the loan; a rate or amount so large that
// it overflows gives no schedule either.
bool repaysCapital(const TOTAUX& row)
{
    return std::isfinite(row.total2.values[0]) && std::isfinite(row.total3.values[0]) && !row.total2.negativeMontant()
        && !row.total2.nullMontant();
}

void addRunningTotals(TOTAUX& row, const TOTAUX* previous)
{
    if (!previous) {
        row.total4 = row.total2;
        row.total5 = row.total3;
        row.total7 = row.total6;
        return;
    }
    MONTANT::addMontant(previous->total4, row.total2, row.total4);
    MONTANT::addMontant(previous->total5, row.total3, row.total5);
    MONTANT::addMontant(previous->total7, row.total6, row.total7);
}

// One month of the schedule from the capital still due; false when it repays nothing.
bool makeRow(const SIMULrec& rec, double r, const MONTANT& payment, const MONTANT& remaining, TOTAUX& row)
{
    row.total6 = rec.cout;
    MONTANT::multMontant(remaining, r, row.total3);
    row.total2 = capitalOfMonth(rec, row.total3, payment);
    if (isKnownKind(rec.kind) && MONTANT::supMontant(row.total2, remaining))
        row.total2 = remaining;
    if (!repaysCapital(row))
        return false;
    MONTANT::addMontant(row.total2, row.total3, row.total1);
    MONTANT::addMontant(row.total1, row.total6, row.total1);
    return true;
}

} // namespace

std::unique_ptr<SIMULrec> newSimulation()
{
    return std::make_unique<SIMULrec>();
}

void resetSimulation(SIMULrec* rec)
{
    if (rec)
        *rec = SIMULrec();
}

long simulationNbRows(const SIMULrec* rec)
{
    return rec ? static_cast<long>(rec->rows.size()) : 0;
}

const TOTAUX* simulationRowAtIndex(const SIMULrec* rec, long index)
{
    if (!rec || index < 0 || index >= simulationNbRows(rec))
        return nullptr;
    return &rec->rows[static_cast<size_t>(index)];
}

void clearSimulationRows(SIMULrec* rec)
{
    if (rec)
        rec->rows.clear();
}

void disposeSimulation(std::unique_ptr<SIMULrec>& rec)
{
    rec.reset();
}

bool computeSimulation(SIMULrec& rec, TOTAUX& total)
{
    const double r = rec.taux / 1200.0;
    MONTANT payment;
    MONTANT remaining = rec.montant;
    total.defaultTotaux(nullptr);
    rec.rows.clear();
    if (rec.kind == kSimulationConstantPayment && !constantPayment(rec, r, payment))
        return false;
    for (long month = 1; month <= kSimulationMaxRows; ++month) {
        TOTAUX row;
        if (!makeRow(rec, r, payment, remaining, row))
            return false;
        MONTANT::subMontant(remaining, row.total2, remaining);
        row.n = month;
        // Added once its payment is known, so the grand total carries the total paid; the
        // running totals are added after, as summing them would mean nothing.
        TOTAUX::addTotaux(row, total);
        total.n = month;
        addRunningTotals(row, rec.rows.empty() ? nullptr : &rec.rows.back());
        rec.rows.push_back(row);
        if (remaining.negativeMontant() || remaining.nullMontant())
            return true;
    }
    return false;
}

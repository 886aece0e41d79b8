#pragma once
// A loan tried out before it is taken: amount, rate, monthly cost and one of three ways of giving
// the repayment, and the month-by-month schedule computed from them. Each schedule row is a
// TOTAUX: n the month from 1, total1 the payment (capital + interest + cost), total2 the capital
// repaid, total3 the interest, total4 and total5 the capital and interest paid so far, total6 the
// cost of the month and total7 the cost paid so far. The rows are never stored: a loaded
// simulation computes them again.
#include "model/MONTANT.h"
#include "model/TOTAUX.h"

#include <cstdint>
#include <memory>
#include <vector>

// The kinds of simulation: how `mensu` and `nbMensu` are read.
inline constexpr int64_t kSimulationFixedPayment = 0; // mensu: the monthly payment, cost included
inline constexpr int64_t kSimulationFixedCapital = 1; // mensu: the capital repaid each month
inline constexpr int64_t kSimulationConstantPayment = 2; // the payment that repays in nbMensu months

// A hundred years of monthly payments. Kinds 0 and 1 take as many months as the amounts ask, and a
// payment barely above the interest would otherwise fill the memory with rows.
inline constexpr long kSimulationMaxRows = 1200;

struct SIMULrec {
    int64_t kind = kSimulationFixedPayment;
    int64_t nbMensu = 0; // number of monthly payments, read by kind 2 only
    double taux = 0; // annual interest rate in percent
    MONTANT montant; // amount borrowed
    MONTANT mensu; // see the kinds; not used by kind 2
    MONTANT cout; // monthly cost (insurance...) added to every payment
    std::vector<TOTAUX> rows;
};

// A fresh record: kind 0, no month, no rate, zero amounts, no row.
std::unique_ptr<SIMULrec> newSimulation();
// Back to the fresh state.
void resetSimulation(SIMULrec* rec);
// 0 for no record.
long simulationNbRows(const SIMULrec* rec);
// Null for no record or an index out of range.
const TOTAUX* simulationRowAtIndex(const SIMULrec* rec, long index);
void clearSimulationRows(SIMULrec* rec);
void disposeSimulation(std::unique_ptr<SIMULrec>& rec);

// Computes the schedule into the record's rows and their sum into total (whose n is the number of
// months; its running totals stay zero). True when the loan is repaid. False when kind 2 has a
// rate of 1e-7 a month or less, fewer than 2 or more than kSimulationMaxRows months (no row);
// when a month would repay no capital or a negative one, or its amounts are not finite numbers
// (the payment doesn't cover the interest: the rows before it stay); for an unknown kind; and
// when kSimulationMaxRows months have not repaid the loan (those rows stay).
bool computeSimulation(SIMULrec& rec, TOTAUX& total);

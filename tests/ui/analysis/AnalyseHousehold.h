#pragma once
// A household's year 2024 for the analysis windows: accounts 7 and 9 of the user, payees 22 and
// 23; folders Maison (categories Courses, Loyer, Électricité), Loisirs (Sport, Sorties,
// Vacances) and Revenus (Salaire). Rent, groceries, electricity, sport, outings and salary every
// month, holidays in August only, a transfer between the user's accounts each quarter. Three
// configurations: "Année 2024" (by month, folders and categories), "Loisirs seuls" and
// "Sans mois".
#include "model/DOCUMENT.h"

namespace analysehousehold {

double at(long day, long month, long year);
void fill(DOCUMENT& doc);
// The budget of the same year: schedule 5 "Loyer" (800 on the 1st, category Loyer), which wrote
// every rent transaction, and forecast 8 "Courses du mois" (400 a month, category Courses),
// both open-ended from January.
void addBudget(DOCUMENT& doc);
// Amounts of a category over the year, for checks: rent 800 a month...
inline constexpr double kLoyer = 800;
inline constexpr double kSalaire = 2500;
inline constexpr double kVacances = 1200;

} // namespace analysehousehold

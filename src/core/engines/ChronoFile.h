#pragma once
// The document's schedules ("chrono.xml"): root "list", one "record" per schedule in the
// document's order, holding "ident", "nom", "planificator" (the rule's sub-tree), "transact" (the
// model, as a record of "transact.xml") and "persolist", one "perso" per custom occurrence with
// "done" and "transact".
//
// Older files also keep forecasts here, as records flagged "simul"; the forecasts take them over
// and the schedules skip them. Older schedule records have no "planificator": their repeat keys
// stand in the record itself.
#include "model/ECHEANCIER.h"

#include "foundation/xmlmember.h"

inline constexpr char kChronoFileName[] = "chrono.xml";

// Null with *error set when the document can't be made; *error set too when a schedule can't be
// fully written, the document being answered all the same with what could be written. Models are
// written as transactions are, which zeroes an orphan tax and the quotes in memory too.
XmlDocPtr makeDocChronoXML(EcheancierList& list, const DeviseList& devises, bool* error);
// The file is written even when a schedule can't be fully written, but the answer is then false,
// like that of a failed write: a save never reports a schedule it lost as saved.
bool saveEcheanciers(const QString& packageURL, EcheancierList& list, const DeviseList& devises);
// The schedules of the file, in file order. A faulty record (a model or a custom transaction
// missing or unreadable, no "persolist") is noted on issues (may be null) by its number in the
// file, the schedule being kept with what could be read; so are damage and a file that is there
// but can't be read. A missing file gives none.
EcheancierList loadEcheanciers(const QString& packageURL, LoadIssues* issues);

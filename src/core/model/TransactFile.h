#pragma once
// The document's transactions ("transact.xml"): root "list", one "transact" per transaction in
// list order. A record holds, in this order: "isInit", "importID", "importTouched",
// "importDoublon", "synchroID", "synchroDate", "when", "who1", "who2", "releveID1", "releveID2",
// "moyen", "synonymeID", "variante", "posteID", "chronoID", "planifiedDate", "previsionID",
// "taxeID", "titreID", "remunereID", "empruntID", "clotureMarkD", "clotureMarkC", "devise",
// "annulation", the amounts "solde", "taxe", "quote1"-"quote3", "nTitre", the texts "why",
// "ref", "whyImport", "note" (line feeds as "__BR__"), then "multilist" ("multi": "montant",
// "posteID", "multiNote") and "documents" ("document": "docStoreName", "docVisibleName"), both
// always present. Dates and nTitre have six decimals. Macros, schedules and forecasts embed the
// same record under their own key.
#include "model/TRANSACT.h"

#include "foundation/LoadIssues.h"
#include "foundation/xmlmember.h"

#include <optional>

inline constexpr char kTransactFileName[] = "transact.xml";

// Line feeds to "__BR__" and back; a carriage return is kept as it is.
QString encodeNote(const QString& text);
QString decodeNote(const QString& text);

// Appends the fields to the record. A tax without taxeID, and the three quotes of a transaction
// without investment, are zeroed first, in trans as well: memory then holds what the file holds.
// False when an amount, a split line or an attached file could not be written; the record is
// completed all the same.
bool XML_append_transact_to_record(pugi::xml_node record, TRANSACT& trans, const DeviseList& devises);
// Into a record written straight as markup: the same bytes, without the tree.
bool XML_append_transact_to_record(XmlStreamNode record, TRANSACT& trans, const DeviseList& devises);
// The same into a new element of that name; false when it can't be made.
bool XML_append_transact(pugi::xml_node parent, const XmlName& key, TRANSACT& trans, const DeviseList& devises);

// A transaction read from the record's children; a missing field takes its "absent" value (-1 for
// the idents, the family and the closing marks; now for the date; the date for planifiedDate).
// An amount (of the record or of a split line) that is missing, or holds a value that is no
// number, is noted on issues (may be null) at its current place: it then reads as zero and the
// transaction is answered all the same.
TRANSACT XML_load_transact_from_record(pugi::xml_node record, LoadIssues* issues);
// From the first child element of that name; none, noted on issues, when there is no such child.
std::optional<TRANSACT> XML_load_transact(pugi::xml_node parent, const XmlName& key, LoadIssues* issues);

// Writes the document's transactions (zeroing taxes and quotes as above). False when the XML
// can't be made or the file can't be written.
bool saveDataTransact(const QString& packageURL, DOCUMENT& doc);
// The transactions of the file, in file order, every record being kept. Faulty records and damage
// are noted on issues (may be null) with their record; a missing file gives none and no issue.
TransactList loadDataTransact(const QString& packageURL, LoadIssues* issues);

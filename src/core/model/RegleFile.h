#pragma once
// The document's categorisation rules in its member file "regles.xml": root "list", one "record"
// per rule in list order holding "importID", "who1", "who2", "posteID", "moyen", "nb_operation"
// and "mots", in which each word is an element "mot" holding a child "mot" with the word as
// text. A rule's title is not stored.
#include "model/REGLE.h"

#include "foundation/xmlmember.h"

inline constexpr char kRegleFileName[] = "regles.xml";

// The package's rules in file order; a missing file gives none. A file that exists but can't be
// read, damage, and a node of the list that is no record are noted on issues (may be null); every
// record read is kept. Missing fields read as -1 (nb_operation 0).
RegleList loadRegles(const QString& packageURL, LoadIssues* issues);
// Null with *error set when the document can't be made; *error set too when a record, its "mots"
// or one of its words can't be made, the others being written all the same.
XmlDocPtr makeDocReglesXML(const RegleList& list, bool* error);
// False when no document could be made or the file can't be written.
bool saveRegles(const QString& packageURL, const RegleList& list);

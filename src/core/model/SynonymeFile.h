#pragma once
// The document's synonyms in its member file "synonyme.xml": root "list", one "record" per
// synonym in list order with "ident", "family", "nom" and "logoID".
#include "model/Synonyme.h"

#include "foundation/xmlmember.h"

// The three synonyms of a document without any, sorted by name, each with a fresh ident.
SynonymeList defaultSynonymes();

// The package's synonyms in file order (the file was written from the sorted list). A missing or
// unreadable file, or one without records, gives the defaults. A record with a negative ident
// gets a fresh one and no issue; a node of the list that is no record is noted on issues (may be
// null), as are damage and a file that is there but can't be read.
SynonymeList loadSynonyme(const QString& packageURL, LoadIssues* issues);
// Null with *error set when the document can't be made; *error set too when a record can't be.
XmlDocPtr makeDocSynonymeXML(const SynonymeList& list, bool* error);
// False when the document can't be built or written.
bool saveSynonyme(const QString& packageURL, const SynonymeList& list);

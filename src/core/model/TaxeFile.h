#pragma once
// The document's taxes in its member file "taxe.xml": root "list", one "record" per tax in list
// order with "ident", "nom" and "rate" (six decimals).
#include "model/TAXE.h"

#include "foundation/xmlmember.h"

// The four taxes of a document without taxes, sorted by name.
TaxeList defaultTaxes();

// The package's taxes, in file order. A missing file or one without records gives the four
// defaults. A record without an ident gets a fresh one. A node of the list that is no record
// is skipped and noted on issues (may be null), as are damage and a file that is there but
// can't be read.
TaxeList loadTaxe(const QString& packageURL, LoadIssues* issues);
// Null with *error set when the document can't be made; *error set too when a record can't be.
XmlDocPtr makeDocTaxeXML(const TaxeList& list, bool* error);
// False when the document can't be built or written.
bool saveTaxe(const QString& packageURL, const TaxeList& list);

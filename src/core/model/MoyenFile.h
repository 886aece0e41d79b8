#pragma once
// The document's payment means in its member file "moyen.xml": root "list", one "record" per
// means in list order ("compte", "kind", "lastVarianteID", "variantelist"), the variants in a
// "variantelist" of "variante" elements ("ident", "nom", "numero", "lastNumero", "nombre",
// "limite", "alerte", "alerteDone", "logoID"). The companion phone receives the same XML.
#include "model/MOYEN.h"

#include "foundation/xmlmember.h"

// The package's means in file order; a missing or empty file gives none (they are made on
// demand). Any node that is no record or no variant is skipped and noted on issues (may be null),
// as is damage. A variant read without an ident gets a fresh one within its means.
MoyenList loadMoyen(const QString& packageURL, LoadIssues* issues);
// Null with *error set when the document can't be made; *error set too for any element that
// can't be, which is then left out.
XmlDocPtr makeDocMoyenXML(const MoyenList& list, bool* error);
// False when the document can't be built or written.
bool saveMoyen(const QString& packageURL, const MoyenList& list);

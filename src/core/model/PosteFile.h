#pragma once
// The document's folders and categories in the member files "dossier.xml" and "poste.xml" (also
// the XML the phone is sent): root "list", one "record" per entry in list order.
//   dossier.xml: "ident", "nom", "permanent", "logoID", "dossierID" (always -1)
//   poste.xml:   "ident", "nom", "dossierID", "logoID", "permanent"
// The folders are read first: the categories are checked against them.
#include "model/DOSSIER.h"
#include "model/POSTE.h"

#include "foundation/xmlmember.h"

// The eleven folders of a new document (idents 1 to 11), sorted by name.
DossierList defaultDossiers();
// The 38 categories of a new document (idents 1 to 38, in folders 1 to 11), sorted by name.
PosteList defaultPostes();

// The package's folders, sorted. A missing file or one without records gives the defaults and no
// issue. A node of the list that is no "record" is skipped and noted on issues (may be null), as
// are damage and a file that is there but can't be read. A record without an ident gets a fresh
// one once the whole file is read, so it can't take an ident that comes later in the file.
DossierList loadDossier(const QString& packageURL, LoadIssues* issues);
// The package's categories, sorted, read as the folders are. A category whose folder is not among
// the folders is kept and moved to the folder the document names as its default
// (defaultDossierID), or else to folder 1, or else to the first folder, and noted on issues so
// the user is told. A missing or empty file gives the default categories and no issue; when the
// folders are not the default ones, a default category whose folder is missing is moved the same
// way.
PosteList loadPoste(const QString& packageURL, const DossierList& dossiers, LoadIssues* issues, long defaultDossierID);

// Null with *error set when the document can't be made; *error set too when a record can't be.
XmlDocPtr makeDocDossierXML(const DossierList& list, bool* error);
XmlDocPtr makeDocPosteXML(const PosteList& list, bool* error);
// False when the document can't be built or written.
bool saveDossier(const QString& packageURL, const DossierList& list);
bool savePoste(const QString& packageURL, const PosteList& list);

#pragma once
// The document's logos in its member file "logo.xml": root "list", one "record" per logo in list
// order with "ident", "visibleName" and "internalName". The pictures themselves are files of the
// package's "logo" folder, written by Logo::storeImage.
#include "model/Logo.h"

#include "foundation/xmlmember.h"

// The package's logos, in file order (the file was written from the sorted list). A missing or
// empty file gives no logos and no issue; so does a file without records. A record without an
// ident, or with a negative one, gets a fresh ident. A node of the list that is no record, damage,
// or a file that holds something but can't be parsed, is noted on issues (may be null).
LogoList loadLogo(const QString& packageURL, LoadIssues* issues);
// Null with *error set when the document can't be made; *error set too when a record can't be.
XmlDocPtr makeDocLogoXML(const LogoList& list, bool* error);
// Whether logo.xml was written.
bool saveLogo(const QString& packageURL, const LogoList& list);

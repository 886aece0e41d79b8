#pragma once
// The document's banks ("banque.xml") and accounts ("compte.xml"), also the XML the phone is sent:
// root "list", one "record" per tool in list order with "ident", "kind", "bType", "ownerID", "nom",
// "infos", "inited", "dateReleve0"-"dateReleve3", "posteID", "taxeID", "devise",
// "locked_releve_to_date" (six decimals), "logoIdent", the amounts "solde", "soldeSR", "RsoldeSR"
// and "relevelist", which holds the statements newest first (see RELEVE) or nothing.
#include "model/TOOL.h"

#include "foundation/xmlmember.h"

inline constexpr char kBanqueFileName[] = "banque.xml";
inline constexpr char kCompteFileName[] = "compte.xml";

// The document under a root of that name; statements are written only with doReleves. Null with
// *error set when the document can't be made; *error set too when an element or an amount of a
// record can't be, the document being answered all the same.
XmlDocPtr makeDocToolXML(const ToolList& list, const DeviseList& devises, const QString& keyRoot, bool doReleves,
                         bool* error);
XmlDocPtr makeDocBanqueXML(const ToolList& list, const DeviseList& devises, bool doReleves, bool* error);
XmlDocPtr makeDocCompteXML(const ToolList& list, const DeviseList& devises, bool doReleves, bool* error);

// False when no document was made or the file can't be written.
bool saveTool(const QString& packageURL, const ToolList& list, const DeviseList& devises, const QString& keyRoot,
              const QString& fileName, bool doReleves);
// Root "list", statements included.
bool saveBanque(const QString& packageURL, const ToolList& list, const DeviseList& devises);
bool saveCompte(const QString& packageURL, const ToolList& list, const DeviseList& devises);

// The tools of the file in file order; a missing or unreadable file gives none. Noted on issues
// (may be null): a record whose amounts or statement list are missing (the tool is kept with zero
// amounts), damage, and a file that is there but can't be read. A category unknown to the
// document becomes its default category; a record without an ident gets a fresh one.
ToolList loadTool(const QString& packageURL, const QString& fileName, const DOCUMENT* doc, LoadIssues* issues);
ToolList loadBanque(const QString& packageURL, const DOCUMENT* doc, LoadIssues* issues);
// The same; a document without a chosen default account gets the first of the user's.
ToolList loadCompte(const QString& packageURL, DOCUMENT* doc, LoadIssues* issues);
// "infos"; when it is empty, the older "personne", "adresse1"-"adresse3" and "telephone", each
// one that is not empty followed by a carriage return.
void loadToolInfo(pugi::xml_node record, TOOL& tool);

#pragma once
// The XML form of a criterion: root "CRITERE", as a saved search stores it. Children, in order:
// the operators "critereDate", "critereMontant", "criterePoste", "critereCompte0" (debit),
// "critereCompte1" (credit), "critereBanque0", "critereBanque1", "critereCategorie0",
// "critereCategorie1", "critereBool", "critereBoolB", "critereBoolCat", "criterePointe",
// "critereImport", "critereTaxe", "criterePlac", "critereChrono", "critereMoyen",
// "critereSynonyme", "critereDossier", "critereReference", "critereWhy", "critereReleve",
// "critereWhyImport"; the dates "date1", "date2" (six decimals); the amounts "montant1",
// "montant2" (two decimals); the values "devise", "moyen", "synonymeID", "posteID", "dossierID",
// "compteID0", "compteID1", "banqueID0", "banqueID1", "categorieID0", "categorieID1", "releveID",
// "taxeID", "titreID", "remunereID", "empruntID", "chronoID"; "includesPrevisions"; the texts
// "reference", "why", "whyImport".
#include "foundation/xmlmember.h"

class Critere;
class DOCUMENT;

inline constexpr char kCritereXmlRoot[] = "CRITERE";

// A new document with the criterion under its root. *error (may be null) is set when the document
// can't be made (the answer is then null) or an amount can't be appended.
XmlDocPtr critere_to_XML(const Critere& critere, const DOCUMENT* doc, bool* error);

// Fills the criterion from a "CRITERE" element. A missing element gives its default: operators 1
// (the three combinations 2), both dates now, zero amounts, the current currency slot, family 0,
// the document's default category, folder and account, bank 1, the user's bank type and -1 for
// every other ident. The evaluation list is left empty: computeCritere (or replaceWithCritere
// into a working criterion) comes before matching. True when both amounts were present.
bool XML_to_critere(Critere& critere, pugi::xml_node element, const DOCUMENT* doc);

#pragma once
// Entities name one another by ident, so deleting or merging an account, a category or a folder
// must find every place of the document that names it, and, for categories and folders, rewrite
// those places with a replacement. These passes walk the whole document for that. They change
// memory only (the next save writes it) and broadcast nothing: the calling window refreshes.
//
// A replacement ident below 0 only asks whether the ident is used: the pass then stops at the
// first place that uses it and changes nothing.
#include "model/Devise.h"

class DOCPARAM;
class DOCUMENT;
class TRANSACT;

// Null for no document.
DOCPARAM* getDocParam(DOCUMENT* doc);
const DOCPARAM* getDocParam(const DOCUMENT* doc);
DeviseList* getDocDevise(DOCUMENT* doc);
const DeviseList* getDocDevise(const DOCUMENT* doc);

// ---- Accounts -------------------------------------------------------------------------------------

// Where an account is named. Every place found is reported, so a window never deletes an
// account still named somewhere because it looked only at the first use.
struct CompteUses {
    bool inTransact = false; // either side of a transaction
    bool inMacro = false; // a macro's template
    bool inRemunere = false; // an interest-bearing savings account
    bool inEcheancier = false; // a schedule's model or custom occurrence
    bool inPrevision = false; // a forecast's model
    bool inAnalyse = false; // an analysis configuration's accounts or reference account
    bool inGraphique = false; // a graph that follows the account
    bool inPreferences = false; // the document's default account or default user account
    bool inFinance = false; // a security, loan or portfolio held on the account
    bool inRegle = false; // a categorisation rule: imports from, debits or credits it
    bool any() const;
};
bool compteWhereUsed(long compteID, const DOCUMENT* doc, CompteUses* uses);

// ---- Categories -------------------------------------------------------------------------------------

// The transaction's own category or one of its split lines' is the ident.
bool transactUsesPoste(long posteID, const TRANSACT& transact);
// Whether a schedule (model or custom occurrence) uses the category; with newID >= 0 every use
// is rewritten.
bool changePosteInEcheanciers(long oldID, DOCUMENT* doc, long newID);
// The same over the forecasts' models.
bool changePosteInPrevisions(long oldID, DOCUMENT* doc, long newID);

struct PosteUses {
    bool inTransact = false; // a transaction or one of its split lines
    bool inMacro = false;
    bool inCompte = false; // an account's default category
    bool inEcheancier = false;
    bool inPrevision = false;
    bool inAnalyse = false;
    bool inGraphique = false; // a graph that follows the category
    bool inPreferences = false; // the document's default category
    bool inRegle = false;
    bool any() const;
};
// Whether the category is used; with newID >= 0 every use becomes newID and every place that
// used it is flagged, otherwise only the first place found is.
bool replacePosteEverywhere(long oldID, DOCUMENT* doc, long newID, PosteUses* uses);

// ---- Folders ------------------------------------------------------------------------------------------

struct DossierUses {
    bool inPreferences = false; // the document's default folder
    bool inPostes = false; // one of its categories is itself used
    bool inAnalyse = false;
    bool inGraphique = false; // a graph that follows the folder
    bool any() const;
};
// Whether the folder is used: it is the default folder, one of its categories is used, or an
// analysis or a graph names it. With newID >= 0 every category of the folder moves to newID,
// used or not (a category left in a deleted folder would make the next load report a damaged
// file), and every other use is rewritten.
bool replaceDossierEverywhere(long oldID, DOCUMENT* doc, long newID, DossierUses* uses);

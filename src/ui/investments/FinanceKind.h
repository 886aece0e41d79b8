#pragma once
// The three kinds of investment a list window shows, and what differs between them: the
// document's list, its insertion and removal, the transactions' field that names an item, the
// broadcasts of a change and the refusal of an item as its own replacement. The securities'
// portfolios are not a kind here: they are rows of the securities window.
#include "model/FINANCE.h"

class DOCUMENT;

enum class FinanceKind { Titre, Remunere, Emprunt };

struct FinanceKindInfo {
    FinanceList DOCUMENT::*list;
    long (*insert)(const FINANCE& item, DOCUMENT& doc);
    void (*unInsert)(long index, DOCUMENT& doc);
    void (*replaceInTransactions)(long oldID, long newID, DOCUMENT* doc);
    const char* created; // broadcast names, with the item's ident
    const char* modified;
    const char* deleted;
    const char* cannotSubstKey; // table "Dialogue"
};

const FinanceKindInfo& financeKindInfo(FinanceKind kind);

// The document's list of the kind.
FinanceList& financeList(DOCUMENT& doc, FinanceKind kind);
const FinanceList& financeList(const DOCUMENT& doc, FinanceKind kind);

// The position of the item with that ident in the kind's list, -1 when there is none.
long financeIndexOfIdent(const DOCUMENT& doc, FinanceKind kind, long ident);
const FINANCE* financeWithIdent(const DOCUMENT& doc, FinanceKind kind, long ident);

// Whether the typed name is refused for an item now called current: another item of the list
// bears it, case ignored. The item's own name, in any case, is always accepted.
bool financeNameTaken(const FinanceList& list, const QString& typed, const QString& current);

// Stores the edited copy of the item at that position in its place by name; answers its new
// position, -1 (nothing changed) for a position outside the list.
long replaceFinance(DOCUMENT& doc, FinanceKind kind, long index, const FINANCE& edited);

// Removes the item with that ident after giving its transactions to the replacement (-1: no
// investment of that kind). False, with nothing changed, when there is no such item.
bool supprimerFinance(DOCUMENT& doc, FinanceKind kind, long ident, long replacement);

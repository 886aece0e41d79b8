#pragma once
// The tree of the open document's banks and accounts as the windows show them: one node per bank,
// user banks first, then cash, then third parties, each type by name; under each bank its
// accounts by name (case ignored). Nodes hold idents only, so the tree is rebuilt whenever another
// document opens and kept in step on every creation, renaming or removal of a bank or account.
// It belongs to the document (DOCUMENT::toolTree); without a document there is no tree.
#include <QList>
#include <QString>

class DOCUMENT;
class TOOL;

struct ToolNode {
    long ident = -1;
    QList<ToolNode> liste; // a bank's accounts; empty for an account
};
using ToolNodeList = QList<ToolNode>;

// The document's tree; an empty one without a document.
const ToolNodeList& toolTree(const DOCUMENT* doc);

// Rebuilds the document's tree from its lists; an account whose bank is missing is left out.
void buildToolArbo(DOCUMENT* doc);

// Inserts a node for the tool at its sorted place (before equal names) and answers that place.
// A bank inserted with keepSubList takes the accounts the document saved at the last removal
// with keepSubList.
long insertTool(int kind, ToolNodeList& lst, const TOOL& tool, DOCUMENT* doc, bool keepSubList);
// Removes the node of that ident; with keepSubList its accounts are saved in the document for the
// next insertion.
void unInsertTool(ToolNodeList& lst, long ident, DOCUMENT* doc, bool keepSubList);
// An account goes under its bank's node (nothing and position 0 when the bank is not in the tree),
// a bank into the tree. Renaming a bank is unInsertDeal then insertDeal, both with keepSubList,
// so its accounts move with it. Nothing without a document.
void insertDeal(int kind, const TOOL& tool, long* index, DOCUMENT* doc, bool keepSubList);
void unInsertDeal(int kind, long toolID, long banqueID, DOCUMENT* doc, bool keepSubList);

// The position of the node of that ident; false and the count when absent.
bool findTool(const ToolNodeList* lst, long ident, long* index);
long nbTools(const ToolNodeList* lst);
// The node's ident (-1), its sub-list (null) or its tool (null) at a position.
long toolIndexToIdent(const ToolNodeList* lst, long index);
ToolNodeList* toolIndexToList(ToolNodeList* lst, long index);
const ToolNodeList* toolIndexToList(const ToolNodeList* lst, long index);
const TOOL* toolIndexToTool(const ToolNodeList* lst, int toolKind, long index, const DOCUMENT* doc);

// Banks of the document's tree by position, and their accounts.
long nbBanque(const DOCUMENT* doc);
long banqueIndexToID(long index, const DOCUMENT* doc); // -1 out of range
long banqueIDToIndex(long ident, const DOCUMENT* doc); // -1 when absent
long banqueIndexToNbCompte(long index, const DOCUMENT* doc); // 0 out of range
long compteIndexToID(long bIndex, long cIndex, const DOCUMENT* doc); // -1 out of range

// ---- The account search field ------------------------------------------------------------------
// Names are compared in their folded search form by a plain function: nothing is held between
// calls, and these keep the start-up and quit order whole.
void initLibCompte();
void disposeLibCompte();
// The accounts of every bank of the document's tree that passes the filter (TOOL::banqueFitFilter), sorted
// by folded name.
QList<long> computeSearchCompteList(long sel, const DOCUMENT* doc);
// Where the name sorts among the accounts of those idents, by folded name (before equal names).
long searchCompte(const QString& name, const QList<long>& array, const DOCUMENT* doc);

#include "ToolTree.h"

#include "foundation/HelperSVUtil.h"
#include "foundation/textfold.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

namespace {

// Rank of a bank type in the tree: the user's banks, then cash, then third parties.
bool bankTypeSortsBefore(int entryType, int newType)
{
    if (newType == kBanqueUser)
        return false;
    if (newType == kBanqueTiers)
        return true;
    return entryType == kBanqueUser;
}

// Whether the entry sorts before the new tool. An entry whose tool is gone sorts first; equal
// names put the new tool first.
bool entrySortsBefore(int kind, long entryIdent, const TOOL& tool, const DOCUMENT* doc)
{
    const TOOL* entry = TOOL::getTool(kind, entryIdent, doc);
    if (!entry)
        return true;
    if (kind == kToolBanque && entry->bType != tool.bType)
        return bankTypeSortsBefore(entry->bType, tool.bType);
    return QString::compare(entry->nom, tool.nom, Qt::CaseInsensitive) < 0;
}

bool validIndex(const ToolNodeList* lst, long index)
{
    return lst && index >= 0 && index < lst->size();
}

} // namespace

const ToolNodeList& toolTree(const DOCUMENT* doc)
{
    static const ToolNodeList none;
    return doc ? doc->toolTree : none;
}

void buildToolArbo(DOCUMENT* doc)
{
    if (!doc)
        return;
    doc->toolTree.clear();
    for (const TOOL& banque : doc->banqueHdl)
        insertTool(kToolBanque, doc->toolTree, banque, doc, false);
    for (const TOOL& compte : doc->compteHdl) {
        long index = 0;
        insertDeal(kToolCompte, compte, &index, doc, false);
    }
}

long insertTool(int kind, ToolNodeList& lst, const TOOL& tool, DOCUMENT* doc, bool keepSubList)
{
    const long index = findInsertIndex(0, static_cast<long>(lst.size()) - 1, [&](long i) {
        return entrySortsBefore(kind, lst[i].ident, tool, doc) ? -1 : 1;
    });
    ToolNode node;
    node.ident = tool.ident;
    if (kind == kToolBanque && keepSubList && doc)
        node.liste = std::exchange(doc->savedToolSubList, ToolNodeList());
    lst.insert(index, std::move(node));
    return index;
}

void unInsertTool(ToolNodeList& lst, long ident, DOCUMENT* doc, bool keepSubList)
{
    long index = 0;
    if (!findTool(&lst, ident, &index))
        return;
    if (keepSubList && doc)
        doc->savedToolSubList = std::move(lst[index].liste);
    lst.removeAt(index);
}

void insertDeal(int kind, const TOOL& tool, long* index, DOCUMENT* doc, bool keepSubList)
{
    long position = 0;
    if (!doc) {
        if (index)
            *index = position;
        return;
    }
    ToolNodeList& tree = doc->toolTree;
    if (kind == kToolBanque) {
        position = insertTool(kToolBanque, tree, tool, doc, keepSubList);
    } else {
        long bankIndex = 0;
        if (findTool(&tree, tool.ownerID, &bankIndex))
            position = insertTool(kToolCompte, tree[bankIndex].liste, tool, doc, false);
    }
    if (index)
        *index = position;
}

void unInsertDeal(int kind, long toolID, long banqueID, DOCUMENT* doc, bool keepSubList)
{
    if (!doc)
        return;
    ToolNodeList& tree = doc->toolTree;
    if (kind == kToolBanque) {
        unInsertTool(tree, toolID, doc, keepSubList);
        return;
    }
    long bankIndex = 0;
    if (findTool(&tree, banqueID, &bankIndex))
        unInsertTool(tree[bankIndex].liste, toolID, doc, false);
}

bool findTool(const ToolNodeList* lst, long ident, long* index)
{
    const long count = nbTools(lst);
    for (long i = 0; i < count; ++i) {
        if ((*lst)[i].ident == ident) {
            if (index)
                *index = i;
            return true;
        }
    }
    if (index)
        *index = count;
    return false;
}

long nbTools(const ToolNodeList* lst)
{
    return lst ? lst->size() : 0;
}

long toolIndexToIdent(const ToolNodeList* lst, long index)
{
    return validIndex(lst, index) ? (*lst)[index].ident : -1;
}

ToolNodeList* toolIndexToList(ToolNodeList* lst, long index)
{
    return validIndex(lst, index) ? &(*lst)[index].liste : nullptr;
}

const ToolNodeList* toolIndexToList(const ToolNodeList* lst, long index)
{
    return validIndex(lst, index) ? &(*lst)[index].liste : nullptr;
}

const TOOL* toolIndexToTool(const ToolNodeList* lst, int toolKind, long index, const DOCUMENT* doc)
{
    return validIndex(lst, index) ? TOOL::getTool(toolKind, (*lst)[index].ident, doc) : nullptr;
}

long nbBanque(const DOCUMENT* doc)
{
    return nbTools(&toolTree(doc));
}

long banqueIndexToID(long index, const DOCUMENT* doc)
{
    return toolIndexToIdent(&toolTree(doc), index);
}

long banqueIDToIndex(long ident, const DOCUMENT* doc)
{
    long index = -1;
    return findTool(&toolTree(doc), ident, &index) ? index : -1;
}

long banqueIndexToNbCompte(long index, const DOCUMENT* doc)
{
    return nbTools(toolIndexToList(&toolTree(doc), index));
}

long compteIndexToID(long bIndex, long cIndex, const DOCUMENT* doc)
{
    return toolIndexToIdent(toolIndexToList(&toolTree(doc), bIndex), cIndex);
}

// ---- The account search field ------------------------------------------------------------------

void initLibCompte() { }

void disposeLibCompte() { }

QList<long> computeSearchCompteList(long sel, const DOCUMENT* doc)
{
    QList<long> result;
    for (const ToolNode& banque : toolTree(doc)) {
        if (!TOOL::banqueFitFilter(banque.ident, sel, doc))
            continue;
        for (const ToolNode& compte : banque.liste) {
            const long index = searchCompte(TOOL::getToolNameNS(kToolCompte, compte.ident, doc), result, doc);
            result.insert(index, compte.ident);
        }
    }
    return result;
}

long searchCompte(const QString& name, const QList<long>& array, const DOCUMENT* doc)
{
    const QString key = foldStringForSearch(name);
    return findInsertIndex(0, static_cast<long>(array.size()) - 1, [&](long i) {
        const QString entry = foldStringForSearch(TOOL::getToolNameNS(kToolCompte, array[i], doc));
        return QString::compare(entry, key, Qt::CaseSensitive);
    });
}

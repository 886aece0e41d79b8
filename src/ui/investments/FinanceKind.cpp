#include "investments/FinanceKind.h"

#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <algorithm>

namespace {

const FinanceKindInfo kTitre {&DOCUMENT::titreHdl,           &TITRE::insertTitre,       &TITRE::unInsertTitre,
                              &replaceTitreIDInTransactions, Sel::titreHasBeenCreated,  Sel::titreHasBeenModified,
                              Sel::titreHasBeenDeleted,      "kAlerte_CannotSubstTitre"};
const FinanceKindInfo kRemunere {&DOCUMENT::remunereHdl,      &REMUNERE::insertRemunere,
                                 &REMUNERE::unInsertRemunere, &replaceRemunereIDInTransactions,
                                 Sel::remunereHasBeenCreated, Sel::remunereHasBeenModified,
                                 Sel::remunereHasBeenDeleted, "kAlerte_CannotSubstRemunere"};
const FinanceKindInfo kEmprunt {&DOCUMENT::empruntHdl,      &EMPRUNT::insertEmprunt,
                                &EMPRUNT::unInsertEmprunt,  &replaceEmpruntIDInTransactions,
                                Sel::empruntHasBeenCreated, Sel::empruntHasBeenModified,
                                Sel::empruntHasBeenDeleted, "kAlerte_CannotSubstEmprunt"};

} // namespace

const FinanceKindInfo& financeKindInfo(FinanceKind kind)
{
    switch (kind) {
    case FinanceKind::Titre:
        return kTitre;
    case FinanceKind::Remunere:
        return kRemunere;
    case FinanceKind::Emprunt:
        return kEmprunt;
    }
    return kTitre;
}

FinanceList& financeList(DOCUMENT& doc, FinanceKind kind)
{
    return doc.*financeKindInfo(kind).list;
}

const FinanceList& financeList(const DOCUMENT& doc, FinanceKind kind)
{
    return doc.*financeKindInfo(kind).list;
}

long financeIndexOfIdent(const DOCUMENT& doc, FinanceKind kind, long ident)
{
    long index = 0;
    return findFinanceWithIdent(ident, &index, &financeList(doc, kind)) ? index : -1;
}

const FINANCE* financeWithIdent(const DOCUMENT& doc, FinanceKind kind, long ident)
{
    return FINANCE::financeAtIndex(&financeList(doc, kind), financeIndexOfIdent(doc, kind, ident));
}

bool financeNameTaken(const FinanceList& list, const QString& typed, const QString& current)
{
    if (typed.compare(current, Qt::CaseInsensitive) == 0)
        return false;
    return std::any_of(list.cbegin(), list.cend(),
                       [&typed](const FINANCE& item) { return item.nom.compare(typed, Qt::CaseInsensitive) == 0; });
}

long replaceFinance(DOCUMENT& doc, FinanceKind kind, long index, const FINANCE& edited)
{
    if (!FINANCE::financeAtIndex(&financeList(doc, kind), index))
        return -1;
    const FinanceKindInfo& info = financeKindInfo(kind);
    info.unInsert(index, doc);
    return info.insert(edited, doc);
}

bool supprimerFinance(DOCUMENT& doc, FinanceKind kind, long ident, long replacement)
{
    const long index = financeIndexOfIdent(doc, kind, ident);
    if (index < 0)
        return false;
    const FinanceKindInfo& info = financeKindInfo(kind);
    info.replaceInTransactions(ident, replacement, &doc);
    info.unInsert(index, doc);
    return true;
}

#include "FINANCE.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/entitylist.h"
#include "model/idents.h"

namespace {

void unInsertAt(long index, FinanceList& list)
{
    if (isEntityIndex(index, list))
        list.removeAt(index);
}

} // namespace

// ---- The record ---------------------------------------------------------------------------------

void FINANCE::defaultFinance(const FinanceList& list, const DOCUMENT* doc)
{
    pret = false;
    ident = newFinanceID(list);
    nom = localizedMisc(QStringLiteral("kMisc_DefaultName"));
    totaux.defaultTotaux(nullptr);
    cour = MONTANT::zero();
    ticker.clear();
    titreDescription.clear();
    codeDevise.clear();
    categorie = -1;
    updateTime = 0;
    conversion = 0;
    coursNatif = 0;
    portfolioID = -1;
    compteID = doc ? TOOL::defaultUserCompte(kBanqueUser, -1, doc) : -1;
}

FINANCE FINANCE::allocNewFinance(const FinanceList& list, const DOCUMENT* doc)
{
    FINANCE finance;
    finance.defaultFinance(list, doc);
    return finance;
}

long FINANCE::newFinanceID(const FinanceList& list)
{
    return newMaxIdent(list, [](const FINANCE& f) { return f.ident; });
}

FINANCE FINANCE::copyOfFinance() const
{
    FINANCE copy = *this;
    copy.opened = false;
    return copy;
}

// ---- A list of investments ----------------------------------------------------------------------

const FINANCE* FINANCE::financeAtIndex(const FinanceList* list, long index)
{
    return list ? entityAtIndex(index, *list) : nullptr;
}

FINANCE* FINANCE::financeAtIndex(FinanceList* list, long index)
{
    return list ? entityAtIndex(index, *list) : nullptr;
}

bool FINANCE::findFinanceWithName(const QString& name, const FinanceList& list, long* index)
{
    bool exist = false;
    const long place = caseInsensitivePosition(name, &FINANCE::nom, &exist, list);
    if (index)
        *index = place;
    return exist;
}

long FINANCE::insertFinance(const FINANCE& finance, FinanceList& list)
{
    long index = 0;
    findFinanceWithName(finance.nom, list, &index);
    list.insert(index, finance);
    return index;
}

void FINANCE::disposeFinance(FinanceList* list)
{
    if (list)
        list->clear();
}

// ---- The document's lists -----------------------------------------------------------------------

FINANCE TITRE::allocNewTitre(const DOCUMENT& doc)
{
    return allocNewFinance(doc.titreHdl, &doc);
}

const FINANCE* TITRE::titreAtIndex(const FinanceList* list, long index)
{
    return financeAtIndex(list, index);
}

bool TITRE::findTitreWithName(const QString& name, long* index, const DOCUMENT& doc)
{
    return findFinanceWithName(name, doc.titreHdl, index);
}

long TITRE::insertTitre(const FINANCE& titre, DOCUMENT& doc)
{
    return insertFinance(titre, doc.titreHdl);
}

void TITRE::unInsertTitre(long index, DOCUMENT& doc)
{
    unInsertAt(index, doc.titreHdl);
}

void TITRE::disposeTitre(FinanceList* list)
{
    disposeFinance(list);
}

FINANCE REMUNERE::allocNewRemunere(const DOCUMENT& doc)
{
    return allocNewFinance(doc.remunereHdl, &doc);
}

const FINANCE* REMUNERE::remunereAtIndex(const FinanceList* list, long index)
{
    return financeAtIndex(list, index);
}

bool REMUNERE::findRemunereWithName(const QString& name, long* index, const DOCUMENT& doc)
{
    return findFinanceWithName(name, doc.remunereHdl, index);
}

long REMUNERE::insertRemunere(const FINANCE& remunere, DOCUMENT& doc)
{
    return insertFinance(remunere, doc.remunereHdl);
}

void REMUNERE::unInsertRemunere(long index, DOCUMENT& doc)
{
    unInsertAt(index, doc.remunereHdl);
}

void REMUNERE::disposeRemunere(FinanceList* list)
{
    disposeFinance(list);
}

FINANCE EMPRUNT::allocNewEmprunt(const DOCUMENT& doc)
{
    return allocNewFinance(doc.empruntHdl, &doc);
}

const FINANCE* EMPRUNT::empruntAtIndex(const FinanceList* list, long index)
{
    return financeAtIndex(list, index);
}

bool EMPRUNT::findEmpruntWithName(const QString& name, long* index, const DOCUMENT& doc)
{
    return findFinanceWithName(name, doc.empruntHdl, index);
}

long EMPRUNT::insertEmprunt(const FINANCE& emprunt, DOCUMENT& doc)
{
    return insertFinance(emprunt, doc.empruntHdl);
}

void EMPRUNT::unInsertEmprunt(long index, DOCUMENT& doc)
{
    unInsertAt(index, doc.empruntHdl);
}

void EMPRUNT::disposeEmprunt(FinanceList* list)
{
    disposeFinance(list);
}

FINANCE PORTFOLIO::allocNewPortfolio(const DOCUMENT& doc)
{
    return allocNewFinance(doc.portfolioArray, &doc);
}

const FINANCE* PORTFOLIO::portfolioAtIndex(const FinanceList* list, long index)
{
    return financeAtIndex(list, index);
}

bool PORTFOLIO::findPortfolioWithName(const QString& name, long* index, const DOCUMENT& doc)
{
    return findFinanceWithName(name, doc.portfolioArray, index);
}

long PORTFOLIO::insertPortfolio(const FINANCE& portfolio, DOCUMENT& doc)
{
    return insertFinance(portfolio, doc.portfolioArray);
}

void PORTFOLIO::unInsertPortfolio(long index, DOCUMENT& doc)
{
    unInsertAt(index, doc.portfolioArray);
}

void PORTFOLIO::disposePortfolio(FinanceList* list)
{
    disposeFinance(list);
}

FINANCE* PORTFOLIO::portfolioFromIdent(long ident, DOCUMENT& doc)
{
    return ident >= 0 ? entityWithIdent(ident, doc.portfolioArray) : nullptr;
}

const FINANCE* PORTFOLIO::portfolioFromIdent(long ident, const DOCUMENT& doc)
{
    return ident >= 0 ? entityWithIdent(ident, doc.portfolioArray) : nullptr;
}

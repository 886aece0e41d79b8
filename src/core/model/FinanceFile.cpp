#include "FinanceFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/localized.h"
#include "model/listmember.h"

namespace {

// Notes the totals, or a quote the kind must have, that can't be read; the record then holds
// zero in their place.
void readFinanceRecord(pugi::xml_node record, FinanceKind kind, FINANCE& f, LoadIssues* issues)
{
    f.nom = xmlGetMutableString(record, "nom");
    f.ident = static_cast<long>(xmlGetLong(record, "ident", -1));
    if (!XML_load_totaux(record, "totaux", f.totaux))
        noteLoadIssue(issues,
                      localizedDialogue(QStringLiteral("kLoadIssue_totauxMissing")).arg(QStringLiteral("totaux")));
    // Only securities are quoted: the other kinds may be stored without a quote.
    if (!loadMontantFromXML(record, "cour", f.cour) && kind == FinanceKind::titre)
        noteLoadIssue(issues,
                      localizedDialogue(QStringLiteral("kLoadIssue_montantMissing")).arg(QStringLiteral("cour")));
    f.ticker = xmlGetMutableString(record, "ticker");
    f.titreDescription = xmlGetMutableString(record, "titreDescription");
    f.codeDevise = xmlGetMutableString(record, "codeDevise");
    f.categorie = static_cast<long>(xmlGetLong(record, "categorie", -1));
    f.updateTime = xmlGetDate(record, "updateTime", 0.0, UnreadDate::None, issues);
    f.conversion = xmlGetDouble(record, "conversion", 0.0);
    f.coursNatif = xmlGetDouble(record, "coursNatif", 0.0);
    f.portfolioID = static_cast<long>(xmlGetLong(record, "portfolioID", -1));
    f.compteID = static_cast<long>(xmlGetLong(record, "compteID", -1));
    f.pret = xmlGetBool(record, "pret", false);
}

// Answers false when the totals or the quote could not be written.
bool appendFinanceRecord(pugi::xml_node record, const FINANCE& f, const DeviseList& devises)
{
    xmlAppendLong(record, "ident", f.ident);
    xmlAppendString(record, "nom", f.nom);
    bool complete = XML_append_totaux(record, "totaux", f.totaux, devises);
    complete = f.cour.XML_append_montant(record, "cour", devises, kCourDecimales) && complete;
    xmlAppendString(record, "ticker", f.ticker);
    xmlAppendString(record, "titreDescription", f.titreDescription);
    xmlAppendString(record, "codeDevise", f.codeDevise);
    xmlAppendLong(record, "categorie", f.categorie);
    xmlAppendDouble(record, "updateTime", 6, f.updateTime);
    xmlAppendDouble(record, "conversion", 6, f.conversion);
    xmlAppendDouble(record, "coursNatif", 6, f.coursNatif);
    xmlAppendLong(record, "portfolioID", f.portfolioID);
    xmlAppendLong(record, "compteID", f.compteID);
    xmlAppendBool(record, "pret", f.pret);
    return complete;
}

bool saveFinanceFile(const QString& packageURL, const FinanceList& list, const DeviseList& devises, FinanceKind kind)
{
    return saveListMember(packageURL, financeFileName(kind), saveFinanceXML(list, devises, nullptr));
}

FinanceList loadFinanceFile(const QString& packageURL, FinanceKind kind, LoadIssues* issues)
{
    return loadFinanceXML(packageURL, financeFileName(kind), kind, issues);
}

} // namespace

QString financeFileName(FinanceKind kind)
{
    switch (kind) {
    case FinanceKind::titre:
        return QStringLiteral("titre.xml");
    case FinanceKind::remunere:
        return QStringLiteral("remunere.xml");
    case FinanceKind::emprunt:
        return QStringLiteral("emprunt.xml");
    case FinanceKind::portfolio:
        return QStringLiteral("portfolio.xml");
    }
    return QString();
}

FinanceList loadFinanceXML(const QString& packageURL, const QString& fileName, FinanceKind kind, LoadIssues* issues)
{
    // Stray text is no investment: it is noted but makes no record.
    return loadRecordList(packageURL, fileName, QStringLiteral("loadFinance finance invalide !"), issues,
                          [&](pugi::xml_node record) {
                              FINANCE f;
                              readFinanceRecord(record, kind, f, issues);
                              return f;
                          });
}

FinanceList loadTitreXML(const QString& packageURL, LoadIssues* issues)
{
    return loadFinanceFile(packageURL, FinanceKind::titre, issues);
}

FinanceList loadRemunereXML(const QString& packageURL, LoadIssues* issues)
{
    return loadFinanceFile(packageURL, FinanceKind::remunere, issues);
}

FinanceList loadEmpruntXML(const QString& packageURL, LoadIssues* issues)
{
    return loadFinanceFile(packageURL, FinanceKind::emprunt, issues);
}

FinanceList loadPortfolioXML(const QString& packageURL, LoadIssues* issues)
{
    return loadFinanceFile(packageURL, FinanceKind::portfolio, issues);
}

XmlDocPtr saveFinanceXML(const FinanceList& list, const DeviseList& devises, bool* error)
{
    return makeRecordListXML(
        list, [&devises](pugi::xml_node record, const FINANCE& f) { return appendFinanceRecord(record, f, devises); },
        error);
}

bool saveTitreXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises)
{
    return saveFinanceFile(packageURL, list, devises, FinanceKind::titre);
}

bool saveRemunereXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises)
{
    return saveFinanceFile(packageURL, list, devises, FinanceKind::remunere);
}

bool saveEmpruntXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises)
{
    return saveFinanceFile(packageURL, list, devises, FinanceKind::emprunt);
}

bool savePortfolioXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises)
{
    return saveFinanceFile(packageURL, list, devises, FinanceKind::portfolio);
}

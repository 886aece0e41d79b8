#pragma once
// The four investment lists in their member files "titre.xml", "remunere.xml", "emprunt.xml" and
// "portfolio.xml", all of one format: root "list", one "record" per investment in list order
// with "ident", "nom", "totaux", "cour" (six decimals), "ticker", "titreDescription",
// "codeDevise", "categorie", "updateTime", "conversion", "coursNatif" (six decimals each),
// "portfolioID", "compteID" and "pret".
#include "model/FINANCE.h"

#include "foundation/xmlmember.h"

enum class FinanceKind { titre, remunere, emprunt, portfolio };

// The member file of a kind.
QString financeFileName(FinanceKind kind);

// The records of the file, in file order; a missing or empty file gives an empty list. Noted on
// issues (may be null): a record whose totals can't be read, a security whose quote can't be read
// (the other kinds may have no quote), a node of the list that is no record, damage, and a file
// that is there but can't be read; every record is kept, what could not be read being zero.
FinanceList loadFinanceXML(const QString& packageURL, const QString& fileName, FinanceKind kind, LoadIssues* issues);
FinanceList loadTitreXML(const QString& packageURL, LoadIssues* issues);
FinanceList loadRemunereXML(const QString& packageURL, LoadIssues* issues);
FinanceList loadEmpruntXML(const QString& packageURL, LoadIssues* issues);
FinanceList loadPortfolioXML(const QString& packageURL, LoadIssues* issues);

// Null with *error set when the document can't be made; *error is set too for a record, totals
// or quote that can't be written, and writing goes on with the next record.
XmlDocPtr saveFinanceXML(const FinanceList& list, const DeviseList& devises, bool* error);
// Whether the file was written into the package's resources.
bool saveTitreXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises);
bool saveRemunereXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises);
bool saveEmpruntXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises);
bool savePortfolioXML(const QString& packageURL, const FinanceList& list, const DeviseList& devises);

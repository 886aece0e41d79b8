#pragma once
// What the core tests make again and again: small files read and written whole, document
// packages in fresh folders, banks and accounts, a document's parameters.
#include "foundation/LoadIssues.h"
#include "model/TOOL.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <ostream>

class DOCUMENT;

namespace testenv {

// The whole file; empty when it can't be read.
QByteArray readFile(const QString& path);
// Replaces the file; one that can't be opened fails the test.
void writeFile(const QString& path, const QByteArray& bytes);
// Every file under the folder, hidden ones included, by its path, with its bytes.
QMap<QString, QByteArray> filesUnder(const QString& folder);

// Makes the package folder and its "Contents/Resources" folder, whose path *resources (when given)
// takes; false when either can't be made.
bool makePackage(const QString& url, QString* resources = nullptr);
// A package "doc.svd" made in a fresh folder of that name; one that can't be made fails the test.
QString package(const QString& name, QString* resources = nullptr);
// Gives a hidden folder made by hand to stand for a save's the mark the program gives its own, of
// the kind its name ends with; a mark that can't be written fails the test.
void plantSaveFolderMark(const QString& folder);

// The preference file of the application, in the test home.
QString preferenceFile();
// No preference folder and no shared parameters, as at a first start.
void removePreferences();

// An amount in the first two currency slots.
MONTANT amount(double v0, double v1 = 0);

// A bank (kToolBanque) or an account (kToolCompte) of that bank type, owned by owner; nameless
// unless a name is given.
TOOL tool(int kind, long ident, int bType, long owner = -1);
TOOL tool(int kind, long ident, const QString& nom, int bType, long owner = -1);

// Gives the document the parameters of a new document.
void addDefaultDocParam(DOCUMENT& doc);

} // namespace testenv

// A fault as a failing test shows it.
inline void PrintTo(const LoadIssue& issue, std::ostream* out)
{
    *out << issue.describe().toStdString();
}

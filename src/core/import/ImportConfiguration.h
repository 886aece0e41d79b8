#pragma once
// How one kind of tab or CSV bank file is read, saved under a name the user chose: the role of
// each column and what the file's texts stand for in the document (its currencies, accounts,
// categories, payment means and taxes). Stored in the document package's "importConfigurations"
// folder as a property list of one dictionary:
//   "DEVI", "COMP", "POST", "MOYE", "FISC"  arrays of one-entry dictionaries {text: integer}: a
//        currency slot, an account ident, a category ident, a payment family, a tax ident
//   "RUBS"  an array of {"ICOL": column index from 0, "RUBR": field kind} for the columns that
//        have a role, in column order
#include "import/ImportRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class DOCUMENT;

struct ImportMapping {
    QString text; // as met in the file
    long long value = -1;
    bool operator==(const ImportMapping&) const = default;
};
using ImportMappingList = QList<ImportMapping>;

struct ImportColumnRole {
    long long column = 0;
    ImportRubrique kind = ImportRubrique::NotAffected;
    bool operator==(const ImportColumnRole&) const = default;
};

class ImportConfiguration {
public:
    ImportMappingList devises; // "DEVI"
    ImportMappingList comptes; // "COMP"
    ImportMappingList postes; // "POST"
    ImportMappingList moyens; // "MOYE"
    ImportMappingList taxes; // "FISC"
    QList<ImportColumnRole> rubriques; // "RUBS"

    bool operator==(const ImportConfiguration&) const = default;

    // The XML property list of the configuration.
    QByteArray toPropertyList() const;
    // A configuration read from a property list, XML or binary. Entries that are not of their
    // expected form (a mapping that is not {text: integer}, a column without an index, a kind
    // outside 0..20) are left out; none when the data is not a property list of one dictionary.
    static std::optional<ImportConfiguration> fromPropertyList(const QByteArray& data);

    // Leaves out the mappings to what the document no longer has: an unused currency slot, a
    // missing account, category or tax, a payment family outside 0..12. A configuration saved
    // long ago, or with another document, would otherwise fill transactions with dangling idents.
    void dropStaleMappings(const DOCUMENT& doc);
};

#pragma once
// What a bank file becomes before it becomes transactions: records of fields, each field a value
// read from the file with the role it plays. The parsers and the tab import editor build them;
// the import manager turns each record into one transaction.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The role of a value. The numbers are stored in import configurations ("RUBR").
enum class ImportRubrique : int {
    Filler = 0, // an ignored column
    MontantSeul = 1, // signed amount, currency text ignored
    MontantDevise = 2, // signed amount followed by a currency unit
    MontantDebitSeul = 3, // amount between a debit and a credit account column
    MontantDebitDevise = 4,
    MontantCreditSeul = 5,
    MontantCreditDevise = 6,
    DateJMA = 7, // day-month-year
    DateAMJ = 8, // year-month-day
    DateMJA = 9, // month-day-year
    Contre = 10, // counterpart account name
    Debit = 11, // debit account name
    Credit = 12, // credit account name
    Poste = 13, // category name
    Reference = 14,
    Info = 15, // label
    Moyen = 16, // payment-means name
    Devise = 17, // currency unit
    Fiscal = 18, // tax name
    NotAffected = 19, // a column without a role yet (editor only)
    Invalide = 20, // an invalid value (editor only)
};
inline constexpr int kImportRubriqueCount = 21;

// The kind a stored number names; none outside 0..20.
inline std::optional<ImportRubrique> importRubriqueFromInt(long long value)
{
    if (value < 0 || value >= kImportRubriqueCount)
        return std::nullopt;
    return static_cast<ImportRubrique>(value);
}

struct ImportField {
    ImportRubrique kind = ImportRubrique::Filler;
    QString value;
    bool operator==(const ImportField&) const = default;
};

// One record becomes one transaction; it may hold several fields of one kind.
struct ImportRecord {
    std::vector<ImportField> fields;
    long line = 0; // the file line the record starts on, from 1; 0 when it comes from no line
    bool operator==(const ImportRecord&) const = default;
};
using ImportRecords = std::vector<ImportRecord>;

// A parse's outcome: the records in file order, and how many records of sections that hold no
// transactions (category lists, account lists, investments) were passed over. The tab import
// editor shows the account imported into and lets the user choose another: compteID is then
// that account, -1 keeping the one the import started with.
struct ParsedImport {
    ImportRecords records;
    long skippedRecords = 0;
    long compteID = -1;
};

// A tab or CSV file as the grid shows it: rows of cells, all of the same length.
using ImportRows = std::vector<QStringList>;

#pragma once
// The stage that cuts a bank file's text into records (ImportRecord.h), and the readers of a
// field's text that the parsers, the tab import editor and the import manager share. A parser is
// made for one parse and holds no state of it.
//
// The readers work on a text with an index that they move past what they read.
#include "import/ImportRecord.h"
#include "import/ImportServices.h"

#include <QString>
#include <QStringView>

class ImportParser {
public:
    virtual ~ImportParser() = default;

    // Parses the text of a file of that format, read with that encoding, for an import into the
    // account in the currency slot shown, and hands the records to the block: QIF and OFX before
    // returning, tab and CSV later, from the tab import editor. False, with the key of the reason
    // in table "Dialogue" and the block never called, when the text can't be parsed at all.
    virtual bool parseString(const QString& text, int format, long compteID, int devise, const QString& encoding,
                             const ImportEndBlock& endBlock, QString* errorKey)
        = 0;

    // TAB, space, and the no-break and thin spaces that grouped numbers are written with.
    static bool parseIsBlank(QChar c);
    static void parsePassBlanks(QStringView text, qsizetype* index);
    // Skips every character that is not a decimal digit.
    static void parsePassLetters(QStringView text, qsizetype* index);
    // A run of decimal digits; false (value 0) when no digit stands at the index. A number too
    // large for the value reads as the largest value.
    static bool parseInteger(QStringView text, qsizetype* index, qint64* value);
    // 0..50 are years 2000..2050, 51..99 years 1951..1999; any other number is a year already.
    static long integerToYear(qint64 n);

    // An amount as banks write it: a sign before or a minus after the digits, or accounting
    // parentheses; "." and "," as decimal or group separators (the last of them in the number is
    // the decimal one, and it may occur only once), blanks and apostrophes between digits as
    // group separators; a currency text before or after the number. A blank text reads 0; a text
    // with no digit fails. *devise (may be null) gets the currency text; when it is asked for, a
    // missing one fails unless allowEmptyDevise is set or the value is 0. The kind is not
    // consulted.
    static bool parseMontantFromString(QStringView text, ImportRubrique kind, double* value, QString* devise,
                                       bool allowEmptyDevise);
    // The first three numbers of the text, separated by anything but digits, in the order of the
    // kind: DateAMJ year-month-day, DateMJA month-day-year, any other day-month-year. The year
    // goes through integerToYear; a day, month or year that no calendar has (month 14, 31 April,
    // a year before 1000) fails rather than rolling over.
    static bool parseDateTriple(QStringView text, ImportRubrique kind, long* day, long* month, long* year);
    // The same date at 00:00:00; *date is 0 when it fails.
    static bool parseDateFromString(QStringView text, ImportRubrique kind, double* date);
};

// Whether the text holds the part, case ignored; *left and *right (either may be null) get the
// text before and after its first occurrence, or null strings when it has none.
bool containsString(const QString& text, const QString& part, QString* left, QString* right);
// The same giving only the text after the part.
bool containsString(const QString& text, const QString& part, QString* remain);

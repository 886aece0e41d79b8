#pragma once
// QIF files (format 2). The text is read line by line: a line whose first character is "^" ends
// a record, so a "^" inside a payee or memo is text. Header lines ("!...") are never fields:
// "!Type:Bank", "Cash", "CCard", "Oth A" and "Oth L" (and a file without any header) hold
// transactions; every other section (category and class lists, accounts, investments, memorised
// transactions) is passed over, its records counted.
//
// Of a transaction's lines, D gives the date, T the amount, P the payee, M the memo (as the
// label), N the number (as the reference) and L the category; the others (U, C, S, E, $, A...)
// are ignored. Dates are written in the order of the program that made the file: "!Option:MDY"
// or "!Option:DMY" says which, otherwise the file's own dates tell (a first number above 12 is
// a day, a second number above 12 is a day, an apostrophe before the year is the month-first
// style), and day-month-year when nothing tells. Every date that reads is rewritten as
// "dd/mm/yyyy"; one that doesn't is left as it stands, to be refused with its record.
#include "import/ImportParser.h"

class ImportParserQIF : public ImportParser {
public:
    bool parseString(const QString& text, int format, long compteID, int devise, const QString& encoding,
                     const ImportEndBlock& endBlock, QString* errorKey) override;

    static ParsedImport parse(const QString& text);
};

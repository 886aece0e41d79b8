#pragma once
// Localised texts by key from the string tables "Appl", "Dialogue", "Misc" and "Help"
// (resources/strings/<language>/<Table>.strings, lines `"key" = "value";`). A missing key
// answers the key itself, never an empty text.
#include <QByteArray>
#include <QHash>
#include <QString>

QString localizedStringForKey(const QString& key, const QString& table);

// Shorthands; the key test of the string tables recognises these forms too.
QString localizedAppl(const QString& key);
QString localizedDialogue(const QString& key);
QString localizedMisc(const QString& key);
QString localizedHelp(const QString& key);

// The key and table as length-prefixed strings; the text copied into out as a length-prefixed
// string of at most 255 characters, empty when there is none.
void pstrLocalizedString(const unsigned char* key, const unsigned char* table, unsigned char* out);
void pstrLocalizedMisc(const unsigned char* key, unsigned char* out);
void pstrLocalizedAppl(const unsigned char* key, unsigned char* out);

// The month's full name in the current locale; "?" for a number outside 1..12.
QString localizedMonthName(int month);
// The month's abbreviation as the locale writes it ("janv.", "juin", "juil."), never ambiguous.
QString localizedShortMonthName(int month);

// Parses one table (`"key" = "value";`, comments, escapes \" \\ \n \t). Answers false with a
// message naming the line when the text is malformed; keeps what it read before.
bool parseStringsTable(const QByteArray& utf8, QHash<QString, QString>& out, QString* error = nullptr);

// The language folder the tables are read from.
QString stringTableLanguage();

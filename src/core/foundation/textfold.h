#pragma once
// Accent folding for searching, completion and categorisation rules. The accented forms of each
// vowel are the texts of table "Appl" under "charFamillyA" ... "charFamillyU"; a character belongs
// to a family when it occurs in that text. Folded texts keep their length, so a position found in
// the folded form is a position in the original.
#include <QChar>
#include <QString>

// The "Appl" text of the key, read once per key for the life of the process (main thread only).
QString cachedApplString(const QString& key);

bool charIsInFamily(QChar c, const QString& familyKey);
// Space, digits and ASCII letters (case kept) stay; a family character becomes its vowel; any other
// character is returned unchanged.
QChar foldAccentedChar(QChar c);
// A space, or a character that is no digit, no ASCII letter and in no family.
bool isSeparatorChar(QChar c);

// Per character: a..z and 0..9 kept, A..Z lowered, family characters replaced by their vowel,
// anything else by a space. destination has the length of source.
void foldStringForSearch(const QString& source, QString& destination);
QString foldStringForSearch(const QString& source);

// The same rule byte by byte on a MacRoman length-prefixed string; src and dst may be one buffer.
void pstrFoldAccents(const unsigned char* src, unsigned char* dst);
// Whether the byte occurs in the family text (key given as a length-prefixed string) in MacRoman.
bool pstrCharInFamily(unsigned char c, const unsigned char* familyKey);

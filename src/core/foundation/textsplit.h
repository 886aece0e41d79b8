#pragma once
// Splitting text and bytes into pieces, tokens or fields for import, and appending to byte buffers
// for export. Encodings are iconv names (foundation/encoding.h).
#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// The pieces between occurrences of the separator, empty pieces kept. An empty separator gives the
// whole string as one piece.
QStringList splitStringBy(const QString& string, const QString& separator);
// The bytes decoded with the encoding, then split; bytes that don't decode give no piece.
QStringList splitDataStringBy(const QByteArray& data, const QString& separator, const char* encoding);

// Tokens between runs of separator bytes: leading and trailing separators give no empty token.
// Each byte becomes the character of the same number.
QStringList splitDataIntoTokens(const QByteArray& data, const QList<int>& separators);
// The same over a string's characters; a character is a separator when it is one of the listed
// character numbers.
QStringList splitStringIntoTokens(const QString& string, const QList<int>& separators);
bool isCharInList(unsigned char c, const QList<int>& list);

// The fields of one line of a delimited file. A quote opens a quoted part (separators in it are
// text, a doubled quote is one literal quote) and drops what the field gathered before it; the text
// after the closing quote still belongs to the field. A line that ends inside a quoted part gives
// the field and then an empty field; a line ending in the separator gives a last, empty field; an
// empty line gives no field.
QStringList splitFieldsWithQuote(const QString& line, QChar separator, QChar quote);

// The strings encoded (characters the encoding lacks transliterated or dropped) and joined with the
// encoded separator, none after the last.
QByteArray joinStringsToData(const QStringList& strings, const QString& separator, const char* encoding);
// The characters of the length-prefixed string, without its length byte.
void dataAppendPstr(QByteArray& data, const unsigned char* p);
void dataAppendByte(QByteArray& data, unsigned char byte);
// The string in ASCII; characters with no ASCII form are transliterated or dropped.
void dataAppendString(QByteArray& data, const QString& string);

#pragma once
// Text encodings through glibc iconv: MacRoman for length-prefixed strings and every encoding
// a bank file may come in. Encodings are named by their iconv names ("UTF-8", "MACINTOSH",
// "WINDOWS-1252", "ISO-8859-1", ...).
#include <QByteArray>
#include <QString>

inline constexpr const char* kEncodingMacRoman = "MACINTOSH";
inline constexpr const char* kEncodingUTF8 = "UTF-8";

// Decodes bytes; on an invalid sequence or an unknown encoding answers an empty string and
// clears *ok (when given).
QString decodeText(const QByteArray& bytes, const char* encoding, bool* ok = nullptr);

// Encodes text. When lossy, characters the encoding lacks are transliterated or dropped;
// otherwise such a character makes the conversion fail (empty result, *ok false).
QByteArray encodeText(const QString& text, const char* encoding, bool lossy, bool* ok = nullptr);

// Whether iconv knows the encoding.
bool isKnownEncoding(const char* encoding);

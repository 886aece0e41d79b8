#pragma once
// The text of a bank file, whatever encoding it was written in. Banks write UTF-8, UTF-16 from
// spreadsheets, Windows-1252 from older systems, and OFX files say their character set in their
// header; none of this is told reliably by the file's name or type. The first rule that applies
// decides, in this order:
//   1. the encoding the user chose, used alone;
//   2. a byte-order mark (UTF-8, UTF-16 and UTF-32, little or big endian);
//   3. for OFX, the header's ENCODING and CHARSET lines or the XML prolog's encoding;
//   4. bytes that are valid UTF-8 (plain ASCII included);
//   5. the guess of the encoding detector;
//   6. Windows-1252.
// A rule whose encoding doesn't decode the bytes passes to the next one. A text that no rule
// decodes, or that holds NUL characters (a binary file), is refused: never imported as garbage.
// Encodings are iconv names.
#include <QByteArray>
#include <QString>

class TextFileDecoder {
public:
    // True with the text (without its byte-order mark) and the encoding it was read with; false
    // with the key, in table "Dialogue", of the reason. Any output may be null.
    static bool decode(const QByteArray& bytes, int format, const QString& chosenEncoding, QString* text,
                       QString* encoding, QString* errorKey);
    // The same on the file's bytes; a file that can't be read is refused too.
    static bool readFile(const QString& path, int format, const QString& chosenEncoding, QString* text,
                         QString* encoding, QString* errorKey);

    // The encoding of the mark the bytes begin with and the mark's length; empty and 0 for none.
    static QString encodingFromBOM(const QByteArray& bytes, int* bomLength);
    // The encoding an OFX file declares: ENCODING:UTF-8, else a CHARSET that names one (1252,
    // 8859-1...), else the XML prolog's; empty when it declares none that is known.
    static QString encodingFromOFXHeader(const QByteArray& bytes);
    // The detector's guess, as an iconv name; empty when it has none.
    static QString guessEncoding(const QByteArray& bytes);
};

// Reading a bank file's text whatever its encoding, and refusing what isn't text.
#include "import/TextFileDecoder.h"
#include "import/ImportManager.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    int format;
    const char* chosen;
    const char* encoding; // null: refused
    const char16_t* text;
};

const QByteArray kCafe1252("Caf\xE9 \x80 5", 8);

const DecodeCase kCases[] = {
    {"UTF-8 mark",
     QByteArray("\xEF\xBB\xBF"
                "Caf\xC3\xA9"),
     kImportFormatCSV, "", "UTF-8", u"Café"},
    {"UTF-16 LE mark",
     QByteArray("\xFF\xFE"
                "C\0a\0f\0\xE9\0",
                10),
     kImportFormatTab, "", "UTF-16LE", u"Café"},
    {"UTF-16 BE mark", QByteArray("\xFE\xFF\0C\0a\0f\0\xE9", 10), kImportFormatTab, "", "UTF-16BE", u"Café"},
    {"UTF-32 LE mark",
     QByteArray("\xFF\xFE\0\0"
                "a\0\0\0",
                8),
     kImportFormatTab, "", "UTF-32LE", u"a"},
    {"UTF-16 with an odd byte",
     QByteArray("\xFF\xFE"
                "a\0b",
                5),
     kImportFormatTab, "", nullptr, u""},
    {"plain UTF-8", QByteArray("\xC3\xA9t\xC3\xA9"), kImportFormatQIF, "", "UTF-8", u"été"},
    {"plain ASCII", QByteArray("abc"), kImportFormatQIF, "", "UTF-8", u"abc"},
    {"OFX CHARSET:1252", QByteArray("ENCODING:USASCII\r\nCHARSET:1252\r\n<OFX>") + kCafe1252, kImportFormatOFX, "",
     "WINDOWS-1252", u"ENCODING:USASCII\r\nCHARSET:1252\r\n<OFX>Café € 5"},
    {"OFX XML prolog in Latin-1", QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\xE9"), kImportFormatOFX,
     "", "ISO-8859-1", u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>é"},
    {"Latin-1 declared, euro and quotes of Windows-1252 written",
     QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\x80 \x93x\x94"), kImportFormatOFX, "", "*",
     u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\u20AC \u201Cx\u201D"},
    {"OFX ENCODING:UTF-8", QByteArray("ENCODING:UTF-8\nCHARSET:1252\n\xC3\xA9"), kImportFormatOFX, "", "UTF-8",
     u"ENCODING:UTF-8\nCHARSET:1252\né"},
    {"8-bit text without a header",
     QByteArray("Libell\xE9;D\xE9"
                "bit;Cr\xE9"
                "dit\nCaf\xE9;12,50;\n"),
     kImportFormatCSV, "", "*", u"Libellé;Débit;Crédit\nCafé;12,50;\n"},
    {"chosen MacRoman", QByteArray("Caf\x8E"), kImportFormatQIF, "MACINTOSH", "MACINTOSH", u"Café"},
    {"NUL bytes are no text", QByteArray("D1/2/2020\0\0T-1", 15), kImportFormatQIF, "", nullptr, u""},
};

TEST(TextFileDecoder, EncodingsBanksWriteIn)
{
    for (const DecodeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        QString text;
        QString encoding;
        QString error;
        const bool ok
            = TextFileDecoder::decode(c.bytes, c.format, QString::fromLatin1(c.chosen), &text, &encoding, &error);
        ASSERT_EQ(ok, c.encoding != nullptr);
        if (!ok) {
            EXPECT_EQ(error, QStringLiteral("kAlerte_ImportEncodage"));
            continue;
        }
        // Which 8-bit encoding the detector names is its business; the text is what counts.
        if (QByteArray(c.encoding) != "*") {
            EXPECT_EQ(encoding, QString::fromLatin1(c.encoding));
        }
        EXPECT_EQ(text, QString::fromUtf16(c.text));
    }
}

TEST(TextFileDecoder, AFileThatCantBeReadIsRefused)
{
    QString encoding;
    QString error;
    const QString missing = testenv::freshDir(QStringLiteral("decoder")) + QStringLiteral("/none.qif");
    EXPECT_TRUE(ImportManager::importStringAtUrl(missing, &encoding, &error).isNull());
    EXPECT_EQ(error, QStringLiteral("kAlerte_ImportFichierIllisible"));

    const QString empty = testenv::freshDir(QStringLiteral("decoder-empty")) + QStringLiteral("/empty.csv");
    testenv::writeFile(empty, QByteArray());
    const QString text = ImportManager::importStringAtUrl(empty, &encoding, &error);
    EXPECT_FALSE(text.isNull());
    EXPECT_TRUE(text.isEmpty());
}

} // namespace

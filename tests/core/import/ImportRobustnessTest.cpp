// Damaged bank files: thousands of mutated copies of every fixture (cut short, bytes changed,
// huge fields, NUL bytes, pieces repeated or dropped) go through decoding, parsing and the
// building of transactions. None may crash or hang; each gives either a clean refusal or records
// whose transactions the check either accepts or refuses with a message of its own.
#include "ImportDocument.h"
#include "ImportFixtures.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "import/ImportParserOFX.h"
#include "import/ImportParserQIF.h"
#include "import/ImportParserTAB.h"
#include "import/TextFileDecoder.h"
#include "model/DOCUMENT.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMutationsPerFile = 600;
// Records built into transactions per mutated file: enough to meet every damaged field.
constexpr size_t kRecordsChecked = 40;

class Mutator {
public:
    explicit Mutator(unsigned seed)
        : m_random(seed)
    {
    }

    QByteArray mutate(QByteArray bytes)
    {
        const int rounds = 1 + below(2);
        for (int i = 0; i < rounds; ++i)
            bytes = once(bytes);
        return bytes;
    }

private:
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    QByteArray once(QByteArray bytes)
    {
        const int size = static_cast<int>(bytes.size());
        switch (below(6)) {
        case 0:
            bytes.truncate(below(size + 1));
            break;
        case 1:
            for (int i = below(8) + 1; i > 0 && size > 0; --i)
                bytes[below(size)] = static_cast<char>(bytes[below(size)] ^ (1 + below(255)));
            break;
        case 2: {
            static const char fillers[] = "A9\";,\t<&^-'\xC3\xFF \r\n";
            const char filler = fillers[below(sizeof fillers - 1)];
            bytes.insert(below(size + 1), QByteArray(1 + below(1 << 16), filler));
            break;
        }
        case 3:
            for (int i = below(4) + 1; i > 0; --i)
                bytes.insert(below(static_cast<int>(bytes.size()) + 1), '\0');
            break;
        case 4: {
            const int from = below(size + 1);
            bytes.insert(below(size + 1), bytes.mid(from, below(size - from + 1)));
            break;
        }
        default: {
            const int from = below(size + 1);
            bytes.remove(from, below(size - from + 1));
            break;
        }
        }
        return bytes;
    }

    std::mt19937 m_random;
};

bool isMessageKey(const QString& key)
{
    return !key.isEmpty() && localizedDialogue(key) != key;
}

void checkRecords(const ParsedImport& parsed, int format, DOCUMENT& doc)
{
    EXPECT_GE(parsed.skippedRecords, 0);
    for (size_t i = 0; i < parsed.records.size() && i < kRecordsChecked; ++i) {
        bool dateRead = false;
        TRANSACT trans = ImportManager::extractTransactFromArrayOfRubriques(
            parsed.records[i], format, importdoc::kCompte, 0, nullptr, false, &doc, nullptr, &dateRead);
        const QString reason = ImportManager::importTransactError(trans, dateRead, &doc);
        if (!reason.isEmpty()) {
            EXPECT_TRUE(isMessageKey(reason)) << reason.toStdString();
        }
    }
}

void checkRows(const ImportRows& rows)
{
    for (const QStringList& row : rows)
        ASSERT_EQ(row.size(), rows.front().size());
}

TEST(ImportRobustness, DamagedFilesGiveRecordsOrACleanRefusal)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    importdoc::fill(doc);
    const QStringList files = importfixtures::files();
    ASSERT_FALSE(files.isEmpty());
    unsigned seed = 1;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray original = testenv::readFile(importfixtures::folder() + u'/' + name);
        const int format = importfixtures::formatOf(name);
        Mutator mutator(seed++);
        for (int i = 0; i < kMutationsPerFile; ++i) {
            const QByteArray bytes = mutator.mutate(original);
            QString text;
            QString encoding;
            QString error;
            if (!TextFileDecoder::decode(bytes, format, QString(), &text, &encoding, &error)) {
                EXPECT_TRUE(isMessageKey(error)) << error.toStdString();
                continue;
            }
            EXPECT_FALSE(text.contains(QChar(0)));
            if (format == kImportFormatTab || format == kImportFormatCSV) {
                const ImportRows rows = ImportParserTAB::convertStringToTableur(text, format, encoding, &error);
                if (!error.isEmpty()) {
                    EXPECT_TRUE(rows.empty());
                    EXPECT_TRUE(isMessageKey(error));
                }
                checkRows(rows);
            } else {
                checkRecords(format == kImportFormatQIF ? ImportParserQIF::parse(text) : ImportParserOFX::parse(text),
                             format, doc);
            }
        }
    }
}

// Values that are almost all "&", "<" or unclosed references: the reading must stay one walk
// over the text (hundreds of thousands of them used to take seconds each) and keep every
// character that is no entity.
TEST(ImportRobustness, OfxValuesFullOfAmpersandsAndBrackets)
{
    constexpr int kRun = 200000;
    const QString ampersands(kRun, u'&');
    const QString company = QStringLiteral("AT&T ").repeated(kRun);
    const QString entities = QStringLiteral("&amp;").repeated(kRun);
    const std::pair<QString, QString> cases[] = {
        {ampersands, ampersands},
        {company, company.trimmed()},
        {entities, ampersands},
        {QStringLiteral("&#").repeated(kRun), QStringLiteral("&#").repeated(kRun)},
        {QStringLiteral("<![CDATA[") + company + QStringLiteral("]]>"), company.trimmed()},
    };
    for (const auto& [value, read] : cases) {
        // Each character is looked at a bounded number of times, whatever follows it.
        qsizetype examined = 0;
        ImportParserOFX::decodeEntities(value, &examined);
        EXPECT_LE(examined, 12 * value.size());
        const ParsedImport parsed = ImportParserOFX::parse(u"<STMTTRN><NAME>"_qs + value + u"</NAME></STMTTRN>"_qs);
        ASSERT_EQ(parsed.records.size(), 1u);
        ASSERT_EQ(parsed.records[0].fields.size(), 1u);
        EXPECT_TRUE(parsed.records[0].fields[0].value == read);
    }
    const ParsedImport brackets = ImportParserOFX::parse(u"<STMTTRN>"_qs + QString(kRun, u'<') + u"<TRNAMT>5"_qs);
    ASSERT_EQ(brackets.records.size(), 1u);
    EXPECT_EQ(brackets.records[0].fields, (std::vector<ImportField> {{ImportRubrique::MontantSeul, "5"}}));
}

} // namespace

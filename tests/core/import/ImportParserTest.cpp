// The readers of a field's text and the splitting of tab, CSV, QIF and OFX texts, case by case.
#include "import/ImportParser.h"
#include "foundation/dates.h"
#include "import/ImportParserOFX.h"
#include "import/ImportParserQIF.h"
#include "import/ImportParserTAB.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

struct AmountCase {
    const char16_t* text;
    bool ok;
    double value;
    const char16_t* devise;
};

// A currency text is asked for, and may be missing.
const AmountCase kAmounts[] = {
    {u"-1 234,56 EUR", true, -1234.56, u"EUR"},
    {u"1,234.56", true, 1234.56, u""},
    {u"1.234,56", true, 1234.56, u""},
    {u"1,234", true, 1.234, u""},
    {u"1.234.567", false, 0, u""},
    {u"1,234,567.00", true, 1234567.0, u""},
    {u"+12", true, 12, u""},
    {u"12-", true, -12, u""},
    {u"12.50 -", true, -12.5, u""},
    {u"(12.50)", true, -12.5, u""},
    {u"(12.50 EUR)", true, -12.5, u"EUR"},
    {u"(12.50", false, 0, u""},
    {u"$12", true, 12, u"$"},
    {u"-$1,234.56", true, -1234.56, u"$"},
    {u"EUR 12,50", true, 12.5, u"EUR"},
    {u"€ -1 000,00", true, -1000, u"€"},
    {u"12.50$", true, 12.5, u"$"},
    {u"12,50 kr.", true, 12.5, u"kr."},
    {u"1\u202F234,56", true, 1234.56, u""},
    {u"1\u2009234,56", true, 1234.56, u""},
    {u"1\u00A0234,56 €", true, 1234.56, u"€"},
    {u"1'234.50", true, 1234.5, u""},
    {u"", true, 0, u""},
    {u" \t ", true, 0, u""},
    {u"n/a", false, 0, u""},
    {u"EUR", false, 0, u""},
    {u"-", false, 0, u""},
    {u"--12", false, 0, u""},
    {u"-12-", false, 0, u""},
};

TEST(ImportParser, AmountsAsBanksWriteThem)
{
    for (const AmountCase& c : kAmounts) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        double value = -1;
        QString devise = QStringLiteral("stale");
        EXPECT_EQ(ImportParser::parseMontantFromString(text, ImportRubrique::MontantDevise, &value, &devise, true),
                  c.ok);
        if (!c.ok)
            continue;
        EXPECT_NEAR(value, c.value, 1e-9);
        EXPECT_EQ(devise, QString::fromUtf16(c.devise));
    }
}

TEST(ImportParser, AMissingCurrencyFailsOnlyWhenItIsRequiredAndTheAmountIsNotZero)
{
    double value = 0;
    QString devise;
    EXPECT_FALSE(ImportParser::parseMontantFromString(u"12", ImportRubrique::MontantDevise, &value, &devise, false));
    EXPECT_TRUE(ImportParser::parseMontantFromString(u"0,00", ImportRubrique::MontantDevise, &value, &devise, false));
    EXPECT_TRUE(ImportParser::parseMontantFromString(u"12 USD", ImportRubrique::MontantDevise, &value, &devise, false));
    // Without a currency asked for, what follows the number is not looked at.
    EXPECT_TRUE(
        ImportParser::parseMontantFromString(u"12 whatever", ImportRubrique::MontantSeul, &value, nullptr, false));
    EXPECT_EQ(value, 12);
    const QString huge = QString(400, u'9');
    EXPECT_FALSE(ImportParser::parseMontantFromString(huge, ImportRubrique::MontantSeul, &value, nullptr, true));
}

struct DateCase {
    const char16_t* text;
    ImportRubrique kind;
    bool ok;
    long day, month, year;
};

const DateCase kDates[] = {
    {u"25/12/13", ImportRubrique::DateJMA, true, 25, 12, 2013},
    {u"25-12-2013", ImportRubrique::DateJMA, true, 25, 12, 2013},
    {u"25.12.2013 12:00", ImportRubrique::DateJMA, true, 25, 12, 2013},
    {u"12/25/13", ImportRubrique::DateMJA, true, 25, 12, 2013},
    {u"13-12-25", ImportRubrique::DateAMJ, true, 25, 12, 2013},
    {u"25/12/50", ImportRubrique::DateJMA, true, 25, 12, 2050},
    {u"25/12/51", ImportRubrique::DateJMA, true, 25, 12, 1951},
    {u"2/14'2020", ImportRubrique::DateMJA, true, 14, 2, 2020},
    {u"29/02/2020", ImportRubrique::DateJMA, true, 29, 2, 2020},
    // Dates no calendar has are refused, never rolled over into another one.
    {u"2/14'2020", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"32/01/2020", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"31/04/2020", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"29/02/2021", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"0/01/2020", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"2013-12-25", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"25/12/999", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"20131225", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"25/12", ImportRubrique::DateJMA, false, 0, 0, 0},
    {u"", ImportRubrique::DateJMA, false, 0, 0, 0},
};

TEST(ImportParser, DatesInTheThreeOrders)
{
    for (const DateCase& c : kDates) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        double date = -1;
        ASSERT_EQ(ImportParser::parseDateFromString(text, c.kind, &date), c.ok);
        if (!c.ok) {
            EXPECT_EQ(date, 0);
            continue;
        }
        double expected = 0;
        dmyToDate(c.day, c.month, c.year, &expected);
        EXPECT_EQ(date, expected);
    }
}

TEST(ImportParser, IntegersAndYears)
{
    qint64 value = 0;
    qsizetype index = 2;
    const QString text = QStringLiteral("x 99999999999999999999999 y");
    EXPECT_TRUE(ImportParser::parseInteger(text, &index, &value));
    EXPECT_EQ(value, std::numeric_limits<qint64>::max());
    EXPECT_EQ(text[index], u' ');
    EXPECT_FALSE(ImportParser::parseInteger(text, &index, &value));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ImportParser::integerToYear(0), 2000);
    EXPECT_EQ(ImportParser::integerToYear(50), 2050);
    EXPECT_EQ(ImportParser::integerToYear(51), 1951);
    EXPECT_EQ(ImportParser::integerToYear(2024), 2024);
}

TEST(ImportParser, ContainsString)
{
    QString left = QStringLiteral("x");
    QString right = QStringLiteral("x");
    EXPECT_TRUE(containsString(u"Virement SEPA reçu"_qs, u"sepa"_qs, &left, &right));
    EXPECT_EQ(left, QStringLiteral("Virement "));
    EXPECT_EQ(right, QStringLiteral(" reçu"));
    EXPECT_FALSE(containsString(u"Virement"_qs, u"CB"_qs, &left, &right));
    EXPECT_TRUE(left.isNull() && right.isNull());
    EXPECT_TRUE(containsString(u"CB CARREFOUR"_qs, u"cb "_qs, &right));
    EXPECT_EQ(right, QStringLiteral("CARREFOUR"));
}

struct TableurCase {
    const char* name;
    int format;
    const char16_t* text;
    std::vector<QStringList> rows;
};

const TableurCase kTableurs[] = {
    {"quoted separator", 1, u"a;\"b;c\";d", {{"a", "b;c", "d"}}},
    {"comma file", 1, u"x,y,z", {{"x", "y", "z"}}},
    {"one field padded", 1, u"a;b\nx", {{"a", "b"}, {"x", ""}}},
    {"doubled quote", 1, u"\"say \"\"hi\"\"\";2", {{"say \"hi\"", "2"}}},
    {"quoted line break", 1, u"a;\"b\r\nc\";d\r\ne;f;g", {{"a", "b\nc", "d"}, {"e", "f", "g"}}},
    {"quoted comma field",
     1,
     u"date,amount\n01/25/2013,\"1,234.56\"",
     {{"date", "amount"}, {"01/25/2013", "1,234.56"}}},
    // One separator for the whole file: a ";" in one line of a comma file is text.
    {"one separator per file",
     1,
     u"d,a,l\n01/25/2013,-12.50,DESC;X\n01/26/2013,-1.00,Y",
     {{"d", "a", "l"}, {"01/25/2013", "-12.50", "DESC;X"}, {"01/26/2013", "-1.00", "Y"}}},
    {"decimal commas in a semicolon file", 1, u"a;b;12,50\nc;d;1,00", {{"a", "b", "12,50"}, {"c", "d", "1,00"}}},
    {"trailing separator", 1, u"a;b;", {{"a", "b", ""}}},
    {"blanks before a quote", 1, u"a; \"b;c\"", {{"a", "b;c"}}},
    {"unclosed quote is text", 1, u"a;\"b;c\nd;e", {{"a", "\"b", "c"}, {"d", "e", ""}}},
    {"empty lines disappear", 1, u"a\r\n\r\n\nb\r", {{"a"}, {"b"}}},
    {"tab without quoting", 0, u"\"a\tb\"\n\nc\td\te", {{"\"a", "b\"", ""}, {"c", "d", "e"}}},
};

TEST(ImportParser, TabAndCsvRows)
{
    for (const TableurCase& c : kTableurs) {
        SCOPED_TRACE(c.name);
        QString error;
        const ImportRows rows
            = ImportParserTAB::convertStringToTableur(QString::fromUtf16(c.text), c.format, QString(), &error);
        EXPECT_TRUE(error.isEmpty());
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(ImportParser, AFileTooWideIsRefused)
{
    QString error;
    const QString wide = QString(ImportParserTAB::kMaxColumns + 1, u';');
    EXPECT_TRUE(ImportParserTAB::convertStringToTableur(wide, 1, QString(), &error).empty());
    EXPECT_EQ(error, QStringLiteral("kAlerte_ImportTropGrand"));
}

QStringList qifDates(const QString& text)
{
    QStringList dates;
    for (const ImportRecord& record : ImportParserQIF::parse(text).records) {
        for (const ImportField& field : record.fields) {
            if (field.kind == ImportRubrique::DateJMA)
                dates.append(field.value);
        }
    }
    return dates;
}

TEST(ImportParser, QifDatesInTheOrderOfTheFile)
{
    // Nothing tells: day first.
    EXPECT_EQ(qifDates(u"D1/2/2020\n^\nD3/4/2020\n^"_qs), (QStringList {"01/02/2020", "03/04/2020"}));
    // A day above 12 in second place tells the month-first style for the whole file.
    EXPECT_EQ(qifDates(u"D1/2/2020\n^\nD3/14/2020\n^"_qs), (QStringList {"02/01/2020", "14/03/2020"}));
    EXPECT_EQ(qifDates(u"D1/2'20\n^"_qs), QStringList {"02/01/2020"});
    // A first number of exactly 12 is a month as well as a day: it tells nothing.
    EXPECT_EQ(qifDates(u"D12/05/2024\n^\nD12/06/2024\n^\nD01/13/2024\n^"_qs),
              (QStringList {"05/12/2024", "06/12/2024", "13/01/2024"}));
    EXPECT_EQ(qifDates(u"!Option:MDY\n!Type:Bank\nD1/2/2020\n^"_qs), QStringList {"02/01/2020"});
    EXPECT_EQ(qifDates(u"!Option:DMY\n!Type:Bank\nD1/2'20\n^"_qs), QStringList {"01/02/2020"});
    EXPECT_EQ(qifDates(u"D2020-02-14\n^"_qs), QStringList {"14/02/2020"});
}

TEST(ImportParser, QifSectionsThatHoldNoTransactionsArePassedOver)
{
    const ParsedImport parsed = ImportParserQIF::parse(
        u"!Type:Class\nNHome\n^\n!Type:CCard\nD1/2/2020\nT-1\n^\n!Type:Memorized\nT-5\nPRent\n^\n!Type:Oth A\nT3\n^"_qs);
    ASSERT_EQ(parsed.records.size(), 2u);
    EXPECT_EQ(parsed.records[1].fields, (std::vector<ImportField> {{ImportRubrique::MontantSeul, "3"}}));
    EXPECT_EQ(parsed.skippedRecords, 2);
    // A last record without its "^" still counts.
    EXPECT_EQ(ImportParserQIF::parse(u"T1\n^\nT2"_qs).records.size(), 2u);
}

TEST(ImportParser, OfxEntities)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"AT&amp;T", u"AT&T"},
        {u"&lt;b&gt; &quot;x&quot; &apos;", u"<b> \"x\" '"},
        {u"&#233;t&#xE9;", u"été"},
        {u"&#x1F600;", u"\U0001F600"},
        {u"&nbsp; & alone", u"&nbsp; & alone"},
        {u"&#0;&#xD800;&#xFFFFFFFF;", u"&#0;&#xD800;&#xFFFFFFFF;"},
        {u"&amp", u"&amp"},
        {u"&#000000038; &#x00000026;", u"& &"}, // names of ten characters, the longest read
    };
    for (const auto& [text, decoded] : cases)
        EXPECT_EQ(ImportParserOFX::decodeEntities(QString::fromUtf16(text)), QString::fromUtf16(decoded));
}

TEST(ImportParser, OfxCdataSectionsAreTextAsWritten)
{
    using Fields = std::vector<ImportField>;
    // XML with closing tags, SGML without, text and sections mixed, a section left open.
    const std::pair<const char16_t*, Fields> cases[] = {
        {u"<STMTTRN><NAME><![CDATA[AT&T <Mobile>]]></NAME><MEMO><![CDATA[a &amp; b]]></MEMO></STMTTRN>",
         {{ImportRubrique::Contre, "AT&T <Mobile>"}, {ImportRubrique::Info, "a &amp; b"}}},
        {u"<STMTTRN>\r\n<NAME><![CDATA[ DUPONT & FILS ]]>\r\n<MEMO>x &amp; y\r\n</STMTTRN>",
         {{ImportRubrique::Contre, "DUPONT & FILS"}, {ImportRubrique::Info, "x & y"}}},
        {u"<STMTTRN><NAME>Chez <![CDATA[A&B]]> &amp; <![cdata[C\nD]]>!</NAME><TRNAMT>-1</STMTTRN>",
         {{ImportRubrique::Contre, "Chez A&B & CD!"}, {ImportRubrique::MontantSeul, "-1"}}},
        {u"<STMTTRN><NAME><![CDATA[abc<MEMO>x&y", {{ImportRubrique::Contre, "abc<MEMO>x&y"}}},
        {u"<STMTTRN><![CDATA[<NAME>no]]><MEMO>m", {{ImportRubrique::Info, "m"}}},
    };
    for (const auto& [text, fields] : cases) {
        const ParsedImport parsed = ImportParserOFX::parse(QString::fromUtf16(text));
        ASSERT_EQ(parsed.records.size(), 1u) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(parsed.records[0].fields, fields) << QString::fromUtf16(text).toStdString();
    }
}

TEST(ImportParser, OfxBlocksWithoutTheirClosingTag)
{
    const ParsedImport parsed = ImportParserOFX::parse(
        u"<BANKTRANLIST><STMTTRN><TRNAMT>1<STMTTRN><TRNAMT>2</BANKTRANLIST><STMTTRN><NAME>a > b<MEMO>"_qs);
    ASSERT_EQ(parsed.records.size(), 3u);
    EXPECT_EQ(parsed.records[0].fields, (std::vector<ImportField> {{ImportRubrique::MontantSeul, "1"}}));
    EXPECT_EQ(parsed.records[1].fields, (std::vector<ImportField> {{ImportRubrique::MontantSeul, "2"}}));
    EXPECT_EQ(parsed.records[2].fields,
              (std::vector<ImportField> {{ImportRubrique::Contre, "a > b"}, {ImportRubrique::Info, ""}}));
}

} // namespace

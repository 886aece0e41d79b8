#include "foundation/textsplit.h"
#include "foundation/HelperSVUtil.h"
#include "foundation/encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

QStringList fields(const QString& line)
{
    return splitFieldsWithQuote(line, u';', u'"');
}

} // namespace

TEST(TextSplit, FieldsWithQuotes)
{
    EXPECT_EQ(fields(QStringLiteral("1;\"a;b\";3")), (QStringList {"1", "a;b", "3"}));
    EXPECT_EQ(fields(QStringLiteral("\"He said \"\"hi\"\"\";x")), (QStringList {"He said \"hi\"", "x"}));
    EXPECT_EQ(fields(QStringLiteral("\"\";\"\"\"\"")), (QStringList {"", "\""}));
    EXPECT_EQ(fields(QStringLiteral("a;\"b;c")), (QStringList {"a", "b;c", ""}));
    EXPECT_EQ(fields(QStringLiteral("a;")), (QStringList {"a", ""}));
    EXPECT_EQ(fields(QString()), QStringList());
    EXPECT_EQ(fields(QStringLiteral(" \"x\"y;z")), (QStringList {"xy", "z"}));
}

TEST(TextSplit, TokensSkipRunsOfSeparators)
{
    const QByteArray bytes("  a,,b\xE9 ,");
    EXPECT_EQ(splitDataIntoTokens(bytes, {' ', ','}), (QStringList {"a", QStringLiteral("bé")}));
    // U+012C has the low byte of "," and is no separator for that.
    EXPECT_EQ(splitStringIntoTokens(QStringLiteral("x\u012Cy,z"), {','}),
              (QStringList {QStringLiteral("x\u012Cy"), "z"}));
    EXPECT_TRUE(isCharInList('\t', {';', '\t'}));
    EXPECT_FALSE(isCharInList(' ', {';', '\t'}));
}

TEST(TextSplit, PiecesKeepEmptiesAndDecode)
{
    EXPECT_EQ(splitStringBy(QStringLiteral("a\r\n\r\nb"), QStringLiteral("\r\n")), (QStringList {"a", "", "b"}));
    EXPECT_EQ(splitStringBy(QStringLiteral("ab"), QString()), QStringList {"ab"});
    EXPECT_EQ(splitDataStringBy(QByteArray("caf\x8E\rx"), QStringLiteral("\r"), kEncodingMacRoman),
              (QStringList {QStringLiteral("café"), "x"}));
    EXPECT_TRUE(splitDataStringBy(QByteArray("a\xFF;b"), QStringLiteral(";"), kEncodingUTF8).isEmpty());
}

TEST(TextSplit, JoinAndAppendBytes)
{
    EXPECT_EQ(joinStringsToData({QStringLiteral("é"), "b"}, QStringLiteral(";"), kEncodingMacRoman),
              QByteArray("\x8E;b"));
    EXPECT_EQ(joinStringsToData({}, QStringLiteral(";"), kEncodingUTF8), QByteArray());
    QByteArray data;
    const unsigned char p[] = {2, 'h', 'i'};
    dataAppendPstr(data, p);
    dataAppendByte(data, 0x0D);
    dataAppendString(data, QStringLiteral("ok"));
    EXPECT_EQ(data, QByteArray("hi\rok"));
}

TEST(HelperSVUtil, EnumerationStopsWhenAsked)
{
    QString seen;
    long last = -1;
    HelperSVUtil::enumerateString(QStringLiteral("abcdef"), 1, [&](char16_t c, long i, bool& stop) {
        seen.append(QChar(c));
        last = i;
        stop = c == u'd';
    });
    EXPECT_EQ(seen, QStringLiteral("bcd"));
    EXPECT_EQ(last, 3);
    const char16_t buffer[] = u"xyz";
    int calls = 0;
    HelperSVUtil::enumerateBuffer(buffer, 2, 2, [&](char16_t, long, bool&) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(HelperSVUtil, InsertIndexIsTheLowerBound)
{
    const QStringList list {"b", "d"};
    const auto at = [&](const QString& key) {
        return findInsertIndexWithBlock(0, 1, key, [&](long i, const QString& k) { return list.at(i).compare(k); });
    };
    EXPECT_EQ(at("c"), 1);
    EXPECT_EQ(at("a"), 0);
    EXPECT_EQ(at("e"), 2);
    EXPECT_EQ(at("b"), 0);
    EXPECT_EQ(findInsertIndex(4, 3, [](long) { return 0; }), 4);

    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<int> v(rng() % 12 + 1);
        for (int& x : v)
            x = static_cast<int>(rng() % 8);
        std::sort(v.begin(), v.end());
        const int key = static_cast<int>(rng() % 10) - 1;
        const long got = findInsertIndex(0, static_cast<long>(v.size()) - 1, [&](long i) { return v[i] - key; });
        EXPECT_EQ(got, std::lower_bound(v.begin(), v.end(), key) - v.begin());
    }
}

#include "foundation/pstr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Str255 ps(const std::string& bytes)
{
    Str255 p {};
    p[0] = static_cast<unsigned char>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), p.begin() + 1);
    return p;
}

std::string str(const unsigned char* p)
{
    return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

} // namespace

TEST(Pstr, GrowingStopsAt255Characters)
{
    Str255 a = ps(std::string(200, 'a'));
    const Str255 b = ps(std::string(200, 'b'));
    pstrCat(a.data(), b.data());
    EXPECT_EQ(str(a.data()), std::string(200, 'a') + std::string(55, 'b'));
    pstrAppendChar(a.data(), 'x');
    pstrPrependChar('x', a.data());
    EXPECT_EQ(a[0], 255);
    EXPECT_EQ(a[1], 'a');
    EXPECT_EQ(a[255], 'b');

    Str255 s = ps("bc");
    pstrPrependChar('a', s.data());
    pstrAppendChar(s.data(), 'd');
    EXPECT_EQ(str(s.data()), "abcd");
}

TEST(Pstr, DeleteRemovesOnlyCharactersPresent)
{
    Str255 s = ps("abcdef");
    pstrDelete(s.data(), 2, 2);
    EXPECT_EQ(str(s.data()), "adef");
    pstrDelete(s.data(), 3, 2);
    EXPECT_EQ(str(s.data()), "ad");
    pstrDelete(s.data(), 3, 1);
    EXPECT_EQ(str(s.data()), "ad");

    Str255 full = ps(std::string(250, 'x'));
    full[251] = '1';
    pstrDelete(full.data(), 249, 200);
    EXPECT_EQ(str(full.data()), std::string(248, 'x'));
    EXPECT_EQ(full[251], '1');
}

TEST(Pstr, CompareIgnoresCaseAndAccentsAndComparesSecondWithFirst)
{
    const Str255 ete = ps("\x83t\x8E"); // "Été" in MacRoman
    const Str255 plain = ps("ETE");
    EXPECT_EQ(pstrCompare(ete.data(), plain.data()), 0);
    EXPECT_TRUE(pstrEqual(ete.data(), plain.data()));
    EXPECT_EQ(pstrCompare(ps("b").data(), ps("a").data()), -1);
    EXPECT_EQ(pstrCompare(ps("a").data(), ps("B").data()), 1);
    EXPECT_FALSE(pstrEqual(ps("ab").data(), ps("abc").data()));
}

TEST(Pstr, SanitizeMakesASafeShortName)
{
    Str255 out {};
    out.fill(0xFF);
    pstrSanitize(ps("-abc(d)").data(), out.data());
    EXPECT_EQ(str(out.data()), " abc d ");
    EXPECT_EQ(out[8], 0);

    pstrSanitize(ps("").data(), out.data());
    EXPECT_EQ(str(out.data()), "-");

    Str255 s = ps(std::string(49, 'z') + "!" + std::string(10, 'q'));
    pstrSanitize(s.data(), s.data());
    EXPECT_EQ(str(s.data()), std::string(49, 'z') + " ...");
}

TEST(Pstr, NumbersAndDigits)
{
    Str255 out {};
    intToPstr(-42, out.data());
    EXPECT_EQ(str(out.data()), "-42");
    intToPstr(0x100000005LL, out.data());
    EXPECT_EQ(str(out.data()), "5");

    qint64 v = 1;
    pstrToInt(ps("  -123abc").data(), v);
    EXPECT_EQ(v, -123);
    pstrToInt(ps("abc").data(), v);
    EXPECT_EQ(v, 0);
    pstrToInt(ps("99999999999999999999").data(), v);
    EXPECT_EQ(v, std::numeric_limits<qint64>::max());

    EXPECT_EQ(hexDigitChar(11), 'B');
    EXPECT_EQ(hexDigitChar(16), '?');
    EXPECT_EQ(hexCharValue('f'), 15);
    EXPECT_EQ(hexCharValue('g'), -1);
    hex2ToPstr(0x1AB, out.data());
    EXPECT_EQ(str(out.data()), "AB");
    hex4ToPstr(-1, out.data());
    EXPECT_EQ(str(out.data()), "FFFF");
    bin16ToPstr(0x18005, out.data());
    EXPECT_EQ(str(out.data()), "1000000000000101");
    EXPECT_EQ(pstrHexToValue(ps("1aF").data()), 0x1AF);
    EXPECT_EQ(pstrHexToValue(ps("").data()), 0);
    EXPECT_EQ(pstrBinToValue(ps("1x01").data()), 0b1101);
}

TEST(Pstr, ConvertsThroughMacRoman)
{
    Str255 out {};
    nsStringToPstr255(QStringLiteral("Café"), out.data());
    EXPECT_EQ(str(out.data()), "Caf\x8E");
    EXPECT_EQ(pstrToNSString(out.data()), QStringLiteral("Café"));
    nsStringToPstr(QStringLiteral("abcdef"), out.data(), 4);
    EXPECT_EQ(str(out.data()), "abc");
    nsStringToPstr255(QStringLiteral("漢字"), out.data());
    EXPECT_EQ(out[0], 0);
}

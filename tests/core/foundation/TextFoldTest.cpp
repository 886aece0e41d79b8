#include "foundation/textfold.h"
#include "foundation/pstr.h"

#include <gtest/gtest.h>

TEST(TextFold, FoldsForSearchKeepingTheLength)
{
    EXPECT_EQ(foldStringForSearch(QStringLiteral("Été 2024!")), QStringLiteral("ete 2024 "));
    // Stored rules were written against ç, ñ and ß folding to a space.
    EXPECT_EQ(foldStringForSearch(QStringLiteral("ÇA ñß Öl")), QStringLiteral(" a    ol"));
    QString dst = QStringLiteral("old");
    foldStringForSearch(QStringLiteral("x😀"), dst);
    EXPECT_EQ(dst, QStringLiteral("x  "));
}

TEST(TextFold, SingleCharacters)
{
    EXPECT_EQ(foldAccentedChar(u'É'), QChar(u'e'));
    EXPECT_EQ(foldAccentedChar(u'ü'), QChar(u'u'));
    EXPECT_EQ(foldAccentedChar(u'Z'), QChar(u'Z'));
    EXPECT_EQ(foldAccentedChar(u'ç'), QChar(u'ç'));
    EXPECT_EQ(foldAccentedChar(u'-'), QChar(u'-'));
    EXPECT_TRUE(isSeparatorChar(u' '));
    EXPECT_TRUE(isSeparatorChar(u'ç'));
    EXPECT_TRUE(isSeparatorChar(u'\''));
    EXPECT_FALSE(isSeparatorChar(u'î'));
    EXPECT_FALSE(isSeparatorChar(u'7'));
    EXPECT_TRUE(charIsInFamily(u'Â', QStringLiteral("charFamillyA")));
    EXPECT_FALSE(charIsInFamily(u'Â', QStringLiteral("charFamillyE")));
}

TEST(TextFold, FamiliesReadInMacRoman)
{
    // Every family character must exist in MacRoman, or the length-prefixed form of the family is lost.
    for (const char* key : {"charFamillyA", "charFamillyE", "charFamillyI", "charFamillyO", "charFamillyU"}) {
        const QString text = cachedApplString(QLatin1String(key));
        Str255 p {};
        nsStringToPstr255(text, p.data());
        EXPECT_GT(text.size(), 0) << key;
        EXPECT_EQ(p[0], text.size()) << key;
    }

    Str255 s {};
    nsStringToPstr255(QStringLiteral("Été Ça-1"), s.data());
    pstrFoldAccents(s.data(), s.data());
    EXPECT_EQ(pstrToNSString(s.data()), QStringLiteral("ete  a 1"));
    Str255 key {};
    nsStringToPstr255(QStringLiteral("charFamillyO"), key.data());
    EXPECT_TRUE(pstrCharInFamily(0x85, key.data())); // Ö
    EXPECT_FALSE(pstrCharInFamily('o', key.data()));
}

#include "textfold.h"

#include "localized.h"
#include "pstr.h"

#include <QByteArray>
#include <QHash>
#include <array>

namespace {

struct Family {
    const char* key;
    char vowel;
};

// Tested in this order: a character listed in two families folds to the first.
constexpr std::array<Family, 5> kFamilies {{
    {"charFamillyA", 'a'},
    {"charFamillyE", 'e'},
    {"charFamillyI", 'i'},
    {"charFamillyO", 'o'},
    {"charFamillyU", 'u'},
}};

bool isAsciiLetterOrDigit(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// The vowel of the first family holding c, 0 when none does.
char familyVowel(QChar c)
{
    for (const Family& f : kFamilies) {
        if (charIsInFamily(c, QLatin1String(f.key)))
            return f.vowel;
    }
    return 0;
}

QByteArray pstrBytes(const unsigned char* p)
{
    return QByteArray(reinterpret_cast<const char*>(p + 1), p[0]);
}

// The family text in MacRoman, keyed by the key's own bytes so that folding a byte costs no
// conversion once a family has been read.
const QByteArray& macRomanFamily(const unsigned char* familyKey)
{
    static QHash<QByteArray, QByteArray> cache;
    const QByteArray keyBytes = pstrBytes(familyKey);
    auto it = cache.find(keyBytes);
    if (it == cache.end()) {
        Str255 p {};
        nsStringToPstr255(cachedApplString(pstrToNSString(familyKey)), p.data());
        it = cache.insert(keyBytes, pstrBytes(p.data()));
    }
    return *it;
}

char pstrFamilyVowel(unsigned char c)
{
    static const auto keys = [] {
        std::array<Str255, kFamilies.size()> k {};
        for (size_t i = 0; i < kFamilies.size(); ++i)
            nsStringToPstr255(QLatin1String(kFamilies[i].key), k[i].data());
        return k;
    }();
    for (size_t i = 0; i < kFamilies.size(); ++i) {
        if (pstrCharInFamily(c, keys[i].data()))
            return kFamilies[i].vowel;
    }
    return 0;
}

} // namespace

QString cachedApplString(const QString& key)
{
    static QHash<QString, QString> cache;
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, localizedAppl(key));
    return *it;
}

bool charIsInFamily(QChar c, const QString& familyKey)
{
    return cachedApplString(familyKey).contains(c);
}

QChar foldAccentedChar(QChar c)
{
    if (c == u' ' || isAsciiLetterOrDigit(c.unicode()))
        return c;
    const char vowel = familyVowel(c);
    return vowel ? QChar(QLatin1Char(vowel)) : c;
}

bool isSeparatorChar(QChar c)
{
    if (c == u' ')
        return true;
    return !isAsciiLetterOrDigit(c.unicode()) && familyVowel(c) == 0;
}

void foldStringForSearch(const QString& source, QString& destination)
{
    destination.clear();
    destination.reserve(source.size());
    for (const QChar c : source) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')) {
            destination.append(c);
        } else if (u >= u'A' && u <= u'Z') {
            destination.append(QChar(u - u'A' + u'a'));
        } else {
            const char vowel = familyVowel(c);
            destination.append(vowel ? QChar(QLatin1Char(vowel)) : QChar(u' '));
        }
    }
}

QString foldStringForSearch(const QString& source)
{
    QString folded;
    foldStringForSearch(source, folded);
    return folded;
}

void pstrFoldAccents(const unsigned char* src, unsigned char* dst)
{
    if (!src || !dst)
        return;
    const int len = src[0];
    for (int i = 1; i <= len; ++i) {
        const unsigned char c = src[i];
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            dst[i] = c;
        } else if (c >= 'A' && c <= 'Z') {
            dst[i] = charToLower(c);
        } else {
            const char vowel = pstrFamilyVowel(c);
            dst[i] = vowel ? static_cast<unsigned char>(vowel) : ' ';
        }
    }
    dst[0] = static_cast<unsigned char>(len);
}

bool pstrCharInFamily(unsigned char c, const unsigned char* familyKey)
{
    if (!familyKey)
        return false;
    return macRomanFamily(familyKey).contains(static_cast<char>(c));
}

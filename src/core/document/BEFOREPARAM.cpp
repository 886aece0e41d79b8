#include "BEFOREPARAM.h"

#include "foundation/xmlmember.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

constexpr const char* kDigestScheme = "pbkdf2-sha256";
constexpr int kDefaultIterations = 100000;
// A stored count above this is not taken as a digest: a crafted file must not hold the program
// in key stretching for hours.
constexpr int kMaxIterations = 10000000;
constexpr int kSaltBytes = 16;
constexpr int kDigestBytes = 32;

std::optional<int> g_testIterations;

struct Digest {
    int iterations = 0;
    QByteArray salt;
    QByteArray key;
};

QByteArray derive(const QString& typed, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, typed.toUtf8(), salt, iterations,
                                              kDigestBytes);
}

std::optional<QByteArray> decodeBase64(const QString& text)
{
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return std::nullopt;
    return decoded.decoded;
}

std::optional<Digest> parseDigest(const QString& stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != QLatin1String(kDigestScheme))
        return std::nullopt;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    const auto salt = decodeBase64(parts[2]);
    const auto key = decodeBase64(parts[3]);
    if (!ok || iterations < 1 || iterations > kMaxIterations || !salt || !key || key->size() != kDigestBytes)
        return std::nullopt;
    return Digest {iterations, *salt, *key};
}

QString makeDigest(const QString& typed)
{
    const int iterations = g_testIterations.value_or(kDefaultIterations);
    std::array<quint32, kSaltBytes / sizeof(quint32)> words {};
    QRandomGenerator::system()->fillRange(words.data(), static_cast<qsizetype>(words.size()));
    const QByteArray salt(reinterpret_cast<const char*>(words.data()), kSaltBytes);
    const QByteArray key = derive(typed, salt, iterations);
    return QStringLiteral("%1$%2$%3$%4")
        .arg(QLatin1String(kDigestScheme), QString::number(iterations), QString::fromLatin1(salt.toBase64()),
             QString::fromLatin1(key.toBase64()));
}

// Takes as long whatever the first differing byte, so a comparison tells nothing of how much of
// a guess was right.
bool constantTimeEquals(const QByteArray& a, const QByteArray& b)
{
    unsigned char diff = a.size() == b.size() ? 0 : 1;
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

bool BEFOREPARAM::passwordMatches(const QString& typed) const
{
    if (m_password.isEmpty())
        return typed.isEmpty();
    if (const auto digest = parseDigest(m_password))
        return constantTimeEquals(derive(typed, digest->salt, digest->iterations), digest->key);
    return constantTimeEquals(typed.toUtf8(), m_password.toUtf8());
}

void BEFOREPARAM::setPassword(const QString& typed)
{
    m_password = typed.isEmpty() ? QString() : makeDigest(typed);
}

BEFOREPARAM BEFOREPARAM::loadBeforeParam(const QString& package, bool* error)
{
    if (error)
        *error = false;
    BEFOREPARAM before;
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(package, QString::fromLatin1(kBeforeParamFileName), &document);
    if (root) {
        before.version = xmlGetLong(root, "version", kDocumentFormatVersion);
        before.m_password = xmlGetMutableString(root, "password");
    }
    return before;
}

bool BEFOREPARAM::saveBeforeParam(const QString& package, const BEFOREPARAM& before)
{
    pugi::xml_node root;
    const XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    if (!document)
        return false;
    QString stored = before.m_password;
    if (!stored.isEmpty() && !parseDigest(stored))
        stored = makeDigest(stored);
    if (!xmlAppendLong(root, "version", before.version) || !xmlAppendString(root, "password", stored))
        return false;
    return saveXMLInPackage(package, document.get(), QString::fromLatin1(kBeforeParamFileName));
}

void BEFOREPARAM::setDigestIterationsForTesting(std::optional<int> iterations)
{
    g_testIterations = iterations;
}

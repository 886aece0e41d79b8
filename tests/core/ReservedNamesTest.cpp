// No name of the program is one the language reserves for the compiler and the standard library:
// none begins with an underscore and a capital, none holds a double underscore. Only the
// compiler's own predefined names may be used. Every offending line is listed.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Comments, string and character literals: their words are not names.
QString withoutCommentsAndLiterals(const QString& text)
{
    static const QRegularExpression noise(
        QStringLiteral(R"re(//[^\n]*|/\*.*?\*/|R"\((?:.|\n)*?\)"|"(?:\\.|[^"\\\n])*"|'(?:\\.|[^'\\\n])*')re"),
        QRegularExpression::DotMatchesEverythingOption);
    QString out = text;
    // Each match becomes as many newlines as it held, so line numbers stay right.
    qsizetype shift = 0;
    for (auto it = noise.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString kept(m.captured().count(QLatin1Char('\n')), QLatin1Char('\n'));
        out.replace(m.capturedStart() - shift, m.capturedLength(), kept);
        shift += m.capturedLength() - kept.size();
    }
    return out;
}

bool isPredefined(const QString& name)
{
    static const QStringList names {QStringLiteral("__FILE__"),
                                    QStringLiteral("__LINE__"),
                                    QStringLiteral("__func__"),
                                    QStringLiteral("__cplusplus"),
                                    QStringLiteral("__has_include"),
                                    QStringLiteral("__GNUC__"),
                                    QStringLiteral("__clang__"),
                                    QStringLiteral("__attribute__"),
                                    QStringLiteral("__PRETTY_FUNCTION__"),
                                    QStringLiteral("__VA_ARGS__"),
                                    QStringLiteral("__SANITIZE_ADDRESS__"),
                                    QStringLiteral("__int128")};
    return names.contains(name) || name.startsWith(QLatin1String("__builtin_"));
}

} // namespace

TEST(ReservedNames, NoSourceDeclaresANameTheLanguageReserves)
{
    static const QRegularExpression reserved(QStringLiteral(R"(\b(_[A-Z]\w*|[A-Za-z_]\w*__\w*|__\w*)\b)"));
    QStringList offending;
    for (const char* folder : {"/src", "/tests", "/bench"}) {
        QDirIterator it(QStringLiteral(SORV_SOURCE_DIR) + QLatin1String(folder),
                        {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            const QStringList lines
                = withoutCommentsAndLiterals(QString::fromUtf8(file.readAll())).split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < lines.size(); ++i) {
                for (auto m = reserved.globalMatch(lines[i]); m.hasNext();) {
                    const QString name = m.next().captured(1);
                    if (!isPredefined(name))
                        offending << QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(name);
                }
            }
        }
    }
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QLatin1Char('\n')).toStdString();
}

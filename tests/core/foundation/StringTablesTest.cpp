// Every key the code asks of a string table must be in that table, and the tables must parse:
// a missing key would show the raw key to the user.
#include "foundation/localized.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString readSource(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QHash<QString, QString> tableFile(const QString& table, QString* error)
{
    QFile f(QStringLiteral(SORV_SOURCE_DIR "/resources/strings/fr/%1.strings").arg(table));
    QHash<QString, QString> map;
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + f.fileName();
        return map;
    }
    parseStringsTable(f.readAll(), map, error);
    return map;
}

// (key, table) pairs asked for with a literal key anywhere under src/.
QList<QPair<QString, QString>> keysAskedFor()
{
    static const QString lit = QStringLiteral(R"re(\s*(?:QStringLiteral\(\s*)?u?"([^"\\]+)"\s*\)?)re");
    static const QRegularExpression generic(QStringLiteral(R"re(\blocalizedStringForKey\()re") + lit
                                            + QStringLiteral(",") + lit);
    static const QRegularExpression shorthand(
        QStringLiteral(
            R"re(\b(localizedAppl|localizedDialogue|localizedMisc|localizedHelp|cachedApplString|alertKey)\()re")
        + lit);
    static const QHash<QString, QString> tableOf {{QStringLiteral("localizedAppl"), QStringLiteral("Appl")},
                                                  {QStringLiteral("cachedApplString"), QStringLiteral("Appl")},
                                                  {QStringLiteral("localizedDialogue"), QStringLiteral("Dialogue")},
                                                  {QStringLiteral("alertKey"), QStringLiteral("Dialogue")},
                                                  {QStringLiteral("localizedMisc"), QStringLiteral("Misc")},
                                                  {QStringLiteral("localizedHelp"), QStringLiteral("Help")}};
    QList<QPair<QString, QString>> keys;
    QDirIterator it(QStringLiteral(SORV_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString text = readSource(it.next());
        for (auto m = generic.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            keys.append({match.captured(1), match.captured(2)});
        }
        for (auto m = shorthand.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            keys.append({match.captured(2), tableOf.value(match.captured(1))});
        }
    }
    return keys;
}

} // namespace

TEST(StringTables, EveryTableParses)
{
    for (const char* table : {"Appl", "Dialogue", "Misc", "Help"}) {
        QString error;
        tableFile(QString::fromLatin1(table), &error);
        EXPECT_TRUE(error.isEmpty()) << table << ": " << error.toStdString();
    }
}

TEST(StringTables, EveryKeyTheCodeAsksForIsInItsTable)
{
    QHash<QString, QHash<QString, QString>> tables;
    for (const auto& [key, table] : keysAskedFor()) {
        if (!tables.contains(table)) {
            QString error;
            tables.insert(table, tableFile(table, &error));
        }
        EXPECT_TRUE(tables[table].contains(key))
            << "missing key \"" << key.toStdString() << "\" in table " << table.toStdString();
    }
}

TEST(StringTables, ParserReadsEscapesCommentsAndReportsTheBadLine)
{
    QHash<QString, QString> map;
    QString error;
    EXPECT_TRUE(parseStringsTable("/* c */\n\"a\" = \"x \\\"y\\\"\\n\";\n// z\n\"b\"=\"é\";", map, &error));
    EXPECT_EQ(map.value(QStringLiteral("a")), "x \"y\"\n");
    EXPECT_EQ(map.value(QStringLiteral("b")), QStringLiteral("é"));
    map.clear();
    EXPECT_FALSE(parseStringsTable("\"a\" = \"1\";\n\"b\" \"2\";", map, &error));
    EXPECT_EQ(map.size(), 1);
    EXPECT_TRUE(error.contains(QStringLiteral("line 2")));
}

TEST(StringTables, MissingKeyAnswersTheKeyAndMonthsHaveNames)
{
    EXPECT_EQ(localizedStringForKey(QStringLiteral("no_such_key_anywhere"), QStringLiteral("Appl")),
              "no_such_key_anywhere");
    EXPECT_EQ(localizedMonthName(1), QStringLiteral("janvier"));
    EXPECT_EQ(localizedMonthName(13), "?");
}

// The core's folders form one direction: foundation <- model <- engines <- the store, import,
// sync, quotes and calculator. A folder includes only itself and folders to its left, and the
// core never includes the window layer nor the Qt modules only it links. Every offending line is
// listed.
//
// In the window layer, a folder of windows opens another family's windows only through the doors
// the application installs: no window folder but app/ includes another, while toolkit/ and
// spreadsheet/ are shared by all.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

const QString kCoreDir = QStringLiteral(SORV_SOURCE_DIR "/src/core");
const QString kUiDir = QStringLiteral(SORV_SOURCE_DIR "/src/ui");

// The position of a core folder in the direction; -1 for a folder the table doesn't know.
int rankOf(const QString& folder)
{
    static const QHash<QString, int> ranks {{QStringLiteral("foundation"), 0}, {QStringLiteral("model"), 1},
                                            {QStringLiteral("engines"), 2},    {QStringLiteral("document"), 3},
                                            {QStringLiteral("import"), 3},     {QStringLiteral("sync"), 4},
                                            {QStringLiteral("quotes"), 3},     {QStringLiteral("calculator"), 3}};
    return ranks.value(folder, -1);
}

// The first folder under src/core of a path inside it; empty for a path outside it or a file
// directly in it.
QString coreFolderOf(const QString& path)
{
    const QString relative = QDir(kCoreDir).relativeFilePath(QDir::cleanPath(path));
    if (relative.startsWith(QLatin1String("..")) || !relative.contains(QLatin1Char('/')))
        return QString();
    return relative.section(QLatin1Char('/'), 0, 0);
}

// Where a quoted include leads: beside the including file when it is there, else from the
// core's include root.
QString quotedTarget(const QString& includingFile, const QString& name)
{
    const QString beside = QFileInfo(includingFile).dir().filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir(kCoreDir).filePath(name);
}

// Whether an angle include names a header of the Qt modules only the window layer links.
bool isWindowModuleHeader(const QString& name)
{
    static const QStringList modules {QStringLiteral("QtGui"), QStringLiteral("QtWidgets"),
                                      QStringLiteral("QtPrintSupport"), QStringLiteral("QtMultimedia"),
                                      QStringLiteral("QtMultimediaWidgets")};
    const QString module = name.section(QLatin1Char('/'), 0, 0);
    if (modules.contains(module))
        return true;
    if (name.contains(QLatin1Char('/')) || !name.startsWith(QLatin1Char('Q')))
        return false;
    const QDir headers(QLibraryInfo::path(QLibraryInfo::HeadersPath));
    for (const QString& m : modules) {
        if (QFileInfo::exists(headers.filePath(m + QLatin1Char('/') + name)))
            return true;
    }
    return false;
}

// "file:line: what" for one include line that breaks the direction; empty when it keeps it.
QString offence(const QString& file, const QString& folder, int lineNumber, const QString& line)
{
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*([<"])([^>"]+)[>"])re"));
    const QRegularExpressionMatch match = include.match(line);
    if (!match.hasMatch())
        return QString();
    const QString name = match.captured(2);
    const QString where = QDir(kCoreDir).relativeFilePath(file) + QLatin1Char(':') + QString::number(lineNumber);
    if (match.captured(1) == QLatin1String("<"))
        return isWindowModuleHeader(name)
            ? where + QStringLiteral(": includes the window layer's <") + name + QLatin1Char('>')
            : QString();
    const QString target = coreFolderOf(quotedTarget(file, name));
    if (target.isEmpty() || target == folder)
        return QString();
    const int from = rankOf(folder);
    const int to = rankOf(target);
    if (from >= 0 && to >= 0 && to < from)
        return QString();
    return where + QStringLiteral(": ") + folder + QStringLiteral(" includes ") + name;
}

QStringList offencesIn(const QString& file)
{
    QStringList found;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {QDir(kCoreDir).relativeFilePath(file) + QStringLiteral(": unreadable")};
    const QString folder = coreFolderOf(file);
    int lineNumber = 0;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine());
        const QString what = offence(file, folder, ++lineNumber, line);
        if (!what.isEmpty())
            found.append(what);
    }
    return found;
}

QStringList coreFiles()
{
    QStringList files;
    QDirIterator it(kCoreDir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

// ---- The window layer

// The first folder under src/ui of a path inside it; empty outside it or directly in it.
QString uiFolderOf(const QString& path)
{
    const QString relative = QDir(kUiDir).relativeFilePath(QDir::cleanPath(path));
    if (relative.startsWith(QLatin1String("..")) || !relative.contains(QLatin1Char('/')))
        return QString();
    return relative.section(QLatin1Char('/'), 0, 0);
}

// Whether a window folder may include that folder of src/ui.
bool mayInclude(const QString& folder, const QString& target)
{
    static const QStringList shared {QStringLiteral("toolkit"), QStringLiteral("spreadsheet")};
    return target.isEmpty() || target == folder || folder == QLatin1String("app") || shared.contains(target);
}

// The window folder a quoted include line reaches from the file, when the file may not include
// it; empty when it may.
QString forbiddenUiTarget(const QString& file, const QString& line)
{
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    const QRegularExpressionMatch match = include.match(line);
    if (!match.hasMatch())
        return QString();
    const QString name = match.captured(1);
    // A name the window layer doesn't hold is the core's, whose folders share some of its names.
    const QString beside = QFileInfo(file).dir().filePath(name);
    const QString fromRoot = QDir(kUiDir).filePath(name);
    const QString path = QFileInfo::exists(beside) ? beside : fromRoot;
    if (!QFileInfo::exists(path))
        return QString();
    const QString target = uiFolderOf(path);
    return mayInclude(uiFolderOf(file), target) ? QString() : target;
}

// Every "file folder" pair of a window file including another window folder.
QSet<QString> uiCrossIncludes()
{
    QSet<QString> found;
    QDirIterator it(kUiDir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            found.insert(QDir(kUiDir).relativeFilePath(file) + QStringLiteral(" unreadable"));
            continue;
        }
        while (!f.atEnd()) {
            const QString target = forbiddenUiTarget(file, QString::fromUtf8(f.readLine()));
            if (!target.isEmpty())
                found.insert(QDir(kUiDir).relativeFilePath(file) + QLatin1Char(' ') + target);
        }
    }
    return found;
}

} // namespace

TEST(Layering, EveryCoreFolderIsKnown)
{
    const QStringList folders = QDir(kCoreDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_FALSE(folders.isEmpty());
    for (const QString& folder : folders)
        EXPECT_GE(rankOf(folder), 0) << "src/core/" << folder.toStdString() << " has no place in the direction";
}

TEST(Layering, CoreIncludesOnlyFoldersToItsLeft)
{
    const QStringList files = coreFiles();
    ASSERT_FALSE(files.isEmpty());
    QStringList offences;
    for (const QString& file : files)
        offences += offencesIn(file);
    EXPECT_TRUE(offences.isEmpty()) << offences.join(QLatin1Char('\n')).toStdString();
}

TEST(Layering, TheCheckSeesWhatBreaksTheDirection)
{
    const QString modelFile = kCoreDir + QStringLiteral("/model/TRANSACT.cpp");
    const QString quotesFile = kCoreDir + QStringLiteral("/quotes/PortfolioManager.cpp");
    // A bare class header is found through the installed module folders, when they are there.
    const bool guiHeaders
        = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::HeadersPath) + QStringLiteral("/QtGui/QColor"));
    const struct {
        QString file;
        QString line;
        bool offends;
    } cases[] = {
        {modelFile, QStringLiteral("#include \"engines/LISTING.h\""), true},
        {modelFile, QStringLiteral("#include \"document/DocContext.h\""), true},
        {modelFile, QStringLiteral("#include \"../document/DocContext.h\""), true},
        {modelFile, QStringLiteral("  #  include \"quotes/PortfolioManager.h\""), true},
        {modelFile, QStringLiteral("#include \"foundation/dates.h\""), false},
        {modelFile, QStringLiteral("#include \"model/DOCUMENT.h\""), false},
        {modelFile, QStringLiteral("#include \"TRANSACT.h\""), false},
        {quotesFile, QStringLiteral("#include \"document/DocContext.h\""), true},
        {quotesFile, QStringLiteral("#include \"engines/LISTING.h\""), false},
        {modelFile, QStringLiteral("#include <QtWidgets/QWidget>"), true},
        {quotesFile, QStringLiteral("#include <QtPrintSupport/QPrinter>"), true},
        {quotesFile, QStringLiteral("#include \"ui/app/ApplicationDelegate.h\""), true},
        {modelFile, QStringLiteral("#include <QtGui>"), true},
        {modelFile, QStringLiteral("#include <QColor>"), guiHeaders},
        {modelFile, QStringLiteral("#include <QString>"), false},
        {modelFile, QStringLiteral("#include <pugixml.hpp>"), false},
        {modelFile, QStringLiteral("// #include is only a word here"), false},
    };
    for (const auto& c : cases) {
        const QString what = offence(c.file, coreFolderOf(c.file), 1, c.line);
        EXPECT_EQ(!what.isEmpty(), c.offends) << c.line.toStdString() << " -> " << what.toStdString();
    }
}

TEST(Layering, WindowFoldersOpenOneAnotherOnlyThroughTheDoors)
{
    ASSERT_FALSE(QDir(kUiDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    QStringList found = uiCrossIncludes().values();
    found.sort();
    EXPECT_TRUE(found.isEmpty()) << "includes another window folder:\n" << found.join(QLatin1Char('\n')).toStdString();
}

TEST(Layering, TheWindowCheckSeesASidewaysInclude)
{
    const QString transactionsFile = kUiDir + QStringLiteral("/transactions/FenTransListCommands.cpp");
    const QString appFile = kUiDir + QStringLiteral("/app/ApplicationDelegate.cpp");
    const struct {
        QString file;
        QString line;
        QString target;
    } cases[] = {
        {transactionsFile, QStringLiteral("#include \"schedules/ScheduleEditors.h\""), QStringLiteral("schedules")},
        {transactionsFile, QStringLiteral(" # include \"../graphs/FenGraphiqueController.h\""),
         QStringLiteral("graphs")},
        {transactionsFile, QStringLiteral("#include \"app/ApplicationDelegate.h\""), QStringLiteral("app")},
        {transactionsFile, QStringLiteral("#include \"transactions/SaisieRoutine.h\""), QString()},
        {transactionsFile, QStringLiteral("#include \"SaisieRoutine.h\""), QString()},
        {transactionsFile, QStringLiteral("#include \"toolkit/windows/IWindowDoors.h\""), QString()},
        {transactionsFile, QStringLiteral("#include \"spreadsheet/Tableur.h\""), QString()},
        {transactionsFile, QStringLiteral("#include \"model/DOCUMENT.h\""), QString()},
        {transactionsFile, QStringLiteral("#include \"import/ImportManager.h\""), QString()},
        {transactionsFile, QStringLiteral("#include \"import/FenEditImportController.h\""), QStringLiteral("import")},
        {transactionsFile, QStringLiteral("// #include \"schedules/ScheduleEditors.h\""), QString()},
        {appFile, QStringLiteral("#include \"schedules/FenEcheancierController.h\""), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(forbiddenUiTarget(c.file, c.line), c.target) << c.line.toStdString();
}

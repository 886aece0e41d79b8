// A backup shares the member files of the package it keeps (a second name for the same bytes):
// that is only sound while nothing writes into a member file where it lies. Every way the program
// writes a member replaces it by a new file, so a second name taken before keeps the old bytes;
// files that may be changed where they lie (attached files, whatever their name) are copied.
#include "document/BackupManager.h"
#include "document/DocumentSession.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SVDocumentManager.h"
#include "document/SavedSearches.h"
#include "document/SimulationFile.h"
#include "engines/AnalyseFile.h"
#include "engines/AnalyseRecord.h"
#include "engines/Critere.h"
#include "engines/Simulation.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GraphFile.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kResources = QStringLiteral("/Contents/Resources/");

ino_t inodeOf(const QString& path)
{
    struct stat info { };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QString freshPackage(const QString& name)
{
    const QString package = testenv::freshDir(QStringLiteral("members")) + QLatin1Char('/') + name + ".svd";
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), package));
    return package;
}

// A second name, outside the package, for every file of its resources, with the bytes it held.
struct Witness {
    QString file;
    QString secondName;
    QByteArray bytes;
};

QList<Witness> witnessesOf(const QString& package)
{
    const QString folder = testenv::freshDir(QStringLiteral("witness"));
    QList<Witness> witnesses;
    QDirIterator files(package + kResources, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString secondName = folder + QStringLiteral("/%1").arg(witnesses.size());
        EXPECT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(secondName).constData()), 0);
        witnesses.append({file, secondName, testenv::readFile(file)});
    }
    return witnesses;
}

class Opening : public IOpeningShell {
public:
    bool askDocumentPassword(const BEFOREPARAM&, const QString&) override { return false; }
    void showOpenedDocument(DOCUMENT&, bool) override { }
};

bool save(const QString& from, const QString& to, bool staged)
{
    DOCUMENT doc(from, kFileSystemLocal);
    if (SVDocumentManager::defaultManager().loadDocumentInternal(from, doc) != DocError::None)
        return false;
    bool ok = false;
    SVDocumentManager::defaultManager().saveDocument(
        &doc, to, {.useTempFolder = staged}, [&ok] { ok = true; }, [] {});
    return ok;
}

// Runs with the document of the package loaded.
bool withDocument(const QString& package, const std::function<bool(DOCUMENT&)>& write)
{
    DOCUMENT doc(package, kFileSystemLocal);
    return SVDocumentManager::defaultManager().loadDocumentInternal(package, doc) == DocError::None && write(doc);
}

} // namespace

TEST(MemberWrites, EveryWriteReplacesTheMemberAndASecondNameKeepsItsBytes)
{
    const struct {
        const char* name;
        const char* member; // one of the members the write replaces
        std::function<bool(const QString& package)> write;
    } cases[] = {
        {"a save", "transact.xml", [](const QString& p) { return save(p, p, true); }},
        {"a copy saved into the package", "transact.xml",
         [](const QString& p) { return save(freshPackage(QStringLiteral("source")), p, false); }},
        {"the opening (format version)", "beforeparam.xml",
         [](const QString& p) {
             Opening shell;
             std::unique_ptr<DOCUMENT> doc;
             const bool opened = DocumentSession::open(p, &doc, false, kFileSystemLocal, shell);
             DocumentSession::close(std::move(doc));
             return opened;
         }},
        {"a manual copy noted", kDocParamFileName,
         [](const QString& p) {
             BackupManager::defaultManager().didManualSaveForClosedDocumentAtUrl(p);
             return true;
         }},
        {"an analysis window memorised", "analyse/analyse1.xml",
         [](const QString& p) {
             QString folder;
             return getAnalyseFolderInDocument(&folder, p)
                 && memoriseAnalyseFile(AnalyseFile(), folder, QStringLiteral("analyse1.xml"));
         }},
        {"a graph window memorised", "graphs/graph1.xml",
         [](const QString& p) {
             return withDocument(p, [](DOCUMENT& doc) {
                 GRAPHFILE file;
                 file.header = GRAPH::newGraph(&doc);
                 return saveGraphFile(file, 1, doc.documentUrl, doc.deviseHdl);
             });
         }},
        {"a search saved", "searches/Loyers.xml",
         [](const QString& p) {
             return withDocument(p, [](DOCUMENT& doc) {
                 return saveCritereToSearches(Critere(&doc, true), savedSearchFileName(QStringLiteral("Loyers")), &doc,
                                              nullptr);
             });
         }},
        {"a simulation saved", "simulation/Prêt immobilier.xml",
         [](const QString& p) {
             return withDocument(
                 p, [](DOCUMENT& doc) { return saveSimulation(SIMULrec(), QStringLiteral("Prêt immobilier"), &doc); });
         }},
    };
    int serial = 0;
    for (const auto& c : cases) {
        const QString package = freshPackage(QStringLiteral("Membres%1").arg(++serial));
        const QString member = package + kResources + QString::fromUtf8(c.member);
        const ino_t before = inodeOf(member);
        const QList<Witness> witnesses = witnessesOf(package);
        ASSERT_TRUE(c.write(package)) << c.name;
        EXPECT_NE(inodeOf(member), before) << c.name << ": " << c.member << " was not written anew";
        for (const Witness& witness : witnesses)
            EXPECT_EQ(testenv::readFile(witness.secondName), witness.bytes)
                << c.name << " wrote into " << witness.file.toStdString();
    }
}

TEST(MemberWrites, ABackupSharesTheMembersAndCopiesAttachedFilesWhateverTheirName)
{
    const QString package = freshPackage(QStringLiteral("Partage"));
    const QString releve = package + kResources + QStringLiteral("Documents/releve.xml");
    testenv::writeFile(releve, "<releve/>");
    SystemClock::setNowForTesting(SystemClock::now());
    bool ok = false;
    BackupManager::defaultManager().sauvegardeAutomatique(
        package, 10, [&ok] { ok = true; }, [] {});
    ASSERT_TRUE(ok);
    QString archives;
    HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&archives, nullptr);
    const QString backup
        = archives + QStringLiteral("/Partage/") + BackupManager::backupNameForTime(SystemClock::now()) + kResources;
    SystemClock::setNowForTesting(std::nullopt);
    for (const char* member : {"transact.xml", "beforeparam.xml", "analyse/analyse1.xml", "graphs/graph1.xml"})
        EXPECT_EQ(inodeOf(backup + member), inodeOf(package + kResources + member)) << member;
    for (const char* attached : {"Documents/releve.xml", "Documents/Ticket.pdf", "logo/energie.png"})
        EXPECT_NE(inodeOf(backup + attached), inodeOf(package + kResources + attached)) << attached;

    // Changed where it lies, as the program that opened it would.
    QFile file(releve);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<releve>corrigé</releve>");
    file.close();
    EXPECT_EQ(testenv::readFile(backup + "Documents/releve.xml"), "<releve/>");
}

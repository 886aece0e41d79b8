// What the user chose not to save is not written. A close whose save fails, or can't even start,
// leaves every file of the package as it was, its memorised analyses and graphs included. The
// tests run as root: the folder the user can't write is played through the file-system seam, and
// writes that pass it by would show in the package's files.
#include "ShellFixture.h"

#include "analysis/FenAnalyseController.h"
#include "graphs/FenEditGraphiqueController.h"
#include "graphs/FenGraphiqueController.h"

#include "document/FileSystemOps.h"
#include "document/SaveLeftovers.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDirIterator>

#include <cerrno>
#include <functional>
#include <sys/stat.h>

namespace {

// A place the user can't write, or a save whose staged package can't take the document's place.
class RefusedSaves : public FileSystemOps {
public:
    QString unwritable;
    bool noSwap = false;

    bool isWritable(const QString& path) override
    {
        const bool locked
            = !unwritable.isEmpty() && (path + QLatin1Char('/')).startsWith(unwritable + QLatin1Char('/'));
        return !locked && FileSystemOps::isWritable(path);
    }
    bool moveItem(const QString& from, const QString& to, int* error) override
    {
        if (!noSwap || !from.endsWith(QLatin1String(kSavingPackageName)))
            return FileSystemOps::moveItem(from, to, error);
        *error = EIO;
        return false;
    }
};

// Every entry under the package, a line each: its bytes' digest, modification time and inode.
std::string entriesOf(const QString& package)
{
    QStringList entries;
    QDirIterator it(package, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info { };
        ::lstat(QFile::encodeName(path).constData(), &info);
        const QByteArray digest = QCryptographicHash::hash(testenv::readFile(path), QCryptographicHash::Sha256);
        entries << QStringLiteral("%1 %2 %3.%4 %5")
                       .arg(path.mid(package.size()), QString::fromLatin1(digest.toHex().left(16)))
                       .arg(info.st_mtim.tv_sec)
                       .arg(info.st_mtim.tv_nsec)
                       .arg(info.st_ino);
    }
    entries.sort();
    return entries.join(QLatin1Char('\n')).toStdString();
}

std::string recordsOf(const ParamFenList& windows)
{
    QStringList records;
    for (const PARAMFEN& w : windows)
        records << QStringLiteral("%1 %2 %3 %4 %5").arg(w.fenclass).arg(w.x).arg(w.y).arg(w.width).arg(w.height);
    return records.join(QLatin1Char('\n')).toStdString();
}

class UnsavedWritesTest : public ShellFixture {
protected:
    UnsavedWritesTest()
    {
        FileSystemOps::install(&saves);
        folder = testenv::freshDir(QStringLiteral("unsaved"));
        url = folder + QStringLiteral("/Famille.svd");
        copyQuietSample(url);
    }
    ~UnsavedWritesTest() override
    {
        if (delegate->bankIsOpen())
            delegate->doCloseDocument(false);
        FileSystemOps::install(nullptr);
    }
    // Each alert answered in turn, each the text of its key (table "Dialogue") or the text given.
    void answer(const QList<std::pair<QString, int>>& alerts)
    {
        for (const auto& [message, code] : alerts)
            ui().answerAlert(message, code);
    }

    RefusedSaves saves;
    QString folder;
    QString url;
};

} // namespace

TEST_F(UnsavedWritesTest, ACloseWhoseSaveFailsLeavesThePackageAndItsWindowListAsTheyWere)
{
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    DOCUMENT& doc = *delegate->document();
    ASSERT_NE(openNewAnalyseWindow(doc, doc.anadefHdl.first().nom, 0, std::nullopt, true), nullptr);
    ui().onModal<FenEditGraphiqueController>([](FenEditGraphiqueController& e) { e.perform(QStringLiteral("OUI:")); });
    ASSERT_NE(openGraphiqueWindow(nullptr, false, kGraphModeCompte, doc.compteHdl.first().ident, doc, 0), nullptr);
    const std::string windows = recordsOf(doc.docParam->documentWindows);
    const std::string before = entriesOf(url);
    const struct {
        const char* name;
        std::function<void()> refuse;
        const char* alert;
    } failures[] = {
        {"refused before anything", [this] { saves.unwritable = folder; }, "kAlerte_CannotSaveDoc_ReadOnly"},
        {"failed at the very end", [this] { saves.noSwap = true; }, "kAlerte_CannotSaveDoc"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        failure.refuse();
        answer({{QStringLiteral("kConfirm_SaveDoc"), kAlertFirstButton},
                {QString::fromLatin1(failure.alert), kAlertFirstButton},
                {QStringLiteral("kConfirm_CloseWithoutSaving"), kAlertFirstButton}}); // cancel: it stays open
        delegate->FERMER_DOCUMENT();
        ASSERT_TRUE(delegate->bankIsOpen());
        EXPECT_EQ(entriesOf(url), before);
        EXPECT_EQ(recordsOf(doc.docParam->documentWindows), windows);
        saves = RefusedSaves();
    }
}

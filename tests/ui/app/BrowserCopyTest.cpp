// The browser's copy of a closed document onto another document: the save panel's question comes
// first, its cancel writes nothing, its "Remplacer" gives exactly the copy, and a document open in a
// running copy of the program is not replaced.
#include "app/FenRecentController.h"

#include "uisupport/UiTestFixture.h"

#include "document/DocumentMark.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QPointer>
#include <QStandardPaths>

#include <memory>
#include <unistd.h>

namespace {

struct NoOpener : IDocumentOpener {
    bool openRecent(const RecentDocument&) override { return false; }
    bool createDocument(const QString&, int) override { return false; }
};

QMap<QString, QByteArray> contentOf(const QString& package)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(package, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(package.size()), testenv::readFile(path));
    }
    return files;
}

// The paths inside the packages whose files differ, or that only one of them has.
std::string differences(const QMap<QString, QByteArray>& a, const QMap<QString, QByteArray>& b)
{
    QStringList paths;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        if (!b.contains(it.key()) || b.value(it.key()) != it.value())
            paths.append(it.key());
    }
    for (auto it = b.cbegin(); it != b.cend(); ++it) {
        if (!a.contains(it.key()))
            paths.append(it.key());
    }
    return paths.join(QStringLiteral(", ")).toStdString();
}

class BrowserCopyTest : public UiTestFixture {
protected:
    BrowserCopyTest()
    {
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QDir(documents).removeRecursively();
        QDir().mkpath(documents);
        SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemLocal);
        FenRecentController::setStorageNoticeShown(true);
        FenRecentController::setDocumentOpener(&opener);
    }
    ~BrowserCopyTest() override
    {
        delete browser.data();
        FenRecentController::setDocumentOpener(nullptr);
        SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemLocal);
    }

    NoOpener opener;
    QPointer<FenRecentController> browser;
    QString documents;
};

} // namespace

TEST_F(BrowserCopyTest, AnotherDocumentIsReplacedWholeAndOnlyAfterTheUsersWord)
{
    const QString source = documents + QStringLiteral("/Budget.svd");
    ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), source));
    const QString elsewhere = testenv::freshDir(QStringLiteral("browser-copy"));
    const QString other = elsewhere + QStringLiteral("/Maison.old.svd");
    browser = StdWindowController::push<FenRecentController>(nullptr, 0, true);
    browser->start();
    ASSERT_TRUE(browser->GOTO_NAME(QStringLiteral("Budget")));
    const QString question
        = localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg(QStringLiteral("Maison.old"));
    const struct {
        const char* name;
        int answer;
        bool heldElsewhere;
        const char* outcome; // none when the panel is cancelled
        bool replaced;
    } cases[] = {
        {"cancelled, then the panel too", kAlertFirstButton, false, nullptr, false},
        {"replaced", kAlertSecondButton, false, "kAlerte_SaveCopyOK", true},
        {"open in a running copy", kAlertSecondButton, true, "kAlerte_DocumentOpen_CantReplace", false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        QDir(other).removeRecursively();
        ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), other));
        testenv::writeFile(other + QStringLiteral("/Contents/Resources/transact.xml"), "<list/>");
        testenv::writeFile(other + QStringLiteral("/Contents/Resources/Documents/Facture.pdf"), "facture");
        testenv::writeFile(other + QStringLiteral("/Contents/Resources/notes.txt"), "à garder");
        const auto before = contentOf(other);
        std::unique_ptr<DocumentMark> held;
        if (each.heldElsewhere) {
            held = std::make_unique<DocumentMark>(other);
            ASSERT_TRUE(held->take());
        }
        const auto copied = contentOf(source);
        const qsizetype alertsBefore = ui().alertsShown().size();
        ui().answerSavePanel(other);
        ui().answerAlert(question, each.answer);
        if (each.outcome)
            ui().answerAlert(localizedDialogue(QString::fromLatin1(each.outcome)), kAlertFirstButton);
        else
            ui().answerSavePanel(QString());
        browser->perform(QStringLiteral("ENREGISTRER_COPIE:"));

        ASSERT_GE(ui().alertsShown().size(), alertsBefore + 1);
        EXPECT_EQ(ui().alertsShown().at(alertsBefore).request.message, question);
        if (each.heldElsewhere) {
            EXPECT_EQ(ui().alertsShown().last().request.information,
                      QStringLiteral("« Maison.old », ouvert par le processus %1").arg(::getpid()));
        }
        EXPECT_EQ(differences(contentOf(other), each.replaced ? copied : before), "");
        EXPECT_EQ(QDir(elsewhere).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList {"Maison.old.svd"});
    }
}

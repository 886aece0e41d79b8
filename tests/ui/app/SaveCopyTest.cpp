// Saving a copy onto another document, from the open document or from the browser: the save
// panel's question comes first, its cancel writes nothing and goes back to the panel, its
// "Remplacer" gives exactly the copy (nothing of the other document kept), and a document open in
// a running copy of the program is not replaced.
#include "ShellFixture.h"

#include "app/FenRecentController.h"

#include "document/DocumentMark.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QPointer>
#include <QStandardPaths>

#include <memory>
#include <unistd.h>

namespace {

const QString kSample = QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd");

// Every file of the package by its path inside it, with its bytes.
QMap<QString, QByteArray> contentOf(const QString& package)
{
    QMap<QString, QByteArray> files;
    for (auto [path, bytes] : testenv::filesUnder(package).asKeyValueRange())
        files.insert(path.mid(package.size()), bytes);
    return files;
}

// The paths whose files differ between the two, or that only one of them has.
std::string differences(const QMap<QString, QByteArray>& a, const QMap<QString, QByteArray>& b)
{
    QStringList paths;
    for (const QString& path : a.keys() + b.keys()) {
        if (a.value(path, "?") != b.value(path, "?") && !paths.contains(path))
            paths.append(path);
    }
    return paths.join(QStringLiteral(", ")).toStdString();
}

class SaveCopyTest : public ShellFixture { };

} // namespace

TEST_F(SaveCopyTest, AnotherDocumentIsReplacedWholeAndOnlyAfterTheUsersWord)
{
    const QString folder = testenv::freshDir(QStringLiteral("copie"));
    const QString url = folder + QStringLiteral("/Maison.svd");
    copyQuietSample(url);
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    // Its package as a save writes the document: a copy writes the same.
    delegate->ENREGISTRER_DOCUMENT();
    const QString closed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Budget.svd";
    ASSERT_TRUE(copyItemAtPath(kSample, closed));
    FenRecentController::setStorageNoticeShown(true);
    const QPointer<FenRecentController> browser = StdWindowController::push<FenRecentController>(nullptr, 0, true);
    browser->start();
    ASSERT_TRUE(browser->GOTO_NAME(QStringLiteral("Budget")));

    const QString other = folder + QStringLiteral("/Maison.old.svd");
    const QString question = localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg("Maison.old");
    const struct {
        const char* name;
        bool fromBrowser;
        int answer; // to the question
        bool heldElsewhere;
        const char* outcome; // the alert that ends the command; none when the panel is cancelled
    } cases[] = {
        {"open document, cancelled", false, kAlertFirstButton, false, nullptr},
        {"open document, replaced", false, kAlertSecondButton, false, "kAlerte_SaveCopyOK"},
        {"open document, open elsewhere", false, kAlertSecondButton, true, "kAlerte_DocumentOpen_CantReplace"},
        {"browser, cancelled", true, kAlertFirstButton, false, nullptr},
        {"browser, replaced", true, kAlertSecondButton, false, "kAlerte_SaveCopyOK"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        // Another document with an attached file and a file the copy does not have.
        QDir(other).removeRecursively();
        ASSERT_TRUE(copyItemAtPath(kSample, other));
        testenv::writeFile(other + "/Contents/Resources/transact.xml", "<list/>");
        testenv::writeFile(other + "/Contents/Resources/Documents/Facture.pdf", "facture");
        testenv::writeFile(other + "/Contents/Resources/notes.txt", "à garder");
        const auto before = contentOf(other);
        const auto copied = contentOf(each.fromBrowser ? closed : url);
        std::unique_ptr<DocumentMark> held(each.heldElsewhere ? new DocumentMark(other) : nullptr);
        ASSERT_TRUE(!held || held->take());
        const double lastSave = delegate->document()->lastSave;
        const qsizetype alerts = ui().alertsShown().size();

        if (!each.fromBrowser)
            ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SaveBeforeCopy")), kAlertSecondButton);
        ui().answerSavePanel(other);
        ui().answerAlert(question, each.answer);
        if (each.outcome)
            ui().answerAlert(localizedDialogue(QString::fromLatin1(each.outcome)), kAlertFirstButton);
        else
            ui().answerSavePanel(QString());
        if (each.fromBrowser)
            browser->perform(QStringLiteral("ENREGISTRER_COPIE:"));
        else
            delegate->ENREGISTRER_COPIE();

        const qsizetype questionAt = alerts + (each.fromBrowser ? 0 : 1);
        ASSERT_GT(ui().alertsShown().size(), questionAt);
        const auto& asked = ui().alertsShown().at(questionAt);
        EXPECT_EQ(asked.request.message, question);
        EXPECT_EQ(asked.buttons,
                  (QStringList {localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                                localizedDialogue(QStringLiteral("LIB_BUTTON_REMPLACER"))}));
        EXPECT_EQ(asked.request.defaultButton, kAlertFirstButton);
        if (!each.outcome) {
            EXPECT_EQ(ui().panelsShown().saves.last().defaultName, other) << "back in the panel, where it was";
        }
        if (each.heldElsewhere) {
            EXPECT_EQ(ui().alertsShown().last().request.information,
                      QStringLiteral("« Maison.old », ouvert par le processus %1").arg(::getpid()));
        }
        const bool replaced = each.outcome && QLatin1String(each.outcome) == QLatin1String("kAlerte_SaveCopyOK");
        EXPECT_EQ(differences(contentOf(other), replaced ? copied : before), "");
        EXPECT_EQ(delegate->document()->lastSave, lastSave);
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList {"Maison.old.svd", "Maison.svd"}));
    }
    delete browser.data();
    QDir(closed).removeRecursively();
    SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemLocal);
}

// Saving a copy of the open document onto another document: the save panel's question comes
// first, its cancel writes nothing, its "Remplacer" gives exactly the copy (nothing of the other
// document kept), and a document open in a running copy of the program is not replaced.
#include "ShellFixture.h"

#include "document/DocumentMark.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>

#include <memory>
#include <unistd.h>

namespace {

// Every file of the package by its path inside it, with its bytes.
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

// "Maison.old", a document of its own with an attached file and a file the copy does not have: a
// copy written into it would keep them.
QString otherDocument(const QString& folder)
{
    const QString url = folder + QStringLiteral("/Maison.old.svd");
    QDir(url).removeRecursively();
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    testenv::writeFile(url + QStringLiteral("/Contents/Resources/transact.xml"), "<list/>");
    testenv::writeFile(url + QStringLiteral("/Contents/Resources/Documents/Facture.pdf"), "facture");
    testenv::writeFile(url + QStringLiteral("/Contents/Resources/notes.txt"), "à garder");
    return url;
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
    const QString question
        = localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg(QStringLiteral("Maison.old"));
    const struct {
        const char* name;
        int answer; // to the question
        bool heldElsewhere;
        const char* outcome; // the alert that ends the command; none when the panel is cancelled
        bool replaced;
    } cases[] = {
        {"cancelled, then the panel too", kAlertFirstButton, false, nullptr, false},
        {"replaced", kAlertSecondButton, false, "kAlerte_SaveCopyOK", true},
        {"open in a running copy", kAlertSecondButton, true, "kAlerte_DocumentOpen_CantReplace", false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const QString other = otherDocument(folder);
        const auto before = contentOf(other);
        std::unique_ptr<DocumentMark> held;
        if (each.heldElsewhere) {
            held = std::make_unique<DocumentMark>(other);
            ASSERT_TRUE(held->take());
        }
        const auto saved = contentOf(url);
        const double lastSave = delegate->document()->lastSave;
        const qsizetype alertsBefore = ui().alertsShown().size();
        const qsizetype panelsBefore = ui().panelsShown().saves.size();
        ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SaveBeforeCopy")), kAlertSecondButton);
        ui().answerSavePanel(other);
        ui().answerAlert(question, each.answer);
        if (each.outcome)
            ui().answerAlert(localizedDialogue(QString::fromLatin1(each.outcome)), kAlertFirstButton);
        else
            ui().answerSavePanel(QString());
        delegate->ENREGISTRER_COPIE();

        ASSERT_GE(ui().alertsShown().size(), alertsBefore + 2);
        const auto& asked = ui().alertsShown().at(alertsBefore + 1);
        EXPECT_EQ(asked.request.message, question);
        EXPECT_EQ(asked.buttons,
                  (QStringList {localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                                localizedDialogue(QStringLiteral("LIB_BUTTON_REMPLACER"))}));
        EXPECT_EQ(asked.request.defaultButton, kAlertFirstButton);
        if (!each.outcome) {
            // Back in the panel, where the user was.
            ASSERT_EQ(ui().panelsShown().saves.size(), panelsBefore + 2);
            EXPECT_EQ(ui().panelsShown().saves.last().defaultName, other);
        }
        if (each.heldElsewhere) {
            EXPECT_EQ(ui().alertsShown().last().request.information,
                      QStringLiteral("« Maison.old », ouvert par le processus %1").arg(::getpid()));
        }
        // The whole copy, nothing of the other document kept; or the other document as it was.
        EXPECT_EQ(differences(contentOf(other), each.replaced ? saved : before), "");
        EXPECT_EQ(delegate->document()->lastSave, lastSave);
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList {"Maison.old.svd", "Maison.svd"}));
    }
}

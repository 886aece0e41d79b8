// What the user chose not to save is not written. A close whose save fails, or can't even start,
// leaves every file of the package as it was, its memorised analyses and graphs included. A
// document opened without saving, its folder read-only, is never written to: a change that must be
// written at once is refused, saying why, what can wait stays in memory, and closing and quitting
// ask nothing. The tests run as root: the folder the user can't write is played through the
// file-system seam, and writes that pass it by would show in the package's files.
#include "ShellFixture.h"

#include "analysis/FenAnalyseController.h"
#include "entities/FenLogoController.h"
#include "graphs/FenEditGraphiqueController.h"
#include "graphs/FenGraphiqueController.h"
#include "import/FenEditImportTABController.h"

#include "document/BackupManager.h"
#include "document/DocContext.h"
#include "document/FileSystemOps.h"
#include "document/SaveLeftovers.h"
#include "document/SavedSearches.h"
#include "document/SimulationFile.h"
#include "import/ImportParserTAB.h"
#include "model/DOCUMENT.h"
#include "support/PackageSnapshot.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <functional>

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

using Alerts = QList<std::pair<QString, int>>;

} // namespace

TEST_F(UnsavedWritesTest, ACloseWhoseSaveFailsLeavesThePackageAndItsWindowListAsTheyWere)
{
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    DOCUMENT& doc = *delegate->document();
    ASSERT_NE(openNewAnalyseWindow(doc, doc.anadefHdl.first().nom, 0, std::nullopt, true), nullptr);
    ui().onModal<FenEditGraphiqueController>([](FenEditGraphiqueController& e) { e.perform(QStringLiteral("OUI:")); });
    ASSERT_NE(openGraphiqueWindow(nullptr, false, kGraphModeCompte, doc.compteHdl.first().ident, doc, 0), nullptr);
    const std::string windows = recordsOf(doc.docParam->documentWindows);
    const std::string before = testenv::packageSnapshot(url);
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
        EXPECT_EQ(testenv::packageSnapshot(url), before);
        EXPECT_EQ(recordsOf(doc.docParam->documentWindows), windows);
        saves = RefusedSaves();
    }
}

TEST_F(UnsavedWritesTest, ADocumentKeptWithoutSavingIsNeverWrittenTo)
{
    saves.unwritable = folder;
    const std::string before = testenv::packageSnapshot(url);
    const Alerts openWithoutSaving {{QStringLiteral("kConfirm_ReadOnlyDocument"), kAlertSecondButton}};
    answer(openWithoutSaving);
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    DOCUMENT& doc = *delegate->document();
    APPLIPARAM::loadAppliParam().everyDaysManualSave = 0; // the reminder due at every close
    const QString search = DocContext::instance().savedSearchList.value(0);
    const QString attached = testenv::freshDir(QStringLiteral("chosen")) + QStringLiteral("/Facture.pdf");
    testenv::writeFile(attached, "%PDF");
    const Alerts refused {{QStringLiteral("kAlerte_CannotChangeDoc_ReadOnly"), kAlertFirstButton}};
    const struct {
        const char* name;
        Alerts alerts;
        std::function<void()> write;
    } writers[] = {
        {"password", refused, [this] { delegate->PASSWORD(); }},
        {"reminder ignored",
         {{localizedDialogue(QStringLiteral("kConfirm_ManualSaveDoc")).arg(0), kAlertThirdButton}},
         [&doc] {
             doc.docParam->lastManualSave = 0;
             BackupManager::defaultManager().alertForManualSave(&doc);
             EXPECT_GT(doc.docParam->lastManualSave, 0) << "noted in memory";
         }},
        {"manual copy noted", {}, [&doc] { BackupManager::defaultManager().didManualSaveForOpenedDocument(&doc); }},
        {"search saved",
         {},
         [&doc] {
             EXPECT_FALSE(saveCritereToSearches(Critere(&doc, true), QStringLiteral("Essence.xml"), &doc, nullptr));
         }},
        {"search renamed, removed",
         {},
         [&search] {
             EXPECT_FALSE(renameSavedSearch(search, QStringLiteral("Autre.xml"), nullptr));
             EXPECT_FALSE(removeSavedSearch(search));
         }},
        {"simulation saved", {}, [&doc] { EXPECT_FALSE(saveSimulation(SIMULrec(), QStringLiteral("Essai"), &doc)); }},
        {"year closed", refused, [this] { delegate->CLOTURE(); }},
        {"logo made", refused, [] { FenLogoController::openLogos(true)->perform(QStringLiteral("CREER:")); }},
        {"import configuration", refused,
         [&doc] {
             const ImportRows rows = ImportParserTAB::convertStringToTableur(QStringLiteral("Date;Montant\r\n"), 1, {});
             FenEditImportTABController* editor
                 = openImportTABWindow(rows, kImportFormatCSV, doc.compteHdl.first().ident, 0, [](ParsedImport) {});
             editor->perform(QStringLiteral("ENREGISTRER:"));
             editor->close();
         }},
        {"file attached, then saved",
         {{QStringLiteral("kAlerte_CannotSaveDoc_ReadOnly"), kAlertFirstButton}},
         [&] {
             doc.transact_array.first().attachedDocuments.append({QStringLiteral("Facture"), QString(), attached});
             delegate->ENREGISTRER_DOCUMENT();
         }},
        {"copied elsewhere, as it is",
         {{QStringLiteral("kAlerte_SaveCopyOK"), kAlertFirstButton}},
         [&] {
             const QString copy = testenv::freshDir(QStringLiteral("copie")) + QStringLiteral("/Copie.svd");
             ui().answerSavePanel(copy);
             delegate->ENREGISTRER_COPIE();
             const QString resources = copy + QStringLiteral("/Contents/Resources/");
             EXPECT_EQ(testenv::readFile(resources + QStringLiteral("Documents/Facture.pdf")), "%PDF");
             EXPECT_TRUE(testenv::readFile(resources + QStringLiteral("transact.xml")).contains("Facture.pdf"));
             EXPECT_EQ(doc.transact_array.first().attachedDocuments.last().docUrl, attached) << "still waiting";
         }},
        {"closed", {}, [this] { delegate->FERMER_DOCUMENT(); }},
        {"opened again and quit", openWithoutSaving,
         [this] {
             ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
             EXPECT_EQ(delegate->applicationShouldTerminate(), 1);
         }},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        const qsizetype shown = ui().alertsShown().size();
        answer(writer.alerts);
        writer.write();
        EXPECT_EQ(ui().alertsShown().size(), shown + writer.alerts.size()) << "every answer asked for, no other";
        EXPECT_EQ(testenv::packageSnapshot(url), before);
    }
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_TRUE(ui().modalRuns().isEmpty()) << "no window asked for what can't be written";
}

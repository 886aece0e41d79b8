// A bank file imported into the current account from its statement window, in each format:
// chosen, (for tab and CSV) given its roles in the editor, reviewed, confirmed, stored; then the
// same file again, whose every record is a duplicate, offered as a listing.
#include "ImportUiFixture.h"

#include "transactions/FenListingController.h"

#include "engines/LISTING.h"
#include "foundation/localized.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QFileInfo>
#include <QSettings>

namespace {

using importui::ImportUiTest;
using saisieui::at;

struct FormatCase {
    const char* name;
    int format;
    QByteArray (*file)();
    long cinemaPayee; // the counterpart of the unknown payee
};

struct Expected {
    double when;
    long who1;
    long who2;
    double amount;
    const char* why;
};

class ImportEndToEnd : public ImportUiTest, public ::testing::WithParamInterface<FormatCase> {
protected:
    // One import of the file; answers the number of transactions it stored.
    long importOnce(FenReleveController* window, const QString& path, bool duplicatesExpected)
    {
        const long before = long(doc.transact_array.size());
        ui().answerOpenPanel(path);
        confirmRun();
        if (duplicatesExpected)
            ui().answerAlert(QStringLiteral("kConfirm_ShowDoublons"), kAlertFirstButton);
        QAction item;
        item.setData(GetParam().format);
        window->perform(QStringLiteral("IMPORTER:"), &item);
        ui().advance(1000);
        if (GetParam().format <= kImportFormatCSV) {
            FenEditImportTABController* editor = openEditor();
            EXPECT_NE(editor, nullptr);
            if (!editor)
                return 0;
            giveRoles(*editor);
            EXPECT_TRUE(editor->outlet<QPushButton>(QStringLiteral("buttonImporter"))->isEnabled());
            editor->perform(QStringLiteral("IMPORTER:"));
        }
        ui().flush();
        return long(doc.transact_array.size()) - before;
    }
};

TEST_P(ImportEndToEnd, StoresTheRecordsAndShowsTheDuplicatesOfASecondRun)
{
    const FormatCase& format = GetParam();
    const QString path = writeBankFile(QStringLiteral("releve"), format.file());
    FenReleveController* window = releve();
    ASSERT_NE(window, nullptr);
    const double startBalance = balance(7);
    const long first = long(doc.transact_array.size());

    ASSERT_EQ(importOnce(window, path, false), 3);
    const Expected expected[] = {
        {at(2, 6, 2024), 7, 22, 12.5, "Pain"},
        {at(5, 6, 2024), 23, 7, 1800, "Virement"},
        {at(7, 6, 2024), 7, format.cinemaPayee, 9, "Cinéma"},
    };
    for (int i = 0; i < 3; ++i) {
        const TRANSACT& trans = doc.transact_array[first + i];
        SCOPED_TRACE(i);
        EXPECT_EQ(trans.when, expected[i].when);
        EXPECT_EQ(trans.who1, expected[i].who1);
        EXPECT_EQ(trans.who2, expected[i].who2);
        EXPECT_NEAR(trans.solde.values[0], expected[i].amount, 0.005);
        EXPECT_EQ(trans.why, QString::fromUtf8(expected[i].why));
        EXPECT_EQ(trans.importID, 7);
        EXPECT_FALSE(trans.importDoublon);
        EXPECT_TRUE(trans.mark);
    }
    EXPECT_NEAR(balance(7), startBalance - 12.5 + 1800 - 9, 0.005);
    EXPECT_FALSE(window->indicator()->isVisible());
    WindowDriver(*window).grab(QStringLiteral("import_%1_account.png").arg(QLatin1String(format.name)));

    ASSERT_EQ(importOnce(window, path, true), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(doc.transact_array[first + 3 + i].importDoublon) << i;
    auto* listing = findOpenWindowController<FenListingController>(-1, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listingCount(listing->listing()), 3);
    listing->close();
    window->close();
}

using ImportFileChoiceTest = ImportUiTest;

// The file chooser offers the banks' files beside every file, and opens where the last bank file
// was chosen: in the user's documents the first time.
TEST_F(ImportFileChoiceTest, OpensInTheFolderOfTheLastImportWithTheBankFiles)
{
    QSettings().remove(QStringLiteral("SVLastImportFolder"));
    FenReleveController* window = releve();
    ASSERT_NE(window, nullptr);
    const auto choose = [&](const QString& answer) {
        ui().answerOpenPanel(answer);
        QAction item;
        item.setData(kImportFormatQIF);
        window->perform(QStringLiteral("IMPORTER:"), &item);
        ui().advance(1000);
        return ui().panelsShown().opens.last();
    };
    ui().onModal<FenEditImportController>([](FenEditImportController& w) { w.perform(QStringLiteral("NON:")); });
    const OpenPanelRequest first = choose(writeBankFile(QStringLiteral("releve.qif"), qif()));
    EXPECT_EQ(QFileInfo(first.startFolder).canonicalFilePath(),
              QFileInfo(testenv::homeDir() + QStringLiteral("/Documents")).canonicalFilePath());
    ASSERT_EQ(first.filters.size(), 2);
    EXPECT_TRUE(first.filters[0].startsWith(localizedMisc(QStringLiteral("kMisc_OpenImportBankFiles"))));
    for (const char* pattern : {"*.qif", "*.ofx", "*.qfx", "*.csv", "*.txt"})
        EXPECT_TRUE(first.filters[0].contains(QLatin1String(pattern))) << pattern;
    EXPECT_EQ(first.filters[1], localizedMisc(QStringLiteral("kMisc_OpenImportAllFiles")) + QStringLiteral(" (*)"));
    EXPECT_EQ(choose(QString()).startFolder, dir.path());
    window->close();
}

INSTANTIATE_TEST_SUITE_P(Formats, ImportEndToEnd,
                         ::testing::Values(FormatCase {"tab", kImportFormatTab, &ImportUiTest::tab, 24},
                                           FormatCase {"csv", kImportFormatCSV, &ImportUiTest::csv, 24},
                                           FormatCase {"qif", kImportFormatQIF, &ImportUiTest::qif, 3},
                                           FormatCase {"ofx", kImportFormatOFX, &ImportUiTest::ofx, 3}),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace

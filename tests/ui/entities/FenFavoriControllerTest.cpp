// The favourites window on four favourites: the editor, deleting with the selection that follows,
// opening through the desktop (only web pages and files), and the import and export of the file.
#include "entities/FenFavoriController.h"
#include "entities/FenEditFavoriController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "toolkit/tables/StdTableView.h"

#include "document/HelperSVLibraryFolder.h"
#include "document/favoris.h"
#include "foundation/localized.h"

#include <QFile>
#include <QLineEdit>

namespace {

QString favorisFile()
{
    QString url;
    HelperSVLibraryFolder::getSVLibraryFavoriFileUrl(&url, nullptr);
    return url;
}

class FenFavoriControllerTest : public UiTestFixture {
protected:
    FenFavoriControllerTest()
    {
        QFile::remove(favorisFile());
        reloadFavoris();
        favoris() = {{"Ma banque en ligne", "https://banque.example/"},
                     {"Impôts & taxes", "https://impots.example/"},
                     {"Relevés scannés", "file:///home/famille/Releves"},
                     {"Forum des utilisateurs", QString::fromLatin1(kFavoriForumUrl)}};
        dir = testenv::freshDir(QStringLiteral("favoris-ui"));
        window = FenFavoriController::openFavoris();
    }
    ~FenFavoriControllerTest() override
    {
        if (window)
            window->close();
        QFile::remove(favorisFile());
        reloadFavoris();
    }
    QStringList names() const
    {
        QStringList out;
        for (const Favori& favori : favoris())
            out << favori.nom;
        return out;
    }
    int selected() const
    {
        const IndexSet s = window->table1()->selectedRowIndexes();
        return s.empty() ? -1 : int(*s.begin());
    }
    void editWith(const char* command, const QString& nom, const QString& url)
    {
        ui().onModal<FenEditFavoriController>([nom, url](FenEditFavoriController& editor) {
            editor.outlet<QLineEdit>("field_nom")->setText(nom);
            editor.outlet<QLineEdit>("field_url")->setText(url);
            WindowDriver(editor).grab(QStringLiteral("favori-editor.png"));
            editor.perform("OUI:");
        });
        window->perform(QString::fromLatin1(command));
    }

    QString dir;
    QPointer<FenFavoriController> window;
};

TEST_F(FenFavoriControllerTest, NewEditedAndDeletedFavouritesKeepTheListInOrder)
{
    EXPECT_EQ(window->viewForTableColumn1(window->table1(), 1)->rowTexts(), QStringList {"Impôts & taxes"});
    WindowDriver(*window).grab(QStringLiteral("favoris.png"));
    editWith("NOUVEAU:", "Mutuelle", "https://mutuelle.example/");
    EXPECT_EQ(names().last(), "Mutuelle");
    EXPECT_EQ(selected(), 4);
    window->table1()->GO(1);
    editWith("MODIFIER:", "Impôts", "https://impots.example/espace");
    EXPECT_EQ(favoris()[1], (Favori {"Impôts", "https://impots.example/espace"}));
    EXPECT_EQ(selected(), 1);

    struct Case {
        int row;
        int answer;
        int selectedAfter;
    };
    // Cancelled; the last row (the one before is selected); a middle row (the same row).
    const Case cases[] = {{0, kAlertFirstButton, 0}, {4, kAlertSecondButton, 3}, {1, kAlertSecondButton, 1}};
    for (const Case& c : cases) {
        window->table1()->GO(c.row);
        ui().answerAlert("kConfirm_SuppFavori", c.answer);
        window->perform("SUPPRIMER:");
        EXPECT_EQ(selected(), c.selectedAfter) << c.row;
    }
    EXPECT_EQ(names(), (QStringList {"Ma banque en ligne", "Relevés scannés", "Forum des utilisateurs"}));
    EXPECT_FALSE(QFile::exists(favorisFile())) << "the file is written only at quit";
}

TEST_F(FenFavoriControllerTest, OnlyWebPagesAndFilesAreHandedToTheDesktop)
{
    window->table1()->GO(0);
    window->perform("CONNEXION:");
    window->table1()->GO(2);
    window->didDoubleClick1(nullptr);
    EXPECT_EQ(ui().desktopRequests().openedURLs,
              (QStringList {"https://banque.example/", "file:///home/famille/Releves"}));

    favoris()[1].url = QStringLiteral("javascript:alert(1)");
    window->table1()->GO(1);
    ui().answerAlert("kAlerte_FavoriUrlRefusee", kAlertFirstButton);
    window->perform("CONNEXION:");
    EXPECT_EQ(ui().desktopRequests().openedURLs.size(), 2);
}

TEST_F(FenFavoriControllerTest, ImportAndExportGoThroughTheFileWrittenAtQuit)
{
    // A first run: there is no file yet.
    ui().answerAlert("kAlerte_CantFindFavoriFile", kAlertFirstButton);
    window->perform("EXPORTER:");
    ui().answerOpenPanel(dir + "/ami.xml");
    ui().answerAlert("kAlerte_CantFindFavoriFile", kAlertFirstButton);
    window->perform("IMPORTER:");

    ASSERT_TRUE(saveFavoris());
    const QString exported = dir + "/Favorites.xml";
    ui().answerSavePanel(exported);
    ui().answerAlert("kAlerte_ExportFavorisSuccess", kAlertFirstButton);
    window->perform("EXPORTER:");
    ASSERT_EQ(ui().panelsShown().saves.size(), 1);
    EXPECT_EQ(ui().panelsShown().saves[0].defaultName, "Favorites");
    ui().answerSavePanel(exported);
    ui().answerAlert(localizedDialogue("kConfirm_ReplaceExisting").arg("Favorites"), kAlertSecondButton);
    ui().answerAlert("kAlerte_CantExportFavoris", kAlertFirstButton);
    window->perform("EXPORTER:");

    testenv::writeFile(dir + "/ami.xml",
                       "<?xml version=\"1.0\"?><list><record><nom>Ami</nom><url>https://ami.example/</url></record>"
                       "</list>");
    ui().answerOpenPanel(dir + "/ami.xml");
    ui().answerAlert("kAlerte_ImportFavorisSuccess", kAlertFirstButton);
    window->perform("IMPORTER:");
    EXPECT_EQ(names(), (QStringList {"Ami", "Forum des utilisateurs"}));
    EXPECT_EQ(window->table1()->numberOfRows(), 2);
}

} // namespace

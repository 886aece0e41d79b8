// The tab import editor as the user drives it: the column, row and cell menus, the import button,
// the configurations' pop-up (save, load, delete, leave) and the active configuration written
// back when the window closes.
#include "ImportUiFixture.h"

#include "import/PopImportConfiguration.h"

#include "toolkit/dialogs/FenAskStringController.h"

#include "foundation/localized.h"
#include "import/ImportParserTAB.h"
#include "support/FakeAppShell.h"

#include <QLineEdit>

#include <QFileInfo>

namespace {

using importui::ImportUiTest;
using R = ImportRubrique;

class FenEditImportTAB : public ImportUiTest {
protected:
    FenEditImportTAB()
    {
        doc.documentUrl = testenv::package(QStringLiteral("importtab"));
        ImportManager::sharedInstance().openDocImport(&doc);
    }

    FenEditImportTABController* open()
    {
        return openImportTABWindow(ImportParserTAB::convertStringToTableur(QString::fromUtf8(csv()), 1, QString()),
                                   kImportFormatCSV, 7, 0, [this](ParsedImport parsed) { received.push_back(parsed); });
    }
    static QAction* itemOfTag(QMenu* menu, qint64 tag)
    {
        for (QAction* item : menu->actions()) {
            if (item->menu())
                if (QAction* inner = itemOfTag(item->menu(), tag))
                    return inner;
            if (!item->menu() && !item->isSeparator() && StdMenu::tagOf(item) == tag)
                return item;
        }
        return nullptr;
    }
    static QStringList titles(QMenu* menu)
    {
        QStringList out;
        for (QAction* item : menu->actions())
            out << (item->isSeparator() ? QStringLiteral("|") : item->text());
        return out;
    }
    void nameNext(const QString& name)
    {
        ui().onModal<FenAskStringController>([name](FenAskStringController& w) {
            w.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(name);
            w.perform(QStringLiteral("OUI:"));
        });
    }

    std::vector<ParsedImport> received;
};

TEST_F(FenEditImportTAB, TheColumnMenuGivesRolesAndTheRecordsGoToTheBlock)
{
    FenEditImportTABController* editor = open();
    ASSERT_NE(editor, nullptr);
    StdMenu* menu = editor->columnMenu(0);
    EXPECT_EQ(titles(menu).mid(0, 6),
              (QStringList {ImportManager::rubriqueToString(19, false), ImportManager::rubriqueToString(7, true),
                            ImportManager::rubriqueToString(1, true), ImportManager::rubriqueToString(3, true),
                            ImportManager::rubriqueToString(5, true), ImportManager::rubriqueToString(11, false)}));
    EXPECT_EQ(itemOfTag(menu, 0), nullptr) << "an ignored column is one without a role";
    itemOfTag(menu, qint64(R::DateJMA))->trigger();
    EXPECT_EQ(editor->roles().rubriqueOfColumn(0), R::DateJMA);
    QAction* dateGroup = editor->columnMenu(0)->actions().at(1);
    EXPECT_TRUE(dateGroup->isChecked()) << "the group of the selected kind";

    const QPushButton* importer = editor->outlet<QPushButton>(QStringLiteral("buttonImporter"));
    EXPECT_FALSE(importer->isEnabled());
    itemOfTag(editor->columnMenu(2), qint64(R::MontantSeul))->trigger();
    ui().onModal<FenAskImportCompteController>(
        [](FenAskImportCompteController& w) { w.perform(QStringLiteral("INVALIDER:")); });
    itemOfTag(editor->columnMenu(3), qint64(R::Contre))->trigger();
    EXPECT_TRUE(importer->isEnabled());

    // The Cinéma line was left out by the question; the row menu takes it back, unmatched.
    ui().onModal<FenAskImportCompteController>(
        [](FenAskImportCompteController& w) { w.perform(QStringLiteral("NON:")); });
    itemOfTag(editor->rowMenu(3), 1)->trigger();
    ASSERT_NE(editor->cellMenu(3, 3), nullptr);
    EXPECT_EQ(editor->cellMenu(1, 3), nullptr) << "a valid cell has nothing to map";
    StdMenu* accounts = editor->cellMenu(3, 3);
    itemOfTag(accounts, 24)->trigger();
    EXPECT_EQ(editor->cellAtRow(3, 3)->value(), QStringLiteral("Courtier"));

    editor->perform(QStringLiteral("IMPORTER:"));
    ASSERT_EQ(received.size(), 1u);
    ASSERT_EQ(received[0].records.size(), 3u);
    EXPECT_EQ(received[0].records[2].fields.back().value, QStringLiteral("Courtier"));
}

TEST_F(FenEditImportTAB, ConfigurationsAreSavedLoadedAndWrittenBackOnClose)
{
    FenEditImportTABController* editor = open();
    ASSERT_NE(editor, nullptr);
    editor->RUBRIQUE(R::DateJMA, 0, false);
    nameNext(QStringLiteral("Banque du Port"));
    editor->perform(QStringLiteral("ENREGISTRER:"));
    EXPECT_EQ(editor->getActiveConfiguration(), QStringLiteral("Banque du Port"));
    EXPECT_EQ(editor->outlet<QLabel>(QStringLiteral("labelConfiguration"))->text(), QStringLiteral("Banque du Port"));

    auto* pop = editor->outlet<PopImportConfiguration>(QStringLiteral("popImportConfiguration"));
    pop->rebuild();
    EXPECT_EQ(
        titles(pop->stdMenu()).mid(1),
        (QStringList {localizedMisc(QStringLiteral("kImportNoConfiguration")),
                      localizedMisc(QStringLiteral("kImportSaveConfiguration")),
                      localizedMisc(QStringLiteral("kImportDeleteConfiguration")) + QStringLiteral(" Banque du Port"),
                      QStringLiteral("|"), QStringLiteral("Banque du Port")}));

    // A role changed while the configuration is active goes back into its file at closing.
    editor->RUBRIQUE(R::Info, 1, false);
    editor->close();
    QString name;
    const auto loaded = ImportManager::sharedInstance().loadConfigurationAtIndex(0, &name, &doc);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->rubriques, (QList<ImportColumnRole> {{0, R::DateJMA}, {1, R::Info}}));

    editor = open();
    ASSERT_NE(editor, nullptr);
    pop = editor->outlet<PopImportConfiguration>(QStringLiteral("popImportConfiguration"));
    pop->rebuild();
    ASSERT_TRUE(pop->activateTag(0));
    EXPECT_EQ(editor->roles().rubriqueOfColumn(1), R::Info);
    EXPECT_EQ(editor->getActiveConfiguration(), QStringLiteral("Banque du Port"));
    editor->perform(QStringLiteral("SUPPRIMER:"));
    EXPECT_TRUE(ImportManager::sharedInstance().allImportConfigurations().isEmpty());
    EXPECT_FALSE(editor->roles().rubriqueOfColumn(0));
    EXPECT_TRUE(editor->getActiveConfiguration().isEmpty());
    editor->close();
    EXPECT_TRUE(received.empty()) << "closing without importing hands nothing on";
}

// The account pop-up shows the account imported into; it has a say only while amounts are signed
// against a counterpart, and what it chooses is where the records go. A cell menu opened and left
// without a choice maps nothing when the pop-up then chooses.
TEST_F(FenEditImportTAB, TheAccountPopUpChoosesOnlyAgainstACounterpart)
{
    FenEditImportTABController* editor = open();
    ASSERT_NE(editor, nullptr);
    auto* pop = editor->outlet<StdPopUp>(QStringLiteral("pop_compteD"));
    ASSERT_NE(pop, nullptr);
    const std::pair<std::pair<R, long>, bool> steps[] = {
        {{R::MontantSeul, 2}, true},  {{R::Debit, 1}, false}, {{R::Credit, 3}, false},
        {{R::MontantSeul, 2}, false}, {{R::Contre, 3}, true}, {{R::MontantDebitSeul, 2}, false},
        {{R::NotAffected, 2}, true},
    };
    for (const auto& [role, enabled] : steps) {
        editor->RUBRIQUE(role.first, role.second, false);
        EXPECT_EQ(pop->isEnabled(), enabled) << int(role.first);
    }
    editor->RUBRIQUE(R::DateJMA, 0, false);
    editor->RUBRIQUE(R::MontantSeul, 2, false);
    editor->RUBRIQUE(R::Contre, 3, false);
    ASSERT_TRUE(pop->isEnabled());
    ASSERT_NE(editor->cellMenu(3, 3), nullptr);
    pop->rebuild();
    ASSERT_TRUE(pop->activateTag(9));
    EXPECT_TRUE(editor->cellAtRow(3, 3)->invalidated()) << "the cell menu was left without a choice";
    EXPECT_EQ(editor->outlet<QLabel>(QStringLiteral("view_compteD"))->text(), QStringLiteral("Livret A"));
    editor->perform(QStringLiteral("IMPORTER:"));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].compteID, 9);
    EXPECT_EQ(editor->importArray().size(), 2u);
}

// The application creates what the document lacks; the cell's text then stands for it.
class CreatingShell : public FakeAppShell {
public:
    long CREATE_COMPTE(QObject*, QObject*) override { return 24; }
    long CREATE_POSTE(QObject*, QObject*) override { return 4; }
};

TEST_F(FenEditImportTAB, TheCellMenuCreatesWhatTheDocumentLacks)
{
    CreatingShell shell;
    ScopedAppShell scope(&shell);
    FenEditImportTABController* editor = open();
    ASSERT_NE(editor, nullptr);
    editor->RUBRIQUE(R::DateJMA, 0, false);
    editor->RUBRIQUE(R::Contre, 3, false);
    editor->RUBRIQUE(R::Poste, 1, false);
    const std::tuple<long, const char*, const char*> cases[]
        = {{3, "CREATE_COMPTED:", "Courtier"}, {1, "CREATE_POSTE:", "Loisirs"}};
    for (const auto& [column, action, shown] : cases) {
        StdMenu* menu = editor->cellMenu(3, column);
        ASSERT_NE(menu, nullptr) << action;
        QAction* create = nullptr;
        for (QAction* item : menu->findChildren<QAction*>())
            if (StdMenu::actionOf(item) == QLatin1String(action))
                create = item;
        ASSERT_NE(create, nullptr) << action;
        create->trigger();
        EXPECT_EQ(editor->cellAtRow(3, column)->value(), QString::fromUtf8(shown)) << action;
    }
    editor->close();
}

// A file laid out one transaction per column is imported once the grid is turned: the roles go
// to the display columns and the records come from the display rows.
TEST_F(FenEditImportTAB, ARotatedFileGivesItsRecordsByDisplayRows)
{
    const ImportRows rows = {{QStringLiteral("02/06/2024"), QStringLiteral("05/06/2024")},
                             {QStringLiteral("-12,50"), QStringLiteral("1800")},
                             {QStringLiteral("Boulangerie"), QStringLiteral("Employeur")}};
    FenEditImportTABController* editor = openImportTABWindow(
        rows, kImportFormatTab, 7, 0, [this](ParsedImport parsed) { received.push_back(parsed); });
    ASSERT_NE(editor, nullptr);
    editor->RUBRIQUE(R::DateJMA, 0, false);
    editor->roles().replacements().addCompteReplacement(QStringLiteral("Cinéma Rex"), 24);
    ui().onModal<FenAskPoursuivreController>([](FenAskPoursuivreController& w) { w.perform(QStringLiteral("OUI:")); });
    editor->perform(QStringLiteral("actionRotate:"));
    EXPECT_FALSE(editor->roles().rubriqueOfColumn(0)) << "turning the grid takes the roles away";
    EXPECT_EQ(editor->roles().replacements().compteReplacementArray().size(), 1) << "texts keep their meaning";
    editor->RUBRIQUE(R::DateJMA, 0, false);
    editor->RUBRIQUE(R::MontantSeul, 1, false);
    editor->RUBRIQUE(R::Contre, 2, false);
    editor->perform(QStringLiteral("IMPORTER:"));
    ASSERT_EQ(received.size(), 1u);
    ASSERT_EQ(received[0].records.size(), 2u);
    EXPECT_EQ(received[0].records[1].fields,
              (std::vector<ImportField> {{R::DateJMA, QStringLiteral("05/06/2024")},
                                         {R::MontantSeul, QStringLiteral("1 800,00")},
                                         {R::Contre, QStringLiteral("Employeur")}}));
}

} // namespace

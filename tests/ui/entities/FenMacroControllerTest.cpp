// The macros window on three macros: rows, renaming and re-keying with their refusals, editing the
// template in the entry window, deleting.
#include "entities/FenMacroController.h"
#include "entities/FenEditMacroController.h"
#include "transactions/FenEditSaisieController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "toolkit/fields/StdTextView.h"
#include "toolkit/tables/StdTableView.h"

#include "model/DOCUMENT.h"
#include "model/PosteFile.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

namespace {

MACRO macro(const char* nom, char16_t key, int moyen)
{
    MACRO m;
    m.nom = QString::fromUtf8(nom);
    m.ch = key;
    if (moyen >= 0) {
        m.transact = TRANSACT();
        m.transact->moyen = moyen;
        m.transact->who1 = 20;
        m.transact->who2 = 30;
    }
    return m;
}

class FenMacroTest : public UiTestFixture {
protected:
    FenMacroTest()
    {
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        doc.dossierHdl = defaultDossiers();
        doc.posteHdl = defaultPostes();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, "Banque du Centre", kBanqueUser),
                         testenv::tool(kToolBanque, 12, "Fournisseurs", kBanqueTiers)};
        doc.compteHdl = {testenv::tool(kToolCompte, 20, "Compte courant", kBanqueUser, 10),
                         testenv::tool(kToolCompte, 30, "Boulangerie", kBanqueTiers, 12)};
        doc.macroHdl = {macro("Boulangerie", u'b', 11), macro("Essence", u'e', 11), macro("Loyer", 0, -1)};
        opened.emplace(doc);
        fen = showMacros(true);
    }
    ~FenMacroTest() override
    {
        if (fen)
            fen->close();
    }
    QStringList names() const
    {
        QStringList out;
        for (const MACRO& m : doc.macroHdl)
            out << m.nom;
        return out;
    }
    // Renames the macro of the row in the editor, expecting the alert (none when empty).
    void rename(int row, const QString& name, const QString& key, const QString& alert)
    {
        fen->table1()->GO(row);
        ui().onModal<FenEditMacroController>([=, this](FenEditMacroController& editor) {
            editor.outlet<StdTextView>(QStringLiteral("field_nom"))->setPlainText(name);
            editor.outlet<StdTextView>(QStringLiteral("field_touche"))->setPlainText(key);
            if (!alert.isEmpty())
                ui().answerAlert(alert, 1000);
            editor.perform(QStringLiteral("OUI:"));
            if (!alert.isEmpty())
                editor.perform(QStringLiteral("NON:"));
        });
        fen->perform(QStringLiteral("MODIFIER:"));
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> opened;
    QPointer<FenMacroController> fen;
};

} // namespace

TEST_F(FenMacroTest, RowsShowKeyNameAndPaymentMeans)
{
    ASSERT_EQ(fen->table1()->numberOfRows(), 3);
    const QStringList first = fen->viewForTableColumn1(fen->table1(), 0)->rowTexts();
    ASSERT_EQ(first.size(), 3);
    EXPECT_EQ(first.mid(0, 2), (QStringList {"b", "Boulangerie"}));
    EXPECT_EQ(fen->viewForTableColumn1(fen->table1(), 2)->rowTexts(), (QStringList {"", "Loyer", "?"}));
    fen->table1()->GO(1);
    WindowDriver(*fen).grab(QStringLiteral("FenMacro.png"));
}

TEST_F(FenMacroTest, NamesIgnoreCaseKeysDoNotAndARenamedMacroKeepsItsSelection)
{
    struct Case {
        int row;
        const char* name;
        const char* key;
        const char* alert;
    };
    const Case refused[] = {{1, "BOULANGERIE", "", "kAlerte_MacroDupName"},
                            {1, "Carburant", "b", "kAlerte_MacroDupChar"},
                            {1, "", "", "kAlerte_MacroEmptyName"}};
    for (const Case& c : refused)
        rename(c.row, QString::fromUtf8(c.name), QString::fromLatin1(c.key), QString::fromLatin1(c.alert));
    EXPECT_EQ(names(), (QStringList {"Boulangerie", "Essence", "Loyer"}));
    ASSERT_EQ(ui().alertsShown().size(), 3);
    EXPECT_EQ(ui().alertsShown()[1].request.information, QStringLiteral("Boulangerie")) << "the other macro is named";

    rename(1, QStringLiteral("Autoroute"), QStringLiteral("B"), QString()); // another case, another key
    EXPECT_EQ(names(), (QStringList {"Autoroute", "Boulangerie", "Loyer"}));
    EXPECT_EQ(doc.macroHdl[0].ch, u'B');
    EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {0});
    rename(2, QStringLiteral("Zoo"), QString(), QString()); // no key, no conflict
    EXPECT_EQ(names().last(), QStringLiteral("Zoo"));
}

TEST_F(FenMacroTest, EditOpensTheEntryWindowOnTheTemplateAndDeleteSelectsTheNewLast)
{
    fen->table1()->GO(0);
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& entry) {
        // The template is edited under its macro's name.
        EXPECT_EQ(entry.windowIfLoaded()->windowTitle(), QStringLiteral("Opération (Boulangerie)"));
        entry.perform(QStringLiteral("NON:"));
    });
    fen->perform(QStringLiteral("EDIT:"));
    ASSERT_EQ(ui().modalRuns().size(), 1);
    EXPECT_EQ(FenMacroController::saisieCompte(*doc.macroHdl[0].transact, doc), 20);

    fen->table1()->GO(2);
    ui().answerAlert(QStringLiteral("kConfirm_SuppMacro"), 1001);
    fen->perform(QStringLiteral("SUPPRIMER:"));
    EXPECT_EQ(names(), (QStringList {"Boulangerie", "Essence"}));
    EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {1});
    fen->NOTIFY_NEW_MACRO(QVariant(0));
    EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {0});
}

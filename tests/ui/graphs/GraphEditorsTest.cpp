// The graph editors on a household's year: the format dialog, the full editor's choices and
// dates, and the saved definitions it chooses, creates, renames and deletes.
#include "../analysis/AnalyseHousehold.h"

#include "graphs/FenEditGraphiqueController.h"
#include "toolkit/dialogs/FenAskStringController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/SystemClock.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "support/OpenDocument.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

using analysehousehold::at;

void selectTag(QComboBox* box, int tag)
{
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(box->findData(tag));
}

GRAPH saved(const QString& nom, int mode, long ident)
{
    GRAPH g;
    g.nom = nom;
    g.mode = mode;
    g.compteID = g.posteID = ident;
    g.modeDate = 2;
    g.forceMonth = true;
    return g;
}

class GraphEditorsTest : public UiTestFixture {
protected:
    GraphEditorsTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        analysehousehold::fill(doc);
        doc.graphHdl = {saved(QStringLiteral("Loyer"), kGraphModePoste, 21),
                        saved(QStringLiteral("Courant"), kGraphModeCompte, 7)};
        session.emplace(doc);
        header = GRAPH::newGraph(&doc);
    }
    ~GraphEditorsTest() override
    {
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }

    // Runs the full editor on the header from the saved definition at index.
    bool edit(long index, std::function<void(FenEditGraphiqueController&)> script)
    {
        ui().onModal<FenEditGraphiqueController>(std::move(script));
        return editGraphiqueParam<FenEditGraphiqueController>(nullptr, header, index, 0);
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    GRAPH header;
};

TEST_F(GraphEditorsTest, TheFormatDialogEditsTheDrawingAndTheTitle)
{
    ui().onModal<FenEditGraphiqueParamController>([](FenEditGraphiqueParamController& dialog) {
        EXPECT_EQ(dialog.outlet<QLineEdit>(QStringLiteral("field_titre"))->text(), QStringLiteral("Avant"));
        selectTag(dialog.outlet<QComboBox>(QStringLiteral("popup_type")), 3);
        selectTag(dialog.outlet<QComboBox>(QStringLiteral("popup_totaux")), 1);
        dialog.outlet<QLineEdit>(QStringLiteral("field_titre"))->setText(QStringLiteral("Après"));
        WindowDriver(dialog).grab(QStringLiteral("graph-format.png"));
        dialog.perform(QStringLiteral("OUI:"));
    });
    header.titre = QStringLiteral("Avant");
    ASSERT_TRUE(editGraphiqueParam<FenEditGraphiqueParamController>(nullptr, header, -1, 0));
    EXPECT_EQ(header.plotKind, 3);
    EXPECT_EQ(header.totalKind, 1);
    EXPECT_EQ(header.titre, QStringLiteral("Après"));
}

TEST_F(GraphEditorsTest, TheEditorReadsWhatTheGraphFollowsAndItsPeriods)
{
    ASSERT_TRUE(edit(-1, [](FenEditGraphiqueController& e) {
        EXPECT_EQ(WindowDriver(e).text(QStringLiteral("field_configuration")),
                  localizedAppl(QStringLiteral("POPUP_GRAPH_EMPTY")));
        EXPECT_TRUE(e.onCompte());
        EXPECT_FALSE(e.canDate()) << "this year's dates are computed";
        EXPECT_FALSE(e.outlet(QStringLiteral("field_jour1"))->isEnabled());
        e.perform(QStringLiteral("POSTECB:"));
        EXPECT_TRUE(e.onPoste());
        EXPECT_TRUE(e.outlet<QCheckBox>(QStringLiteral("cb_poste"))->isChecked());
        EXPECT_FALSE(e.outlet<QCheckBox>(QStringLiteral("cb_compte"))->isChecked());
        e.pickers().posteID = 32;
        selectTag(e.outlet<QComboBox>(QStringLiteral("popup_grouper")), 1);
        e.outlet<QCheckBox>(QStringLiteral("cb_prevision"))->setChecked(false);
        e.windowIfLoaded()->resize(760, 360);
        WindowDriver(e).grab(QStringLiteral("graph-editor.png"));
        e.perform(QStringLiteral("OUI:"));
    }));
    EXPECT_EQ(header.mode, kGraphModePoste);
    EXPECT_EQ(header.posteID, 32);
    EXPECT_EQ(header.timeKind, 1);
    EXPECT_FALSE(header.simul);
    EXPECT_DOUBLE_EQ(header.graph_date1, at(1, 1, 2024));
    EXPECT_DOUBLE_EQ(header.graph_date2, at(15, 12, 2024) + 86399);
}

TEST_F(GraphEditorsTest, DateModeZeroOpensTheDatesAndASecondDateNotAfterTheFirstIsRefused)
{
    const bool ok = edit(-1, [this](FenEditGraphiqueController& e) {
        selectTag(e.outlet<QComboBox>(QStringLiteral("popup_modedate")), 0);
        e.perform(QStringLiteral("MODEDATE:"));
        EXPECT_TRUE(e.canDate());
        EXPECT_TRUE(e.outlet(QStringLiteral("field_annee2"))->isEnabled());
        WindowDriver driver(e);
        driver.type(QStringLiteral("field_mois2"), QStringLiteral("1"));
        driver.type(QStringLiteral("field_annee2"), QStringLiteral("2023"));
        ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_WrongDate")), 1000);
        e.perform(QStringLiteral("OUI:"));
        e.perform(QStringLiteral("NON:"));
    });
    EXPECT_FALSE(ok) << "the refused OK left the editor open for Cancel";
    EXPECT_EQ(header.modeDate, 0);
}

// A day its month lacks is refused by name, not rolled over into the next month.
TEST_F(GraphEditorsTest, ADayItsMonthLacksIsRefusedByName)
{
    const bool ok = edit(-1, [this](FenEditGraphiqueController& e) {
        selectTag(e.outlet<QComboBox>(QStringLiteral("popup_modedate")), 0);
        e.perform(QStringLiteral("MODEDATE:"));
        WindowDriver driver(e);
        driver.type(QStringLiteral("field_jour2"), QStringLiteral("31"));
        driver.type(QStringLiteral("field_mois2"), QStringLiteral("2"));
        driver.type(QStringLiteral("field_annee2"), QStringLiteral("2030"));
        ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_DateInexistante")).arg(QStringLiteral("31/02/2030")),
                         1000);
        e.perform(QStringLiteral("OUI:"));
        EXPECT_EQ(driver.text(QStringLiteral("field_jour2")), QStringLiteral("31")) << "kept to correct";
        e.perform(QStringLiteral("NON:"));
    });
    EXPECT_FALSE(ok);
}

TEST_F(GraphEditorsTest, ChoosingNoneCommitsTheEditsToTheDefinitionLeft)
{
    header = doc.graphHdl.at(0);
    edit(0, [](FenEditGraphiqueController& e) {
        EXPECT_EQ(WindowDriver(e).text(QStringLiteral("field_configuration")), QStringLiteral("Loyer"));
        EXPECT_TRUE(e.onPoste());
        selectTag(e.outlet<QComboBox>(QStringLiteral("popup_grouper")), 1);
        e.PBCONFIGURATION_WITH_INDEX(-1);
        EXPECT_TRUE(e.onCompte()) << "the defaults follow an account";
        EXPECT_EQ(e.configuration(), -1);
        e.perform(QStringLiteral("NON:"));
    });
    EXPECT_EQ(doc.graphHdl.at(0).timeKind, 1);
    EXPECT_EQ(doc.docParam->lastGraphique, QString());
}

TEST_F(GraphEditorsTest, ANewDefinitionTakesTheEditsAndLeavesTheOtherAsSavedEvenOnCancel)
{
    header = doc.graphHdl.at(1);
    edit(1, [this](FenEditGraphiqueController& e) {
        selectTag(e.outlet<QComboBox>(QStringLiteral("popup_grouper")), 1);
        ui().onModal<FenAskStringController>([](FenAskStringController& ask) {
            ask.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(QStringLiteral("Par jour"));
            ask.perform(QStringLiteral("OUI:"));
        });
        e.perform(QStringLiteral("NOUVEAU:"));
        EXPECT_EQ(e.configuration(), 2);
        EXPECT_EQ(WindowDriver(e).text(QStringLiteral("field_configuration")), QStringLiteral("Par jour"));
        e.perform(QStringLiteral("NON:"));
    });
    ASSERT_EQ(doc.graphHdl.size(), 3);
    EXPECT_EQ(doc.graphHdl.at(1).timeKind, 0);
    EXPECT_EQ(doc.graphHdl.at(2).timeKind, 1);
    EXPECT_EQ(doc.graphHdl.at(2).compteID, 7);
    EXPECT_EQ(doc.docParam->lastGraphique, QStringLiteral("Par jour"));
}

TEST_F(GraphEditorsTest, RenameAndDeleteChangeTheList)
{
    header = doc.graphHdl.at(0);
    edit(0, [this](FenEditGraphiqueController& e) {
        ui().onModal<FenAskStringController>([](FenAskStringController& ask) {
            ask.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(QStringLiteral("Logement"));
            ask.perform(QStringLiteral("OUI:"));
        });
        e.perform(QStringLiteral("RENOMMER:"));
        EXPECT_EQ(doc.graphHdl.at(0).nom, QStringLiteral("Logement"));
        ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SuppGraphique")), 1001);
        e.perform(QStringLiteral("EFFACER:"));
        EXPECT_EQ(e.configuration(), -1);
        e.perform(QStringLiteral("EFFACER:")); // nothing chosen: nothing happens
        e.perform(QStringLiteral("OUI:"));
    });
    ASSERT_EQ(doc.graphHdl.size(), 1);
    EXPECT_EQ(doc.graphHdl.at(0).nom, QStringLiteral("Courant"));
}

TEST_F(GraphEditorsTest, AChangeOfTitleAloneIsNotCommitted)
{
    header = doc.graphHdl.at(1);
    header.titre = QStringLiteral("Autre titre");
    edit(1, [](FenEditGraphiqueController& e) { e.perform(QStringLiteral("OUI:")); });
    EXPECT_EQ(doc.graphHdl.at(1).titre, QString());
    EXPECT_EQ(header.titre, QStringLiteral("Autre titre"));
}

// Another editor, run meanwhile from another graph window, deletes or adds a definition before the
// one edited here, or deletes that one: OK saves the edits into the definition edited, wherever
// it now stands, and never over another.
TEST_F(GraphEditorsTest, OkSavesIntoTheDefinitionEditedWhateverAnotherEditorDidMeanwhile)
{
    const struct {
        const char* meanwhile;
        void (*change)(GraphList&);
        const char* expected; // name and grouping of each saved definition
    } cases[] = {
        {"the one before deleted", [](GraphList& list) { list.removeAt(0); }, "Courant 1"},
        {"one added before",
         [](GraphList& list) { list.prepend(saved(QStringLiteral("Épargne"), kGraphModeCompte, 8)); },
         "Épargne 0, Loyer 0, Courant 1"},
        {"the one edited deleted", [](GraphList& list) { list.removeAt(1); }, "Loyer 0"},
    };
    const GraphList before = doc.graphHdl;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meanwhile);
        doc.graphHdl = before;
        header = doc.graphHdl.at(1);
        edit(1, [&c, this](FenEditGraphiqueController& e) {
            selectTag(e.outlet<QComboBox>(QStringLiteral("popup_grouper")), 1);
            c.change(doc.graphHdl);
            e.perform(QStringLiteral("OUI:"));
        });
        QStringList shown;
        for (const GRAPH& g : doc.graphHdl)
            shown << QStringLiteral("%1 %2").arg(g.nom).arg(g.timeKind);
        EXPECT_EQ(shown.join(QStringLiteral(", ")).toStdString(), c.expected);
    }
}

} // namespace

// The entry routine as its callers use it: runs of entries from the tool palette, macros from
// their key or pop-up, templates edited in place, and macros made from an entry.
#include "SaisieUiFixture.h"

#include "entities/FenEditMacroController.h"
#include "model/MACRO.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "uisupport/ToolPaletteApp.h"

#include <QCoreApplication>

using namespace saisieui;

namespace {

class SaisieRoutineUiTest : public SaisieUiTest {
protected:
    ~SaisieRoutineUiTest() override
    {
        closePaletteOutils();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void nameMacro(FenEditMacroController& editor, const QString& name, const QString& key)
    {
        editor.outlet<QPlainTextEdit>(QStringLiteral("field_nom"))->setPlainText(name);
        editor.outlet<QPlainTextEdit>(QStringLiteral("field_touche"))->setPlainText(key);
    }
};

} // namespace

TEST_F(SaisieRoutineUiTest, TheToolPalettesButtonRunsEntriesWhileEachIsAccepted)
{
    QList<bool> reused;
    QList<QRect> frames;
    auto accept = [&](FenEditSaisieController& w) {
        reused << w.data().reuseFrame;
        frames << w.windowIfLoaded()->geometry();
        EXPECT_TRUE(w.data().repeat);
        EXPECT_EQ(w.data().fam, 0);
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("3"));
        if (w.data().reuseFrame) {
            EXPECT_FALSE(w.windowShouldClose()) << "the close box does nothing in a run";
        }
        ok(w);
    };
    ui().onModal<FenEditSaisieController>(accept);
    ui().onModal<FenEditSaisieController>(accept);
    ui().onModal<FenEditSaisieController>([&](FenEditSaisieController& w) {
        reused << w.data().reuseFrame;
        w.windowIfLoaded()->setGeometry(QRect(120, 140, 660, 420));
        cancel(w);
    });
    FenPaletteToolController* palette = openPaletteOutils(false);
    ASSERT_NE(palette, nullptr);
    palette->perform(QStringLiteral("BUTTON_OPERATION:"));
    EXPECT_EQ(reused, QList<bool>({false, true, true}));
    EXPECT_EQ(doc.transact_array.size(), 2);
    EXPECT_EQ(rememberedSaisieFrame(), QRect(120, 140, 660, 420)) << "remembered on Cancel too";
}

// The frame where the last entry window closed comes back within reach: wholly on the visible
// screen and below the tool palette. One already there stays to the pixel.
TEST_F(SaisieRoutineUiTest, ARememberedFrameComesBackWhollyOnTheScreenBelowThePalette)
{
    const QMargins decorations(1, 24, 1, 1);
    ui().screenInfo().frame = QRect(0, 27, 1366, 741); // 1366 × 768 under a top panel
    StdWindowPlacement::setDecorations(decorations);
    ToolPaletteApp app;
    app.tool = openPaletteOutils(true);
    ASSERT_NE(app.tool, nullptr);
    setWindowAppDelegate(&app);
    QRect area = ui().screenInfo().frame;
    area.setTop(app.tool->window()->frameGeometry().bottom() + 3);
    const struct {
        QRect remembered;
        QRect expected; // empty: anywhere in the area
    } cases[] = {
        {QRect(983, 633, 660, 412), QRect(705, 355, 660, 412)}, // dragged to the bottom right
        {QRect(300, area.top() - 10, 660, 412), QRect()}, // its title bar under the palette
        {QRect(120, 240, 660, 412), QRect(120, 240, 660, 412)}, // in reach already
    };
    for (const auto& c : cases) {
        rememberedSaisieFrame() = c.remembered;
        SaisieRequest request = newOf(7);
        request.reuseFrame = true;
        QRect shownAt;
        enter(request, [&shownAt](FenEditSaisieController& w) {
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(w.window(), &activate);
            shownAt = w.window()->geometry();
            cancel(w);
        });
        EXPECT_TRUE(area.contains(shownAt.marginsAdded(decorations))) << c.remembered.y() << ": " << shownAt.y();
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(shownAt, c.expected);
        }
    }
    setWindowAppDelegate(nullptr);
    StdWindowPlacement::setDecorations(std::nullopt);
}

TEST_F(SaisieRoutineUiTest, AMacroEntersItsTemplateInNoStatementAndDatedToday)
{
    doc.macroHdl[0].transact->releveID1 = 4;
    doc.macroHdl[0].transact->when = at(1, 1, 2020);
    enter(
        [] {
            SaisieRequest request;
            request.forReal = true;
            return request;
        }(),
        [](FenEditSaisieController& w) {
            EXPECT_FALSE(w.MACRO_FROM_KEY_NUM(QVariant(int(u'z')))) << "no macro on that key";
            EXPECT_TRUE(w.MACRO_FROM_KEY_NUM(QVariant(int(u'p'))));
            EXPECT_EQ(text(w, "field_information"), QStringLiteral("Baguette"));
            EXPECT_EQ(text(w, "field_annee1"), QStringLiteral("2024"));
            EXPECT_EQ(w.controls().tabView->currentIndex(), kTabGeneral) << "the tab that fits";
            ok(w);
        });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].releveID1, -1);
    EXPECT_EQ(doc.transact_array[0].who1, 30);
    EXPECT_DOUBLE_EQ(balance(30), -1.2);

    // The macro command of the program: a card's template starts from its account.
    doc.macroHdl[0].transact->moyen = kFamilyCarteDebit;
    doc.macroHdl[0].transact->who1 = 9;
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& w) {
        EXPECT_EQ(w.rec().why, QStringLiteral("Baguette"));
        EXPECT_EQ(w.data().ident, 9);
        EXPECT_FALSE(w.data().repeat);
        EXPECT_FALSE(w.data().reuseFrame);
        cancel(w);
    });
    EXPECT_EQ(windows.openSaisieForMacro(&doc.macroHdl[0]), kSaisieCancel);
    EXPECT_EQ(windows.openSaisieForMacro(nullptr), kSaisieCancel) << "no window for no macro";
}

TEST_F(SaisieRoutineUiTest, ATemplateIsEditedInPlaceWithoutTheRealEntrysQuestions)
{
    TRANSACT model = *doc.macroHdl[0].transact;
    SaisieRequest request;
    request.editObj = &model;
    request.fam = model.moyen;
    EXPECT_EQ(enter(request,
                    [](FenEditSaisieController& w) {
                        type(w, "field_montant", QStringLiteral("0"));
                        fill(w, "field_annee1", QStringLiteral("2040"));
                        ok(w);
                    }),
              kSaisieOK);
    EXPECT_TRUE(model.solde.nullMontant());
    EXPECT_EQ(dateYear(model.when), 2040);
    EXPECT_TRUE(doc.transact_array.isEmpty());
    EXPECT_EQ(dateYear(DocContext::instance().lastEnteredDate), 2040) << "the entered date is remembered";
}

TEST_F(SaisieRoutineUiTest, AMacroIsMadeFromTheEntryWithANameAndAKeyOfItsOwn)
{
    ui().onModal<FenEditMacroController>([](FenEditMacroController& editor) {
        nameMacro(editor, QStringLiteral("pain"), QStringLiteral("l"));
        editor.perform(QStringLiteral("OUI:"));
        nameMacro(editor, QStringLiteral("Loyer"), QStringLiteral("p"));
        editor.perform(QStringLiteral("OUI:"));
        nameMacro(editor, QStringLiteral("Loyer"), QStringLiteral("l"));
        editor.perform(QStringLiteral("OUI:"));
    });
    ui().answerAlert(QStringLiteral("kAlerte_MacroDupName"), kAlertFirstButton);
    ui().answerAlert(QStringLiteral("kAlerte_MacroDupChar"), kAlertFirstButton);
    enter(newOf(7), [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("650"));
        w.perform(QStringLiteral("CREATE_MACRO:"));
        cancel(w);
    });
    ASSERT_EQ(doc.macroHdl.size(), 2);
    EXPECT_EQ(doc.macroHdl[0].nom, QStringLiteral("Loyer")) << "in name order";
    EXPECT_EQ(doc.macroHdl[0].ch, u'l');
    ASSERT_TRUE(doc.macroHdl[0].transact);
    EXPECT_DOUBLE_EQ(doc.macroHdl[0].transact->solde.values[0], 650);
    EXPECT_TRUE(doc.transact_array.isEmpty()) << "the entry itself was cancelled";
}

TEST_F(SaisieRoutineUiTest, NoMacroFromAnEntryThatFailsItsChecks)
{
    ui().answerAlert(QStringLiteral("kAlerte_SingleMulti"), kAlertFirstButton);
    enter(newOf(7), [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("5"));
        w.controls().checkbox_groupee->click();
        w.perform(QStringLiteral("CREATE_MACRO:"));
        cancel(w);
    });
    EXPECT_EQ(doc.macroHdl.size(), 1);
}

// The preferences window: the read-back rules of typed numbers, the sound boxes, the document's
// group shown only with a document, and the preference file's export and import (an invalid file
// changes nothing).
#include "app/FenPreferencesController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/FakeAppShell.h"
#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/fields/TextFieldIntegerN.h"
#include "toolkit/popups/PopTri.h"

#include "document/APPLIPARAM.h"
#include "document/SVDocumentManager.h"
#include "engines/POS.h"
#include "foundation/files.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>

namespace {

using Window = FenPreferencesController;

class FenPreferencesControllerTest : public UiTestFixture {
protected:
    FenPreferencesControllerTest()
    {
        testenv::removePreferences();
        APPLIPARAM::loadAppliParam();
        dir = testenv::freshDir(QStringLiteral("preferences"));
    }
    // Runs the window; the script plays the user and ends the run.
    long run(const std::function<void(Window&)>& script)
    {
        ui().onModal<Window>(script);
        return Window::openPreferences();
    }
    static QCheckBox* box(Window& w, const char* name) { return w.outlet<QCheckBox>(QString::fromLatin1(name)); }
    static void type(Window& w, const char* field, const char* text)
    {
        w.outlet<TextFieldIntegerN>(QString::fromLatin1(field))->setPlainText(QString::fromLatin1(text));
    }
    static APPLIPARAM& fromFile()
    {
        APPLIPARAM::disposeAppliParam();
        return APPLIPARAM::loadAppliParam();
    }

    FakeAppShell shell;
    ScopedAppShell scope {&shell};
    QString dir;
};

TEST_F(FenPreferencesControllerTest, TypedNumbersAreBroughtIntoRangeAndSaved)
{
    struct Case {
        const char* mn;
        const char* nbSauv;
        long storedMn;
        long storedNbSauv;
    };
    const Case cases[] = {{"3", "250", 5, 100}, {"0", "0", 0, 0}, {"", "7", 0, 7}, {"45", "100", 45, 100}};
    for (const Case& c : cases) {
        EXPECT_EQ(run([&c](Window& w) {
                      type(w, "field_tous_les", c.mn);
                      type(w, "field_nb_sauv", c.nbSauv);
                      w.perform("OUI:");
                  }),
                  1);
        const APPLIPARAM& saved = fromFile();
        EXPECT_EQ(saved.mn, c.storedMn) << c.mn;
        EXPECT_EQ(saved.nbSauvNew, c.storedNbSauv) << c.nbSauv;
    }
    EXPECT_EQ(shell.toolTipDelayCalls, 4);
    // Cancel writes nothing.
    run([](Window& w) {
        type(w, "field_tous_les", "30");
        w.perform("NON:");
    });
    EXPECT_EQ(fromFile().mn, 45);
}

TEST_F(FenPreferencesControllerTest, BoxesSortAndHelpFollowTheUser)
{
    run([this](Window& w) {
        auto* tabs = w.outlet<QTabWidget>(QStringLiteral("tabs"));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            WindowDriver(w).grab(QStringLiteral("preferences-%1.png").arg(tab));
        }
        EXPECT_TRUE(w.outlet<QWidget>(QStringLiteral("box_on"))->isHidden());
        EXPECT_FALSE(w.outlet<QWidget>(QStringLiteral("box_off"))->isHidden());
        box(w, "checkbox_sonore")->click();
        for (const char* name :
             {"checkbox_sonoreOpen", "checkbox_sonoreClose", "checkbox_sonoreAlert", "checkbox_sonoreTransact"})
            EXPECT_FALSE(box(w, name)->isEnabled()) << name;
        ui().answerAlert("kAlerte_needsRestart", kAlertFirstButton);
        box(w, "checkbox_aide_contextuelle")->click();
        auto* tri = w.outlet<PopTri>(QStringLiteral("pop_tri"));
        tri->rebuild();
        EXPECT_TRUE(tri->activateTag(5));
        EXPECT_EQ(w.outlet<QLabel>(QStringLiteral("field_tri"))->text(), Constants::sortToString(ListingSort(5)));
        w.perform("OUI:");
    });
    const APPLIPARAM& saved = fromFile();
    EXPECT_FALSE(saved.doSounds);
    EXPECT_TRUE(saved.doSoundsOpen) << "the boxes keep their state while disabled";
    EXPECT_FALSE(saved.helpOn);
    EXPECT_EQ(saved.defaultSort, 5);
}

TEST_F(FenPreferencesControllerTest, TheDocumentGroupEditsTheOpenDocumentsDefaults)
{
    const QString url = dir + "/Famille.svd";
    ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    DOCUMENT doc {url, kFileSystemLocal};
    ASSERT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, doc), DocError::None);
    doc.docParam->echInactive = 0;
    doc.docParam->lastManualSaveStarted = false;
    const long poste = doc.docParam->defaultPoste;
    testenv::OpenDocument open(doc);
    shell.open = true;
    run([](Window& w) {
        EXPECT_FALSE(w.outlet<QWidget>(QStringLiteral("box_on"))->isHidden());
        EXPECT_TRUE(w.outlet<QWidget>(QStringLiteral("box_off"))->isHidden());
        EXPECT_EQ(w.outlet<QLabel>(QStringLiteral("label_last_manual_save"))->text(), "-");
        QCheckBox* actif = box(w, "checkbox_echeancier_actif");
        EXPECT_TRUE(actif->isChecked());
        actif->click();
        auto* tabs = w.outlet<QTabWidget>(QStringLiteral("tabs"));
        tabs->setCurrentIndex(tabs->count() - 1);
        WindowDriver(w).grab(QStringLiteral("preferences-document.png"));
        w.perform("OUI:");
    });
    EXPECT_EQ(doc.docParam->echInactive, 1);
    EXPECT_EQ(doc.docParam->defaultPoste, poste);
}

TEST_F(FenPreferencesControllerTest, PreferencesRoundTripThroughExportAndImport)
{
    APPLIPARAM::loadAppliParam().mn = 15;
    APPLIPARAM::loadAppliParam().doTruc = false;
    ASSERT_TRUE(APPLIPARAM::saveAppliParam());
    const QString exported = dir + "/Preferences.xml";
    ui().answerSavePanel(exported);
    ui().answerAlert("kAlerte_ExportPreferencesSuccess", kAlertFirstButton);
    run([](Window& w) {
        w.perform("EXPORTER:");
        w.perform("NON:");
    });

    const QString invalid = dir + "/autre.xml";
    testenv::writeFile(invalid, "<?xml version=\"1.0\"?><list><record/></list>");
    ui().answerOpenPanel(invalid);
    ui().answerAlert("kAlerte_CantImportPreferences", kAlertFirstButton);
    ui().answerOpenPanel(exported);
    ui().answerAlert("kAlerte_ImportPreferencesSuccess", kAlertFirstButton);
    run([](Window& w) {
        type(w, "field_tous_les", "60");
        box(w, "checkbox_trucs")->setChecked(true);
        w.perform("OUI:");
    });
    EXPECT_EQ(fromFile().mn, 60);
    run([](Window& w) {
        w.perform("IMPORTER:"); // refused: nothing changes
        EXPECT_EQ(APPLIPARAM::loadAppliParam().mn, 60);
        EXPECT_EQ(w.outlet<TextFieldIntegerN>(QStringLiteral("field_tous_les"))->toPlainText(), "60");
        w.perform("IMPORTER:");
        EXPECT_EQ(w.outlet<TextFieldIntegerN>(QStringLiteral("field_tous_les"))->toPlainText(), "15");
        EXPECT_FALSE(box(w, "checkbox_trucs")->isChecked());
        w.perform("NON:");
    });
    EXPECT_EQ(APPLIPARAM::loadAppliParam().mn, 15) << "an import is in force whatever the window's outcome";
    EXPECT_FALSE(APPLIPARAM::loadAppliParam().doTruc);
}

} // namespace

// The tool palette comes back wholly on the screen however it is shown again: when a window
// becomes main after a modal one hid it, when it is asked for again, through the Windows menu
// around a close and reopening of the document while its slides are still running, from a frame
// the document remembered off the screen, and after the screen's visible frame moved.
#include "ui/app/ShellFixture.h"

#include "toolkit/palettes/FenPaletteToolController.h"

#include "foundation/broadcast.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"

#include <QApplication>

namespace {

// Where the palette was seen, half off the left edge, as a slide leaves it.
const QRect kStaleFrame(-531, 0, 1064, 31);

class PaletteOnScreenTest : public ShellFixture {
protected:
    PaletteOnScreenTest()
    {
        ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768);
        url = testenv::freshDir(QStringLiteral("palette")) + QStringLiteral("/Famille.svd");
        copyQuietSample(url);
    }

    void open() { EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal)); }
    void close()
    {
        ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SaveDoc")), kAlertSecondButton);
        delegate->FERMER_DOCUMENT();
    }
    static StdWindow* palette()
    {
        FenPaletteToolController* tool = FenPaletteToolController::paletteOutils();
        return tool ? tool->windowIfLoaded() : nullptr;
    }
    // Hidden as a modal window hides it, at the frame a slide left it with.
    static void hideStale()
    {
        palette()->hide();
        palette()->setGeometry(kStaleFrame);
    }
    // A document window, not modal, becomes the main window.
    void anotherWindowBecomesMain()
    {
        for (QObject* object : registeredWindowControllers()) {
            auto* controller = qobject_cast<StdWindowController*>(object);
            if (controller && controller != FenPaletteToolController::paletteOutils() && controller->windowIfLoaded()) {
                delegate->windowDidBecomeMain(controller->windowIfLoaded());
                return;
            }
        }
        ADD_FAILURE() << "no document window";
    }
    // The palette windows on the screen.
    static int palettesShown()
    {
        int shown = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* std = qobject_cast<StdWindow*>(window);
            shown += std && std->isVisible() && std->controller()
                && std->controller()->inherits("FenPaletteToolController");
        }
        return shown;
    }

    QString url;
};

TEST_F(PaletteOnScreenTest, ComesBackWhollyOnTheScreenHoweverItIsShown)
{
    struct Case {
        const char* name;
        std::function<void()> sequence;
    };
    const Case cases[] = {
        {"a window becomes main after a modal one hid it",
         [this] {
             hideStale();
             anotherWindowBecomesMain();
         }},
        {"asked for again while hidden",
         [] {
             hideStale();
             openPaletteOutils(true);
         }},
        {"the menu around a close and reopening, its slides running",
         [this] {
             ui().animations().setSpeed(1.0);
             delegate->PALETTE_OUTILS(nullptr);
             delegate->PALETTE_OUTILS(nullptr);
             close();
             open();
             palette()->setGeometry(kStaleFrame);
             delegate->PALETTE_OUTILS(nullptr);
             delegate->PALETTE_OUTILS(nullptr);
             palette()->setGeometry(kStaleFrame);
             anotherWindowBecomesMain();
             ui().animations().finishAll();
             ui().animations().setSpeed(0);
         }},
        {"remembered off the screen by the document",
         [this] {
             closePaletteOutils();
             PARAMFEN record = WindowMemory::recordForClass(QStringLiteral("FenPaletteToolController"));
             WindowMemory::storeFrame(record, kStaleFrame);
             delegate->document()->docParam->documentWindows = {record};
             WindowMemory::restoreDocumentWindows(delegate->document());
         }},
        {"the screen's visible frame moved while it was hidden",
         [this] {
             palette()->hide();
             ui().screenInfo().frame = QRect(0, 40, 1366, 728);
             anotherWindowBecomesMain();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui().screenInfo().frame = QRect(0, 0, 1366, 768);
        open();
        ASSERT_NE(palette(), nullptr);
        c.sequence();
        QCoreApplication::sendPostedEvents();
        ASSERT_NE(palette(), nullptr);
        EXPECT_TRUE(palette()->isVisible());
        const QRect area = ui().screenInfo().visibleFrame();
        EXPECT_TRUE(area.contains(palette()->geometry()))
            << palette()->geometry().x() << "," << palette()->geometry().y() << " " << palette()->width();
        EXPECT_EQ(palettesShown(), 1);
        WindowDriver(palette()).grab(QStringLiteral("palette-on-screen-%1.png").arg(&c - cases));
        close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

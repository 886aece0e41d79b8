// Once open, a window's frame is the user's: at the narrowest frame the user can give it, on a
// laptop's screen, what happens in it (an import bringing its list a scroll bar, a count gaining a
// digit, a notice shown) changes neither its size nor its place, and its controls never have to
// scroll for it.
#include "ui/import/ImportUiFixture.h"

#include "schedules/FenEcheancierController.h"
#include "schedules/FenEditPrevisionController.h"
#include "schedules/PopFiltrerEcheancier.h"
#include "toolkit/popups/PopChrono.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "engines/ChronoManager.h"

#include <QAction>
#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

namespace {

using importui::ImportUiTest;

class KeptFrameTest : public ImportUiTest {
protected:
    KeptFrameTest() { ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768); }

    // A month of the bank's rows, more than the window shows.
    QString longBankFile() const
    {
        QString text = QStringLiteral("!Type:Bank\n");
        for (int i = 0; i < 120; ++i)
            text += QStringLiteral("D%1/06/2024\nT-%2,00\nPBoulangerie\nMPain %2\n^\n").arg(1 + i % 28).arg(i + 1);
        return writeBankFile(QStringLiteral("juin.qif"), text.toUtf8());
    }
    void import(FenReleveController& window)
    {
        ui().answerOpenPanel(longBankFile());
        confirmRun();
        QAction item;
        item.setData(kImportFormatQIF);
        window.perform(QStringLiteral("IMPORTER:"), &item);
        ui().advance(1000);
        ui().flush();
    }
    void createForecasts(FenEcheancierController& window, int count)
    {
        auto* creer = window.outlet<PopChrono>(QStringLiteral("pop_chrono"));
        for (int i = 0; i < count; ++i) {
            ui().onModal<FenEditPrevisionController>([i](FenEditPrevisionController& editor) {
                WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Essence %1").arg(i));
                editor.perform(QStringLiteral("OUI:"));
            });
            creer->rebuild();
            creer->activateTag(1);
        }
    }
    static void filterOutForecasts(FenEcheancierController& window)
    {
        auto* pop = window.outlet<PopFiltrerEcheancier>(QStringLiteral("popFiltrerEcheancier"));
        pop->rebuild();
        pop->activateTag(ChronoManager::kTagPrevisionToggle);
    }
};

TEST_F(KeptFrameTest, TheFrameTheUserGaveStaysWhateverTheWindowComesToShow)
{
    struct Case {
        const char* name;
        std::function<StdWindowController*()> open;
        std::function<void(StdWindowController&)> event;
        bool heightFollowsRows; // the window's height is fitted to its rows by design
    };
    const Case cases[] = {
        {"statement window, an import", [this] { return releve(); },
         [this](StdWindowController& w) {
             import(static_cast<FenReleveController&>(w));
             QCoreApplication::sendPostedEvents();
             EXPECT_TRUE(static_cast<FenReleveController&>(w).table1()->verticalScrollBar()->isVisible());
         },
         false},
        {"schedules window, ten forecasts", [] { return FenEcheancierController::openEcheanciers(0, true); },
         [this](StdWindowController& w) { createForecasts(static_cast<FenEcheancierController&>(w), 10); }, false},
        {"schedules window, a filter", [] { return FenEcheancierController::openEcheanciers(0, true); },
         [](StdWindowController& w) { filterOutForecasts(static_cast<FenEcheancierController&>(w)); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StdWindowController* controller = c.open();
        ASSERT_NE(controller, nullptr);
        QPointer<StdWindow> window = controller->window();
        ui().advance(500); // a palette is placed beside it
        QCoreApplication::sendPostedEvents();
        // As narrow as the user can make it, where it opened.
        const QRect frame(window->geometry().topLeft(), QSize(window->minimumSize().width(), 560));
        window->setGeometry(frame);
        QCoreApplication::sendPostedEvents();
        ASSERT_EQ(window->geometry(), frame);

        c.event(*controller);
        QCoreApplication::sendPostedEvents();
        ASSERT_TRUE(window);
        EXPECT_EQ(window->geometry().width(), frame.width());
        EXPECT_EQ(window->geometry().x(), frame.x());
        if (!c.heightFollowsRows) {
            EXPECT_EQ(window->geometry(), frame);
        }
        EXPECT_EQ(window->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName)), nullptr)
            << "its controls had room made for them";
        WindowDriver(window).grab(QStringLiteral("kept-frame-%1.png").arg(&c - cases));
        controller->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

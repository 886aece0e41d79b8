#pragma once
// The sample document open on a 1,366 × 768 screen with its banks window and the tool palette,
// for the tests that play one window manager after another.
#include "app/MainMenu.h"
#include "entities/FenBanqueController.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "ui/app/ShellFixture.h"

#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>

// The sample's current account, whose statement has an entry palette.
constexpr long kCompteCourant = 1001;

class PaletteManagersFixture : public ShellFixture {
protected:
    explicit PaletteManagersFixture(const QString& dir)
    {
        ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768);
        menu->install();
        const QString url = testenv::freshDir(dir) + QStringLiteral("/Famille.svd");
        copyQuietSample(url);
        EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        tool = FenPaletteToolController::paletteOutils();
        banques = showBanques(true)->window();
        settle();
    }
    ~PaletteManagersFixture() override
    {
        ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SaveDoc")), kAlertSecondButton);
        delegate->FERMER_DOCUMENT();
    }

    void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            ui().advance(400);
        }
    }
    // The tool palette opened again, now that the manager is the one the test plays.
    FenPaletteToolController* reopenPalette()
    {
        closePaletteOutils();
        settle();
        tool = openPaletteOutils(true);
        settle();
        return tool;
    }

    std::unique_ptr<MainMenu> menu = std::make_unique<MainMenu>(delegate.get());
    FenPaletteToolController* tool = nullptr;
    StdWindow* banques = nullptr;
};

// Windows among the others, on the sample document: a statement is an ordinary window again once
// its tick mode ends; the details of a budget figure take the menus' keys as any window does; on
// a 1,024 × 768 screen every control of the tool palette shows whole, floating or docked.
#include "analysis/FenBudgetController.h"
#include "toolkit/host/QtModalRunner.h"
#include "transactions/CellReleve.h"
#include "transactions/FenReleveController.h"
#include "ui/toolkit/palettes/PaletteManagersFixture.h"
#include "ui/toolkit/palettes/StandInTilingManager.h"

#include "foundation/localized.h"
#include "model/ITransactionWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <string>
#include <tuple>
#include <utility>

namespace {

// What the window manager is told of the window's kind.
std::string kindOf(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return QStringLiteral("flags %1, native %2, modality %3, transient for %4")
        .arg(window->windowFlags().toInt(), 0, 16)
        .arg(handle->flags().toInt(), 0, 16)
        .arg(int(window->windowModality()))
        .arg(quintptr(handle->transientParent()), 0, 16)
        .toStdString();
}

class WindowsAmongOthersTest : public PaletteManagersFixture {
protected:
    WindowsAmongOthersTest()
        : PaletteManagersFixture(QStringLiteral("windows-among"))
    {
    }
};

TEST_F(WindowsAmongOthersTest, AWindowStaysOrdinaryTakesTheMenusKeysAndShowsWhole)
{
    if (!QTest::qWaitForWindowActive(banques))
        GTEST_SKIP() << "this platform gives no window the focus";
    auto* releve = qobject_cast<FenReleveController*>(openCompteWindow(kCompteCourant, true));
    ASSERT_NE(releve, nullptr);
    releve->table2()->GO(kFirstReleveRow);
    const std::string ordinary = kindOf(releve->window());
    // Tick mode run by Qt, a row ticked meanwhile.
    ui().onModal(QStringLiteral("FenReleveController"), [&](const ModalRequest& request) {
        QtModalRunner qt;
        const auto tickAndLeave = [&] {
            releve->didDoubleClick1(nullptr);
            qt.endModal(request.window, 0);
        };
        QMetaObject::invokeMethod(&qt, tickAndLeave, Qt::QueuedConnection);
        qt.run(request);
        releve->POINTER_RELEVE(nullptr);
    });
    releve->POINTER_RELEVE(nullptr);
    EXPECT_EQ(kindOf(releve->window()), ordinary);

    delegate->BUDGET(nullptr);
    settle();
    auto* front = qobject_cast<StdWindow*>(QApplication::activeWindow());
    auto* budget = front ? qobject_cast<FenBudgetController*>(front->controller()) : nullptr;
    ASSERT_NE(budget, nullptr);
    for (int row = 0; !budget->paletteMetadata() && row < budget->table1()->model()->rowCount(); ++row) {
        budget->table1()->GO(row);
        budget->perform(QStringLiteral("LISTING:"));
    }
    ASSERT_NE(budget->paletteMetadata(), nullptr);
    // Ctrl+W deletes the details while its key is still being sent.
    const QPointer<StdWindow> details = budget->paletteMetadata()->window();
    const qsizetype alerts = ui().alertsShown().size();
    ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SaveDoc")), kAlertThirdButton); // Ctrl+Q's
    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_N, "FenEditSaisieController"},
                                                    {Qt::Key_F, "FenRechercheController"},
                                                    {Qt::Key_Q, nullptr},
                                                    {Qt::Key_W, nullptr}};
    for (const auto& [key, modal] : keys) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        QApplication::setActiveWindow(details);
        if (modal)
            ui().onModal(QLatin1String(modal),
                         [](const ModalRequest& run) { UiHost::instance().modal().endModal(run.window, 0); });
        const qsizetype runs = ui().modalRuns().size();
        QTest::keyPress(details, key, Qt::ControlModifier);
        if (details)
            QTest::keyRelease(details, key, Qt::ControlModifier);
        settle();
        EXPECT_EQ(ui().modalRuns().size(), runs + (modal ? 1 : 0));
    }
    EXPECT_EQ(ui().alertsShown().size(), alerts + 1) << "Ctrl+Q asked to save";
    EXPECT_TRUE(delegate->bankIsOpen());
    EXPECT_TRUE(!details || !details->isVisible()) << "Ctrl+W closed the details";

    const std::tuple<const char*, bool, bool> managers[]
        = {{"floating", false, false}, {"i3", true, true}, {"herbstluftwm", true, false}};
    ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1024, 768);
    for (const auto& [name, tiles, stretchesDocks] : managers) {
        SCOPED_TRACE(name);
        ui().screenInfo().tiles = tiles;
        reopenPalette();
        if (tiles)
            StandInTilingManager {ui().screenInfo(), stretchesDocks}.place(tool->window(), banques);
        settle();
        StdWindow* palette = tool->window();
        EXPECT_TRUE(ui().screenInfo().full.contains(palette->frameGeometry())) << palette->width();
        EXPECT_GT(banques->frameGeometry().top(), palette->frameGeometry().bottom());
        for (const QAbstractButton* control : palette->findChildren<QAbstractButton*>()) {
            EXPECT_TRUE(palette->rect().contains(control->geometry())) << "cut: " << control->text().toStdString();
            EXPECT_GE(control->width(), control->sizeHint().width()) << "squeezed: " << control->text().toStdString();
        }
        WindowDriver(palette).grab(QStringLiteral("tool-palette-1024-%1.png").arg(QLatin1String(name)));
    }
}

} // namespace

// How the running program reaches the calculator: the menu command, the tool palette's button
// and the window memory all open the one free window (or bring it forward), and the calculator
// button of an amount field runs the modal form once the application has installed it.
#include "app/ApplicationDelegate.h"
#include "app/MainMenu.h"
#include "app/WindowMemory.h"
#include "calculator/FenCalculetteController2.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/palettes/FenPaletteToolController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include <QAction>
#include <QCoreApplication>

namespace {

class CalculatorCommandTest : public UiTestFixture {
protected:
    CalculatorCommandTest() { APPLIPARAM::loadAppliParam().doAnimations = false; }
    ~CalculatorCommandTest() override
    {
        if (FenCalculetteController* window = FenCalculetteController::freeCalculette())
            window->close();
        menu.reset();
        delegate.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<ApplicationDelegate> delegate = std::make_unique<ApplicationDelegate>();
    std::unique_ptr<MainMenu> menu = std::make_unique<MainMenu>(delegate.get());
};

} // namespace

TEST_F(CalculatorCommandTest, MenuPaletteAndWindowMemoryOpenTheOneFreeWindow)
{
    QAction* item = menu->action(QStringLiteral("CALCULETTE:"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled()); // no document needed
    item->trigger();
    QCoreApplication::processEvents();
    FenCalculetteController* freeWindow = FenCalculetteController::freeCalculette();
    ASSERT_NE(freeWindow, nullptr);
    EXPECT_TRUE(freeWindow->window()->isVisible());

    FenPaletteToolController palette;
    EXPECT_TRUE(palette.perform(QStringLiteral("CALCULETTE:")));
    EXPECT_EQ(WindowMemory::openWindow(WindowMemory::recordForClass(QStringLiteral("FenCalculetteController")), true),
              freeWindow);
    EXPECT_EQ(FenCalculetteController::freeCalculette(), freeWindow);

    // Closed, it is forgotten: the next command opens a new calculator.
    freeWindow->close();
    EXPECT_EQ(FenCalculetteController::freeCalculette(), nullptr);
    delegate->CALCULETTE(nullptr);
    EXPECT_NE(FenCalculetteController::freeCalculette(), nullptr);
}

TEST_F(CalculatorCommandTest, TheApplicationGivesAmountFieldsTheirCalculator)
{
    StdWindow window;
    auto* field = new TextFieldMontant(&window);
    auto* button = new ButtonCalculette(field, &window);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(field->button_calculette(), button);
    ui().onModal<FenCalculetteController2>(
        [](FenCalculetteController2& calculator) { WindowDriver(calculator).click(QStringLiteral("NON:")); });
    button->click();
    ASSERT_EQ(ui().modalRuns().size(), 1);
    EXPECT_EQ(ui().modalRuns()[0].name, QStringLiteral("FenCalculetteController2"));

    menu.reset();
    delegate.reset();
    EXPECT_FALSE(ButtonCalculette::hasCalculetteRunner());
    EXPECT_FALSE(ButtonCalculette(field).isEnabled());
}

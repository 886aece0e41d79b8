// The question for the item taking a deleted security's place, as a person sees it; Cancel keeps
// the replacement asked for untouched.
#include "InvestmentFixture.h"

#include "investments/FenAskSubstFinanceController.h"

#include "uisupport/WindowDriver.h"

namespace {

using invest::InvestmentTest;

class AskSubstFinancePictureTest : public InvestmentTest { };

TEST_F(AskSubstFinancePictureTest, ShowsTheDeletedSecurityAndCancels)
{
    ui().onModal<FenAskSubstFinanceTitreController>([](FenAskSubstFinanceTitreController& dialog) {
        WindowDriver driver(dialog);
        EXPECT_EQ(driver.text("field_old"), "Air Liquide");
        driver.grab(QStringLiteral("titre-substitution.png"));
        dialog.perform("NON:");
    });
    long replacement = 42;
    EXPECT_FALSE(askSubstFinance(nullptr, FinanceKind::Titre, 1, &replacement));
    EXPECT_EQ(replacement, 42);
}

} // namespace

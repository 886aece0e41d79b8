#include "document/ClassState.h"
#include "foundation/IAppShell.h"
#include "support/FakeAppShell.h"

#include <gtest/gtest.h>

TEST(ClassState, StartupRunsEachStepOnceInOrder)
{
    ClassState::shutdown();
    ClassState::clearTrace();
    ClassState::startup();
    ClassState::startup();
    const QStringList once = ClassState::trace();
    ASSERT_FALSE(once.isEmpty());
    EXPECT_EQ(once,
              (QStringList {"initRandomSeed", "startMontant", "initTaxe", "initPoste", "initDossier", "initPlacement",
                            "initFavoris", "initAppliParam"}));
    QStringList unique = once;
    EXPECT_EQ(unique.removeDuplicates(), 0);
    EXPECT_TRUE(ClassState::isStarted());
    ClassState::shutdown();
    EXPECT_FALSE(ClassState::isStarted());
}

TEST(AppShell, BankIsClosedWithoutShellAndFollowsTheShell)
{
    EXPECT_FALSE(isBankOpen());
    FakeAppShell shell;
    ScopedAppShell scope(&shell);
    EXPECT_FALSE(isBankOpen());
    shell.open = true;
    EXPECT_TRUE(isBankOpen());
}

// The initial balance of an account: the transaction it records, or nothing.
#include "../transactions/SaisieUiFixture.h"

#include "entities/FenEditSoldeInitialController.h"
#include "toolkit/fields/TextFieldMontant.h"

#include "model/TOOL.h"

namespace {

using FenEditSoldeInitialControllerTest = saisieui::SaisieUiTest;

TEST_F(FenEditSoldeInitialControllerTest, ABalanceIsRecordedAgainstAccountFive)
{
    const struct {
        const char* typed;
        const char* action;
        bool recorded;
        long from, to;
        double amount;
    } cases[] = {
        {"-150", "OUI:", true, 9, kCompteInitialisationID, 150},
        {"150", "OUI:", true, kCompteInitialisationID, 9, 150},
        {"0", "OUI:", false, 0, 0, 0}, // a null balance leaves the command to do
        {"150", "NON:", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        getTool(kToolCompte, 9, &doc)->inited = false;
        const long count = doc.transact_array.size();
        ui().onModal<FenEditSoldeInitialController>([&c](FenEditSoldeInitialController& w) {
            WindowDriver window(w);
            EXPECT_EQ(window.text(QStringLiteral("field_compte")), QStringLiteral("Livret A"));
            window.type(QStringLiteral("field_solde"), QString::fromLatin1(c.typed));
            window.grab(QStringLiteral("FenEditSoldeInitial.png"));
            window.click(QString::fromLatin1(c.action));
        });
        EXPECT_EQ(askSoldeInitial(nullptr, 9, doc), c.recorded) << c.typed << c.action;
        EXPECT_EQ(getTool(kToolCompte, 9, &doc)->inited, c.recorded);
        ASSERT_EQ(doc.transact_array.size(), count + (c.recorded ? 1 : 0));
        if (!c.recorded)
            continue;
        const TRANSACT& made = doc.transact_array.last();
        EXPECT_TRUE(made.isInit);
        EXPECT_EQ(made.who1, c.from);
        EXPECT_EQ(made.who2, c.to);
        EXPECT_DOUBLE_EQ(made.solde.getValueForDevise(0), c.amount);
    }
}

TEST_F(FenEditSoldeInitialControllerTest, ChangingTheCurrencyConvertsWhatWasTyped)
{
    ASSERT_GE(doc.deviseHdl.size(), 2);
    doc.deviseHdl[1].used = true;
    doc.deviseHdl[1].convert = 2.0; // one unit of slot 1 is worth two of slot 0
    ui().onModal<FenEditSoldeInitialController>([](FenEditSoldeInitialController& w) {
        WindowDriver window(w);
        window.type(QStringLiteral("field_solde"), QStringLiteral("100"));
        auto* pop = w.outlet<StdPopUp>(QStringLiteral("pop_devise"));
        pop->rebuild();
        EXPECT_TRUE(pop->activateTag(1));
        EXPECT_DOUBLE_EQ(TextFieldMontant::valueOfText(window.text(QStringLiteral("field_solde"))), 50.0);
        window.click(QStringLiteral("OUI:"));
    });
    ASSERT_TRUE(askSoldeInitial(nullptr, 9, doc));
    EXPECT_DOUBLE_EQ(doc.transact_array.last().solde.getValueForDevise(0), 100.0);
}

} // namespace

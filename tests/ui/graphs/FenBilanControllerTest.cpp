// The balance sheet: its rows and totals on a small document, the currency, the broadcasts that
// rebuild or only reload it, and the double click on a header.
#include "graphs/FenBilanController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include "toolkit/print/PrintOperation.h"
#include <QAction>
#include <QCoreApplication>
#include <QRegularExpression>

namespace {

double at(long d, long m, long y)
{
    double t = 0;
    dmyToDate(d, m, y, &t);
    return t;
}

TRANSACT transact(long from, long to, double amount)
{
    TRANSACT t;
    t.when = at(10, 3, 2024);
    t.who1 = from;
    t.who2 = to;
    t.solde = testenv::amount(amount, amount * 2);
    return t;
}

// The user's bank 10 holds accounts "b" (7), "A" (8) and "c" (9); the cash bank 12 holds
// "Caisse" (13); the payee 22 is in bank 11. One loan, lent: 1,000 lent out, 200 repaid.
class FenBilanControllerTest : public UiTestFixture {
protected:
    FenBilanControllerTest()
    {
        SystemClock::setNowForTesting(at(15, 6, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, QStringLiteral("Banque"), kBanqueUser, -1),
                         testenv::tool(kToolBanque, 11, QStringLiteral("Tiers"), kBanqueTiers, -1),
                         testenv::tool(kToolBanque, 12, QStringLiteral("Liquide"), kBanqueLiquide, -1)};
        doc.compteHdl = {testenv::tool(kToolCompte, 7, QStringLiteral("b"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 8, QStringLiteral("A"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 9, QStringLiteral("c"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 13, QStringLiteral("Caisse"), kBanqueLiquide, 12),
                         testenv::tool(kToolCompte, 22, QStringLiteral("Payé"), kBanqueTiers, 11)};
        doc.transact_array = {transact(22, 7, 50), transact(22, 8, 100), transact(9, 22, 30), transact(22, 13, 20)};
        FINANCE loan;
        loan.ident = 40;
        loan.nom = QStringLiteral("Prêt à Paul");
        loan.pret = true;
        doc.empruntHdl = {loan};
        TRANSACT lent = transact(22, 7, 0);
        lent.empruntID = 40;
        lent.quote1 = testenv::amount(1000, 2000);
        TRANSACT repaid = transact(7, 22, 0);
        repaid.empruntID = 40;
        repaid.quote1 = testenv::amount(-200, -400);
        doc.transact_array << lent << repaid;
        session.emplace(doc);
    }
    ~FenBilanControllerTest() override
    {
        if (FenBilanController* w = FenBilanController::current())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }
    static QStringList rows(FenBilanController* w)
    {
        QStringList out;
        for (int row = 0; row < w->table1()->numberOfRows(); ++row) {
            StdCell* cell = w->viewForTableColumn1(w->table1(), row);
            // The picture's label comes first, empty; names of rows under a header are indented.
            const QString texts = cell ? cell->rowTexts().join(u'|') : QStringLiteral("(none)");
            out << texts.simplified()
                       .remove(QRegularExpression(QStringLiteral("^\\| ?")))
                       .replace(QStringLiteral("| "), QStringLiteral("|"));
        }
        return out;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
};

TEST_F(FenBilanControllerTest, RowsListFundsAccountsByNameThenCashThenSecuritiesAndLoans)
{
    FenBilanController* w = FenBilanController::openBilan(0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(FenBilanController::openBilan(0), w) << "one window";
    const QStringList expected = {
        localizedAppl(QStringLiteral("FenBilan_dispo")) + QStringLiteral("|140,00 €"),
        QStringLiteral("A|100,00 €"),
        QStringLiteral("b|50,00 €"),
        QStringLiteral("c|-30,00 €"),
        QStringLiteral("Caisse|20,00 €"),
        localizedAppl(QStringLiteral("FenBilan_titres")) + QStringLiteral("|-"),
        localizedAppl(QStringLiteral("FenBilan_emprunts")) + QStringLiteral("|-1 200,00 €"),
        QStringLiteral("Prêt à Paul|-1 200,00 €"),
    };
    EXPECT_EQ(rows(w).join(u'/').toStdString(), expected.join(u'/').toStdString());
    EXPECT_DOUBLE_EQ(w->montant_total().getValueForDevise(0), 140 - 1200);
    EXPECT_EQ(WindowDriver(*w).text(QStringLiteral("label_solde")), QStringLiteral("-1 060,00 €"));
    w->windowIfLoaded()->resize(460, 300);
    WindowDriver(*w).grab(QStringLiteral("bilan.png"));
}

TEST_F(FenBilanControllerTest, BroadcastsRebuildOrReloadAndTheCurrencyChangesTheAmounts)
{
    FenBilanController* w = FenBilanController::openBilan(0);
    doc.compteHdl[1].nom = QStringLiteral("Aa");
    TRANSACT repaid = transact(7, 22, 0);
    repaid.empruntID = 40;
    repaid.quote1 = testenv::amount(-100, -200);
    doc.transact_array.append(repaid);
    sendToAllWindowDelegates(Sel::compteHasBeenEdited);
    EXPECT_DOUBLE_EQ(w->montant_total().getValueForDevise(0), -1060) << "edited: reloaded only";
    EXPECT_TRUE(rows(w).at(1).startsWith(QStringLiteral("Aa")));
    sendToAllWindowDelegates(Sel::DID_CHANGE_TRANSACT);
    EXPECT_DOUBLE_EQ(w->montant_total().getValueForDevise(0), 140 - 1300);
    QAction euro2;
    euro2.setData(QVariant::fromValue<qint64>(1));
    w->perform(QStringLiteral("DEVISE:"), &euro2);
    EXPECT_EQ(w->devise(), 1);
    EXPECT_DOUBLE_EQ(w->contentArray().at(0).montant.getValueForDevise(1), 280);
    w->table1()->GO(0);
    w->didDoubleClick1(w); // the funds' header opens nothing
    EXPECT_EQ(FenBilanController::current(), w);
}

TEST_F(FenBilanControllerTest, PrintsItsRowsUnderItsHeader)
{
    FenBilanController* w = FenBilanController::openBilan(0);
    ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
    w->perform(QStringLiteral("IMPRIMER:"));
    ASSERT_EQ(ui().printHost().records.size(), 1);
    const auto& record = ui().printHost().records.first();
    EXPECT_EQ(record.nbPages, 1);
    ASSERT_FALSE(record.pages.isEmpty());
    record.pages.first().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/bilan-print.png"));
}

} // namespace

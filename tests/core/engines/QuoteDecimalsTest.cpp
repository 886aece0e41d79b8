// A security's quote is a price per unit that may be a fraction of a cent: it keeps its own six
// decimals in every currency, whatever a currency's own decimals are, when a currency is put into
// use or loses decimals, and as the files hold it after a save and a reopening.
#include "engines/DeviseConversion.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "model/FinanceCompute.h"
#include "model/TransactOps.h"
#include "support/SavedAndReopened.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

constexpr double kNow = 800000000.0;
constexpr double kUnits = 250;
constexpr double kQuotes[] = {12.345678, 0.004321};

// Two securities quoted in slot 0, each bought from the user's account 7.
void addSecurities(DOCUMENT& doc)
{
    for (long k = 0; k < 2; ++k) {
        FINANCE titre = FINANCE::allocNewFinance(doc.titreHdl, &doc);
        titre.ident = 2 + k;
        titre.cour.makeMontant(0, kQuotes[k], doc.deviseHdl);
        doc.titreHdl.append(titre);
        TRANSACT buy = TRANSACT::allocNewTransact(&doc);
        buy.when = kNow - 86400.0;
        buy.who1 = 7;
        buy.who2 = 22;
        buy.titreID = titre.ident;
        buy.nTitre = kUnits;
        buy.solde.makeMontant(0, 1000, doc.deviseHdl);
        makeTransact(buy, nullptr, &doc, false, false);
    }
}

// The quotes and the valuations of the securities in slots 0 and 1, against the quotes expected in
// slot 1.
void expectQuotes(DOCUMENT& doc, const double (&inDevise)[2], const char* when)
{
    SCOPED_TRACE(when);
    TOTAUX grand;
    computeAllTitresTotaux(grand, &doc);
    ASSERT_EQ(doc.titreHdl.size(), 2);
    for (long k = 0; k < 2; ++k) {
        const FINANCE& titre = doc.titreHdl[k];
        EXPECT_NEAR(titre.cour.values[0], kQuotes[k], 1e-12) << titre.ident;
        EXPECT_NEAR(titre.cour.values[1], inDevise[k], 1e-12) << titre.ident;
        EXPECT_NEAR(titre.totaux.total6.values[1], kUnits * inDevise[k], 1e-9) << titre.ident;
    }
}

} // namespace

// The dollar at 0,92 and the yen at 0,0061 put into use; the dollar, in use from the start, brought
// down to no decimal.
TEST(QuoteDecimals, AQuoteKeepsItsOwnDecimalsWhenACurrencyChangesAndAfterAReopening)
{
    const struct {
        const char* name;
        double convert;
        long decimale;
        bool inUse; // in use from the start, it loses its decimals instead
        double quotes[2];
    } cases[] = {
        {"dollar mis en usage", 0.92, 2, false, {13.419215, 0.004697}},
        {"yen mis en usage", 0.0061, 0, false, {2023.881639, 0.708361}},
        {"décimales du dollar ramenées à zéro", 0.92, 2, true, {13.419215, 0.004697}},
    };
    SystemClock::setNowForTesting(kNow);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString url = testenv::package(QStringLiteral("cours"));
        DOCUMENT doc(url, kFileSystemLocal);
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        doc.deviseHdl[1].used = c.inUse;
        doc.deviseHdl[1].convert = c.convert;
        doc.deviseHdl[1].decimale = c.decimale;
        testenv::addBanks(doc, {7}, {22});
        DocumentSession::adopt(doc);
        addSecurities(doc);
        if (c.inUse) {
            doc.deviseHdl[1].decimale = 0;
            roundDocumentAsStored(&doc);
        } else {
            doc.deviseHdl[1].used = true;
            convertDocumentDevise(1, &doc);
        }
        expectQuotes(doc, c.quotes, "avant l'enregistrement");
        const auto reopened = testenv::savedAndReopened(doc, url);
        expectQuotes(*reopened, c.quotes, "après la réouverture");
        DocumentSession::close();
    }
    SystemClock::setNowForTesting(std::nullopt);
}

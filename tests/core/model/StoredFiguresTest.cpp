// Every figure the banks window and the balance sheet show, in every currency in use, reads the
// same before a save and after the reopening, however its amounts came to be in that currency.
#include "document/DocumentSession.h"
#include "engines/DeviseConversion.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"
#include "support/SavedAndReopened.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr double kNow = 800000000.0;
constexpr double kYesterday = kNow - 86400.0;
constexpr long kEntries = 60;

// Amounts with cents that no rate divides evenly, between the user's accounts 7 and 9 and the
// payees 22 and 23; every third debit of 7 ticked in its statement. With a shift, the same number
// of transactions replaced by others, as a multiple edit does.
void enter(DOCUMENT& doc, long slot, long shift = 0)
{
    constexpr long kSides[][2] = {{7, 22}, {9, 23}, {22, 7}, {7, 9}, {23, 9}};
    const TransactBatch batch(&doc);
    for (long k = 0; k < kEntries; ++k) {
        TRANSACT t = TRANSACT::allocNewTransact(&doc);
        t.when = kYesterday;
        t.who1 = kSides[(k + shift) % 5][0];
        t.who2 = kSides[(k + shift) % 5][1];
        t.releveID1 = t.who1 == 7 && k % 3 == 0 ? 1 : -1;
        t.solde.makeMontant(slot, 1.07 + static_cast<double>((k + shift) * 7919 % 100000) / 100.0, doc.deviseHdl);
        if (shift)
            replaceTransact(t, k, &doc, false, false, false);
        else
            makeTransact(t, nullptr, &doc, false, false);
    }
}

// Accounts with their statements, banks, then the balance and the assets.
QList<MONTANT> figures(const DOCUMENT& doc)
{
    QList<MONTANT> out;
    for (const TOOL& compte : doc.compteHdl) {
        out << compte.solde << compte.RsoldeSR;
        for (const RELEVE& releve : compte.releves)
            out << releve.solde;
    }
    for (const TOOL& banque : doc.banqueHdl)
        out << banque.solde;
    MONTANT balance, actif;
    TOOL::computeBalance(&doc, &balance, &actif);
    return out << balance << actif;
}

} // namespace

// The euro, the dollar at 0,92 (in use from the start or not) and a three-decimal dinar.
TEST(StoredFigures, EveryTotalInEveryCurrencyReadsTheSameAfterASaveAndAReopening)
{
    const struct {
        const char* name;
        bool dollarInUse;
        std::function<void(DOCUMENT&)> make;
    } cases[] = {
        {"saisies en euros", true, [](DOCUMENT& doc) { enter(doc, 0); }},
        {"saisies en dollars", true, [](DOCUMENT& doc) { enter(doc, 1); }},
        {"dollar mis en usage après les saisies", false,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             doc.deviseHdl[1].used = true;
             convertDocumentDevise(1, &doc);
         }},
        {"dollar devenu principal", true,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             makeDeviseSlotMain(1, &doc, false);
         }},
        {"décimales du dollar ramenées à zéro", true,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             doc.deviseHdl[1].decimale = 0;
             roundDocumentAsStored(&doc);
         }},
        {"modification multiple", true,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             enter(doc, 1, 1);
         }},
    };
    SystemClock::setNowForTesting(kNow);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString url = testenv::package(QStringLiteral("figures"));
        DOCUMENT doc(url, kFileSystemLocal);
        testenv::addDefaultDocParam(doc);
        testenv::useEuroDollarDinar(doc, c.dollarInUse);
        testenv::addBanks(doc, {7, 9}, {22, 23});
        RELEVE& releve = getTool(kToolCompte, 7, &doc)->releves.emplace_back();
        releve.ident = 1;
        releve.date = kYesterday;
        DocumentSession::adopt(doc);
        c.make(doc);
        const QList<MONTANT> before = figures(doc);
        const auto reopened = testenv::savedAndReopened(doc, url);
        testenv::expectSameAmounts(figures(*reopened), before);
        DocumentSession::close();
    }
    SystemClock::setNowForTesting(std::nullopt);
}

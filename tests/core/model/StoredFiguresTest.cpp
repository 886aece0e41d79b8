// Every figure the banks window and the balance sheet show, in every currency in use, reads the
// same before a save and after the reopening, however its amounts came to be in that currency.
#include "document/DocumentSession.h"
#include "document/SVDocumentManager.h"
#include "engines/DeviseConversion.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr double kNow = 800000000.0;
constexpr double kYesterday = kNow - 86400.0;
constexpr long kEntries = 60;

// The euro, the dollar at 0,92 and a three-decimal dinar, in use or not.
DeviseList devises(bool dollarInUse)
{
    DeviseList list = Devise::defaultDevises();
    list[1].fullName = QStringLiteral("Dollar US");
    list[1].unit = QStringLiteral("$");
    list[1].convert = 0.92;
    list[1].used = dollarInUse;
    list[2].fullName = QStringLiteral("Dinar");
    list[2].unit = QStringLiteral("DT");
    list[2].convert = 0.29;
    list[2].decimale = 3;
    list[2].used = true;
    return list;
}

// Amounts with cents that no rate divides evenly, between the user's accounts 7 and 9 and the
// payees 22 and 23; every third debit of 7 ticked in its statement.
TRANSACT entry(long k, long slot, const DOCUMENT& doc)
{
    constexpr long kSides[][2] = {{7, 22}, {9, 23}, {22, 7}, {7, 9}, {23, 9}};
    TRANSACT t = TRANSACT::allocNewTransact(&doc);
    t.when = kYesterday;
    t.who1 = kSides[k % 5][0];
    t.who2 = kSides[k % 5][1];
    t.releveID1 = t.who1 == 7 && k % 3 == 0 ? 1 : -1;
    t.devise = slot;
    t.solde.makeMontant(slot, 1.07 + static_cast<double>(k * 7919 % 100000) / 100.0, doc.deviseHdl);
    return t;
}

void enter(DOCUMENT& doc, long slot)
{
    for (long k = 0; k < kEntries; ++k)
        makeTransact(entry(k, slot, doc), nullptr, &doc, false, false);
}

struct Figure {
    QString name;
    MONTANT montant;
};

// Accounts with their statements, banks, then the balance, the assets and the liabilities.
QList<Figure> figures(const DOCUMENT& doc)
{
    QList<Figure> out;
    for (const TOOL& compte : doc.compteHdl) {
        const QString name = QStringLiteral("compte %1").arg(compte.ident);
        out.append({name, compte.solde});
        out.append({name + QStringLiteral(" sans relevé"), compte.RsoldeSR});
        for (const RELEVE& releve : compte.releves)
            out.append({name + QStringLiteral(" relevé %1").arg(releve.ident), releve.solde});
    }
    for (const TOOL& banque : doc.banqueHdl)
        out.append({QStringLiteral("banque %1").arg(banque.ident), banque.solde});
    MONTANT balance, actif, passif;
    TOOL::computeBalance(&doc, &balance, &actif);
    MONTANT::subMontant(balance, actif, passif);
    out.append({QStringLiteral("balance"), balance});
    out.append({QStringLiteral("actif"), actif});
    out.append({QStringLiteral("passif"), passif});
    return out;
}

struct Case {
    const char* name;
    bool dollarInUse;
    std::function<void(DOCUMENT&)> make;
};

} // namespace

TEST(StoredFigures, EveryTotalInEveryCurrencyReadsTheSameAfterASaveAndAReopening)
{
    const Case cases[] = {
        {"saisies en euros", true, [](DOCUMENT& doc) { enter(doc, 0); }},
        {"saisies en dollars", true, [](DOCUMENT& doc) { enter(doc, 1); }},
        {"dollar mis en usage après les saisies", false,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             doc.deviseHdl[1].used = true;
             ASSERT_TRUE(convertDocumentDevise(1, &doc));
         }},
        {"dollar devenu principal", true,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             ASSERT_TRUE(makeDeviseSlotMain(1, &doc, false));
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
             const TransactBatch batch(&doc);
             for (long k = 0; k < kEntries; ++k)
                 replaceTransact(entry(k + 1, 1, doc), k, &doc, true, k + 1 == kEntries, false);
         }},
    };
    SystemClock::setNowForTesting(kNow);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString url = testenv::package(QStringLiteral("figures"));
        DOCUMENT doc(url, kFileSystemLocal);
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = devises(c.dollarInUse);
        testenv::addBanks(doc, {7, 9}, {22, 23});
        RELEVE releve;
        releve.ident = 1;
        releve.date = kYesterday;
        getTool(kToolCompte, 7, &doc)->releves = {releve};
        DocumentSession::adopt(doc);
        c.make(doc);
        const QList<Figure> before = figures(doc);
        ASSERT_EQ(SVDocumentManager::defaultManager().saveDocumentInternal(url, doc), DocError::None);
        DocumentSession::close();

        DOCUMENT reopened(url, kFileSystemLocal);
        ASSERT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, reopened), DocError::None);
        DocumentSession::adopt(reopened);
        const QList<Figure> after = figures(reopened);
        ASSERT_EQ(after.size(), before.size());
        for (qsizetype f = 0; f < after.size(); ++f) {
            for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
                if (!Devise::deviseUsedAtIndex(reopened.deviseHdl, slot))
                    continue;
                EXPECT_NEAR(after[f].montant.getValueForDevise(slot), before[f].montant.getValueForDevise(slot), 1e-9)
                    << after[f].name.toStdString() << ", devise " << slot;
            }
        }
        DocumentSession::close();
    }
    SystemClock::setNowForTesting(std::nullopt);
}

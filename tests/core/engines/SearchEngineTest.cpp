#include "engines/SearchEngine.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

double at(long d, long m, long y, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(d, m, y, hour, minute, second, &t);
    return t;
}

TRANSACT transact(double when, long from, long to, double amount, long poste)
{
    TRANSACT t;
    t.when = when;
    t.who1 = from;
    t.who2 = to;
    t.solde = testenv::amount(amount);
    t.posteID = poste;
    return t;
}

Planificator monthlyFrom(double first, int32_t type, long nb = 12)
{
    Planificator rule(first, type);
    rule.nbEcheance = nb;
    rule.valideType = Planificator::kValideLength;
    return rule;
}

// Rows as "T<index>" for transactions, "E<schedule>@date[p<custom>]" and "P<forecast>@date".
std::string rowsOf(const LISTING& listing)
{
    QStringList out;
    for (const POS& pos : listing.posList) {
        const TRANSACT* t = listingTransactAtIndex(&listing, &pos - listing.posList.data(), nullptr);
        const QString when = dateToDateTime(pos.periodeDate1).toString(QStringLiteral("dd/MM/yy"));
        if (pos.storageType == StorageKind::Transact)
            out << QStringLiteral("T%1").arg(pos.storageIndex);
        else if (pos.storageType == StorageKind::Echeancier)
            out << QStringLiteral("E%1@%2%3")
                       .arg(t->chronoID)
                       .arg(when)
                       .arg(pos.pchronoIndex >= 0 ? QStringLiteral("p%1").arg(pos.pchronoIndex) : QString());
        else
            out << QStringLiteral("P%1@%2").arg(t->previsionID).arg(when);
    }
    return out.join(u' ').toStdString();
}

// User accounts 7 and 9 (bank 10), payee 22 (bank 11); categories 20, 21, 30.
class SearchEngineTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};

    void SetUp() override
    {
        SystemClock::setNowForTesting(at(15, 6, 2024, 12));
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addBanks(doc, {7, 9}, {22});
        for (long ident : {20, 21, 30})
            doc.posteHdl.append(POSTE {.ident = ident, .dossierID = 1, .nom = QString::number(ident)});
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        MONTANT::setCurrentDeviseSlot(0);
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    Critere accountCritere(double from, double to) const
    {
        Critere critere = Critere::makeToolCritere(true, 7, -1, &doc);
        critere.setPeriodeCritere(from, to);
        return critere;
    }
    std::unique_ptr<LISTING> search(const Critere& critere, const Critere* futur, bool forSearch = false)
    {
        return searchWithCritere({.critere = &critere,
                                  .futurCritere = futur,
                                  .doEcheanciers = true,
                                  .doPrevisions = true,
                                  .doc = &doc,
                                  .sort = ListingSort::Date1,
                                  .forSearch = forSearch});
    }
    void addPrevision(long ident, long poste, long who1, bool rattrapable, long who2 = 22)
    {
        Prevision p;
        p.ident = ident;
        p.rattrapable = rattrapable;
        p.transact = transact(at(1, 5, 2024), who1, who2, 100, poste);
        p.planificator = monthlyFrom(at(1, 5, 2024), Planificator::kTypePrevision);
        doc.previsionsArray.append(p);
    }
};

} // namespace

TEST_F(SearchEngineTest, TransactionsTotalsAndRunningBalances)
{
    doc.transact_array = {transact(at(1, 6, 2024, 10), 7, 22, 50, 20), transact(at(3, 6, 2024), 22, 7, 200, 30),
                          transact(at(5, 6, 2024), 7, 22, 100, -1), transact(at(2, 6, 2024), 9, 22, 30, 20)};
    doc.transact_array[2].multis = {MULTI(20, testenv::amount(60), {}), MULTI(21, testenv::amount(40), {})};
    const Critere account = Critere::makeToolCritere(true, 7, -1, &doc);
    const Critere poste = Critere::makePosteCritere(20, &doc);
    MONTANT net = testenv::amount(5);
    auto listing = searchWithCritere({.critere = &account,
                                      .totalCritere = &poste,
                                      .net = &net,
                                      .doEcheanciers = true,
                                      .doPrevisions = true,
                                      .doc = &doc,
                                      .sort = ListingSort::Date1,
                                      .doCumuls = true});
    EXPECT_EQ(rowsOf(*listing), "T0 T1 T2");
    EXPECT_EQ(listing->posList[0].cumul.values[0], -50);
    EXPECT_EQ(listing->posList[2].cumul.values[0], 50);
    // Debits of the user's accounts in category 20, the split transaction by its matching line.
    EXPECT_DOUBLE_EQ(net.values[0], -140);

    listing = searchWithCritere({.critere = &poste, .doc = &doc, .sort = ListingSort::Date1});
    EXPECT_EQ(rowsOf(*listing), "T0 T3 T2");
    EXPECT_EQ(listing->posList[2].multiState, MultiState::CollapsedFiltered);
    EXPECT_EQ(listing->posList[2].submontant.values[0], 60);

    listing = searchWithCritere({.critere = &account,
                                 .futurCritere = &account,
                                 .net = &net,
                                 .doEcheanciers = true,
                                 .doPrevisions = true,
                                 .sort = ListingSort::Date1,
                                 .doCumuls = true});
    EXPECT_EQ(listingCount(listing.get()), 0);
    EXPECT_EQ(net.values[0], 0);
}

TEST_F(SearchEngineTest, ScheduleOccurrencesUpToTheHorizon)
{
    doc.transact_array = {transact(at(5, 6, 2024), 7, 22, 10, 20)};
    ECHEANCIER monthly;
    monthly.ident = 501;
    monthly.transact = transact(at(10, 5, 2024), 7, 22, 40, 21);
    monthly.planificator = monthlyFrom(at(10, 5, 2024), Planificator::kTypeEcheancier);
    monthly.planificator.lastWriteDate = at(10, 6, 2024);
    monthly.perso = {PECHEANCIER(transact(at(20, 7, 2024), 7, 22, 45, 21), false),
                     PECHEANCIER(transact(at(20, 8, 2024), 7, 22, 45, 21), true)};
    ECHEANCIER renewed;
    renewed.ident = 502;
    renewed.transact = transact(at(15, 1, 2024), 7, 22, 15, 30);
    renewed.planificator = monthlyFrom(at(15, 1, 2024), Planificator::kTypeEcheancier, 2);
    renewed.planificator.reconductionType = 1;
    renewed.planificator.reconductionTimeUnit = Planificator::kUnitYear;
    ECHEANCIER other = renewed;
    other.ident = 503;
    other.transact.who1 = 9;
    doc.echeancierHdl = {monthly, renewed, other};

    const Critere period = accountCritere(at(1, 1, 2024), at(30, 9, 2024));
    EXPECT_EQ(rowsOf(*search(period, &period)),
              "E502@15/01/24 E502@15/02/24 T0 E501@10/07/24 E501@20/07/24p0 E501@10/08/24 E501@10/09/24");
    EXPECT_EQ(rowsOf(*search(period, nullptr)), "T0");

    // "After a date" has no end of its own: occurrences stop at the latest transaction.
    Critere after = Critere::makeToolCritere(true, 7, -1, &doc);
    after.setPeriodeSuperieurACritere(at(1, 1, 2024));
    EXPECT_EQ(rowsOf(*search(after, &after)), "E502@15/01/24 E502@15/02/24 T0");

    // The renewal marker of 15/01/25 gives no row of its own.
    Critere chrono = accountCritere(at(1, 1, 2024), at(31, 12, 2025));
    chrono.setChronoCritere(502);
    EXPECT_EQ(rowsOf(*search(chrono, &chrono)), "E502@15/01/24 E502@15/02/24 E502@15/01/25 E502@15/02/25");
}

TEST_F(SearchEngineTest, ForecastRowsAndRealisedAmounts)
{
    addPrevision(101, 20, 7, false);
    addPrevision(102, 21, 7, true);
    addPrevision(103, 30, 7, true);
    addPrevision(104, 20, 9, true);
    addPrevision(105, 30, 7, true, 9);
    doc.transact_array = {transact(at(3, 6, 2024), 7, 22, 30, 20),  transact(at(10, 6, 2024), 7, 22, 90, 20),
                          transact(at(4, 6, 2024), 7, 22, 30, 21),  transact(at(11, 6, 2024), 7, 22, 90, 21),
                          transact(at(5, 6, 2024), 7, 22, 60, -1),  transact(at(6, 6, 2024), 22, 7, 20, 30),
                          transact(at(7, 6, 2024), 9, 22, 30, 20),  transact(at(8, 6, 2024), 7, 22, 25, 20),
                          transact(at(20, 5, 2024), 7, 22, 40, 20), transact(at(9, 6, 2024), 7, 9, 40, 30)};
    doc.transact_array[4].multis = {MULTI(30, testenv::amount(50), {}), MULTI(99, testenv::amount(10), {})};
    doc.transact_array[7].chronoID = 501;

    const Critere period = accountCritere(at(1, 6, 2024), at(31, 8, 2024));
    auto listing = search(period, &period);
    std::map<std::string, const POS*> rows;
    for (const POS& pos : listing->posList) {
        const TRANSACT* t = listingTransactAtIndex(listing.get(), &pos - listing->posList.data(), &doc);
        if (pos.storageType == StorageKind::Prevision)
            rows[QStringLiteral("%1@%2").arg(t->previsionID).arg(dateMonth(pos.periodeDate1)).toStdString()] = &pos;
    }
    // May has ended; forecast 104 is another account's.
    ASSERT_EQ(rows.size(), 12u);
    const auto remaining = [&](const char* key) {
        return listingPrevisionOccurrenceAtIndex(listing.get(), rows.at(key)->storageIndex)->solde.values[0];
    };
    EXPECT_DOUBLE_EQ(remaining("101@6"), 0); // 100 - 30 - 90, no catching up
    EXPECT_DOUBLE_EQ(remaining("102@6"), -20);
    EXPECT_DOUBLE_EQ(remaining("103@6"), 70); // a split line of 50 spent, 20 refunded
    EXPECT_DOUBLE_EQ(remaining("101@7"), 100);
    EXPECT_DOUBLE_EQ(remaining("105@6"), 60); // a saving between the user's own accounts

    const POS& cinema = *rows.at("103@6");
    EXPECT_DOUBLE_EQ(cinema.submontant.values[0], 70);
    ASSERT_EQ(cinema.metadataArray.size(), 3);
    const AnalyseMetadata& planned = cinema.metadataArray[0];
    EXPECT_EQ(planned.storageType, StorageKind::Prevision);
    EXPECT_EQ(planned.storageIndex, 2);
    EXPECT_EQ(planned.budgetFirstDate, at(1, 6, 2024));
    EXPECT_DOUBLE_EQ(planned.montantPrevuDebit.values[0], 100);
    EXPECT_EQ(cinema.metadataArray[1].storageIndex, 4);
    EXPECT_DOUBLE_EQ(cinema.metadataArray[1].montantReelDebit.values[0], 50);
    EXPECT_EQ(cinema.metadataArray[2].storageIndex, 5);
    EXPECT_DOUBLE_EQ(cinema.metadataArray[2].montantReelCredit.values[0], 20);
    // Neither the other account's spending nor the schedule's transaction counts.
    EXPECT_EQ(rows.at("101@6")->metadataArray.size(), 3);

    // Outside the search window forecast rows answer only to the account.
    Critere why = period;
    why.setWhyCritere(QStringLiteral("zzz"));
    const std::string loose = rowsOf(*search(why, &why, false));
    EXPECT_EQ(std::count(loose.cbegin(), loose.cend(), 'P'), 12) << loose;
    EXPECT_EQ(rowsOf(*search(why, &why, true)), "");

    const auto juneRows = [&] {
        const std::string all = rowsOf(*search(period, &period));
        return all.find("P101@01/06") != std::string::npos;
    };
    SystemClock::setNowForTesting(at(30, 6, 2024, 23));
    EXPECT_TRUE(juneRows());
    SystemClock::setNowForTesting(at(1, 7, 2024, 0, 30));
    EXPECT_FALSE(juneRows());
}

TEST_F(SearchEngineTest, WindowIndexAnswersAsTheForecastEngine)
{
    QRandomGenerator rng(7);
    const auto draw = [&rng](quint32 n) { return static_cast<long>(rng.bounded(n)); };
    for (long i = 0; i < 8; ++i) {
        Prevision p;
        p.ident = 200 + i;
        p.transact = transact(0, 7 + 2 * draw(2), 22, 100, 20 + draw(2));
        Planificator rule(at(1 + draw(28), 1 + draw(12), 2023), Planificator::kTypePrevision);
        rule.repeatTimeUnit = static_cast<int32_t>(draw(3));
        rule.repeatTimeUnitCount = 1 + draw(3);
        rule.nbEcheance = 1 + draw(12);
        rule.permanent = draw(3) == 0;
        rule.reconductionType = static_cast<int32_t>(draw(2));
        rule.reconductionTimeUnit = static_cast<int32_t>(draw(4));
        rule.valideType = static_cast<int32_t>(draw(3));
        rule.valideTimeUnit = static_cast<int32_t>(draw(3));
        rule.valideTimeUnitCount = 1 + draw(2);
        p.planificator = rule;
        doc.previsionsArray.append(p);
    }
    const double maxDate = at(31, 12, 2025);
    const PrevisionWindowIndex index(doc.previsionsArray, maxDate);
    long matched = 0;
    for (long i = 0; i < 400; ++i) {
        TRANSACT t = transact(at(1, 1, 2023) + 86400.0 * draw(1100), 7 + 2 * draw(2), 22, 10, 20 + draw(3));
        if (draw(5) == 0)
            t.multis = {MULTI(20 + draw(3), testenv::amount(5), {}), MULTI(20 + draw(3), testenv::amount(5), {})};
        double a1 = -1, a2 = -1, b1 = -2, b2 = -2;
        const Prevision* expected = PrevisionManager::findPrevisionMatchingTransact(t, maxDate, &a1, &a2, &doc);
        ASSERT_EQ(index.findPrevisionMatchingTransact(t, &b1, &b2), expected) << i;
        EXPECT_EQ(a1, b1);
        EXPECT_EQ(a2, b2);
        matched += expected != nullptr;
    }
    EXPECT_GT(matched, 150) << matched;
}

TEST_F(SearchEngineTest, ImportDuplicatesSameDayAmountAndReasonPrefix)
{
    TRANSACT carrefour = transact(at(12, 6, 2024, 10), 7, 22, 42.5, 20);
    carrefour.whyImport = QStringLiteral("CB Carrefour Market 12/06");
    carrefour.solde.values[1] = 278.79;
    TRANSACT edf = transact(at(3, 6, 2024), 7, 22, 61, 20);
    edf.whyImport = QStringLiteral("Prélèvement EDF");
    TRANSACT unnamed = transact(at(4, 6, 2024), 7, 22, 10, 20);
    doc.transact_array = {carrefour, edf, unnamed};
    ImportDuplicateIndex index(&doc);

    struct Case {
        double when;
        double amount;
        const char* whyImport;
        bool duplicate;
    };
    const Case cases[] = {
        {at(12, 6, 2024, 23, 59, 59), 42.5, "cb CARREFOUR", true},
        {at(12, 6, 2024), 42.5, "CB Carrefour Market 12/06", true},
        {at(12, 6, 2024), 42.504, "CB", true},
        {at(12, 6, 2024), 42.51, "CB", false},
        {at(13, 6, 2024), 42.5, "CB", false},
        {at(11, 6, 2024, 23, 59, 59), 42.5, "CB", false},
        {at(12, 6, 2024), 42.5, "Carrefour", false},
        {at(12, 6, 2024), 42.5, "CB Carrefour Market 12/06 bis", false},
        {at(3, 6, 2024, 18), 61, "PRELEVEMENT edf", true},
        {at(3, 6, 2024), 61, "prélè", true},
        {at(4, 6, 2024), 10, "", false},
        {at(12, 6, 2024), 42.5, "", false},
    };
    for (const Case& c : cases) {
        TRANSACT row = transact(c.when, 22, 7, c.amount, 1);
        row.whyImport = QString::fromUtf8(c.whyImport);
        EXPECT_EQ(importTransactExists(row, &doc), c.duplicate) << c.whyImport << " " << c.amount;
        EXPECT_EQ(index.importTransactExists(row), c.duplicate) << c.whyImport << " " << c.amount;
    }

    // Amounts are compared in the current currency slot only.
    TRANSACT row = carrefour;
    row.solde.values[1] = 300;
    EXPECT_TRUE(index.importTransactExists(row));
    MONTANT::setCurrentDeviseSlot(1);
    EXPECT_FALSE(index.importTransactExists(row));
    EXPECT_FALSE(importTransactExists(row, &doc));
    MONTANT::setCurrentDeviseSlot(0);

    // Rows the import stores as it goes are found by the next question; a shorter list is read again.
    row = transact(at(20, 6, 2024, 9), 22, 7, 12, 1);
    row.whyImport = QStringLiteral("VIR Salaire");
    EXPECT_FALSE(index.importTransactExists(row));
    doc.transact_array.append(row);
    EXPECT_TRUE(index.importTransactExists(row));
    doc.transact_array.removeFirst();
    EXPECT_TRUE(index.importTransactExists(row));
    EXPECT_FALSE(index.importTransactExists(carrefour));
}

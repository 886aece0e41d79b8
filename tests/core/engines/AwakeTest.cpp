#include "engines/AWAKE.h"

#include "document/DocumentSession.h"
#include "engines/ChronoManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TransactOps.h"
#include "support/FakeAlerts.h"
#include "support/FakeAppShell.h"

#include <gtest/gtest.h>

namespace {

double day(long d, long m, long y)
{
    double t = 0;
    dmyToDate(d, m, y, &t);
    return t;
}

QList<double> dates(const AwakeList& list)
{
    QList<double> out;
    for (const AWAKE& awake : list)
        out.append(awake.transact.when);
    return out;
}

class Awake : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    FakeAppShell shell;
    ScopedAppShell installed {&shell};

    void SetUp() override
    {
        double now = 0;
        dmyhmsToDate(15, 3, 2024, 10, 0, 0, &now);
        SystemClock::setNowForTesting(now);
        doc.docParam = std::make_unique<DOCPARAM>();
        doc.deviseHdl = Devise::defaultDevises();
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    // Monthly from that day, 12 occurrences.
    ECHEANCIER& add(const QString& nom, double firstDate)
    {
        ECHEANCIER e(&doc);
        e.nom = nom;
        e.transact.when = firstDate;
        e.transact.solde.setValueForDevise(0, -100);
        e.planificator = Planificator(firstDate, Planificator::kTypeEcheancier);
        addEcheancier(e, &doc, -1, nullptr);
        return doc.echeancierHdl.last();
    }
    static void addPerso(ECHEANCIER& e, double when, bool done)
    {
        PECHEANCIER p = allocNewPEcheancier(e);
        p.transact.when = when;
        p.done = done;
        echeancierInsertPersoSorted(e, p);
    }
};

} // namespace

TEST_F(Awake, WritingCountsTheOccurrenceInItsSchedule)
{
    ECHEANCIER& loyer = add(QStringLiteral("Loyer"), day(15, 1, 2024));
    addPerso(loyer, day(1, 3, 2024), false);
    loyer.planificator.lastWriteDate = day(15, 2, 2024);

    AWAKE skipped(echeancierOccurrenceAtDate(loyer, day(15, 3, 2024)));
    skipped.status = 1;
    EXPECT_FALSE(writeAwakeOccurrence(skipped, &doc, false, QString()));
    EXPECT_EQ(TRANSACT::nbTrans(&doc), 0);
    EXPECT_EQ(loyer.planificator.nbWriteEch, 0);

    // An older occurrence written late counts without moving the last written date back.
    AWAKE late(echeancierOccurrenceAtDate(loyer, day(15, 1, 2024)));
    late.status = kAwakeWriteCancelled;
    EXPECT_TRUE(writeAwakeOccurrence(late, &doc, false, QStringLiteral("en retard")));
    EXPECT_EQ(loyer.planificator.lastWriteDate, day(15, 2, 2024));
    EXPECT_EQ(loyer.planificator.nbWriteEch, 1);
    const TRANSACT* written = transactAtIndex(0, &doc);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->chronoID, loyer.ident);
    EXPECT_EQ(written->why, QStringLiteral("en retard"));
    EXPECT_TRUE(written->solde.nullMontant());

    AWAKE custom(echeancierPersoOccurrence(loyer, loyer.perso[0]));
    custom.pChronoIndex = 0;
    EXPECT_TRUE(writeAwakeOccurrence(custom, &doc, false, QString()));
    EXPECT_TRUE(loyer.perso[0].done);
    EXPECT_EQ(loyer.planificator.nbWritePEch, 1);
    EXPECT_EQ(loyer.planificator.nbWriteEch, 1);

    // A custom occurrence that no longer exists is not written at all, so it can't come back twice.
    custom.pChronoIndex = 4;
    EXPECT_FALSE(writeAwakeOccurrence(custom, &doc, false, QString()));
    EXPECT_EQ(TRANSACT::nbTrans(&doc), 2);
}

TEST_F(Awake, PassListsWhatIsDueUpToTheAdvanceDays)
{
    ECHEANCIER& paid = add(QStringLiteral("payé"), day(15, 1, 2024));
    paid.planificator.lastWriteDate = day(15, 3, 2024);
    addPerso(paid, day(1, 3, 2024), true);
    EXPECT_FALSE(collectAwakeOccurrences(nullptr, &doc, nullptr, QString(), nullptr));
    EXPECT_TRUE(shell.awakeLists.isEmpty());

    ECHEANCIER& soon = add(QStringLiteral("bientôt"), day(17, 3, 2024));
    soon.planificator.avance = 1;
    AwakeList list;
    collectAwakeForEcheancier(soon, list);
    EXPECT_TRUE(list.isEmpty());
    soon.planificator.avance = 3;
    collectAwakeForEcheancier(soon, list);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].transact.when, day(17, 3, 2024));
    EXPECT_EQ(list[0].pChronoIndex, -1);
    EXPECT_EQ(list[0].transact.chronoID, soon.ident);

    bool cancelled = false;
    shell.awakeResult = 0;
    EXPECT_TRUE(collectAwakeOccurrences(nullptr, &doc, nullptr, QStringLiteral("info"), &cancelled));
    EXPECT_TRUE(cancelled);
    ASSERT_EQ(shell.awakeLists.size(), 1);
    EXPECT_EQ(dates(shell.awakeLists[0]), (QList<double> {day(17, 3, 2024)}));
    EXPECT_EQ(shell.awakeInfos[0], QStringLiteral("info"));
    shell.awakeResult = 1;
    EXPECT_TRUE(collectAwakeOccurrences(nullptr, &doc, &soon, QString(), &cancelled));
    EXPECT_FALSE(cancelled);
}

TEST_F(Awake, CustomOccurrencesAndRenewalsAreListedOnce)
{
    ECHEANCIER& later = add(QStringLiteral("plus tard"), day(1, 1, 2025));
    addPerso(later, day(1, 3, 2024), true);
    addPerso(later, day(10, 3, 2024), false);
    addPerso(later, day(20, 3, 2024), false);
    AwakeList list;
    collectAwakeForEcheancier(later, list);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].pChronoIndex, 1);
    EXPECT_EQ(list[0].transact.when, day(10, 3, 2024));
    EXPECT_EQ(list[0].transact.planifiedDate, day(10, 3, 2024));
    EXPECT_EQ(list[0].transact.chronoID, later.ident);

    // One occurrence a period, renewed every month: each period's occurrence, never the markers.
    ECHEANCIER& renewed = add(QStringLiteral("reconduit"), day(15, 1, 2024));
    renewed.planificator.nbEcheance = 1;
    renewed.planificator.reconductionType = 1;
    renewed.planificator.reconductionPermanent = true;
    list.clear();
    collectAwakeForEcheancier(renewed, list);
    EXPECT_EQ(dates(list), (QList<double> {day(15, 1, 2024), day(15, 2, 2024), day(15, 3, 2024)}));
}

TEST_F(Awake, ClosedYearDocumentCountsItsAlertsDown)
{
    add(QStringLiteral("dû"), day(1, 3, 2024));
    doc.docParam->echInactive = 3;
    FakeAlerts alerts;
    for (const char* information : {"1", "0"}) {
        alerts.expect(kAlertFirstButton);
        EXPECT_TRUE(collectAwakeOccurrences(nullptr, &doc, nullptr, QString(), nullptr));
        ASSERT_FALSE(alerts.shown.isEmpty());
        EXPECT_EQ(alerts.shown.last().information, QLatin1String(information));
    }
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kAlerte_DocCloture")));
    EXPECT_EQ(alerts.shown[0].imageName, QStringLiteral("echeancier_reel"));
    EXPECT_EQ(doc.docParam->echInactive, 1);
    EXPECT_TRUE(collectAwakeOccurrences(nullptr, &doc, nullptr, QString(), nullptr));
    EXPECT_EQ(alerts.shown.size(), 2);
    EXPECT_EQ(doc.docParam->echInactive, 1);
    EXPECT_TRUE(shell.awakeLists.isEmpty());
}

TEST_F(Awake, OccurrenceDateIsTheStartOfThePeriodHoldingTheNearestOccurrence)
{
    // Monthly, 12 a year, renewed each year.
    ECHEANCIER& e = add(QStringLiteral("annuel"), day(10, 1, 2024));
    e.planificator.reconductionType = 1;
    e.planificator.reconductionTimeUnit = Planificator::kUnitYear;
    e.planificator.reconductionPermanent = true;
    TRANSACT t;
    t.planifiedDate = day(10, 3, 2025) + 3600;
    EXPECT_EQ(echeancierOccurrenceDateForTransact(e, t, day(1, 1, 2027)), day(10, 1, 2025));
    // A custom occurrence counts only when no regular one falls on the day.
    t.planifiedDate = day(9, 1, 2025);
    EXPECT_EQ(echeancierOccurrenceDateForTransact(e, t, day(1, 1, 2027)), day(10, 1, 2025));
    addPerso(e, day(9, 1, 2025), false);
    EXPECT_EQ(echeancierOccurrenceDateForTransact(e, t, day(1, 1, 2027)), day(10, 1, 2024));
}

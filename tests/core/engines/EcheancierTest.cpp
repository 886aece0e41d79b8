#include "model/ECHEANCIER.h"

#include "document/DocumentSession.h"
#include "engines/ChronoFile.h"
#include "foundation/LoadIssues.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

double day(long d, long m, long y)
{
    double t = 0;
    dmyToDate(d, m, y, &t);
    return t;
}

ECHEANCIER named(const QString& nom)
{
    ECHEANCIER e(nullptr);
    e.nom = nom;
    return e;
}

PECHEANCIER perso(double when, const QString& why, bool done = false)
{
    TRANSACT t;
    t.when = when;
    t.why = why;
    return PECHEANCIER(t, done);
}

class Echeancier : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};

    void SetUp() override { SystemClock::setNowForTesting(day(15, 3, 2024)); }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }
};

// Pages of the XML library run out after the allowed number of allocations.
long g_allocationsLeft = -1;
void* limitedAllocate(size_t size)
{
    if (g_allocationsLeft == 0)
        return nullptr;
    if (g_allocationsLeft > 0)
        --g_allocationsLeft;
    return std::malloc(size);
}

} // namespace

TEST_F(Echeancier, AddDrawsUnusedIdentsAndIndexesByNameCaseIgnored)
{
    QSet<long> idents;
    for (int i = 0; i < 300; ++i) {
        const long ident = addEcheancier(named(QStringLiteral("e%1").arg(i)), &doc, -1, nullptr);
        EXPECT_GE(ident, 6);
        EXPECT_LE(ident, 32767);
        idents.insert(ident);
    }
    EXPECT_EQ(idents.size(), 300);
    EXPECT_EQ(addEcheancier(named(QStringLiteral("fixe")), &doc, 40000, nullptr), 40000);

    DOCUMENT other {QString(), kFileSystemLocal};
    other.echeancierHdl = {named(QStringLiteral("Loyer")), named(QStringLiteral("assurance"))};
    other.echeancierHdl[0].ident = 10;
    other.echeancierHdl[1].ident = 11;
    buildEcheancierIndex(&other);
    EXPECT_EQ(echeancierIndexArray(&other), (QList<long> {11, 10}));
    long position = -1;
    const long ident = addEcheancier(named(QStringLiteral("Banque")), &other, -1, &position);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(echeancierIndexArray(&other), (QList<long> {11, ident, 10}));
    const ECHEANCIER* found = nullptr;
    EXPECT_TRUE(echeancierAtIndexPosition(2, &found, static_cast<const DOCUMENT*>(&other)));
    EXPECT_EQ(found->nom, QStringLiteral("Loyer"));

    removeEcheancierAtIndexPosition(0, &other);
    EXPECT_EQ(echeancierIndexArray(&other), (QList<long> {ident, 10}));
    ASSERT_EQ(other.echeancierHdl.size(), 2);
    EXPECT_FALSE(findEcheancier(11, static_cast<const DOCUMENT*>(&other), &found, nullptr));
    // Each document has its own index.
    EXPECT_EQ(echeancierIndexCount(&doc), 301);
}

TEST_F(Echeancier, CustomOccurrencesStaySortedWithEqualDatesInInsertionOrder)
{
    ECHEANCIER e(nullptr);
    EXPECT_EQ(echeancierInsertPersoSorted(e, perso(day(10, 4, 2024), QStringLiteral("premier"))), 0);
    EXPECT_EQ(echeancierInsertPersoSorted(e, perso(day(1, 4, 2024), QStringLiteral("avant"))), 0);
    EXPECT_EQ(echeancierInsertPersoSorted(e, perso(day(10, 4, 2024), QStringLiteral("second"))), 2);
    ASSERT_EQ(echeancierPersoCount(&e), 3);
    EXPECT_EQ(e.perso[1].transact.why, QStringLiteral("premier"));
    EXPECT_EQ(e.perso[2].transact.why, QStringLiteral("second"));
    EXPECT_FALSE(echeancierRemovePersoAtIndex(e, 3).has_value());
}

TEST_F(Echeancier, NamesAndOccurrencesCarryTheSchedule)
{
    ECHEANCIER loyer = named(QStringLiteral("Loyer"));
    loyer.transact.mark = true;
    const long ident = addEcheancier(loyer, &doc, -1, nullptr);
    EXPECT_EQ(echeancierNameForIdent(-1, &doc), QStringLiteral("Aucun échéancier"));
    EXPECT_EQ(echeancierNameForIdent(ident + 1, &doc), QStringLiteral("?"));
    EXPECT_EQ(echeancierNameForIdent(ident, &doc), QStringLiteral("Loyer"));
    long index = -1;
    EXPECT_TRUE(findEcheancierByName(QStringLiteral("LOYER"), &doc, &index));
    EXPECT_EQ(index, 0);

    const TRANSACT t = echeancierOccurrenceAtDate(doc.echeancierHdl[0], day(5, 5, 2024));
    EXPECT_EQ(t.chronoID, ident);
    EXPECT_EQ(t.planifiedDate, day(5, 5, 2024));
    EXPECT_FALSE(t.mark);
}

TEST_F(Echeancier, ChronoFileRoundTripsAndReadsOlderRecords)
{
    const QString package = testenv::package(QStringLiteral("chrono"));
    ECHEANCIER loyer = named(QStringLiteral("Loyer & charges"));
    loyer.ident = 77;
    loyer.transact.when = day(5, 1, 2024);
    loyer.transact.solde.setValueForDevise(0, -650.25);
    loyer.planificator = Planificator(day(5, 1, 2024), Planificator::kTypeEcheancier);
    loyer.planificator.avance = 3;
    loyer.planificator.nbWriteEch = 2;
    echeancierInsertPersoSorted(loyer, perso(day(20, 2, 2024), QStringLiteral("prime"), true));
    echeancierInsertPersoSorted(loyer, perso(day(10, 2, 2024), QStringLiteral("rappel")));
    EcheancierList list = {loyer, named(QStringLiteral("vide"))};
    ASSERT_TRUE(saveEcheanciers(package, list, Devise::defaultDevises()));

    LoadIssues issues;
    EcheancierList loaded = loadEcheanciers(package, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded[0].ident, 77);
    EXPECT_EQ(loaded[0].nom, QStringLiteral("Loyer & charges"));
    EXPECT_EQ(loaded[0].planificator, loyer.planificator);
    EXPECT_DOUBLE_EQ(loaded[0].transact.solde.values[0], -650.25);
    ASSERT_EQ(loaded[0].perso.size(), 2);
    EXPECT_EQ(loaded[0].perso[0].transact.why, QStringLiteral("rappel"));
    EXPECT_FALSE(loaded[0].perso[0].done);
    EXPECT_TRUE(loaded[0].perso[1].done);

    // A forecast of the older format, then a schedule of the older format without custom list.
    const QString older
        = QStringLiteral("<list><record><ident>5</ident><nom>budget</nom><simul>1</simul></record>"
                         "<record><ident>9</ident><nom>Ancien</nom><tousLes>3</tousLes><periode>1</periode>"
                         "<transact><when>726192000</when><solde><v>12</v></solde></transact></record></list>");
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(older.toUtf8().constData()));
    ASSERT_TRUE(saveXMLInPackage(package, &xml, QString::fromLatin1(kChronoFileName)));
    issues = LoadIssues();
    loaded = loadEcheanciers(package, &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].nom, QStringLiteral("Ancien"));
    EXPECT_EQ(loaded[0].planificator.repeatTimeUnit, Planificator::kUnitWeek);
    EXPECT_EQ(loaded[0].planificator.repeatTimeUnitCount, 3);
    EXPECT_EQ(loaded[0].planificator.firstDate, 726192000.0);
    EXPECT_TRUE(loaded[0].perso.isEmpty());

    issues = LoadIssues();
    EXPECT_TRUE(loadEcheanciers(testenv::package(QStringLiteral("chronoNone")), &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());
}

TEST_F(Echeancier, SaveReportsAScheduleThatCouldNotBeWritten)
{
    const QString package = testenv::package(QStringLiteral("chronoFull"));
    const pugi::allocation_function allocate = pugi::get_memory_allocation_function();
    const pugi::deallocation_function deallocate = pugi::get_memory_deallocation_function();
    // Only as many allocations as an empty file takes: every schedule then runs out of memory.
    EcheancierList empty;
    g_allocationsLeft = 1000;
    pugi::set_memory_management_functions(limitedAllocate, std::free);
    makeDocChronoXML(empty, Devise::defaultDevises(), nullptr);
    const long emptyFileAllocations = 1000 - g_allocationsLeft;
    EcheancierList list;
    for (int i = 0; i < 40; ++i)
        list.append(named(QString(2000, QLatin1Char('a' + i % 26))));
    g_allocationsLeft = emptyFileAllocations;
    const bool saved = saveEcheanciers(package, list, Devise::defaultDevises());
    pugi::set_memory_management_functions(allocate, deallocate);
    g_allocationsLeft = -1;

    EXPECT_FALSE(saved);
    // The file is written all the same, with what could be written.
    LoadIssues issues;
    EXPECT_TRUE(QFileInfo::exists(package + QStringLiteral("/Contents/Resources/chrono.xml")));
    issues = LoadIssues();
    EXPECT_LT(loadEcheanciers(package, &issues).size(), 40);
}

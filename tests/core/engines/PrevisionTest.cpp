#include "document/DocumentSession.h"
#include "engines/PrevisionManager.h"
#include "foundation/LoadIssues.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/PrevisionFile.h"
#include "model/TransactFile.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

double at(long day, long month, long year, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(day, month, year, hour, minute, second, &t);
    return t;
}

Prevision forecast(long ident, const QString& name, long poste = 20, long who1 = 10, long who2 = 11)
{
    Prevision p = Prevision::newPrevision(nullptr);
    p.ident = ident;
    p.name = name;
    p.transact.posteID = poste;
    p.transact.who1 = who1;
    p.transact.who2 = who2;
    p.transact.when = at(1, 3, 2024);
    p.transact.solde.setValueForDevise(0, -400);
    Planificator rule(at(1, 3, 2024), Planificator::kTypePrevision);
    rule.valideType = Planificator::kValideLength;
    p.planificator = rule;
    return p;
}

TRANSACT spending(double when, long poste = 20, long who1 = 10, long who2 = 11)
{
    TRANSACT t;
    t.when = when;
    t.posteID = poste;
    t.who1 = who1;
    t.who2 = who2;
    return t;
}

class PrevisionIndexTest : public ::testing::Test {
protected:
    void TearDown() override { DocumentSession::close(); }
    PrevisionManager& manager = PrevisionManager::sharedManager();
};

// An older schedule record flagged "simul": the forecast and its custom occurrences.
pugi::xml_node appendSimul(pugi::xml_node root, long ident, const QString& nom, const QList<double>& persoDates,
                           bool withModel = true)
{
    pugi::xml_node record = xmlAppendElement(root, "record");
    xmlAppendLong(record, "ident", ident);
    xmlAppendString(record, "nom", nom);
    xmlAppendBool(record, "simul", true);
    xmlAppendLong(record, "tousLes", 1);
    xmlAppendInt(record, "periode", Planificator::kUnitMonth);
    xmlAppendLong(record, "nbEcheance", 12);
    TRANSACT model = spending(at(15, 1, 2023));
    if (withModel)
        XML_append_transact(record, "transact", model, Devise::defaultDevises());
    pugi::xml_node persolist = xmlAppendElement(record, "persolist");
    for (double when : persoDates) {
        pugi::xml_node perso = xmlAppendElement(persolist, "perso");
        xmlAppendBool(perso, "done", false);
        TRANSACT one = spending(when);
        if (when > 0)
            XML_append_transact(perso, "transact", one, Devise::defaultDevises());
    }
    return record;
}

} // namespace

TEST_F(PrevisionIndexTest, NamesAndIndexOrderAreCaseSensitiveAndReplacingKeepsOneEntry)
{
    const PrevisionList taken = {forecast(7, QStringLiteral("Loyer")), forecast(8, QStringLiteral("Loyer 2"))};
    EXPECT_EQ(availableNameForPrevision(QStringLiteral("Loyer"), taken), QStringLiteral("Loyer 3"));
    EXPECT_EQ(availableNameForPrevision(QStringLiteral("loyer"), taken), QStringLiteral("loyer"));

    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.previsionsArray = {forecast(7, QStringLiteral("assurance")), forecast(8, QStringLiteral("Loyer")),
                           forecast(9, QStringLiteral("Courses"))};
    manager.buildPrevisionIndex(&doc);
    EXPECT_EQ(manager.thePrevisionIndex(&doc), (QList<long> {9, 8, 7})); // upper case sorts first

    // Renaming "Loyer" through a replacement moves it in the index instead of listing it twice.
    Prevision renamed = forecast(-1, QStringLiteral("électricité"));
    qsizetype position = -1;
    EXPECT_EQ(manager.addIndexedPrevisionReference(renamed, &doc, 8, &position), 8);
    EXPECT_EQ(manager.thePrevisionIndex(&doc), (QList<long> {9, 7, 8}));
    EXPECT_EQ(position, 2);
    ASSERT_EQ(doc.previsionsArray.size(), 3);
    EXPECT_EQ(PrevisionManager::getPrevisionName(8, &doc), QStringLiteral("électricité"));

    const long fresh
        = manager.addIndexedPrevisionReference(forecast(-1, QStringLiteral("Banque")), &doc, -1, &position);
    EXPECT_TRUE(fresh >= 1 && fresh <= 32767 && fresh != 7 && fresh != 8 && fresh != 9);
    EXPECT_EQ(position, 0);
    manager.removeIndexedPrevisionReference(1, &doc); // "Courses"
    EXPECT_EQ(manager.thePrevisionIndex(&doc), (QList<long> {fresh, 7, 8}));
    EXPECT_EQ(PrevisionManager::getPrevisionWithIdent(9, &doc), nullptr);
    EXPECT_EQ(manager.getIndexedPrevisionID(3, &doc), -1);
    EXPECT_EQ(manager.nbIndexedPrevisions(&doc), 3);
    EXPECT_EQ(manager.nbIndexedPrevisions(nullptr), 0);
}

TEST(Prevision, MatchingCoversBothWindowEndsAndSplitLines)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.previsionsArray = {forecast(7, QStringLiteral("Courses"))};
    const double horizon = at(31, 12, 2024);
    double d1 = -1;
    double d2 = -1;
    const Prevision* found
        = PrevisionManager::findPrevisionMatchingTransact(spending(at(1, 3, 2024)), horizon, &d1, &d2, &doc);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(d1, at(1, 3, 2024));
    EXPECT_EQ(d2, at(31, 3, 2024, 23, 59, 59));
    found = PrevisionManager::findPrevisionMatchingTransact(spending(at(31, 3, 2024, 23, 59, 59)), horizon, &d1, &d2,
                                                            &doc);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(d1, at(1, 3, 2024));
    EXPECT_EQ(PrevisionManager::findPrevisionMatchingTransact(spending(at(29, 2, 2024)), horizon, &d1, &d2, &doc),
              nullptr);
    EXPECT_EQ(d1, 0);
    EXPECT_EQ(PrevisionManager::findPrevisionMatchingTransact(spending(at(1, 3, 2025)), horizon, &d1, &d2, &doc),
              nullptr);
    EXPECT_EQ(PrevisionManager::findPrevisionMatchingTransact(spending(at(5, 3, 2024), 21), horizon, &d1, &d2, &doc),
              nullptr);

    TRANSACT split = spending(at(5, 4, 2024), 21);
    split.addMultiWithPosteID(33, MONTANT(), QString());
    split.addMultiWithPosteID(20, MONTANT(), QString());
    EXPECT_NE(PrevisionManager::findPrevisionMatchingTransact(split, horizon, &d1, &d2, &doc), nullptr);
    EXPECT_EQ(d1, at(1, 4, 2024));

    doc.previsionsArray[0].planificator->valideType = Planificator::kValideOwnDate;
    EXPECT_NE(PrevisionManager::findPrevisionMatchingTransact(spending(at(1, 5, 2024)), horizon, &d1, &d2, &doc),
              nullptr);
    EXPECT_EQ(
        PrevisionManager::findPrevisionMatchingTransact(spending(at(1, 5, 2024, 0, 0, 1)), horizon, &d1, &d2, &doc),
        nullptr);
}

TEST(Prevision, AccountsRankCandidatesAndTheLaterOfEqualsWins)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    const TRANSACT t = spending(at(10, 3, 2024));
    const double horizon = at(31, 12, 2024);
    const auto best = [&](PrevisionList list) {
        doc.previsionsArray = std::move(list);
        const Prevision* p = PrevisionManager::findPrevisionMatchingTransact(t, horizon, nullptr, nullptr, &doc);
        return p ? p->ident : -1;
    };
    EXPECT_EQ(best({forecast(1, "a"), forecast(2, "b", 20, 10, 99)}), 1); // full match beats a later who1 match
    EXPECT_EQ(best({forecast(1, "a"), forecast(2, "b")}), 2); // two full matches: the later
    EXPECT_EQ(best({forecast(1, "a", 20, 10, 98), forecast(2, "b", 20, 10, 99)}), 2);
    EXPECT_EQ(best({forecast(1, "a", 20, 98, 11), forecast(2, "b", 20, 10, 99)}), 2); // who1 beats who2
    EXPECT_EQ(best({forecast(1, "a", 20, 10, 99), forecast(2, "b", 20, 98, 11)}), 1);
    EXPECT_EQ(best({forecast(1, "a", 20, 98, 99), forecast(2, "b", 20, 97, 96)}), 1); // no account: the earlier
    EXPECT_EQ(best({forecast(1, "a", 20, 98, 99), forecast(2, "b", 20, 97, 11)}), 2);
}

TEST(Prevision, FileRoundTripKeepsEveryRecordAndFlagsAMissingRule)
{
    const QString package = testenv::package(QStringLiteral("prevision-roundtrip"));
    PrevisionList list = {forecast(7, QStringLiteral("Courses <& \"marché\">")), forecast(8, QStringLiteral("Loyer"))};
    list[0].rattrapable = false;
    list[0].planificator->repeatTimeUnit = Planificator::kUnitWeek;
    list[0].planificator->reconductionType = 1;
    list[1].planificator.reset();
    bool recordError = false;
    ASSERT_TRUE(savePrevision(package, list, Devise::defaultDevises(), &recordError));
    EXPECT_TRUE(recordError); // the forecast without a rule

    LoadIssues issues;
    const PrevisionList loaded = loadPrevision(package, nullptr, Devise::defaultDevises(), &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded[0].ident, 7);
    EXPECT_EQ(loaded[0].name, list[0].name);
    EXPECT_FALSE(loaded[0].rattrapable);
    EXPECT_EQ(loaded[0].planificator, list[0].planificator);
    EXPECT_EQ(loaded[0].transact.posteID, 20);
    EXPECT_DOUBLE_EQ(loaded[0].transact.solde.getValueForDevise(0), -400);
    EXPECT_TRUE(loaded[1].rattrapable);
    EXPECT_FALSE(loaded[1].planificator.has_value());

    issues = LoadIssues();
    EXPECT_TRUE(loadPrevision(testenv::freshDir(QStringLiteral("prevision-none")), nullptr, {}, &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());
}

TEST(Prevision, MigrationCarriesOverTheValidRecordsAfterABadOneAndHappensOnce)
{
    const QString package = testenv::package(QStringLiteral("prevision-migration"));
    pugi::xml_node root;
    const XmlDocPtr chrono = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    pugi::xml_node schedule = xmlAppendElement(root, "record"); // a schedule: not a forecast
    xmlAppendLong(schedule, "ident", 50);
    appendSimul(root, 100, QStringLiteral("Courses"), {at(3, 2, 2023), at(9, 2, 2023)});
    appendSimul(root, 200, QStringLiteral("Perdu"), {at(4, 2, 2023)}, false);
    appendSimul(root, 300, QStringLiteral("Essence"), {0, at(5, 2, 2023)}); // the first has no model
    appendSimul(root, 400, QStringLiteral("Cadeaux"), {}).remove_child("persolist");
    ASSERT_TRUE(saveXMLInPackage(package, chrono.get(), QStringLiteral("chrono.xml")));

    LoadIssues issues;
    const PrevisionList loaded = loadPrevision(package, nullptr, Devise::defaultDevises(), &issues);
    EXPECT_FALSE(issues.isEmpty());
    QStringList names;
    for (const Prevision& p : loaded)
        names << p.name;
    EXPECT_EQ(names.join(u'|'), QStringLiteral("Courses|Courses 2|Courses 3|Essence|Essence 2|Cadeaux"));
    ASSERT_EQ(loaded.size(), 6);
    EXPECT_EQ(loaded[0].ident, 100);
    EXPECT_EQ(loaded[0].planificator->firstDate, firstDayOfMonth(at(15, 1, 2023)));
    EXPECT_EQ(loaded[0].planificator->nbEcheance, 12);
    const Planificator& oneOff = *loaded[2].planificator;
    EXPECT_EQ(oneOff.firstDate, at(9, 2, 2023));
    EXPECT_EQ(oneOff.nbEcheance, 1);
    EXPECT_EQ(oneOff.valideType, Planificator::kValideEndOfMonth);
    QList<long> idents;
    for (const Prevision& p : loaded) {
        EXPECT_FALSE(idents.contains(p.ident));
        idents << p.ident;
    }

    // prevision.xml now exists: chrono.xml is not read for forecasts again.
    appendSimul(root, 500, QStringLiteral("Nouveau"), {});
    ASSERT_TRUE(saveXMLInPackage(package, chrono.get(), QStringLiteral("chrono.xml")));
    issues = LoadIssues();
    const PrevisionList again = loadPrevision(package, nullptr, Devise::defaultDevises(), &issues);
    EXPECT_TRUE(issues.isEmpty());
    EXPECT_EQ(again.size(), 6);
}

TEST(Prevision, MigrationThatCannotWriteKeepsItsForecastsAndSaysSo)
{
    const QString package = testenv::package(QStringLiteral("prevision-unwritable"));
    pugi::xml_node root;
    const XmlDocPtr chrono = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    appendSimul(root, 100, QStringLiteral("Courses"), {});
    ASSERT_TRUE(saveXMLInPackage(package, chrono.get(), QStringLiteral("chrono.xml")));
    // A link to a place that can't exist: prevision.xml is absent, and writing it fails.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/absent/prevision.xml"),
                            package + QStringLiteral("/Contents/Resources/prevision.xml")));

    LoadIssues issues;
    const PrevisionList loaded = loadPrevision(package, nullptr, Devise::defaultDevises(), &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].name, QStringLiteral("Courses"));
}

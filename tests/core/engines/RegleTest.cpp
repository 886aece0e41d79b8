#include "engines/RegleManager.h"

#include "document/DocContext.h"
#include "engines/SearchEngine.h"
#include "foundation/LoadIssues.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/RegleFile.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QObject>
#include <gtest/gtest.h>

namespace {

constexpr long kBanque = 10;
constexpr long kTiers = 11;
constexpr long kCompte = 7; // the user's account the bank files are imported into
constexpr long kLivret = 9;
constexpr long kAgence = 22; // payees
constexpr long kEdf = 23;
constexpr long kLoyer = 30; // categories
constexpr long kEnergie = 31;

class Recorder : public QObject {
    Q_OBJECT
public:
    Recorder() { registerWindowController(this); }
    ~Recorder() override { unregisterWindowController(this); }
    QStringList calls;

    Q_INVOKABLE void REPLACE_TRANSACT(const QVariant& i, const QVariant&)
    {
        calls << QStringLiteral("REPLACE_TRANSACT:%1").arg(i.toLongLong());
    }
    Q_INVOKABLE void DID_CHANGE_TRANSACT() { calls << QStringLiteral("DID_CHANGE_TRANSACT"); }
};

class SelectedRows : public IRegleTable {
public:
    QList<long> rows;
    bool isRowSelected(long row) const override { return rows.contains(row); }
    QObject* alertWindow() const override { return nullptr; }
};

class Regle : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    RegleManager& manager = RegleManager::sharedRegleManager();

    void SetUp() override
    {
        testenv::addDefaultDocParam(doc);
        using testenv::tool;
        doc.banqueHdl = {tool(kToolBanque, kBanque, kBanqueUser), tool(kToolBanque, kTiers, kBanqueTiers)};
        doc.compteHdl = {tool(kToolCompte, kCompte, QStringLiteral("Société Générale"), kBanqueUser, kBanque),
                         tool(kToolCompte, kLivret, kBanqueUser, kBanque),
                         tool(kToolCompte, kAgence, QStringLiteral("Agence"), kBanqueTiers, kTiers),
                         tool(kToolCompte, kEdf, kBanqueTiers, kTiers), tool(kToolCompte, 3, kBanqueTiers, kTiers)};
    }

    // An imported transaction; touched ones were completed by the user with these fields.
    long imported(const QString& why, bool touched, long who2 = 3, long poste = 1, long importID = kCompte)
    {
        TRANSACT t;
        t.when = 700000000;
        t.who1 = kCompte;
        t.who2 = who2;
        t.posteID = poste;
        t.importID = importID;
        t.whyImport = why;
        t.importTouched = touched;
        doc.transact_array.append(t);
        return doc.transact_array.size() - 1;
    }

    std::unique_ptr<LISTING> importedListing() const
    {
        const Critere critere = Critere::makeImportCritere(CritereImport::Imported, &doc);
        SearchRequest request;
        request.critere = &critere;
        request.doc = &doc;
        request.sort = ListingSort::NoSort;
        return searchWithCritere(request);
    }
};

TEST_F(Regle, WordsAreFoldedDistinctAndAtMostTwenty)
{
    QStringList words;
    manager.regleExplode(QStringLiteral("Électricité, ELECTRICITE; edf-gdf  électricite"), words);
    EXPECT_EQ(words, QStringList({"electricite", "edf", "gdf"}));

    QString many;
    for (int i = 1; i <= 25; ++i)
        many += QStringLiteral("w%1 ").arg(i);
    manager.regleExplode(many, words);
    ASSERT_EQ(words.size(), 20);
    EXPECT_EQ(words.last(), QStringLiteral("w20"));

    // The common words follow the second text, among the first 20 words of the first.
    manager.regleFindCommun(many + QStringLiteral("loyer"), QStringLiteral("W3 loyer w1 w3"), words);
    EXPECT_EQ(words, QStringList({"W3", "w1"}));
}

TEST_F(Regle, LearnsTheSharedWordsAndMatchesWithAccentsAndCaseIgnored)
{
    imported(QStringLiteral("PRLV LOYER AGENCE 123/456"), true, kAgence, kLoyer);
    imported(QStringLiteral("PRLV LOYER AGENCE 789"), true, kAgence, kLoyer);
    imported(QStringLiteral("PRLV Électricité JANV"), true, kEdf, kEnergie);
    imported(QStringLiteral("PRLV ELECTRICITE FEVR"), true, kEdf, kEnergie);
    imported(QStringLiteral("PRLV LOYER AGENCE 999"), false); // not completed: teaches nothing
    // Reasons without any word would give rules that fit every reason of the account.
    imported(QStringLiteral("*** / ---"), true, kLivret, kLoyer);
    imported(QStringLiteral("+++"), true, kLivret, kLoyer);

    const RegleList rules = manager.computeRegles(&doc);
    ASSERT_EQ(rules.size(), 2);
    const REGLE& loyer = rules[0].posteID == kLoyer ? rules[0] : rules[1];
    EXPECT_EQ(loyer.mots, QStringList({"PRLV", "LOYER", "AGENCE"}));
    EXPECT_EQ(loyer.importID, kCompte);
    EXPECT_EQ(loyer.who2, kAgence);
    EXPECT_EQ(loyer.nb_operation, 1);

    const auto find = [&](const char* why) { return manager.findRegle(rules, false, QString::fromUtf8(why), kCompte); };
    ASSERT_TRUE(find("prlv électricité 03/24"));
    EXPECT_EQ(find("prlv électricité 03/24")->posteID, kEnergie);
    ASSERT_TRUE(find("Prlv Loyer Agénce 2024"));
    EXPECT_EQ(find("Prlv Loyer Agénce 2024")->who2, kAgence);
    EXPECT_FALSE(find("VIR LOYER"));
    EXPECT_FALSE(find("--"));
}

TEST_F(Regle, PreciseRulesAreTriedFirstAndOtherAccountsOnlyByHand)
{
    RegleList rules;
    manager.addRegle(rules, kCompte, {kCompte, kAgence, kEnergie, 0}, {"LOYER"});
    manager.addRegle(rules, kCompte, {kCompte, kAgence, kLoyer, 0}, {"LOYER", "AGENCE"});
    manager.addRegle(rules, 5, {kCompte, kEdf, kEnergie, 0}, {"EDF"});
    manager.addRegle(rules, kCompte, {kCompte, kAgence, kLoyer, 0}, {"agence", "loyer"}); // confirms
    // Same fields, some words shared: the rule keeps those and counts one more confirmation.
    manager.addRegle(rules, 5, {kCompte, kEdf, kEnergie, 0}, {"EDF", "GAZ"});
    manager.addRegle(rules, 5, {kCompte, kEdf, kEnergie, 0}, {"GDF"});
    ASSERT_EQ(rules.size(), 4);
    EXPECT_EQ(rules[1].nb_operation, 2);
    EXPECT_EQ(rules[2].nb_operation, 2);
    EXPECT_EQ(rules[3].mots, QStringList({"GDF"}));

    manager.sortRegles(rules);
    ASSERT_EQ(rules.size(), 4);
    EXPECT_EQ(rules[0].importID, 5);
    EXPECT_EQ(rules[2].mots, QStringList({"LOYER", "AGENCE"}));
    EXPECT_EQ(rules[3].mots, QStringList({"LOYER"}));

    const std::optional<RegleAffectation> precise
        = manager.findRegle(rules, false, QStringLiteral("LOYER AGENCE MARS"), kCompte);
    ASSERT_TRUE(precise);
    EXPECT_EQ(precise->posteID, kLoyer);
    const std::optional<RegleAffectation> loose
        = manager.findRegle(rules, false, QStringLiteral("LOYER PARKING"), kCompte);
    ASSERT_TRUE(loose);
    EXPECT_EQ(loose->posteID, kEnergie);
    EXPECT_FALSE(manager.findRegle(rules, false, QStringLiteral("EDF"), kCompte));
    EXPECT_TRUE(manager.findRegle(rules, true, QStringLiteral("EDF"), kCompte));

    // Of two rules with one word set, the more confirmed stays, the later one on a tie.
    RegleList dup = {rules[2], rules[2], rules[3]};
    dup[0].nb_operation = 5;
    dup[1].who2 = kEdf;
    manager.cleanRegles(dup);
    ASSERT_EQ(dup.size(), 2);
    EXPECT_EQ(dup[0].nb_operation, 5);
    dup = {rules[3], rules[3]};
    dup[1].who2 = kEdf;
    manager.cleanRegles(dup);
    ASSERT_EQ(dup.size(), 1);
    EXPECT_EQ(dup[0].who2, kEdf);
}

TEST_F(Regle, ApplyingToAListingTellsTheWindowsOnceAndReportsLockedOnce)
{
    imported(QStringLiteral("PRLV LOYER AGENCE 123/456"), true, kAgence, kLoyer);
    imported(QStringLiteral("PRLV LOYER AGENCE 789"), true, kAgence, kLoyer);
    const long fresh1 = imported(QStringLiteral("prlv loyer agence 1000"), false);
    const long fresh2 = imported(QStringLiteral("PRLV LOYER AGÈNCE 1001"), false);
    const long touched = imported(QStringLiteral("PRLV LOYER AGENCE 1002"), true, kEdf, kEnergie);
    const long locked = imported(QStringLiteral("PRLV LOYER AGENCE 1003"), false);
    RELEVE releve;
    releve.ident = 1;
    releve.date = 600000000;
    TOOL::getTool(kToolCompte, kCompte, &doc)->releves = {releve};
    TOOL::getTool(kToolCompte, kCompte, &doc)->locked_releve_to_date = 650000000;
    doc.transact_array[locked].releveID1 = 1;

    Recorder recorder;
    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    const auto listing = importedListing();
    manager.applyReglesToListing(listing.get(), kApplyReglesUntouched, false, nullptr, &doc);

    for (const long i : {fresh1, fresh2}) {
        EXPECT_EQ(doc.transact_array[i].who2, kAgence);
        EXPECT_EQ(doc.transact_array[i].posteID, kLoyer);
        EXPECT_TRUE(doc.transact_array[i].importTouched);
    }
    EXPECT_EQ(doc.transact_array[touched].posteID, kEnergie);
    EXPECT_EQ(doc.transact_array[locked].posteID, 1);
    EXPECT_EQ(recorder.calls, QStringList({QStringLiteral("REPLACE_TRANSACT:%1").arg(fresh2), "DID_CHANGE_TRANSACT"}));
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kAlerte_apply_regle_locked")));

    // By selection, only the transactions of the selected rows.
    doc.transact_array[locked].releveID1 = -1;
    SelectedRows table;
    long row = -1;
    ASSERT_TRUE(listingFindPosition(touched, StorageKind::Transact, listing.get(), &row));
    table.rows = {row};
    recorder.calls.clear();
    manager.applyReglesToListing(listing.get(), kApplyReglesSelection, false, &table, &doc);
    EXPECT_EQ(doc.transact_array[touched].posteID, kLoyer);
    EXPECT_EQ(doc.transact_array[locked].posteID, 1);
    EXPECT_EQ(recorder.calls.size(), 2);
}

TEST_F(Regle, ChequesGoToTheAnonymousAccountAndTheDefaultCategory)
{
    RegleList rules;
    manager.addRegle(rules, kCompte, {kCompte, kAgence, kLoyer, kFamilyChequeDebit}, {"CHQ"});
    TRANSACT t;
    t.importID = kCompte;
    t.whyImport = QStringLiteral("CHQ 0001234");
    bool locked = true;
    ASSERT_TRUE(manager.applyReglesToTransact(rules, false, t, &doc, &locked));
    EXPECT_FALSE(locked);
    EXPECT_EQ(t.who2, kCompteAnonymeID);
    EXPECT_EQ(t.posteID, DOCPARAM::getDefaultPoste(&doc));
    EXPECT_EQ(t.moyen, kFamilyChequeDebit);
    EXPECT_EQ(doc.moyenHdl.size(), 1); // the account's cheque books
}

TEST_F(Regle, RulesFileRoundTrips)
{
    const QString package = testenv::package(QStringLiteral("regles"));
    LoadIssues issues;
    EXPECT_TRUE(loadRegles(package, &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());

    REGLE a;
    a.importID = kCompte;
    a.who1 = kCompte;
    a.who2 = kAgence;
    a.posteID = kLoyer;
    a.moyen = 11;
    a.nb_operation = 4;
    a.title = QStringLiteral("not stored");
    a.mots = {"PRLV", "LOYER", "R&D"};
    REGLE b;
    ASSERT_TRUE(saveRegles(package, {a, b}));
    issues = LoadIssues();
    const RegleList back = loadRegles(package, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0].mots, a.mots);
    EXPECT_EQ(
        std::tie(back[0].importID, back[0].who1, back[0].who2, back[0].posteID, back[0].moyen, back[0].nb_operation),
        std::tie(a.importID, a.who1, a.who2, a.posteID, a.moyen, a.nb_operation));
    EXPECT_TRUE(back[0].title.isEmpty());
    EXPECT_TRUE(back[1].mots.isEmpty());

    const QString file = QDir(package).filePath(QStringLiteral("Contents/Resources/regles.xml"));
    testenv::writeFile(file, "<list><record><mots><mot><mot>EDF</mot></mot></mots></record>oops</list>");
    issues = LoadIssues();
    const RegleList partial = loadRegles(package, &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(partial.size(), 1);
    EXPECT_EQ(partial[0].mots, QStringList({"EDF"}));
    EXPECT_EQ(partial[0].posteID, -1);
    EXPECT_EQ(partial[0].moyen, -1);
    // A file that can't be read is reported, so that saving doesn't silently replace it by nothing.
    testenv::writeFile(file, "not xml");
    issues = LoadIssues();
    EXPECT_TRUE(loadRegles(package, &issues).isEmpty());
    EXPECT_FALSE(issues.isEmpty());
}

TEST_F(Regle, ReportIsUtf8WithCarriageReturns)
{
    imported(QStringLiteral("PRLV LOYER AGENCE 1"), true, kAgence, kLoyer);
    imported(QStringLiteral("PRLV LOYER AGENCE 2"), true, kAgence, kLoyer);
    const QString path = testenv::freshDir(QStringLiteral("report")) + QStringLiteral("/regles.txt");
    QString askedName;
    EXPECT_FALSE(manager.echoRegles({}, &doc, [](const QString&, const QString&) { return QString(); }));
    manager.printRegles(&doc, [&](const QString& name, const QString&) {
        askedName = name;
        return path;
    });
    EXPECT_EQ(askedName, localizedAppl(QStringLiteral("REGLES_filename")));
    const QString text = QString::fromUtf8(testenv::readFile(path));
    const QStringList lines = text.split(QChar(13));
    ASSERT_GE(lines.size(), 14);
    EXPECT_EQ(lines[0], QString(56, QLatin1Char('*')));
    EXPECT_EQ(lines[5], QLatin1Char('\t') + localizedAppl(QStringLiteral("REGLES_Mots")) + " : PRLV LOYER AGENCE");
    EXPECT_EQ(lines[6],
              QLatin1Char('\t') + localizedAppl(QStringLiteral("REGLES_CompteImport")).leftJustified(25)
                  + ": Société Générale");
    EXPECT_EQ(lines[12], QString(56, QLatin1Char('-')));

    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(manager.echoRegles(
        {}, &doc, [](const QString&, const QString&) { return QStringLiteral("/nonexistent/folder/regles.txt"); }));
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown[0].information, QStringLiteral("regles.txt"));
}

} // namespace

#include "RegleTest.moc"

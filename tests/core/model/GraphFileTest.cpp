#include "model/GraphFile.h"
#include "foundation/LoadIssues.h"
#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr double kNow = 737000000.0;

class GraphFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SystemClock::setNowForTesting(kNow);
        testenv::addDefaultDocParam(doc);
        doc.docParam->defaultDossier = 6;
        doc.docParam->defaultPoste = 9;
        doc.banqueHdl = {testenv::tool(kToolBanque, 4, QStringLiteral("Banque"), kBanqueUser)};
        doc.compteHdl = {testenv::tool(kToolCompte, 40, QStringLiteral("Courant"), kBanqueUser, 4)};
        doc.deviseHdl = Devise::defaultDevises();
    }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }

    DOCUMENT doc {QString(), kFileSystemLocal};
};

MONTANT amount(double v)
{
    MONTANT m;
    m.setValueForDevise(0, v);
    return m;
}

GRAPH everyField()
{
    GRAPH g;
    g.nom = QStringLiteral("Épargne & <loisirs>");
    g.titre = QStringLiteral("Titre");
    g.makeDoc = QStringLiteral("doc.svd");
    g.mode = kGraphModeDossier;
    g.plotKind = 3;
    g.totalKind = 1;
    g.timeKind = 1;
    g.compteID = 40;
    g.posteID = 17;
    g.banqueID = 4;
    g.dossierID = 8;
    g.graph_date1 = 0.0;
    g.graph_date2 = 736999999.5;
    g.modeDate = 0;
    g.forceMonth = true;
    g.autoCompute = true;
    g.simul = false;
    g.soldeInit = amount(-12.5);
    g.maxTot = amount(300.25);
    g.maxSol = amount(1234.75);
    g.hilite_date = 736000000;
    g.makeDate = 736500000.125;
    g.left = 11;
    g.top = 22;
    g.right = 333;
    g.bottom = 444;
    return g;
}

// Every stored field; the highlighted period is not stored.
QList<double> numbers(const GRAPH& g)
{
    QList<double> n;
    n << g.mode << g.plotKind << g.totalKind << g.timeKind << g.compteID << g.posteID << g.banqueID << g.dossierID
      << g.graph_date1 << g.graph_date2 << g.modeDate << g.forceMonth << g.autoCompute << g.simul
      << g.soldeInit.getValueForDevise(0) << g.maxTot.getValueForDevise(0) << g.maxSol.getValueForDevise(0)
      << g.makeDate << g.left << g.top << g.right << g.bottom;
    return n;
}

void expectSameFields(const GRAPH& a, const GRAPH& b)
{
    EXPECT_EQ(numbers(a), numbers(b));
    EXPECT_EQ((QStringList {a.nom, a.titre, a.makeDoc}), (QStringList {b.nom, b.titre, b.makeDoc}));
}

} // namespace

TEST_F(GraphFileTest, DefinitionsKeepEveryFieldButTheHighlight)
{
    const QString package = testenv::package(QStringLiteral("graphdef-roundtrip"));
    const GRAPH full = everyField();
    const GRAPH fresh = GRAPH::newGraph(&doc);
    ASSERT_TRUE(saveGraphDefs(package, {full, fresh}, doc.deviseHdl));
    EXPECT_TRUE(
        testenv::readFile(package + QStringLiteral("/Contents/Resources/graphdef.xml")).contains("<date1>0</date1>"));

    LoadIssues issues;
    const GraphList loaded = loadGraphDefs(package, &doc, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 2);
    expectSameFields(loaded[0], full);
    EXPECT_EQ(loaded[0].hilite_date, 0.0);
    expectSameFields(loaded[1], fresh);
    EXPECT_EQ((QList<long> {fresh.posteID, fresh.dossierID, fresh.banqueID}), (QList<long> {9, 6, 4}));
}

TEST_F(GraphFileTest, AHeaderHoldingOnlyItsNameReadsWithTheDefaults)
{
    QString resources;
    const QString package = testenv::package(QStringLiteral("graphdef-bare"), &resources);
    testenv::writeFile(resources + QStringLiteral("/graphdef.xml"), "<list><header><nom>Seul</nom></header></list>");
    LoadIssues issues;
    const GraphList loaded = loadGraphDefs(package, &doc, &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 1);
    const GRAPH& g = loaded[0];
    EXPECT_EQ(g.nom, QStringLiteral("Seul"));
    EXPECT_EQ(g.mode + g.plotKind + g.totalKind + g.timeKind + g.modeDate, 0);
    EXPECT_TRUE(g.simul);
    EXPECT_FALSE(g.forceMonth);
    EXPECT_EQ((QList<long> {g.left, g.top, g.right, g.bottom}), (QList<long> {7, 70, 840, 420}));
    EXPECT_EQ(g.graph_date1, kNow);
    EXPECT_EQ(g.graph_date2, kNow);
    EXPECT_EQ((QList<long> {g.compteID, g.posteID, g.banqueID, g.dossierID}), (QList<long> {3, 9, 4, 6}));
    EXPECT_TRUE(g.maxTot.nullMontant());

    // A damaged file is reported; a missing one is not.
    testenv::writeFile(resources + QStringLiteral("/graphdef.xml"), "<<<");
    issues = LoadIssues();
    EXPECT_TRUE(loadGraphDefs(package, &doc, &issues).isEmpty());
    EXPECT_FALSE(issues.isEmpty());
    QFile::remove(resources + QStringLiteral("/graphdef.xml"));
    issues = LoadIssues();
    EXPECT_TRUE(loadGraphDefs(package, &doc, &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());
}

TEST_F(GraphFileTest, GraphFilesOfOpenWindows)
{
    doc.documentUrl = testenv::package(QStringLiteral("graph-files"));
    GRAPHFILE file;
    file.header = everyField();
    DATAGRAPH first;
    first.when = 736000000;
    first.total = amount(10);
    first.solde = amount(-2.5);
    file.dataArray = {first, DATAGRAPH()};
    ASSERT_TRUE(saveGraphFile(file, 3, doc.documentUrl, doc.deviseHdl));
    QString folder;
    ASSERT_TRUE(getGraphsFolder(&folder, doc.documentUrl));
    const QString path = folder + QStringLiteral("/graph3.xml");

    GRAPHFILE loaded;
    loaded.dataArray = {DATAGRAPH(), DATAGRAPH(), DATAGRAPH()};
    ASSERT_TRUE(loadGraphFile(path, loaded, &doc));
    EXPECT_EQ(loaded.version, 2);
    expectSameFields(loaded.header, file.header);
    ASSERT_EQ(graphFileDataCount(loaded), 2);
    EXPECT_EQ(graphFileDataAtIndex(1, loaded)->when, 736000000);
    EXPECT_EQ(graphFileDataAtIndex(1, loaded)->solde.getValueForDevise(0), -2.5);
    EXPECT_EQ(graphFileDataAtIndex(0, loaded), nullptr);
    EXPECT_EQ(graphFileDataAtIndex(3, loaded), nullptr);

    // A point without amounts is kept; a missing datalist or header amount is refused.
    testenv::writeFile(path,
                       "<record><header><soldeInit><v>1</v></soldeInit><maxTot><v>1</v></maxTot><maxSol><v>1"
                       "</v></maxSol></header><datalist><data/></datalist></record>");
    ASSERT_TRUE(loadGraphFile(path, loaded, &doc));
    ASSERT_EQ(graphFileDataCount(loaded), 1);
    EXPECT_EQ(loaded.dataArray[0].when, kNow);
    testenv::writeFile(path,
                       "<record><header><soldeInit><v>1</v></soldeInit><maxTot><v>1</v></maxTot><maxSol><v>1"
                       "</v></maxSol></header></record>");
    EXPECT_FALSE(loadGraphFile(path, loaded, &doc));
    testenv::writeFile(path, "<record><header/><datalist/></record>");
    EXPECT_FALSE(loadGraphFile(path, loaded, &doc));

    EXPECT_TRUE(deleteGraphsFolder(doc.documentUrl));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(removeBudgetFolderInDocument(testenv::freshDir(QStringLiteral("not-a-package"))));
}

TEST_F(GraphFileTest, ComparisonNamesAndTitle)
{
    GRAPH a = everyField();
    GRAPH b = a;
    b.titre = QStringLiteral("autre");
    b.left = 0;
    b.compteID = 1; // not the ident a folder graph follows
    EXPECT_TRUE(isSameGraphDef(a, b));
    b.graph_date2 = 5;
    EXPECT_FALSE(isSameGraphDef(a, b));
    a.modeDate = b.modeDate = 2;
    EXPECT_TRUE(isSameGraphDef(a, b));

    doc.graphHdl = {GRAPH(), a};
    long index = 0;
    EXPECT_FALSE(findGraphByName(&doc.graphHdl, QString(), &index));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(findGraphByName(&doc.graphHdl, a.nom, &index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(findGraphByName(&doc.graphHdl, a.nom.toUpper(), &index));

    GRAPHFILE file;
    file.header.mode = kGraphModeCompte;
    file.header.compteID = 40;
    file.header.graph_date1 = 700000000;
    file.header.graph_date2 = 710000000;
    makeGraphTitle(file, &doc);
    EXPECT_EQ(file.header.titre,
              QStringLiteral("Compte \"Courant\" du %1 au %2")
                  .arg(dateToStringWithStyles(1, 0, 700000000), dateToStringWithStyles(1, 0, 710000000)));
    file.header.mode = kGraphModePoste;
    makeGraphTitle(file, &doc);
    EXPECT_TRUE(file.header.titre.startsWith(QStringLiteral("Poste \"\" du ")));
}

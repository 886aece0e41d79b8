// A whole import run, headless: review, question, entry window and timer answered by fakes.
#include "FakeImportServices.h"
#include "ImportDocument.h"
#include "document/SVDocumentManager.h"
#include "foundation/ISounds.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "import/ImportParserQIF.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QObject>
#include <gtest/gtest.h>

using namespace importdoc;
using namespace Qt::Literals::StringLiterals;

namespace {

// A statement window as far as the run is concerned: it hears the transaction broadcasts.
class StatementWindow : public QObject {
    Q_OBJECT
public:
    StatementWindow() { registerWindowController(this); }
    ~StatementWindow() override { unregisterWindowController(this); }
    QList<qlonglong> made;
    Q_INVOKABLE void MAKE_TRANSACT(const QVariant& index, const QVariant&) { made.append(index.toLongLong()); }
};

class CountingSounds : public ISounds {
public:
    int played = 0;
    void playSoundTransact() override { ++played; }
};

// Four purchases, the second and third the same one bought twice on one day.
const QString kFourPurchases = u"!Type:Bank\n"
                               "D01/03/2023\nT-10,00\nPBoulangerie\n^\n"
                               "D02/03/2023\nT-4,20\nPTabac\n^\n"
                               "D02/03/2023\nT-4,20\nPTabac\n^\n"
                               "D03/03/2023\nT-60,00\nPStation\n^\n"_qs;

class ImportRun : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    FakeAlerts alerts;
    FakeImportServices services;
    CountingSounds sounds;
    int didImport = 0;

    void SetUp() override
    {
        SystemClock::setNowForTesting(kNow);
        installSounds(&sounds);
        fill(doc);
    }
    void TearDown() override
    {
        installSounds(nullptr);
        SystemClock::setNowForTesting(std::nullopt);
    }

    bool start(const QString& qif, QObject* window = nullptr, ImportSettings settings = {})
    {
        return ImportManager::sharedInstance().executeImport(
            window, kCompte, ImportParserQIF::parse(qif), kImportFormatQIF, 0, &doc, settings, [this] { ++didImport; });
    }
    long stored() const { return doc.transact_array.size(); }
};

TEST_F(ImportRun, OneRecordPerTickThroughTheEntryWindow)
{
    ASSERT_TRUE(start(kFourPurchases));
    EXPECT_TRUE(ImportManager::sharedInstance().isRunning());
    ASSERT_EQ(services.pending.size(), 1u);
    EXPECT_EQ(services.pending.front().ms, 300);
    services.tick(1);
    EXPECT_EQ(stored(), 1);
    services.tick();
    EXPECT_FALSE(ImportManager::sharedInstance().isRunning());
    EXPECT_EQ(stored(), 4);
    EXPECT_EQ(services.reuseFrames, (QList<bool> {false, true, true, true}));
    EXPECT_EQ(sounds.played, 4);
    EXPECT_EQ(didImport, 1);
    for (const TRANSACT& trans : doc.transact_array) {
        EXPECT_TRUE(trans.mark);
        EXPECT_FALSE(trans.importDoublon);
    }
}

// Between two ticks the document is whole: a save then (the automatic one of the main timer)
// writes the transactions stored so far, and they read back.
TEST_F(ImportRun, ASaveDuringTheRunKeepsWhatWasStored)
{
    doc.documentUrl = testenv::package(QStringLiteral("import-save"));
    // The second record goes in as "import all" is chosen: stored without the windows, its
    // statements recomputed before the tick ends.
    services.answers = {kSaisieOK, kSaisieImportAll};
    ASSERT_TRUE(start(kFourPurchases));
    services.tick(2);
    SVDocumentManager& store = SVDocumentManager::defaultManager();
    ASSERT_EQ(store.saveDocumentInternal(doc.documentUrl, doc), DocError::None);
    services.tick();
    ASSERT_EQ(stored(), 4);

    DOCUMENT saved(doc.documentUrl, kFileSystemLocal);
    ASSERT_EQ(store.loadDocumentInternal(doc.documentUrl, saved), DocError::None);
    ASSERT_EQ(saved.transact_array.size(), 2);
    for (long i = 0; i < 2; ++i) {
        EXPECT_EQ(saved.transact_array[i].when, doc.transact_array[i].when);
        EXPECT_EQ(saved.transact_array[i].whyImport, doc.transact_array[i].whyImport);
        EXPECT_EQ(saved.transact_array[i].importID, kCompte);
    }
    const TOOL* compte = TOOL::getTool(kToolCompte, kCompte, &saved);
    ASSERT_TRUE(compte);
    EXPECT_NEAR(compte->solde.values[0], -14.20, 0.001);
}

TEST_F(ImportRun, ImportAllAtTheThirdRecordTellsTheWindowsOnceForTheRest)
{
    StatementWindow window;
    const QString five = kFourPurchases + u"D04/03/2023\nT-1\nPKiosque\n^\n"_qs;
    services.answers = {kSaisieOK, kSaisieOK, kSaisieImportAll};
    ASSERT_TRUE(start(five, &window));
    services.tick();
    EXPECT_EQ(stored(), 5);
    EXPECT_EQ(services.offered.size(), 3u);
    EXPECT_EQ(window.made, (QList<qlonglong> {0, 1, 4}));
    EXPECT_EQ(sounds.played, 3);
    EXPECT_EQ(services.progress, (QList<bool> {true, false}));
}

// Without windows to pace it, a long file goes in by batches, the statements recomputed once per
// batch and the windows told once at the end.
TEST_F(ImportRun, ImportingAllGoesByBatches)
{
    StatementWindow window;
    QString qif;
    for (int i = 0; i < 450; ++i)
        qif += QStringLiteral("D%1/02/2023\nT-1\nPAchat %2\n^\n").arg(1 + i % 28).arg(i);
    services.answers = {kSaisieImportAll};
    ASSERT_TRUE(start(qif, &window));
    EXPECT_EQ(services.tick(1), 1);
    ASSERT_EQ(services.pending.size(), 1u);
    EXPECT_EQ(services.pending.front().ms, 0);
    EXPECT_EQ(services.tick(), 3);
    EXPECT_EQ(stored(), 450);
    EXPECT_EQ(window.made, QList<qlonglong> {449});
    EXPECT_EQ(sounds.played, 1);
    const TOOL* compte = TOOL::getTool(kToolCompte, kCompte, &doc);
    ASSERT_TRUE(compte);
    EXPECT_NEAR(compte->solde.values[0], -450, 0.001);
}

TEST_F(ImportRun, TheSamePurchaseTwiceInOneFileIsNoDuplicateButASecondImportIs)
{
    services.answers = {kSaisieImportAll};
    ASSERT_TRUE(start(kFourPurchases));
    services.tick();
    ASSERT_EQ(stored(), 4);
    for (const TRANSACT& trans : doc.transact_array)
        EXPECT_FALSE(trans.importDoublon);

    services.answers = {kSaisieImportAll};
    ASSERT_TRUE(start(kFourPurchases));
    services.tick();
    ASSERT_EQ(stored(), 8);
    for (long i = 4; i < 8; ++i) {
        EXPECT_TRUE(doc.transact_array[i].importDoublon) << i;
        EXPECT_TRUE(doc.transact_array[i].mark);
        EXPECT_FALSE(doc.transact_array[i - 4].mark);
    }
}

TEST_F(ImportRun, WhileImportingAllARecordThatCantBeStoredIsReportedWithItsLine)
{
    StatementWindow window;
    services.answers = {kSaisieImportAll};
    alerts.expect(kAlertFirstButton);
    ASSERT_TRUE(start(u"D01/03/2023\nT-1\n^\nD02/03/2023\nT-2\n^\nD31/02/2023\nT-3\n^\n"_qs, &window));
    services.tick();
    EXPECT_EQ(stored(), 2);
    // The last record was refused: the windows still hear of the ones stored, once.
    EXPECT_EQ(window.made, (QList<qlonglong> {1}));
    const ImportReport& report = ImportManager::sharedInstance().lastReport();
    ASSERT_EQ(report.refused.size(), 1u);
    EXPECT_EQ(report.refused[0].line, 7);
    EXPECT_EQ(report.refused[0].reasonKey, QStringLiteral("kAlerte_ImportSansDate"));
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_TRUE(alerts.shown[0].information.contains(QStringLiteral("7")));
}

TEST_F(ImportRun, TheEntryWindowComesBackUntilTheRecordCanBeStored)
{
    double typed = 0;
    dmyToDate(5, 3, 2023, &typed);
    services.answers = {kSaisieOK, kSaisieOK};
    int round = 0;
    services.edit = [&](TRANSACT& trans) {
        if (++round == 2)
            trans.when = typed;
    };
    alerts.expect(kAlertFirstButton);
    ASSERT_TRUE(start(u"T-9\nPNo date\n^\n"_qs));
    services.tick();
    ASSERT_EQ(stored(), 1);
    EXPECT_EQ(doc.transact_array[0].when, typed);
    EXPECT_EQ(services.reuseFrames, (QList<bool> {false, true}));
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kAlerte_ImportSansDate")));
}

TEST_F(ImportRun, SkipAndStop)
{
    services.answers = {0, kSaisieStopImport};
    ASSERT_TRUE(start(kFourPurchases));
    services.tick();
    EXPECT_EQ(stored(), 0);
    EXPECT_EQ(services.offered.size(), 2u);
    const ImportReport& report = ImportManager::sharedInstance().lastReport();
    EXPECT_EQ(report.skippedByUser, 1);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(didImport, 1);
}

TEST_F(ImportRun, AStatementWindowClosedDuringTheRunIsNeitherRefreshedNorAnimated)
{
    auto* window = new QObject;
    services.answers = {kSaisieImportAll};
    ASSERT_TRUE(start(kFourPurchases, window));
    services.tick(1);
    delete window;
    services.tick();
    EXPECT_EQ(stored(), 4);
    EXPECT_EQ(didImport, 0);
    EXPECT_EQ(services.progress, QList<bool> {true});
}

TEST_F(ImportRun, GoodbyeStopsTheRun)
{
    services.answers = {kSaisieImportAll};
    ASSERT_TRUE(start(kFourPurchases));
    services.tick(1);
    ImportManager::goodbye();
    EXPECT_FALSE(ImportManager::sharedInstance().isRunning());
    EXPECT_TRUE(services.pending.empty());
    EXPECT_EQ(stored(), 1);
    EXPECT_EQ(didImport, 0);
}

TEST_F(ImportRun, OneRunAtATime)
{
    ASSERT_TRUE(start(kFourPurchases));
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(start(kFourPurchases));
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_ImportEnCours")));
}

TEST_F(ImportRun, TheRulesOfARunAreItsOwn)
{
    REGLE rule;
    rule.importID = kCompte;
    rule.who1 = kCompte;
    rule.who2 = kBoulangerie;
    rule.posteID = kAlimentation;
    rule.mots = {QStringLiteral("Boulangerie")};
    doc.reglesArray = {rule};
    const QString twice = u"D01/03/2023\nT-1\nPBoulangerie\n^\nD02/03/2023\nT-2\nPBoulangerie\n^\n"_qs;
    services.answers = {kSaisieImportAll};
    ASSERT_TRUE(start(twice, nullptr, {.reglesImport = true, .reglesManuel = true}));
    services.tick(1);
    // The document's rules go while the run goes on: the run keeps the list it started with.
    doc.reglesArray.clear();
    services.tick();
    ASSERT_EQ(stored(), 2);
    for (const TRANSACT& trans : doc.transact_array) {
        EXPECT_EQ(trans.posteID, kAlimentation);
        EXPECT_EQ(trans.who2, kBoulangerie);
    }
    // Rules learnt for a run never replace the document's own.
    ASSERT_TRUE(start(twice, nullptr, {.reglesImport = true, .reglesManuel = false}));
    services.tick();
    EXPECT_TRUE(doc.reglesArray.isEmpty());
}

TEST_F(ImportRun, ReviewAndQuestionBeforeTheRun)
{
    ImportManager& manager = ImportManager::sharedInstance();
    const auto treat = [&](const QString& qif) {
        manager.treatParsedArray(nullptr, ImportParserQIF::parse(qif), kImportFormatQIF, kCompte, 0, &doc, {},
                                 [this] { ++didImport; });
    };
    // Nothing but a category list.
    alerts.expect(kAlertFirstButton);
    treat(u"!Type:Cat\nNFood\n^\n"_qs);
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kAlerte_RienAImporter")));
    EXPECT_TRUE(alerts.shown[0].information.contains(u'1'));
    EXPECT_EQ(services.reviews, 0);

    services.reviewAnswer = false;
    treat(kFourPurchases);
    EXPECT_EQ(didImport, 0);
    EXPECT_TRUE(services.poursuivreAsked.isEmpty());

    services.reviewAnswer = true;
    services.poursuivreAnswer = 0;
    treat(kFourPurchases);
    EXPECT_EQ(services.poursuivreAsked, QStringList {"ASSIST020"});
    EXPECT_EQ(didImport, 1);
    EXPECT_FALSE(manager.isRunning());

    services.poursuivreAnswer = 1;
    treat(kFourPurchases);
    EXPECT_TRUE(manager.isRunning());
}

TEST_F(ImportRun, FilesThatCantBeImportedAreSaid)
{
    ImportManager& manager = ImportManager::sharedInstance();
    const QString folder = testenv::freshDir(QStringLiteral("import-files"));
    const QString binary = folder + QStringLiteral("/image.qif");
    testenv::writeFile(binary, QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    for (const auto& [path, format, key] :
         {std::tuple {folder + "/missing.ofx", kImportFormatOFX, "kAlerte_ImportFichierIllisible"},
          std::tuple {binary, kImportFormatQIF, "kAlerte_ImportEncodage"},
          std::tuple {binary, 7, "kAlerte_ImportFormatInconnu"}}) {
        alerts.expect(kAlertFirstButton);
        manager.importURLWithFormat(nullptr, path, format, kCompte, 0, &doc, {}, [this] { ++didImport; });
        ASSERT_FALSE(alerts.shown.isEmpty());
        EXPECT_EQ(alerts.shown.takeLast().message, localizedDialogue(QString::fromLatin1(key)));
    }
    EXPECT_EQ(didImport, 0);
    EXPECT_FALSE(manager.isRunning());
}

TEST_F(ImportRun, AnOfxFileFromTheDiskToTheDocument)
{
    services.answers = {kSaisieImportAll};
    alerts.expect(kAlertFirstButton); // the record without a date
    ImportManager::sharedInstance().importURLWithFormat(
        nullptr, QStringLiteral(SORV_TEST_DATA_DIR "/import/ofx1-sgml.ofx"), kImportFormatOFX, kCompte, 0, &doc, {},
        [this] { ++didImport; });
    services.tick();
    ASSERT_EQ(stored(), 3);
    EXPECT_EQ(doc.transact_array[0].why, QStringLiteral("Facture  n° 42"));
    EXPECT_EQ(doc.transact_array[0].whyImport, QStringLiteral("AT T Télécom Facture n 42"));
    EXPECT_DOUBLE_EQ(doc.transact_array[1].solde.values[0], 1250);
    EXPECT_EQ(doc.transact_array[1].who2, kCompte);
    EXPECT_EQ(didImport, 1);
    EXPECT_EQ(ImportManager::sharedInstance().lastReport().refused.size(), 1u);
}

TEST_F(ImportRun, TabFilesGoThroughTheEditorWhichTheDocumentMustOutlive)
{
    const ImportRecord record {{{ImportRubrique::DateJMA, "25/01/2013"}, {ImportRubrique::MontantSeul, "-1,234.56"}},
                               2};
    // The editor may have been told another account to import into; one the document lacks
    // keeps the account the import started with.
    for (const auto& [chosen, expected] :
         {std::pair {-1L, kCompte}, std::pair {kLivret, kLivret}, std::pair {999L, kCompte}}) {
        ImportManager::sharedInstance().importURLWithFormat(nullptr,
                                                            QStringLiteral(SORV_TEST_DATA_DIR "/import/us-bank.csv"),
                                                            kImportFormatCSV, kCompte, 0, &doc, {}, [] {});
        ASSERT_EQ(services.editorRows.size(), 5u);
        ASSERT_TRUE(services.editorBlock);
        services.editorBlock({{record}, 0, chosen});
        EXPECT_TRUE(ImportManager::sharedInstance().isRunning());
        EXPECT_EQ(services.reviewedCompte, expected) << chosen;
        ImportManager::goodbye();
    }
    ImportManager& manager = ImportManager::sharedInstance();

    // The editor of a document that has closed since hands over nothing.
    manager.importURLWithFormat(nullptr, QStringLiteral(SORV_TEST_DATA_DIR "/import/us-bank.csv"), kImportFormatCSV,
                                kCompte, 0, &doc, {}, [this] { ++didImport; });
    manager.openDocImport(&doc);
    services.editorBlock({{record}, 0});
    EXPECT_FALSE(manager.isRunning());
    EXPECT_EQ(services.reviews, 3);
}

} // namespace

#include "ImportRunTest.moc"

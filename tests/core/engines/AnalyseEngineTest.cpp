#include "engines/AnalyseFile.h"
#include "engines/AnalyseListing.h"
#include "engines/AnalyseTitles.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

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
    t.solde = testenv::amount(amount, amount * 1.1);
    t.posteID = poste;
    return t;
}

// User accounts 7 and 9, payee 22. Folder 1 "Maison" holds categories 20 and 21, folder 2
// "Loisirs" 30 and 31. The first quarter of 2024, by month, folders and categories shown.
class AnalyseEngineTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    AnalyseConfiguration conf;

    void SetUp() override
    {
        SystemClock::setNowForTesting(at(15, 6, 2024, 12));
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addBanks(doc, {7, 9}, {22});
        doc.dossierHdl.clear();
        doc.posteHdl.clear();
        for (auto [ident, nom] : {std::pair {1L, "Maison"}, std::pair {2L, "Loisirs"}}) {
            DOSSIER d;
            d.ident = ident;
            d.nom = QString::fromUtf8(nom);
            doc.dossierHdl.append(d);
        }
        for (auto [ident, dossier] :
             {std::pair {20L, 1L}, std::pair {21L, 1L}, std::pair {30L, 2L}, std::pair {31L, 2L}})
            doc.posteHdl.append(POSTE {.ident = ident, .dossierID = dossier, .nom = QStringLiteral("P%1").arg(ident)});
        ECHEANCIER schedule;
        schedule.ident = 5;
        schedule.transact = transact(at(1, 1, 2024), 7, 22, 200, 21);
        schedule.planificator = Planificator(at(1, 1, 2024), Planificator::kTypeEcheancier);
        doc.echeancierHdl.append(schedule);
        addTransacts();
        conf.nom = QStringLiteral("Trimestre");
        conf.showMonth = conf.showDossier = conf.showPoste = true;
        conf.modeDate = kModeDateGiven;
        conf.date1 = at(1, 1, 2024);
        conf.date2 = at(31, 3, 2024, 23, 59, 59);
        conf.compteID = -1;
        DocumentSession::adopt(doc);
    }
    void TearDown() override { DocumentSession::close(); }

    void addTransacts()
    {
        TRANSACT split = transact(at(15, 2, 2024), 7, 22, 90, 20);
        split.addMultiWithPosteID(20, testenv::amount(60, 66), {});
        split.addMultiWithPosteID(30, testenv::amount(30, 33), {});
        TRANSACT written = transact(at(3, 2, 2024), 7, 22, 210, 21);
        written.chronoID = 5;
        written.planifiedDate = at(1, 2, 2024);
        TRANSACT foreign = transact(at(20, 1, 2024), 7, 22, 50, 30);
        foreign.solde = testenv::amount(50, 80);
        doc.transact_array = {
            transact(at(10, 1, 2024), 7, 22, 100, 20), // 0
            transact(at(5, 2, 2024), 22, 7, 1000, 31), // 1 income
            split, // 2
            transact(at(20, 2, 2024), 7, 9, 50, 21), // 3 transfer between the user's accounts
            transact(at(3, 3, 2024), 7, 22, -40, 20), // 4 a refund
            transact(at(31, 3, 2024, 23, 59, 59), 7, 22, 10, 30), // 5 the last instant
            transact(at(1, 4, 2024), 7, 22, 999, 30), // 6 a second later
            written, // 7 from schedule 5, planned on the first
            foreign, // 8
        };
    }

    AnalyseFile build(AnalyseType type = AnalyseType::Analyse, long devise = 0)
    {
        AnalyseFile file;
        initAnalyseFileWithConfiguration(file, doc, conf, QRectF());
        computeAnalyse(file, devise, type, 0, doc);
        return file;
    }
};

// "name deb/cre" per row, then the total, for one month; empty sides as "-".
std::string table(const AnalyseFile& file, long month, bool planned = false)
{
    auto side = [](const MONTANT& m) {
        return m.nullMontant() ? QStringLiteral("-") : QString::number(m.getValueForDevise(0));
    };
    QStringList out;
    for (long r = 0; r < analyseNumberOfRows(file); ++r) {
        const AnalyseData* cell = file.getAnalyseDataAtRow(r, month);
        if (!cell)
            return "missing cell";
        out << file.rows.at(r).nom + u' ' + side(planned ? cell->totDebPrev : cell->totDeb) + u'/'
                + side(planned ? cell->totCrePrev : cell->totCre);
    }
    const AnalyseData* total = file.getAnalyseDataTotalDossierAtMonth(month);
    out << QStringLiteral("T ") + side(planned ? total->totDebPrev : total->totDeb) + u'/'
            + side(planned ? total->totCrePrev : total->totCre);
    return out.join(QStringLiteral(", ")).toStdString();
}

TEST_F(AnalyseEngineTest, AnalysisTotalsByMonthMatchTheHandComputedTable)
{
    const AnalyseFile file = build();
    ASSERT_EQ(analyseNumberOfColumns(file), 3);
    const std::pair<long, std::string> expected[] = {
        {0, "Maison 370/40, P20 160/40, P21 210/-, Loisirs 90/1000, P30 90/-, P31 -/1000, T 460/1040"},
        {1, "Maison 100/-, P20 100/-, P21 -/-, Loisirs 50/-, P30 50/-, P31 -/-, T 150/-"},
        {2, "Maison 270/-, P20 60/-, P21 210/-, Loisirs 30/1000, P30 30/-, P31 -/1000, T 300/1000"},
        {3, "Maison -/40, P20 -/40, P21 -/-, Loisirs 10/-, P30 10/-, P31 -/-, T 10/40"},
    };
    for (const auto& [month, rows] : expected)
        EXPECT_EQ(table(file, month), rows) << "month " << month;
    EXPECT_EQ(file.getAnalyseDataAtRow(1, 0)->transArray, (QList<long> {0, 2, 4}));
    EXPECT_EQ(file.getAnalyseDataAtRow(0, 0)->transArray, (QList<long> {0, 2, 4, 7}));
}

TEST_F(AnalyseEngineTest, PercentagesShareTheMonthAndTheFolder)
{
    const AnalyseFile file = build();
    const AnalyseData* maison = file.getAnalyseDataAtRow(0, 0);
    const AnalyseData* p20 = file.getAnalyseDataAtRow(1, 0);
    const AnalyseData* total = file.getAnalyseDataTotalDossierAtMonth(0);
    ASSERT_TRUE(maison && p20 && total);
    EXPECT_NEAR(maison->percentTotDeb, 370.0 / 460 * 100, 1e-9);
    EXPECT_EQ(maison->percentDosDeb, 100);
    EXPECT_NEAR(p20->percentDosDeb, 160.0 / 370 * 100, 1e-9);
    EXPECT_EQ(p20->percentDosCre, 100);
    EXPECT_EQ(p20->percentTotDeb, 0);
    EXPECT_EQ(total->percentTotDeb, 100);
    EXPECT_EQ(total->percentDosDeb, 0);
}

TEST_F(AnalyseEngineTest, SelectionsAndModesChangeWhatCounts)
{
    struct Case {
        const char* name;
        std::function<void(AnalyseConfiguration&)> set;
        std::string whole;
    };
    const Case cases[] = {
        {"transfers counted on both sides", [](AnalyseConfiguration& c) { c.showVirInt = true; },
         "Maison 420/90, P20 160/40, P21 260/50, Loisirs 90/1000, P30 90/-, P31 -/1000, T 510/1090"},
        {"no month columns", [](AnalyseConfiguration& c) { c.showMonth = false; },
         "Maison 370/40, P20 160/40, P21 210/-, Loisirs 90/1000, P30 90/-, P31 -/1000, T 460/1040"},
        {"only folder 2 by its folder",
         [](AnalyseConfiguration& c) {
             c.modePoste = kSelectionOnly;
             c.dossiersArray = {2};
         },
         "Loisirs 90/1000, P30 90/-, P31 -/1000, T 90/1000"},
        {"all but category 30 and folder 1",
         [](AnalyseConfiguration& c) {
             c.modePoste = kSelectionAllBut;
             c.postesArray = {30};
             c.dossiersArray = {1};
         },
         "Loisirs -/1000, P31 -/1000, T -/1000"},
        {"only listed accounts, with empty lists, keeps none",
         [](AnalyseConfiguration& c) { c.modeCompte = kSelectionOnly; },
         "Maison -/-, P20 -/-, P21 -/-, Loisirs -/-, P30 -/-, P31 -/-, T -/-"},
        {"all but nothing keeps all", [](AnalyseConfiguration& c) { c.modeCompte = kSelectionAllBut; },
         "Maison 370/40, P20 160/40, P21 210/-, Loisirs 90/1000, P30 90/-, P31 -/1000, T 460/1040"},
        {"categories only", [](AnalyseConfiguration& c) { c.showDossier = false; },
         "P20 160/40, P21 210/-, P30 90/-, P31 -/1000, T 460/1040"},
        {"reference account 22 sees the mirror", [](AnalyseConfiguration& c) { c.compteID = 22; },
         "Maison 40/370, P20 40/160, P21 -/210, Loisirs 1000/90, P30 -/90, P31 1000/-, T 1040/460"},
    };
    const AnalyseConfiguration base = conf;
    for (const Case& c : cases) {
        conf = base;
        c.set(conf);
        EXPECT_EQ(table(build(), 0), c.whole) << c.name;
    }
}

TEST_F(AnalyseEngineTest, TaxModesTakeThePartBeforeTaxOrTheTax)
{
    TAXE tva;
    tva.ident = 3;
    tva.rate = 25;
    doc.taxeHdl = {tva};
    doc.transact_array = {transact(at(10, 1, 2024), 7, 22, 125, 20), transact(at(11, 1, 2024), 7, 22, 40, 21)};
    doc.transact_array[0].taxeID = 3;
    const std::pair<int, std::string> expected[] = {
        {kFiscaliteTTC, "Maison 165/-, P20 125/-, P21 40/-"},
        {kFiscaliteHT, "Maison 140/-, P20 100/-, P21 40/-"},
        {kFiscaliteTaxe, "Maison 25/-, P20 25/-, P21 -/-"},
    };
    for (const auto& [fiscalite, rows] : expected) {
        conf.fiscalite = fiscalite;
        const AnalyseFile file = build();
        EXPECT_EQ(table(file, 0).substr(0, rows.size()), rows) << fiscalite;
        // A transaction without a tax still lists its position in "tax only".
        EXPECT_EQ(file.getAnalyseDataAtRow(2, 0)->transArray, QList<long> {1});
    }
}

TEST_F(AnalyseEngineTest, BudgetCountsScheduleAndForecastOccurrencesBesideTheRealOnes)
{
    Prevision forecast = Prevision::newPrevision(nullptr);
    forecast.ident = 8;
    forecast.transact = transact(at(15, 1, 2024), 7, 22, 100, 30);
    Planificator rule(at(15, 1, 2024), Planificator::kTypePrevision);
    rule.valideType = Planificator::kValideLength;
    forecast.planificator = rule;
    doc.previsionsArray = {forecast};
    doc.transact_array.removeAt(6);
    AnalyseFile file = build(AnalyseType::Budget);
    EXPECT_EQ(table(file, 0, true), "Maison 600/-, P20 -/-, P21 600/-, Loisirs 300/-, P30 300/-, P31 -/-, T 900/-");
    EXPECT_EQ(table(file, 2), "Maison 270/-, P20 60/-, P21 210/-, Loisirs 30/1000, P30 30/-, P31 -/1000, T 300/1000");
    computeAnalyseTotaux(file, AnalyseType::Budget, 0, 2);
    const AnalyseData* p21 = file.getAnalyseDataAtRow(2, 2);
    ASSERT_TRUE(p21);
    EXPECT_DOUBLE_EQ(p21->totDebDiff.getValueForDevise(0), -10);
    // The planned occurrence and the written transaction are both there, as the budget wants.
    ASSERT_EQ(p21->metadataArray.size(), 2);
    EXPECT_EQ(p21->metadataArray.at(0).storageType, StorageKind::Echeancier);
    EXPECT_EQ(p21->metadataArray.at(1).associatedEcheancierIdent, 5);
    // The split line in category 30 carries out the forecast's February occurrence.
    const AnalyseData* p30 = file.getAnalyseDataAtRow(4, 2);
    ASSERT_TRUE(p30);
    ASSERT_EQ(p30->metadataArray.size(), 2);
    EXPECT_EQ(p30->metadataArray.at(1).associatedPrevisionIdent, 8);
    EXPECT_TRUE(p30->transArray.isEmpty());

    // An income of 800 planned in February against the 1000 received: 200 more than planned.
    Prevision salary = forecast;
    salary.ident = 9;
    salary.transact = transact(at(5, 2, 2024), 22, 7, 800, 31);
    salary.planificator = Planificator(at(5, 2, 2024), Planificator::kTypePrevision);
    salary.planificator->valideType = Planificator::kValideLength;
    doc.previsionsArray.append(salary);
    AnalyseFile withSalary = build(AnalyseType::Budget);
    computeAnalyseTotaux(withSalary, AnalyseType::Budget, 0, 2);
    const AnalyseData* p31 = withSalary.getAnalyseDataAtRow(5, 2);
    ASSERT_TRUE(p31);
    EXPECT_DOUBLE_EQ(p31->totCre.getValueForDevise(0), 1000);
    EXPECT_DOUBLE_EQ(p31->totCrePrev.getValueForDevise(0), 800);
    EXPECT_DOUBLE_EQ(p31->totCreDiff.getValueForDevise(0), 200);
}

TEST_F(AnalyseEngineTest, SplitLinesOfAScheduledTransactionKeepTheLinkOnlyInItsCategory)
{
    TRANSACT written = transact(at(3, 2, 2024), 7, 22, 100, 21);
    written.chronoID = 5;
    written.planifiedDate = at(1, 2, 2024);
    written.addMultiWithPosteID(21, testenv::amount(70), {});
    written.addMultiWithPosteID(30, testenv::amount(30), {});
    doc.transact_array = {written};
    const AnalyseFile file = build(AnalyseType::Budget);
    const AnalyseData* p21 = file.getAnalyseDataAtRow(2, 2);
    const AnalyseData* p30 = file.getAnalyseDataAtRow(4, 2);
    ASSERT_TRUE(p21 && p30);
    EXPECT_EQ(p21->metadataArray.constLast().associatedEcheancierIdent, 5);
    ASSERT_EQ(p30->metadataArray.size(), 1);
    EXPECT_EQ(p30->metadataArray.at(0).associatedEcheancierIdent, -1);
    EXPECT_DOUBLE_EQ(p30->totDeb.getValueForDevise(0), 30);
}

TEST_F(AnalyseEngineTest, ABudgetShiftMovesAForecastOccurrenceAMonthBack)
{
    Prevision forecast = Prevision::newPrevision(nullptr);
    forecast.ident = 8;
    forecast.transact = transact(at(15, 3, 2024), 7, 22, 100, 30);
    Planificator rule(at(15, 3, 2024), Planificator::kTypePrevision);
    rule.nbEcheance = 1;
    rule.budgetShift = -1;
    forecast.planificator = rule;
    doc.previsionsArray = {forecast};
    doc.transact_array.clear();
    doc.echeancierHdl.clear();
    const AnalyseFile file = build(AnalyseType::Budget);
    EXPECT_DOUBLE_EQ(file.getAnalyseDataAtRow(4, 2)->totDebPrev.getValueForDevise(0), 100);
    EXPECT_TRUE(file.getAnalyseDataAtRow(4, 3)->totDebPrev.nullMontant());
}

TEST_F(AnalyseEngineTest, TwoFilesOnOneDocumentKeepTheirOwnRows)
{
    AnalyseConfiguration other = conf;
    other.showDossier = false;
    other.modePoste = kSelectionOnly;
    other.postesArray = {31};
    AnalyseFile first;
    initAnalyseFileWithConfiguration(first, doc, conf, QRectF());
    AnalyseFile second;
    initAnalyseFileWithConfiguration(second, doc, other, QRectF());
    computeAnalyse(first, 0, AnalyseType::Analyse, 0, doc);
    computeAnalyse(second, 0, AnalyseType::Analyse, 0, doc);
    EXPECT_EQ(table(first, 0),
              "Maison 370/40, P20 160/40, P21 210/-, Loisirs 90/1000, P30 90/-, P31 -/1000, T 460/1040");
    EXPECT_EQ(table(second, 0), "P31 -/1000, T -/1000");
}

TEST_F(AnalyseEngineTest, ACellsCriterionFindsTheTransactionsOfItsRowAndPeriod)
{
    const AnalyseFile file = build();
    struct Case {
        long row; // from 1
        long column; // 1 the whole period, c the month of column c - 2
        std::vector<long> positions; // the transactions that fit; empty: no criterion
    };
    const Case cases[] = {
        {1, 1, {0, 2, 4, 7}}, // Maison; the transfer 3 between the user's accounts stays out
        {2, 3, {2}}, // P20 in February: the split line
        {4, 2, {8}}, // Loisirs in January
        {4, 1, {1, 2, 5, 8}}, // the last instant counts, a second later does not
        {0, 1, {}},           {7, 1, {}}, {1, 5, {}}, {1, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        const std::optional<Critere> critere = critereForAnalyseCell(c.row, c.column, file, doc);
        ASSERT_EQ(critere.has_value(), !c.positions.empty());
        if (!critere)
            continue;
        std::vector<long> fit;
        for (long p = 0; p < doc.transact_array.size(); ++p) {
            if (critere->transFitCritere(doc.transact_array.at(p), nullptr, &doc, 0, nullptr))
                fit.push_back(p);
        }
        EXPECT_EQ(fit, c.positions);
    }
    conf.compteID = 9;
    conf.showVirInt = true;
    const std::optional<Critere> transfers = critereForAnalyseCell(3, 1, build(), doc); // P21
    ASSERT_TRUE(transfers);
    EXPECT_TRUE(transfers->transFitCritere(doc.transact_array.at(3), nullptr, &doc, 0, nullptr));
    EXPECT_FALSE(transfers->transFitCritere(doc.transact_array.at(7), nullptr, &doc, 0, nullptr));
}

TEST_F(AnalyseEngineTest, LookupsOutsideTheFileAnswerNothing)
{
    AnalyseFile file = build();
    EXPECT_EQ(file.getAnalyseDataAtRow(-1, 0), nullptr);
    EXPECT_EQ(file.getAnalyseDataAtRow(6, 0), nullptr);
    EXPECT_EQ(file.getAnalyseDataAtRow(0, 4), nullptr);
    EXPECT_EQ(file.getAnalyseDataTotalDossierAtMonth(-1), nullptr);
    EXPECT_EQ(analyseRowAtIndex(file, 6), nullptr);
    EXPECT_EQ(analyseColumnIndexForDate(file, at(9, 2, 2024)), 1);
    EXPECT_EQ(analyseColumnIndexForDate(file, at(9, 5, 2024)), -1);
    EXPECT_EQ(file.frame, QRectF(7, 70, 535, 0));
}

TEST(AnalyseDataTest, EmptinessLooksAtRealTotalsAndCopiesDropPercentages)
{
    AnalyseData cell;
    cell.totDebPrev = testenv::amount(10);
    EXPECT_TRUE(cell.isEmpty());
    cell.totCre = testenv::amount(0.01);
    cell.percentTotCre = 40;
    cell.transArray = {3};
    EXPECT_FALSE(cell.isEmpty());
    const AnalyseDataList copies = AnalyseData::copyOfAnalyseDataArray({cell});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(copies.at(0).totCre, cell.totCre);
    EXPECT_EQ(copies.at(0).transArray, cell.transArray);
    EXPECT_EQ(copies.at(0).percentTotCre, 0);
    analyseDataZero(cell);
    EXPECT_TRUE(cell.isEmpty() && cell.transArray.isEmpty() && cell.totDebPrev.nullMontant());
}

} // namespace

namespace {

QString golden(const QString& name)
{
    QFile file(QStringLiteral(SORV_TEST_DATA_DIR "/analyse/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString exportOf(const AnalyseFile& file, long month, long devise, int format, bool budget)
{
    QString text;
    (budget ? budgetExporterTete : analyseExporterTete)(file, month, devise, text, format);
    for (long r = 0; r < (budget ? budgetExporterSize : analyseExporterSize)(file); ++r)
        (budget ? budgetExporterListe : analyseExporterListe)(file, month, devise, r, text, format);
    return text;
}

TEST_F(AnalyseEngineTest, ExportsMatchTheirGoldenFiles)
{
    doc.dossierHdl[0].nom = QStringLiteral("Maison; jardin");
    struct Case {
        const char* golden;
        long month;
        long devise;
        int format;
        bool budget;
    };
    const Case cases[] = {
        {"export-analyse-whole.csv", 0, 0, 1, false},
        {"export-analyse-february-slot1.txt", 2, 1, 0, false},
        {"export-budget-whole.csv", 0, 0, 1, true},
    };
    for (const Case& c : cases) {
        AnalyseFile file = build(c.budget ? AnalyseType::Budget : AnalyseType::Analyse, c.devise);
        computeAnalyseTotaux(file, c.budget ? AnalyseType::Budget : AnalyseType::Analyse, c.devise, c.month);
        const QString text = exportOf(file, c.month, c.devise, c.format, c.budget);
        EXPECT_EQ(text.toStdString(), golden(QString::fromLatin1(c.golden)).toStdString()) << c.golden;
    }
}

TEST_F(AnalyseEngineTest, TitlesNameTheMonthOrThePeriod)
{
    const AnalyseFile file = build();
    EXPECT_EQ(monthTitleForDate(at(3, 2, 2024)), QStringLiteral("Février 2024"));
    EXPECT_EQ(periodeTitleForAnaDef(file.anaDef), QStringLiteral("Du 01/01/2024 au 31/03/2024"));
    EXPECT_EQ(analyseColumnTitle(0, file, 0, true, 0), QStringLiteral("Du 01/01/2024 au 31/03/2024 (€)"));
    EXPECT_EQ(budgetColumnTitle(3, file, 0, false, at(1, 3, 2024)), QStringLiteral("Mars 2024"));
    EXPECT_EQ(camembertTitle(true, 2, QStringLiteral("Loisirs"), file),
              QStringLiteral("Loisirs ( Recettes ) - Février 2024"));
    EXPECT_EQ(camembertTitle(false, 0, QStringLiteral("Tous"), file),
              QStringLiteral("Tous ( Dépenses ) - Du 01/01/2024 au 31/03/2024"));
}

} // namespace

// The budget's synthesis rows from a small budget: a forecast, a schedule, a schedule with split
// lines and a finished schedule over the first quarter of 2024, against the table computed by
// hand, and the order of the rows.
#include "engines/BudgetSynthese.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

double at(long d, long m, long y)
{
    double t = 0;
    dmyToDate(d, m, y, &t);
    return t;
}

TRANSACT transact(double when, long from, long to, double amount, long poste, long chronoID = -1)
{
    TRANSACT t;
    t.when = when;
    t.who1 = from;
    t.who2 = to;
    t.solde = testenv::amount(amount);
    t.posteID = poste;
    t.chronoID = chronoID;
    if (chronoID >= 0)
        t.planifiedDate = at(1, 1, 2024);
    return t;
}

ECHEANCIER schedule(long ident, const char* nom, TRANSACT model, long occurrences)
{
    ECHEANCIER e;
    e.ident = ident;
    e.nom = QString::fromUtf8(nom);
    e.transact = std::move(model);
    e.planificator = Planificator(at(1, 1, 2024), Planificator::kTypeEcheancier);
    e.planificator.nbEcheance = occurrences;
    return e;
}

// User account 7, payee 22. Folder 1 "bien-être" holds Sport (21), Cinéma (22) and Divers (23);
// folder 2 "Alimentation" holds Courses (20). Today is 15 June 2024.
class BudgetSyntheseTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    AnalyseConfiguration conf;

    void SetUp() override
    {
        SystemClock::setNowForTesting(at(15, 6, 2024) + 43200);
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addBanks(doc, {7}, {22});
        doc.dossierHdl.clear();
        doc.posteHdl.clear();
        for (auto [ident, nom] : {std::pair {1L, "bien-être"}, std::pair {2L, "Alimentation"}}) {
            DOSSIER d;
            d.ident = ident;
            d.nom = QString::fromUtf8(nom);
            doc.dossierHdl.append(d);
        }
        const std::tuple<long, long, const char*> postes[]
            = {{20, 2, "Courses"}, {21, 1, "Sport"}, {22, 1, "Cinéma"}, {23, 1, "Divers"}};
        for (const auto& [ident, dossier, nom] : postes)
            doc.posteHdl.append(POSTE {.ident = ident, .dossierID = dossier, .nom = QString::fromUtf8(nom)});
        TRANSACT grouped = transact(at(1, 1, 2024), 7, 22, 50, 21);
        grouped.addMultiWithPosteID(21, testenv::amount(20), {});
        grouped.addMultiWithPosteID(22, testenv::amount(30), {});
        doc.echeancierHdl
            = {schedule(5, "Salle de sport", transact(at(1, 1, 2024), 7, 22, 30, 21), 12),
               schedule(6, "Groupé", grouped, 12), schedule(9, "Fini", transact(at(1, 1, 2024), 7, 22, 70, 23), 1)};
        Prevision courses;
        courses.ident = 8;
        courses.name = QStringLiteral("Courses du mois");
        courses.transact = transact(at(1, 1, 2024), 7, 22, 400, 20);
        courses.planificator = Planificator(at(1, 1, 2024), Planificator::kTypePrevision);
        doc.previsionsArray = {courses};
        doc.transact_array = {
            transact(at(3, 1, 2024), 7, 22, 30, 21, 5), // schedule 5, January
            transact(at(10, 1, 2024), 7, 22, 120, 20), // forecast 8
            transact(at(20, 1, 2024), 7, 22, 250, 20), // forecast 8
            transact(at(12, 2, 2024), 7, 22, 45, 22), // unplanned
            transact(at(2, 1, 2024), 7, 22, 70, 23, 9), // the finished schedule's
            transact(at(15, 2, 2024), 22, 7, 2000, 23), // unplanned income
        };
        anaConfigSetDefaults(&doc, conf);
        conf.nom = QStringLiteral("Trimestre");
        conf.showMonth = conf.showDossier = conf.showPoste = true;
        conf.modeDate = kModeDateGiven;
        conf.date1 = at(1, 1, 2024);
        conf.date2 = endOfDay(at(31, 3, 2024));
        conf.compteID = -1;
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        DocumentSession::close();
        SystemClock::setNowForTesting(std::nullopt);
    }

    BudgetSyntheseList build(long month)
    {
        AnalyseFile file;
        initAnalyseFileWithConfiguration(file, doc, conf, QRectF());
        computeAnalyse(file, 0, AnalyseType::Budget, 0, doc);
        return buildTableauSynthese(file, month, doc);
    }
};

// "kind ident name folder/category planned-debit/planned-credit real-debit/real-credit" per row.
std::string rows(const BudgetSyntheseList& list)
{
    auto value = [](const MONTANT& m) { return QString::number(m.getValueForDevise(0)); };
    QStringList out;
    for (const BudgetSyntheseEntry& e : list)
        out << QStringLiteral("%1 %2 %3 %4/%5%6 %7/%8 %9/%10")
                   .arg(int(e.kind))
                   .arg(e.ident)
                   .arg(e.name, e.dossierName, e.posteName, e.groupage ? QStringLiteral("(g)") : QString())
                   .arg(value(e.montantPrevuDebit), value(e.montantPrevuCredit), value(e.montantReelDebit),
                        value(e.montantReelCredit));
    return out.join(QStringLiteral("\n")).toStdString();
}

TEST_F(BudgetSyntheseTest, RowsMatchTheHandComputedTableAndLeaveTheFinishedScheduleOut)
{
    const std::string quarter = "1 8 Courses du mois Alimentation/Courses 1200/0 370/0\n"
                                "0 5 Salle de sport bien-être/Sport 90/0 30/0\n"
                                "0 6 Groupé /(g) 150/0 0/0\n"
                                "2 -1  / 0/0 45/2000\n"
                                "3 -1  / 1440/0 445/2000";
    EXPECT_EQ(rows(build(0)), quarter);
    EXPECT_EQ(rows(build(2)),
              "1 8 Courses du mois Alimentation/Courses 400/0 0/0\n"
              "0 5 Salle de sport bien-être/Sport 30/0 0/0\n"
              "0 6 Groupé /(g) 50/0 0/0\n"
              "2 -1  / 0/0 45/2000\n"
              "3 -1  / 480/0 45/2000");
    // Without folders the category rows are walked: the same items, none twice.
    conf.showDossier = false;
    EXPECT_EQ(rows(build(0)), quarter);
}

// A forecast whose one month ended in January gives no row, as the finished schedule gives none.
TEST_F(BudgetSyntheseTest, AFinishedForecastGivesNoRow)
{
    Prevision fini;
    fini.ident = 10;
    fini.name = QStringLiteral("Fini");
    fini.transact = transact(at(1, 1, 2024), 7, 22, 80, 23);
    fini.planificator = Planificator(at(1, 1, 2024), Planificator::kTypePrevision);
    fini.planificator->nbEcheance = 1;
    doc.previsionsArray.append(fini);
    doc.transact_array.append(transact(at(5, 1, 2024), 7, 22, 80, 23));
    ASSERT_TRUE(doc.previsionsArray.last().planificator->isFinished());
    const std::string shown = rows(build(0));
    EXPECT_EQ(shown.find("1 10 Fini"), std::string::npos) << shown;
    EXPECT_EQ(shown.rfind("1 8 Courses du mois Alimentation/Courses 1200/0 370/0\n", 0), 0U) << shown;
}

TEST_F(BudgetSyntheseTest, APeriodOfUnplannedTransactionsOnlyOrOfNothing)
{
    doc.echeancierHdl.clear();
    doc.previsionsArray.clear();
    doc.transact_array.removeAt(4);
    doc.transact_array.removeAt(0);
    EXPECT_EQ(rows(build(0)),
              "2 -1  / 0/0 415/2000\n"
              "3 -1  / 0/0 415/2000");
    doc.transact_array.clear();
    EXPECT_EQ(rows(build(0)), "3 -1  / 0/0 0/0");
}

TEST(BudgetSyntheseOrderTest, FoldersThenCategoriesCaseIgnoredRowsWithoutCategoryThenOutsideTheBudget)
{
    auto entry = [](BudgetSyntheseKind kind, long ident, const char* dossier, const char* poste) {
        BudgetSyntheseEntry e;
        e.kind = kind;
        e.ident = ident;
        e.posteID = poste ? ident : -1;
        e.groupage = !poste;
        e.dossierName = QString::fromUtf8(dossier);
        e.posteName = QString::fromUtf8(poste ? poste : "");
        return e;
    };
    const BudgetSyntheseEntry horsBudget = entry(BudgetSyntheseKind::HorsBudget, -1, "", nullptr);
    const BudgetSyntheseEntry groupA = entry(BudgetSyntheseKind::Echeancier, 1, "", nullptr);
    const BudgetSyntheseEntry groupB = entry(BudgetSyntheseKind::Echeancier, 2, "", nullptr);
    const BudgetSyntheseEntry bLoyer = entry(BudgetSyntheseKind::Echeancier, 3, "b", "Loyer");
    const BudgetSyntheseEntry aZoo = entry(BudgetSyntheseKind::Prevision, 4, "A", "zoo");
    const BudgetSyntheseEntry aBus = entry(BudgetSyntheseKind::Echeancier, 5, "a", "Bus");
    const BudgetSyntheseList sorted = flattenArrayFromDict({groupA, horsBudget, bLoyer, groupB, aBus}, {aZoo}, {});
    QList<long> order;
    for (const BudgetSyntheseEntry& e : sorted)
        order << e.ident;
    EXPECT_EQ(order, (QList<long> {5, 4, 3, 1, 2, -1}));
    // A consistent order both ways round, whichever row is tested first.
    const std::tuple<BudgetSyntheseEntry, BudgetSyntheseEntry, int> pairs[] = {
        {horsBudget, groupA, 1}, {groupA, horsBudget, -1}, {groupA, groupB, 0},
        {groupA, bLoyer, 1},     {aZoo, bLoyer, -1},       {aBus, aZoo, -1},
    };
    for (const auto& [a, b, expected] : pairs) {
        EXPECT_EQ(compareEntry1(a, b), expected) << a.ident << " " << b.ident;
        EXPECT_EQ(compareEntry1(b, a), -expected) << b.ident << " " << a.ident;
    }
}

} // namespace

#include "engines/Simulation.h"
#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "document/SimulationFile.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using testenv::amount;

SIMULrec simulation(int64_t kind, double montant, double taux, double mensu = 0, double cout = 0)
{
    SIMULrec rec;
    rec.kind = kind;
    rec.taux = taux;
    rec.montant = amount(montant);
    rec.mensu = amount(mensu);
    rec.cout = amount(cout);
    return rec;
}

class SimulationFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString package = testenv::package(QStringLiteral("simulation"));
        doc = std::make_unique<DOCUMENT>(package, kFileSystemLocal);
        doc->deviseHdl = Devise::defaultDevises();
        ASSERT_TRUE(simulationFolderInDocument(&folder, package));
    }
    void TearDown() override { DocumentSession::close(); }

    const QStringList& list() const { return DocContext::instance().simulationList; }
    void write(const QString& name, const QByteArray& data)
    {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

    QString folder;
    std::unique_ptr<DOCUMENT> doc;
};

} // namespace

TEST(Simulation, ConstantPaymentRepaysInExactlyTheMonthsAsked)
{
    SIMULrec rec = simulation(kSimulationConstantPayment, 12000, 6);
    rec.montant = amount(12000, 78715.68);
    rec.nbMensu = 12;
    TOTAUX total;
    ASSERT_TRUE(computeSimulation(rec, total));
    ASSERT_EQ(simulationNbRows(&rec), 12);
    EXPECT_EQ(std::round(rec.rows[0].total1.values[0] * 100), 103280);
    const TOTAUX& last = rec.rows[11];
    // The last month repays exactly what remained, in every currency slot.
    EXPECT_NEAR(last.total4.values[0], 12000, 1e-9);
    EXPECT_NEAR(last.total4.values[1], 78715.68, 1e-9);
    // The grand total carries the total paid, not only its parts.
    EXPECT_EQ(total.n, 12);
    EXPECT_NEAR(total.total1.values[0], total.total2.values[0] + total.total3.values[0], 1e-9);
    EXPECT_NEAR(total.total3.values[0], last.total5.values[0], 1e-9);

    rec.taux = 0;
    EXPECT_FALSE(computeSimulation(rec, total));
    EXPECT_EQ(simulationNbRows(&rec), 0);
}

TEST(Simulation, FixedPaymentAndFixedCapital)
{
    // 10,000 at 12 %: 100 of interest the first month, which 110 less a cost of 10 only covers.
    SIMULrec rec = simulation(kSimulationFixedPayment, 10000, 12, 110, 10);
    TOTAUX total;
    EXPECT_FALSE(computeSimulation(rec, total));
    EXPECT_EQ(simulationNbRows(&rec), 0);
    // Capital 2,500, 2,525, 2,550.25, then the 2,424.75 left.
    rec.mensu = amount(2610);
    ASSERT_TRUE(computeSimulation(rec, total));
    ASSERT_EQ(simulationNbRows(&rec), 4);
    EXPECT_NEAR(simulationRowAtIndex(&rec, 3)->total2.values[0], 2424.75, 1e-9);
    // A month's total is what leaves the account: capital, interest and the monthly cost.
    EXPECT_NEAR(rec.rows[0].total1.values[0], 2500 + 100 + 10, 1e-9);
    EXPECT_DOUBLE_EQ(simulationRowAtIndex(&rec, 3)->total7.values[0], 40);
    EXPECT_EQ(simulationRowAtIndex(&rec, 4), nullptr);

    rec = simulation(kSimulationFixedCapital, 1000, 0, 250);
    ASSERT_TRUE(computeSimulation(rec, total));
    EXPECT_EQ(simulationNbRows(&rec), 4);
    rec.mensu = amount(300);
    ASSERT_TRUE(computeSimulation(rec, total));
    ASSERT_EQ(simulationNbRows(&rec), 4);
    EXPECT_DOUBLE_EQ(rec.rows[3].total2.values[0], 100);

    // Too small a payment stops at the bound instead of filling the memory.
    rec.mensu = amount(0.01);
    EXPECT_FALSE(computeSimulation(rec, total));
    EXPECT_EQ(simulationNbRows(&rec), kSimulationMaxRows);
    rec = simulation(kSimulationFixedCapital, 1e300, 1e300, 100);
    EXPECT_FALSE(computeSimulation(rec, total));
}

TEST_F(SimulationFileTest, SaveFindAndLoadBack)
{
    SIMULrec rec = simulation(kSimulationConstantPayment, 12000, 6.125, 0, 12.5);
    rec.nbMensu = 240;
    QString url;
    ASSERT_TRUE(saveSimulation(rec, QStringLiteral("Maison"), doc.get(), &url));
    EXPECT_EQ(list(), QStringList {folder + QStringLiteral("/Maison.xml")});
    long index = -1;
    EXPECT_TRUE(findSimulationNamed(QStringLiteral("maisón"), &index));
    EXPECT_EQ(index, 0);

    bool error = false;
    std::unique_ptr<SIMULrec> loaded = loadSimulation(url, &error);
    EXPECT_FALSE(error);
    EXPECT_TRUE(loaded->nbMensu == 240 && loaded->taux == 6.125 && loaded->cout.values[0] == 12.5);

    // The same name again replaces the file and keeps a single entry.
    rec.taux = 4;
    ASSERT_TRUE(saveSimulation(rec, QStringLiteral("MAISON"), doc.get(), &url));
    ASSERT_EQ(list().size(), 1);
    EXPECT_EQ(loadSimulation(list()[0], &error)->taux, 4);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList {QStringLiteral("Maison.xml")});

    // A write that fails adds nothing to the list.
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("Bloque.xml")));
    EXPECT_FALSE(saveSimulation(rec, QStringLiteral("Bloque"), doc.get(), &url));
    EXPECT_EQ(list().size(), 1);
}

TEST_F(SimulationFileTest, NamesNeverLeaveTheFolder)
{
    const SIMULrec rec = simulation(kSimulationFixedCapital, 1000, 0, 250);
    const QString escaping = QStringLiteral("../../évasion/x\t");
    QString url;
    ASSERT_TRUE(saveSimulation(rec, escaping, doc.get(), &url));
    EXPECT_EQ(url, folder + QStringLiteral("/_._.._évasion_x_.xml"));
    EXPECT_TRUE(findSimulationNamed(escaping, nullptr));

    const QString longName(300, QChar(u'é'));
    ASSERT_TRUE(saveSimulation(rec, longName, doc.get(), &url));
    EXPECT_LE(QFileInfo(url).fileName().toUtf8().size(), 255);
    EXPECT_TRUE(findSimulationNamed(longName, nullptr));
    EXPECT_FALSE(saveSimulation(rec, QString(), doc.get(), &url));
}

TEST_F(SimulationFileTest, DamagedFilesAndTheList)
{
    write(QStringLiteral("b.xml"),
          "<record><kind>1</kind><taux>2.5</taux><montant><v>1000</v></montant><mensu><v>250</v></mensu></record>");
    bool error = false;
    std::unique_ptr<SIMULrec> rec = loadSimulation(folder + QStringLiteral("/b.xml"), &error);
    EXPECT_TRUE(error);
    EXPECT_TRUE(rec->kind == 1 && rec->mensu.values[0] == 250 && rec->cout.nullMontant());
    error = false;
    loadSimulation(folder + QStringLiteral("/absent.xml"), &error);
    EXPECT_TRUE(error);

    for (const char* name : {"a.xml", "c.XML", ".cache.xml", "notes.txt"})
        write(QString::fromLatin1(name), "<record/>");
    DocContext::instance().simulationList = QStringList {QStringLiteral("/autre/document.xml")};
    loadSimulationList(doc.get());
    EXPECT_EQ(list(), (QStringList {folder + QStringLiteral("/a.xml"), folder + QStringLiteral("/b.xml")}));
    disposeSimulationList();
    EXPECT_TRUE(list().isEmpty());
}

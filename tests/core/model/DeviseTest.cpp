#include "foundation/LoadIssues.h"
#include "model/DOCUMENT.h"
#include "model/DeviseFile.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testenv::package;

DeviseList loadFile(const QString& name, const QByteArray& xml, LoadIssues* issues)
{
    const QString path = package(name);
    testenv::writeFile(path + QStringLiteral("/Contents/Resources/devise.xml"), xml);
    *issues = LoadIssues();
    return loadDevise(path, issues);
}

QByteArray records(int count)
{
    QByteArray xml("<deviselist>");
    for (int i = 1; i <= count; ++i)
        xml += "<devise><unit>u</unit><convert>" + QByteArray::number(i) + "</convert></devise>";
    return xml + "</deviselist>";
}

} // namespace

TEST(Devise, RecordsReadFromTheMemberFile)
{
    LoadIssues issues;
    const DeviseList d = loadFile(QStringLiteral("devread"),
                                  "<deviselist>\n <!-- c --> <devise><unit>€</unit></devise>\n <?pi x?>"
                                  "<devise><unit>€</unit><ticker></ticker></devise><other/>"
                                  "<devise><unit>$</unit><used>0</used><decimale>3</decimale></devise>"
                                  "<devise/><devise/></deviselist>",
                                  &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(d.size(), 5);
    EXPECT_EQ(d[0].ticker, QStringLiteral("EUR"));
    EXPECT_EQ(d[1].ticker, QString()); // a ticker element, even empty, is the ticker
    EXPECT_FALSE(d[2].used);
    EXPECT_EQ(d[2].decimale, 3);
    EXPECT_TRUE(d[3].used);
    EXPECT_DOUBLE_EQ(d[3].convert, 1.0);
}

TEST(Devise, AWrongNumberOfRecordsKeepsWhatWasReadAndSetsTheFlag)
{
    LoadIssues issues;
    const DeviseList four = loadFile(QStringLiteral("dev4"), records(4), &issues);
    EXPECT_EQ(
        issues.items(),
        QList<LoadIssue>(
            {{"devise.xml", 0, "4 devises au lieu de 5 ; les devises manquantes reprennent les réglages par défaut"}}));
    ASSERT_EQ(four.size(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(four[i].convert, i + 1.0);
    EXPECT_FALSE(four[4].used);
    EXPECT_EQ(four[4].fullName, Devise::defaultDevises()[4].fullName);

    const DeviseList seven = loadFile(QStringLiteral("dev7"), records(7), &issues);
    EXPECT_EQ(issues.size(), 1);
    ASSERT_EQ(seven.size(), 5);
    EXPECT_DOUBLE_EQ(seven[4].convert, 5.0);

    EXPECT_EQ(loadFile(QStringLiteral("devbad"), "not xml", &issues).size(), 5);
    ASSERT_EQ(issues.size(), 1);
    EXPECT_EQ(issues.items()[0].record, 0);
}

TEST(Devise, SlotsRoundTripThroughThePackage)
{
    DeviseList devises = Devise::defaultDevises();
    devises[1] = Devise {QStringLiteral("Dollar <US> & co"), "$", true, 0.9123456789, 0, 0, "USD", 123456789.25};
    devises[4].used = true;
    devises[4].decimale = 3;
    const QString path = package(QStringLiteral("devround"));
    ASSERT_TRUE(saveDevise(path, devises));

    LoadIssues issues;
    const DeviseList loaded = loadDevise(path, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const Devise &a = loaded[i], &b = devises[i];
        EXPECT_TRUE(a.fullName == b.fullName && a.unit == b.unit && a.ticker == b.ticker && a.used == b.used
                    && a.decimale == b.decimale && a.updateTime == b.updateTime)
            << i;
        EXPECT_NEAR(a.convert, b.convert, 5e-7) << i;
    }
    EXPECT_EQ(loadDevise(testenv::freshDir(QStringLiteral("devnone")), &issues)[0].ticker, QStringLiteral("EUR"));
    EXPECT_TRUE(issues.isEmpty());
}

TEST(Devise, FindDeviseWithUnitSkipsSlotsNotInUse)
{
    DeviseList devises = Devise::defaultDevises();
    devises[2].unit = devises[3].unit = QStringLiteral("$");
    devises[3].used = true;
    long index = -1;
    EXPECT_TRUE(Devise::findDeviseWithUnit(devises, QStringLiteral("$"), &index));
    EXPECT_EQ(index, 3);
    devises[3].used = false;
    EXPECT_FALSE(Devise::findDeviseWithUnit(devises, QStringLiteral("$"), &index));
    EXPECT_EQ(index, 5);
}

TEST(Devise, KnownCurrenciesComeFromTheResource)
{
    EXPECT_GT(Devise::getDeviseTickers().size(), 150);
    EXPECT_EQ(Devise::findNameFromTicker(QStringLiteral("USD")), QStringLiteral("Dollar américain"));
    EXPECT_EQ(Devise::findNameFromTicker(QStringLiteral("usd")), QString());
}

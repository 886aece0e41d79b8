#include "engines/AnalyseRecord.h"

#include "engines/AnalyseFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(AnalyseRecordTest, AFileComesBackWithItsNameMonthAndFrameToTwoDecimals)
{
    QTemporaryDir dir;
    AnalyseFile file;
    file.anaDef.nom = QStringLiteral("Courses & loisirs");
    file.initialMonth = 3;
    file.frame = QRectF(12.5, 80, 535.256, 400.004);
    ASSERT_TRUE(memoriseAnalyseFile(file, dir.path(), QStringLiteral("budget3.xml")));
    AnalyseRecord record;
    ASSERT_TRUE(loadAnalyseRecord(dir.filePath(QStringLiteral("budget3.xml")), &record));
    EXPECT_EQ(record.nom, file.anaDef.nom);
    EXPECT_EQ(record.initialMonth, 3);
    EXPECT_EQ(record.version, 5);
    EXPECT_NEAR(record.frame.width(), 535.26, 1e-4);
    EXPECT_NEAR(record.frame.height(), 400.0, 1e-4);
    EXPECT_FALSE(memoriseAnalyseFile(file, dir.filePath(QStringLiteral("missing")), QStringLiteral("a1.xml")));
}

TEST(AnalyseRecordTest, ABareRecordReadsAsTheDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("analyse1.xml"));
    writeFile(path, "<?xml version=\"1.0\"?><record/>");
    AnalyseRecord record;
    record.version = 9;
    ASSERT_TRUE(loadAnalyseRecord(path, &record));
    EXPECT_EQ(record.version, 5);
    EXPECT_EQ(record.initialMonth, 0);
    EXPECT_EQ(record.frame, QRectF(7, 70, 535, 530));
    writeFile(path, "not xml");
    EXPECT_FALSE(loadAnalyseRecord(path, &record));
}

TEST(AnalyseRecordTest, OnlyExactXmlFilesUpToTheSizeLimitAreListedInNumberOrder)
{
    QTemporaryDir dir;
    const QByteArray record = "<?xml version=\"1.0\"?><record/>";
    writeFile(dir.filePath(QStringLiteral("analyse10.xml")), record);
    writeFile(dir.filePath(QStringLiteral("analyse2.xml")), record);
    writeFile(dir.filePath(QStringLiteral("analyse3.XML")), record);
    writeFile(dir.filePath(QStringLiteral("analyse4.xml")), QByteArray(999999, ' '));
    writeFile(dir.filePath(QStringLiteral("analyse5.xml")), QByteArray(1000000, ' '));
    QStringList names;
    for (const QString& path : memorisedAnalyseRecordPaths(dir.path()))
        names << QFileInfo(path).fileName();
    EXPECT_EQ(names, (QStringList {"analyse2.xml", "analyse4.xml", "analyse10.xml"}));
}

TEST(AnalyseRecordTest, TheFoldersLiveInThePackageResources)
{
    QTemporaryDir dir;
    const QString package = dir.filePath(QStringLiteral("doc.svd"));
    ASSERT_TRUE(QDir().mkpath(package + QStringLiteral("/Contents/Resources")));
    QString folder;
    ASSERT_TRUE(getAnalyseFolderInDocument(&folder, package));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(folder.endsWith(QStringLiteral("Resources/analyse")));
    ASSERT_TRUE(getBudgetFolderInDocument(&folder, package));
    EXPECT_TRUE(removeAnalyseFolderInDocument(package));
    EXPECT_TRUE(removeBudgetFolderInDocument(package));
    EXPECT_FALSE(QFileInfo(folder).exists());
}

} // namespace

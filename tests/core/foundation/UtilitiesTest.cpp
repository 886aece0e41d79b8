#include "foundation/files.h"
#include "foundation/mainthread.h"
#include "foundation/numbers.h"
#include "foundation/random.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {
void touch(const QString& path, const QByteArray& data = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}
} // namespace

TEST(Numbers, AmountToleranceAndFormatting)
{
    EXPECT_TRUE(sameDoubleMontant(1.0, 1.004));
    EXPECT_FALSE(sameDoubleMontant(1.0, 1.005));
    EXPECT_FALSE(sameDoubleMontant(NAN, NAN));
    EXPECT_FALSE(sameDoubleMontant(INFINITY, INFINITY));

    EXPECT_EQ(doubleToStringWithDecimales(0, 2.5), "2");
    EXPECT_EQ(doubleToStringWithDecimales(0, 3.5), "4");
    EXPECT_EQ(doubleToStringWithDecimales(2, 1234.5), "1234.50");
    EXPECT_EQ(doubleToStringWithDecimales(2, -0.004), "-0.00");
    EXPECT_EQ(doubleToStringWithDecimales(2, NAN), "0");
    EXPECT_EQ(doubleToStringWithDecimales(0, INFINITY), "0");
    EXPECT_EQ(doubleToStringWithDecimales(0, 1e300), QString::number(std::numeric_limits<long>::max()));

    EXPECT_EQ(doubleToStringTrimmed(2, u',', 1.5), "1,5");
    EXPECT_EQ(doubleToStringTrimmed(2, u',', 3.0), "3");
    EXPECT_EQ(doubleToStringTrimmed(2, u',', 120.0), "120");

    QString s = QStringLiteral("a");
    appendAmountIfNotZero(s, 2, 0.004);
    appendAmountIfNotZero(s, 2, -12.5);
    EXPECT_EQ(s, "a-12,5");
}

TEST(Numbers, FileSizes)
{
    EXPECT_EQ(fileSizeToString(0), "0 octet");
    EXPECT_EQ(fileSizeToString(1), "1 octet");
    EXPECT_EQ(fileSizeToString(999), "999 octets");
    EXPECT_EQ(fileSizeToString(1000), "1,0 Ko");
    EXPECT_EQ(fileSizeToString(2500000), "2,5 Mo");
    EXPECT_EQ(fileSizeToString(3000000000ULL), "3,0 Go");
    EXPECT_EQ(fileSizeToString(4000000000000ULL), "4,0 To");
}

TEST(Numbers, IntegerDivisionNeverCrashes)
{
    EXPECT_EQ(integerQuotient(-7, 2), -3);
    EXPECT_EQ(integerRemainder(-7, 2), -1);
    EXPECT_EQ(integerQuotient(7, 0), 0);
    EXPECT_EQ(integerRemainder(7, 0), 0);
    EXPECT_EQ(integerQuotient(std::numeric_limits<long>::min(), -1), std::numeric_limits<long>::max());
    EXPECT_EQ(integerRemainder(std::numeric_limits<long>::min(), -1), 0);
    int32_t q = 9, r = 9;
    divWithRemainder(5, 0, &q, &r);
    EXPECT_EQ(q, 0);
    EXPECT_EQ(r, 0);
    divWithRemainder(17, 5, &q, &r);
    EXPECT_EQ(q, 3);
    EXPECT_EQ(r, 2);
}

TEST(Numbers, CharactersAndControlText)
{
    EXPECT_EQ(safeCharacterAtIndex(QStringLiteral("ab"), 5), 0);
    EXPECT_EQ(safeCharacterAtIndex(QStringLiteral("ab"), -1), 0);
    EXPECT_EQ(countCarriageReturns(QStringLiteral("a\rb\r\n")), 2);
    QString t = QStringLiteral("a\tb\nc\rd");
    replaceControlCharsBySpace(t);
    EXPECT_EQ(t, "a b c d");
    EXPECT_TRUE(isSpecialEditingChar(25));
    EXPECT_FALSE(isSpecialEditingChar(u'a'));
}

TEST(Random, StaysWithinOneToN)
{
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(randomInRange(1), 1);
    for (int i = 0; i < 2000; ++i) {
        const long v = randomInRange(32767);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 32767);
    }
    EXPECT_EQ(randomInRange(0), 1);
}

TEST(Files, UniqueNamesKeepTheExtension)
{
    const QString dir = testenv::freshDir(QStringLiteral("unique"));
    EXPECT_EQ(uniqueFileURL(dir + "/b.xml"), dir + "/b.xml");
    touch(dir + "/b.xml");
    touch(dir + "/b-1.xml");
    EXPECT_EQ(uniqueFileURL(dir + "/b.xml"), dir + "/b-2.xml");
    touch(dir + "/plain");
    EXPECT_EQ(uniqueFileURL(dir + "/plain"), dir + "/plain-1");
    QDir().mkdir(dir + "/Doc.svd");
    EXPECT_EQ(uniqueFileURL(dir + "/Doc.svd"), dir + "/Doc-1.svd");

    EXPECT_EQ(documentNameFromURL(dir + "/Mes comptes.svd"), "Mes comptes");
    EXPECT_EQ(documentNameFromURL(dir + "/Doc.svd/"), "Doc");
    EXPECT_TRUE(documentNameFromURL(QString()).isNull());
}

TEST(Files, RemoveFallsBackToTheTrash)
{
    const QString dir = testenv::freshDir(QStringLiteral("trash"));
    touch(dir + "/gone.txt");
    int err = -1;
    EXPECT_TRUE(removeOrTrashItemAtURL(dir + "/gone.txt", &err));
    EXPECT_EQ(err, 0);
    EXPECT_FALSE(QFile::exists(dir + "/gone.txt"));

    QDir().mkpath(dir + "/folder/inner");
    touch(dir + "/folder/inner/f");
    setRemoveItemForTesting([](const QString&) {
        errno = EPERM;
        return false;
    });
    EXPECT_TRUE(removeOrTrashItemAtURL(dir + "/folder", &err));
    setRemoveItemForTesting(nullptr);
    EXPECT_EQ(err, EPERM);
    EXPECT_FALSE(QFile::exists(dir + "/folder"));

    setRemoveItemForTesting([](const QString&) { return false; });
    EXPECT_FALSE(removeOrTrashItemAtURL(dir + "/never-was", &err));
    setRemoveItemForTesting(nullptr);
    EXPECT_NE(err, 0);
}

TEST(Files, CopyFolderContentsStopsAtTheFirstFailure)
{
    const QString src = testenv::freshDir(QStringLiteral("src"));
    const QString dst = testenv::freshDir(QStringLiteral("dst"));
    touch(src + "/a.txt", "A");
    QDir().mkpath(src + "/sub");
    touch(src + "/sub/b.txt", "B");
    int err = -1;
    EXPECT_TRUE(copyFolderContents(src, dst, &err));
    EXPECT_EQ(err, 0);
    QFile b(dst + "/sub/b.txt");
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), "B");

    EXPECT_FALSE(copyFolderContents(src, dst, &err));
    EXPECT_EQ(err, EEXIST);
    EXPECT_FALSE(copyFolderContents(src + "/missing", dst, &err));
    EXPECT_NE(err, 0);
    EXPECT_TRUE(copyFolderContents(testenv::freshDir(QStringLiteral("empty")), dst, &err));
}

// A folder copied into itself, by its own name, through a link or as a sub-folder yet to be made,
// is refused before anything is written; beside it the copy goes ahead.
TEST(Files, AFolderIsNeverCopiedIntoItself)
{
    const QString root = testenv::freshDir(QStringLiteral("self"));
    const QString package = root + "/Famille.svd";
    QDir().mkpath(package + "/Contents");
    touch(package + "/Contents/a.txt");
    ASSERT_TRUE(QFile::link(package, root + "/Lien.svd"));
    const CloneOptions options;
    const QString inside[] = {package, package + "/Copie", package + "/Contents/x/Copie.svd", root + "/Lien.svd/Copie",
                              root + "/autre/../Famille.svd/Copie"};
    for (const QString& destination : inside) {
        int err = 0;
        EXPECT_FALSE(copyItemAtPath(package, destination, &err)) << qPrintable(destination);
        EXPECT_EQ(err, EINVAL) << qPrintable(destination);
        EXPECT_FALSE(cloneItemAtPath(package, destination, options, &err)) << qPrintable(destination);
        EXPECT_FALSE(copyFolderContents(package, destination, &err)) << qPrintable(destination);
    }
    EXPECT_EQ(QDir(package).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {"Contents"});
    EXPECT_EQ(QDir(package + "/Contents").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {"a.txt"});
    EXPECT_TRUE(copyItemAtPath(package, root + "/Famille copie.svd"));
    EXPECT_TRUE(isSameOrInsideFolder(root + "/Lien.svd", package));
    EXPECT_FALSE(isSameOrInsideFolder(root + "/Famille.svd2", package));
}

TEST(MainThread, RunsDirectlyOnTheMainThreadAndWaitsFromAnother)
{
    int runs = 0;
    performOnMainThread([&] { ++runs; });
    EXPECT_EQ(runs, 1);

    Qt::HANDLE ranOn = nullptr;
    QThread* worker = QThread::create([&] { performOnMainThread([&] { ranOn = QThread::currentThreadId(); }); });
    worker->start();
    while (!worker->wait(10))
        QCoreApplication::processEvents();
    delete worker;
    EXPECT_EQ(ranOn, QThread::currentThreadId());
}

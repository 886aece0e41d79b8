#include "model/DOCUMENT.h"
#include "document/DocContext.h"
#include "document/SVDocumentManager.h"
#include "foundation/files.h"
#include "model/DOCPARAM.h"
#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(Document, NameAndFoldersOfThePackage)
{
    EXPECT_TRUE(DOCUMENT(QString(), kFileSystemLocal).getDocLoadName().isNull());
    const QString dir = testenv::freshDir(QStringLiteral("doc"));
    const QString package = dir + QStringLiteral("/Comptes.svd");
    EXPECT_EQ(DOCUMENT(package, kFileSystemLocal).getDocLoadName(), "Comptes.svd");

    QString url = QStringLiteral("stale");
    EXPECT_FALSE(DOCUMENT::getFolderInDocument(&url, QStringLiteral("searches"), package));
    EXPECT_TRUE(url.isEmpty());
    QDir().mkpath(package + QStringLiteral("/Contents/Resources"));
    EXPECT_TRUE(DOCUMENT::getFolderInDocument(&url, QStringLiteral("searches"), package));
    EXPECT_EQ(url, package + QStringLiteral("/Contents/Resources/searches"));
    EXPECT_TRUE(QFileInfo(url).isDir());
    EXPECT_TRUE(DOCUMENT::getFolderInDocument(&url, QStringLiteral("searches"), package));
    // No intermediate folders are made.
    EXPECT_FALSE(DOCUMENT::getFolderInDocument(&url, QStringLiteral("a/b"), package));

    QFile file(dir + QStringLiteral("/plain.svd"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(DOCUMENT::getFolderInDocument(&url, QStringLiteral("searches"), file.fileName()));
}

TEST(Document, DisposeEmptiesTheListsAndForgetsTheCurrentDocument)
{
    auto doc = std::make_unique<DOCUMENT>(QStringLiteral("/tmp/x.svd"), kFileSystemLocal);
    doc->deviseHdl = Devise::defaultDevises();
    doc->taxeHdl.append(TAXE());
    doc->docParam = std::make_unique<DOCPARAM>();
    const testenv::OpenDocument open(*doc);
    SVDocumentManager::defaultManager().zeroDocument(*doc);
    EXPECT_TRUE(doc->deviseHdl.isEmpty());
    EXPECT_TRUE(doc->taxeHdl.isEmpty());
    SVDocumentManager::defaultManager().disposeDocument(std::move(doc));
    EXPECT_EQ(currentDocument(), nullptr);
}

TEST(Document, MovingBetweenCacheAndCloud)
{
    const QString dir = testenv::freshDir(QStringLiteral("cache"));
    const QString cache = dir + QStringLiteral("/cache");
    const QString root = dir + QStringLiteral("/cloud");
    QDir().mkpath(cache + QStringLiteral("/Comptes.svd/Contents/Resources"));
    DOCUMENT doc(root + QStringLiteral("/Documents/Comptes.svd"), kFileSystemICloud);

    EXPECT_FALSE(SVDocumentManager::defaultManager().moveDocumentToCache(&doc, cache));
    EXPECT_EQ(doc.documentUrl, cache + QStringLiteral("/Comptes.svd"));
    EXPECT_EQ(doc.fileSystemTag, kFileSystemLocal);

    EXPECT_FALSE(SVDocumentManager::defaultManager().moveCacheToDocument(&doc, QString()));
    EXPECT_EQ(doc.fileSystemTag, kFileSystemLocal);

    setRemoveItemForTesting([](const QString&) { return false; });
    // Nothing can remove the cache package: the trash takes it.
    EXPECT_TRUE(SVDocumentManager::defaultManager().moveCacheToDocument(&doc, root));
    setRemoveItemForTesting(nullptr);
    EXPECT_EQ(doc.documentUrl, root + QStringLiteral("/Documents/Comptes.svd"));
    EXPECT_EQ(doc.fileSystemTag, kFileSystemICloud);
    EXPECT_FALSE(QFileInfo::exists(cache + QStringLiteral("/Comptes.svd")));
}

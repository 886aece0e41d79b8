#include "model/AttachedDocuments.h"
#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TRANSACT transactWith(const QString& storeName, const QString& chosenPath = QString())
{
    TRANSACT trans;
    trans.attachedDocuments.append({QStringLiteral("visible"), storeName, chosenPath});
    return trans;
}

// An open document in a fresh package, and a folder of files the user picks from.
class AttachedDocumentsInDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString root = testenv::freshDir(QStringLiteral("attached"));
        picked = root + QStringLiteral("/picked");
        QString resources;
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/doc.svd")) && QDir().mkpath(picked)
                    && createPackageResources(root + QStringLiteral("/doc.svd"), &resources, nullptr));
        doc = std::make_unique<DOCUMENT>(root + QStringLiteral("/doc.svd"), kFileSystemLocal);
        DocumentSession::adopt(*doc);
        folder = attachedDocumentsFolder(*doc);
        ASSERT_EQ(folder, resources + QStringLiteral("/Documents"));
    }
    void TearDown() override { DocumentSession::close(); }

    bool isStored(const QString& name) const { return QFileInfo::exists(folder + QLatin1Char('/') + name); }
    QString storeNameAt(long trans, long index) const
    {
        return doc->transact_array[trans].attachedDocuments[index].docStoreName;
    }

    QString picked;
    QString folder;
    std::unique_ptr<DOCUMENT> doc;
};

} // namespace

TEST_F(AttachedDocumentsInDocument, ChosenFilesAreCopiedUnderFreeCleanNames)
{
    const QString invoice = picked + QStringLiteral("/Invoice  March.pdf");
    const QString readme = picked + QStringLiteral("/README");
    const QString moved = picked + QStringLiteral("/receipt.jpg");
    writeFile(invoice, "pdf bytes");
    writeFile(readme, "text");
    doc->transact_array
        = {transactWith(QString(), invoice), transactWith(QString(), moved), transactWith(QString(), invoice),
           transactWith(QString(), invoice), transactWith(QString(), readme)};

    synchronizeAttachedDocuments(*doc);
    EXPECT_EQ(storeNameAt(0, 0), QStringLiteral("Invoice March.pdf"));
    EXPECT_EQ(storeNameAt(2, 0), QStringLiteral("Invoice March_2.pdf"));
    EXPECT_EQ(storeNameAt(3, 0), QStringLiteral("Invoice March_3.pdf"));
    EXPECT_EQ(storeNameAt(4, 0), QStringLiteral("README")); // no trailing dot
    EXPECT_TRUE(doc->transact_array[3].attachedDocuments[0].docUrl.isEmpty());
    EXPECT_EQ(doc->transact_array[3].attachedDocuments[0].docVisibleName, QStringLiteral("visible"));
    EXPECT_TRUE(QFileInfo::exists(invoice)); // copied, never moved

    // A chosen file moved away keeps waiting, and is stored once it can be read again.
    EXPECT_EQ(doc->transact_array[1].attachedDocuments[0].docUrl, moved);
    EXPECT_TRUE(storeNameAt(1, 0).isEmpty());
    writeFile(moved, "jpg");
    synchronizeAttachedDocuments(*doc);
    EXPECT_EQ(storeNameAt(1, 0), QStringLiteral("receipt.jpg"));
}

TEST_F(AttachedDocumentsInDocument, QueuedFilesGoOnlyAfterTheSave)
{
    writeFile(folder + QStringLiteral("/a.pdf"), "a");
    writeFile(folder + QStringLiteral("/b.pdf"), "b");
    // The transaction that named both files has been deleted.
    addStoredAttachedDocumentToDelete(*doc, {QStringLiteral("a.pdf"), QStringLiteral("b.pdf")});
    synchronizeAttachedDocuments(*doc);
    EXPECT_TRUE(isStored(QStringLiteral("a.pdf")) && isStored(QStringLiteral("b.pdf")));

    treatStoredAttachedDocumentsToDelete(*doc);
    EXPECT_FALSE(isStored(QStringLiteral("a.pdf")) || isStored(QStringLiteral("b.pdf")));
    EXPECT_TRUE(doc->storedDocToDeleteArray.isEmpty());

    // A name that would reach outside the folder is never followed.
    writeFile(folder + QStringLiteral("/../transact.xml"), "<list/>");
    addStoredAttachedDocumentToDelete(*doc, {QStringLiteral("../transact.xml")});
    treatStoredAttachedDocumentsToDelete(*doc);
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/../transact.xml")));
}

TEST_F(AttachedDocumentsInDocument, FileSharedByCopiesStaysWhileOneStillNamesIt)
{
    writeFile(folder + QStringLiteral("/shared.pdf"), "s");
    writeFile(folder + QStringLiteral("/template.pdf"), "t");
    // A pasted copy names the same stored file; a macro template names another.
    doc->transact_array = {transactWith(QStringLiteral("shared.pdf"))};
    MACRO macro;
    macro.transact = transactWith(QStringLiteral("template.pdf"));
    doc->macroHdl = {macro};

    addStoredAttachedDocumentToDelete(*doc, {QStringLiteral("shared.pdf"), QStringLiteral("template.pdf")});
    treatStoredAttachedDocumentsToDelete(*doc);
    EXPECT_TRUE(isStored(QStringLiteral("shared.pdf")) && isStored(QStringLiteral("template.pdf")));

    doc->transact_array.clear();
    addStoredAttachedDocumentToDelete(*doc, {QStringLiteral("shared.pdf")});
    treatStoredAttachedDocumentsToDelete(*doc);
    EXPECT_FALSE(isStored(QStringLiteral("shared.pdf")));
}

// A year closing stopped at any file-system step, by a failure the program sees or by a kill that
// leaves its hidden package to the next listing, shows either no new document at all or the whole
// new one, and leaves the closed document byte for byte as it was unless the closing completed.
#include "document/APPLIPARAM.h"
#include "document/Cloture.h"
#include "document/DocumentSession.h"
#include "document/SVDocumentManager.h"
#include "document/SVWorkspaceManager.h"
#include "document/SaveFolderMark.h"
#include "document/SaveLeftovers.h"
#include "foundation/files.h"
#include "model/AttachedDocuments.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "support/DismissingAlerts.h"
#include "support/FakeAlerts.h"
#include "support/OpenDocument.h"
#include "support/SilentOpeningShell.h"
#include "support/StoppedAtStep.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <limits>
#include <string>

namespace {

// The complete package, a file attached to a transaction the closing leaves behind and one to the
// schedule it keeps, and its due schedules active (1, to tell it from both 0 and 4).
std::unique_ptr<DOCUMENT> closedYear(const QString& url)
{
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, *doc), DocError::None);
    doc->transact_array[1].attachedDocuments.append(
        AttachedDocument {QStringLiteral("Vieux.pdf"), QStringLiteral("Vieux.pdf"), QString()});
    doc->echeancierHdl[0].transact.attachedDocuments.append(
        AttachedDocument {QStringLiteral("Bail.pdf"), QStringLiteral("Bail.pdf"), QString()});
    testenv::writeFile(attachedDocumentsFolder(*doc) + QStringLiteral("/Vieux.pdf"), "old");
    testenv::writeFile(attachedDocumentsFolder(*doc) + QStringLiteral("/Bail.pdf"), "lease");
    doc->docParam->echInactive = 1;
    EXPECT_EQ(SVDocumentManager::defaultManager().saveDocumentInternal(url, *doc), DocError::None);
    return doc;
}

// What tells the whole new year from a part of it; empty when it does not load.
std::string yearAt(const QString& url)
{
    DOCUMENT doc(url, kFileSystemLocal);
    if (SVDocumentManager::defaultManager().loadDocumentInternal(url, doc) != DocError::None)
        return {};
    return QStringLiteral("%1 transactions, échéances %2, %3")
        .arg(doc.transact_array.size())
        .arg(doc.docParam->echInactive)
        .arg(QDir(url + QStringLiteral("/Contents/Resources/Documents")).entryList(QDir::Files).join(", "))
        .toStdString();
}

// Listed, then opened without a question or an alert but the one a closed year gives.
bool listedAndOpens(const QString& url, bool closedYear = false)
{
    SVWorkspaceManager::sharedInstance().loadRecentMacData();
    long index = 0;
    SilentOpeningShell shell;
    FakeAlerts alerts;
    if (closedYear)
        alerts.expect(kAlertFirstButton);
    std::unique_ptr<DOCUMENT> opened;
    const bool done = SVWorkspaceManager::sharedInstance().findElementNamed(QFileInfo(url).completeBaseName(), &index,
                                                                            kFileSystemLocal)
        && DocumentSession::open(url, &opened, false, kFileSystemLocal, shell);
    DocumentSession::close(std::move(opened));
    return done;
}

} // namespace

TEST(ClotureSafety, AClosingStoppedAtAnyStepShowsTheWholeNewYearOrNothingAndLeavesTheOldOneAsItWas)
{
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    QString folder;
    ASSERT_TRUE(SVWorkspaceManager::getRecentFolderUrl(&folder, kFileSystemLocal));
    const auto entries = [&folder](const QString& tag, QDir::Filters hidden) {
        return QDir(folder).entryList(QStringList {"*" + tag + ".*"}, QDir::AllEntries | QDir::NoDotAndDotDot | hidden);
    };
    const struct {
        const char* name;
        bool killed;
        bool once; // the whole closing, counting its steps
    } stops[] = {{"nothing fails", false, true}, {"a step fails", false, false}, {"killed at a step", true, false}};
    std::string whole;
    int steps = 0;
    for (const auto& stop : stops) {
        for (int at = 0; at < (stop.once ? 1 : steps); ++at) {
            SCOPED_TRACE(testing::Message() << stop.name << " " << at);
            const QString tag = QStringLiteral(" %1-%2").arg(stop.name).arg(at);
            const QString oldUrl = folder + "/Maison" + tag + ".svd";
            const QString newUrl = folder + "/Exercice" + tag + ".svd";
            auto doc = closedYear(oldUrl);
            const auto before = testenv::filesUnder(oldUrl);
            QString result;
            const auto close = [&doc, &newUrl, &result]() {
                const testenv::OpenDocument open(*doc);
                clotureDocument(doc.get(), QFileInfo(newUrl).fileName(), 697300000,
                                [&result](const QString& url) { result = url; });
            };
            {
                const DismissingAlerts alerts;
                StoppedAtStep stopped(stop.once ? std::numeric_limits<int>::max() : at, stop.killed);
                close();
                if (stop.once) {
                    ASSERT_EQ(result, newUrl);
                    whole = yearAt(newUrl);
                    // The transactions kept and the opening balances; the files they and the
                    // schedule name, not the one of the transaction left behind.
                    EXPECT_EQ(whole, "6 transactions, échéances 0, Bail.pdf, Ticket.pdf");
                    steps = stopped.steps;
                    ASSERT_GT(steps, 10);
                }
            }
            const bool completed = !result.isEmpty();
            if (!stop.killed) {
                EXPECT_EQ(doc->docParam->echInactive, completed ? 4 : 1);
            }
            EXPECT_TRUE(listedAndOpens(oldUrl, completed));
            bool error = false;
            if (completed) {
                EXPECT_EQ(DOCPARAM::loadDocParam(oldUrl, &error)->echInactive, 4);
            } else {
                EXPECT_TRUE(testenv::filesUnder(oldUrl) == before);
            }
            const bool made = QFileInfo::exists(newUrl);
            EXPECT_EQ(made && listedAndOpens(newUrl), made);
            EXPECT_EQ(made ? yearAt(newUrl) : whole, whole);
            // A failure leaves nothing, a kill nothing once the folder is listed, whatever the new
            // year's name; closed again under that name, the year is whole and nothing the killed
            // closing left stays beside it. No document keeps the mark of the hidden package it was.
            EXPECT_EQ(entries(tag, QDir::Hidden).size(), made ? 2 : 1)
                << entries(tag, QDir::Hidden).join(", ").toStdString();
            for (const QString& url : {oldUrl, newUrl})
                EXPECT_FALSE(QFileInfo::exists(url + '/' + kSaveFolderMarkName));
            if (stop.killed && !made) {
                const DismissingAlerts alerts;
                close();
                EXPECT_EQ(yearAt(result), whole);
                EXPECT_EQ(entries(tag, QDir::Hidden).size(), 2) << entries(tag, QDir::Hidden).join(", ").toStdString();
            }
            for (const QString& name : entries(tag, QDir::Hidden))
                removeOrTrashItemAtURL(folder + '/' + name);
        }
    }
}

// The closed year can't be saved, so the new one goes back under a hidden name, and the process
// dies while it removes it there: what it left goes at the next listing, whatever the new name.
TEST(ClotureSafety, ANewYearKilledWhileItIsTakenBackGoesAtTheNextListing)
{
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    QString folder;
    ASSERT_TRUE(SVWorkspaceManager::getRecentFolderUrl(&folder, kFileSystemLocal));
    const QString oldUrl = folder + "/Maison repris.svd";
    auto doc = closedYear(oldUrl);
    struct DiesTakingBack : FileSystemOps {
        QString oldUrl;
        bool dead = false;
        static bool fail(int* error)
        {
            if (error)
                *error = EIO;
            return false;
        }
        bool moveItem(const QString& from, const QString& to, int* error) override
        {
            if (dead || (to == oldUrl && from.endsWith(QLatin1String(kSavingPackageName))))
                return fail(error);
            dead = to.endsWith(QLatin1String(kSavingPackageName)) && from.endsWith(QStringLiteral(".svd"));
            return FileSystemOps::moveItem(from, to, error);
        }
        bool removeItem(const QString& path, int* error) override
        {
            return dead ? fail(error) : FileSystemOps::removeItem(path, error);
        }
    } dies;
    dies.oldUrl = oldUrl;
    {
        const DismissingAlerts alerts;
        FileSystemOps::install(&dies);
        const testenv::OpenDocument open(*doc);
        clotureDocument(doc.get(), QStringLiteral("Nouvel exercice"), 697300000, [](const QString&) {});
        FileSystemOps::install(nullptr);
    }
    ASSERT_TRUE(dies.dead);
    const auto hidden = [&folder] {
        return QDir(folder).entryList({"*.saving"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    EXPECT_FALSE(hidden().isEmpty());
    EXPECT_TRUE(listedAndOpens(oldUrl));
    EXPECT_EQ(hidden(), QStringList());
    EXPECT_FALSE(QFileInfo::exists(folder + "/Nouvel exercice.svd"));
    removeOrTrashItemAtURL(oldUrl);
}

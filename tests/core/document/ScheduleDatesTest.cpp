// A schedule date that can't be read is taken as written up to today's horizon, never back from
// a later date it was written to: occurrences already written never come due again.
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QScopeGuard>
#include <gtest/gtest.h>

TEST(ScheduleDates, AnUnreadableDateNeverMovesTheWrittenDateBack)
{
    const auto at = [](long day, long month) {
        double date = 0;
        dmyToDate(day, month, 2023, &date);
        return date;
    };
    // The schedule's horizon is three days ahead: the 23rd.
    SystemClock::setNowForTesting(at(20, 1) + 12 * 3600);
    const auto restore = qScopeGuard([] { SystemClock::setNowForTesting(std::nullopt); });
    const struct {
        const char* name;
        QByteArray firstDate;
        QByteArray lastWriteDate;
        double written; // as read
    } cases[] = {
        {"first date unreadable, written past the horizon", "99999-01-01", QByteArray::number(at(1, 3), 'f', 6),
         at(1, 3)},
        {"first date unreadable, written before the horizon", "99999-01-01", QByteArray::number(at(1, 1), 'f', 6),
         at(23, 1)},
        {"written date unreadable", "694350000.000000", "1e300", at(23, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString url = testenv::freshDir(QStringLiteral("schedule-dates")) + QStringLiteral("/Budget.svd");
        ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
        const QString chrono = url + QStringLiteral("/Contents/Resources/chrono.xml");
        testenv::writeFile(chrono,
                           testenv::readFile(chrono)
                               .replace("<firstDate>694350000.000000<", "<firstDate>" + c.firstDate + '<')
                               .replace("<lastWriteDate>696942000.000000<", "<lastWriteDate>" + c.lastWriteDate + '<'));
        DOCUMENT doc(url, kFileSystemLocal);
        EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, doc), DocError::Chrono);
        ASSERT_EQ(doc.echeancierHdl.size(), 1);
        EXPECT_EQ(doc.echeancierHdl.first().planificator.lastWriteDate, c.written);
    }
}

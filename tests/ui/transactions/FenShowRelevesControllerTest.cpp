// The statement chooser: the statements of a transaction, and the row the user goes to.
#include "transactions/FenShowRelevesController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "model/DOCUMENT.h"
#include "support/TestFiles.h"
#include "toolkit/tables/StdTableView.h"

#include <QTest>

namespace {

// Compte courant 7 holds statements 30 (newest) and 31 ("Mai", 31/05/2024); Livret 9 holds 40.
class FenShowRelevesControllerTest : public UiTestFixture {
protected:
    FenShowRelevesControllerTest()
    {
        doc.compteHdl = {testenv::tool(kToolCompte, 7, QStringLiteral("Compte courant"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 9, QStringLiteral("Livret"), kBanqueUser, 10)};
        for (const auto& [compte, ident, nom, date] :
             {std::tuple(0, 30, "Juin", 1.0e9), std::tuple(0, 31, "Mai", 738799200.0), std::tuple(1, 40, "", 1.0e9)}) {
            RELEVE& releve = doc.compteHdl[compte].releves.emplace_back();
            std::tie(releve.ident, releve.date, releve.nom_v3) = std::tuple(ident, date, QString::fromUtf8(nom));
        }
    }
    ShowReleveEntries entries(long releveID1, long releveID2) const
    {
        TRANSACT t;
        std::tie(t.who1, t.releveID1, t.who2, t.releveID2) = std::tuple(7, releveID1, 9, releveID2);
        return FenShowRelevesController::entriesForTransact(t, doc);
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
};

} // namespace

// Rows as account:statement index, the debit side's first.
TEST_F(FenShowRelevesControllerTest, OneRowPerSideTickedOnAStatementItsAccountHolds)
{
    const std::tuple<long, long, QStringList> cases[]
        = {{31, 40, {"7:1", "9:0"}}, {-1, 40, {"9:0"}}, {40, -1, {}}, {-1, -1, {}}};
    for (const auto& [releveID1, releveID2, expected] : cases) {
        QStringList rows;
        for (const ShowReleveEntry& entry : entries(releveID1, releveID2))
            rows << QStringLiteral("%1:%2").arg(entry.compte.ident).arg(entry.releveIndex);
        EXPECT_EQ(rows, expected);
    }
}

// The row whose button is pressed, where the user would; -1 presses OK, -2 the close box (no
// choice of row 0).
TEST_F(FenShowRelevesControllerTest, AnswersTheRowGoneToOrNone)
{
    for (const auto& [action, result] : {std::pair(1, 1L), {0, 0L}, {-1, -1L}, {-2, -1L}}) {
        ui().onModal<FenShowRelevesController>([action = action](FenShowRelevesController& chooser) {
            chooser.window()->show();
            StdTableView* table = chooser.table1();
            ASSERT_EQ(table->numberOfRows(), 2);
            EXPECT_EQ(table->model()->index(0, 0).data().toString(),
                      QStringLiteral("Compte courant | Mai | 31/05/2024"));
            WindowDriver(chooser).grab(QStringLiteral("FenShowReleves.png"));
            if (action == -1)
                WindowDriver(chooser).click(QStringLiteral("OUI:"));
            if (action == -2)
                chooser.window()->close();
            if (action < 0)
                return;
            const QRect rowRect = table->visualRect(table->model()->index(action, 0));
            CellShowReleves cell;
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              cell.buttonRectInRow(rowRect.size()).translated(rowRect.topLeft()).center());
        });
        EXPECT_EQ(showRelevesDialog(nullptr, entries(31, 40)), result);
    }
}

// Many transactions changed in one batch leave every open list as the same changes told one at a
// time do: the same rows and running balances, totals, selection and statements, in lists that
// search again and in lists that can't and follow the rows; the lists hear of the batch once.
#include "TransListFixture.h"

#include "transactions/FenListingSearchController.h"
#include "transactions/FenReleveController.h"

#include "engines/Critere.h"
#include "engines/SaisieMultiple.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"

#include <QLabel>

namespace translist {
namespace {

class TransactBatchWindowsTest : public TransListTest {
protected:
    TransactBatchWindowsTest()
    {
        addMonths();
        savedTransacts = doc.transact_array;
        savedComptes = doc.compteHdl;
        savedBanques = doc.banqueHdl;
    }
    ~TransactBatchWindowsTest() override { closeWindows(); }

    // 300 more transactions over May and June on the current account 7, against payees, the
    // savings account 9 and cash; one in three ticked on its open June statement.
    void addMonths()
    {
        RELEVE juin;
        juin.ident = 2;
        juin.date = at(30, 6, 2024);
        TOOL* courant = getTool(kToolCompte, 7, &doc);
        courant->releves.prepend(juin);
        const long others[] = {22, 23, 9, 30, 24};
        for (long i = 0; i < 300; ++i) {
            const long other = others[i % 5];
            TRANSACT t = i % 4 == 1 ? trans(at(1 + i % 30, 5 + i % 2, 2024), other, 7, 10 + i, 6, "Entrée")
                                    : trans(at(1 + i % 30, 5 + i % 2, 2024), 7, other, 5 + i, 1 + i % 8, "Sortie");
            if (i % 3 == 0)
                (t.who1 == 7 ? t.releveID1 : t.releveID2) = 2;
            doc.transact_array.append(t);
        }
        recomputeAllReleves(&doc);
    }

    void openWindows()
    {
        windows = {open(7), open(9), openListingSearch(doc, Critere::makeToolCritere(true, 7, -1, &doc), 0),
                   openReleveWindow(7, true, 0, doc)};
        for (FenTransListController* list : windows) {
            ASSERT_NE(list, nullptr);
            list->listing()->canCompute = !fixedListings;
            select(list, {2, 5, 40});
        }
    }
    void closeWindows()
    {
        for (FenTransListController* list : std::exchange(windows, {}))
            list->close();
    }

    // What the windows show and the balances of the accounts.
    std::string snapshot() const
    {
        QStringList out;
        for (FenTransListController* list : windows) {
            QStringList rows;
            for (const POS& line : list->listing()->posList)
                rows << QStringLiteral("%1:%2:%3:%4")
                            .arg(int(line.storageType))
                            .arg(line.storageIndex)
                            .arg(long(line.multiState))
                            .arg(line.cumul.values[0], 0, 'f', 2);
            out << rows.join(u' ') << QString::fromStdString(selectedPositions(list))
                << QString::number(list->table1()->numberOfRows());
            for (const QLabel* label : list->window()->findChildren<QLabel*>())
                out << label->text();
        }
        for (const TOOL& compte : doc.compteHdl) {
            out << QStringLiteral("%1 %2 %3")
                       .arg(compte.ident)
                       .arg(compte.solde.values[0])
                       .arg(compte.RsoldeSR.values[0]);
            for (const RELEVE& releve : compte.releves)
                out << QStringLiteral("  %1 %2").arg(releve.ident).arg(releve.solde.values[0]);
        }
        return out.join(u'\n').toStdString();
    }

    // The windows after the change, made one transaction at a time or in a batch, from the same
    // document and the same windows and selections.
    std::string after(const std::function<void()>& change, bool batched)
    {
        closeWindows();
        doc.transact_array = savedTransacts;
        doc.compteHdl = savedComptes;
        doc.banqueHdl = savedBanques;
        openWindows();
        if (batched) {
            const TransactBatch batch(&doc);
            change();
        } else {
            change();
        }
        return snapshot();
    }

    // The positions of the added transactions that the test changes.
    static std::vector<long> adjacent() { return {7, 8}; }
    static std::vector<long> chosen(long step)
    {
        std::vector<long> positions;
        for (long i = 7; i < 307; i += step)
            positions.push_back(i);
        return positions;
    }
    void replaceEach(const std::vector<long>& positions, const SaisieMultipleEntries& entries)
    {
        for (size_t i = 0; i < positions.size(); ++i) {
            const TRANSACT changed = multipleTransactWithEntries(doc.transact_array[positions[i]], entries, doc);
            replaceTransact(changed, positions[i], &doc, true, i + 1 == positions.size(), false);
        }
    }
    // As the list deletes: each position counts the earlier ones as gone.
    void deleteEach(const std::vector<long>& positions)
    {
        for (size_t i = 0; i < positions.size(); ++i)
            deleteTransact(positions[i] - long(i), &doc, true, i + 1 == positions.size());
    }

    // From the last: each position told is the transaction's own.
    void deleteFromLast(const std::vector<long>& positions)
    {
        for (auto position = positions.rbegin(); position != positions.rend(); ++position)
            deleteTransact(*position, &doc, true, position + 1 == positions.rend());
    }

    std::vector<FenTransListController*> windows;
    bool fixedListings = false; // lists whose rows follow the changes without a new search
    TransactList savedTransacts;
    ToolList savedComptes;
    ToolList savedBanques;
};

TEST_F(TransactBatchWindowsTest, ABatchLeavesTheWindowsAsTheChangesOneAtATime)
{
    SaisieMultipleEntries category;
    category.posteID = 8;
    SaisieMultipleEntries toSavings;
    toSavings.who2 = 9;
    SaisieMultipleEntries redated;
    redated.when = at(2, 6, 2024);
    struct Change {
        const char* name;
        std::function<void()> change;
        qsizetype broadcasts; // of the batch, follow-ups aside
        bool fixed = false; // lists that can't search again
    };
    const Change changes[] = {
        {"category", [&] { replaceEach(chosen(2), category); }, 1},
        {"savings", [&] { replaceEach(chosen(3), toSavings); }, 1},
        {"dates", [&] { replaceEach(chosen(5), redated); }, 1},
        {"delete", [&] { deleteEach(chosen(2)); }, 1},
        {"mixed",
         [&] {
             replaceEach(chosen(7), toSavings);
             deleteEach(chosen(11));
         },
         2},
        {"delete adjacent, fixed lists", [&] { deleteEach(adjacent()); }, 1, true},
        {"delete, fixed lists", [&] { deleteEach(chosen(3)); }, 1, true},
        {"delete from the last, fixed lists", [&] { deleteFromLast(chosen(4)); }, 1, true},
    };
    for (const Change& change : changes) {
        fixedListings = change.fixed;
        const std::string alone = after(change.change, false);
        BroadcastRecorder recorder;
        EXPECT_EQ(after(change.change, true), alone) << change.name;
        EXPECT_EQ(recorder.calls.size(), change.broadcasts)
            << change.name << ": " << recorder.calls.join(u'|').toStdString();
    }
}

// The multiple edit and the list's delete are such batches.
TEST_F(TransactBatchWindowsTest, TheMultipleEditAndTheDeleteTellTheListsOnce)
{
    openWindows();
    BroadcastRecorder recorder;
    SaisieMultipleEntries category;
    category.posteID = 8;
    EXPECT_EQ(applyMultipleTransact(chosen(100), category, doc), 0);
    EXPECT_EQ(recorder.calls.join(u'|').toStdString(), "didReplace 7,107,207 0");

    recorder.calls.clear();
    FenTransListController* list = windows.front();
    select(list, {rowOf(list, 7), rowOf(list, 8)});
    ui().answerAlert("kConfirm_SuppTrans", kAlertSecondButton);
    list->EFFACER(nullptr);
    EXPECT_EQ(recorder.calls.join(u'|').toStdString(), "didDelete 7,7");
}

} // namespace
} // namespace translist

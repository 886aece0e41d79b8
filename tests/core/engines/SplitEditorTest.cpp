// Split lines of the entry: the reference line gives its amount to each new or changed line,
// the total stays the sum of the lines, and remainders keep the currency's decimals.
#include "SaisieFixture.h"

#include "engines/SplitEditor.h"

#include <variant>

using namespace saisietest;

namespace {

struct On {
    long poste;
    double amount;
};
struct Add {
    long poste;
    double amount;
};
struct Modify {
    long row;
    long poste;
    double amount;
};
struct Delete {
    long row;
};
using Op = std::variant<On, Add, Modify, Delete>;
using R = SplitEditor::Result;

struct Line {
    long poste;
    double amount;
    bool operator==(const Line&) const = default;
};

struct Step {
    Op op;
    std::deque<bool> answers;
    R result;
    std::vector<Line> lines; // after the step, slot 0
    double total;
    bool reference;
};

struct SplitCase {
    const char* name;
    long decimales; // of slot 0
    std::vector<Step> steps;
};

const std::vector<SplitCase>& splitCases()
{
    static const std::vector<SplitCase> cases = {
        {"the reference line gives and takes back",
         2,
         {
             {On {1, 100}, {}, R::Done, {{1, 100}}, 100, true},
             {Add {2, 30}, {}, R::Done, {{1, 70}, {2, 30}}, 100, true},
             {Add {3, 12.5}, {}, R::Done, {{1, 57.5}, {2, 30}, {3, 12.5}}, 100, true},
             {Delete {1}, {}, R::Done, {{1, 87.5}, {3, 12.5}}, 100, true},
             {Modify {1, 4, 20}, {}, R::Done, {{1, 80}, {4, 20}}, 100, true},
         }},
        {"taking the whole reference asks to drop it",
         2,
         {
             {On {1, 100}, {}, R::Done, {{1, 100}}, 100, true},
             {Add {2, 100}, {false}, R::Cancelled, {{1, 100}}, 100, true},
             {Add {2, 100}, {true}, R::Done, {{2, 100}}, 100, false},
             {Add {3, 5}, {}, R::Done, {{2, 100}, {3, 5}}, 105, false},
         }},
        {"changing a line beyond what is available",
         2,
         {
             {On {1, 100}, {}, R::Done, {{1, 100}}, 100, true},
             {Add {2, 30}, {}, R::Done, {{1, 70}, {2, 30}}, 100, true},
             {Modify {1, 2, 100}, {false}, R::Cancelled, {{1, 70}, {2, 30}}, 100, true},
             // OK drops the reference; the line stays as it was, for the user to change again.
             {Modify {1, 2, 100}, {true}, R::ReferenceDropped, {{2, 30}}, 30, false},
             {Modify {0, 5, 100}, {}, R::Done, {{5, 100}}, 100, false},
         }},
        {"refusals change nothing",
         2,
         {
             {On {1, 100}, {}, R::Done, {{1, 100}}, 100, true},
             {Add {2, 0}, {}, R::Refused, {{1, 100}}, 100, true},
             {Modify {0, 2, 10}, {}, R::Refused, {{1, 100}}, 100, true},
             {Modify {5, 2, 10}, {}, R::Refused, {{1, 100}}, 100, true},
             {Delete {3}, {}, R::Refused, {{1, 100}}, 100, true},
         }},
        {"deleting the reference line asks",
         2,
         {
             {On {1, 100}, {}, R::Done, {{1, 100}}, 100, true},
             {Add {2, 40}, {}, R::Done, {{1, 60}, {2, 40}}, 100, true},
             {Delete {0}, {false}, R::Cancelled, {{1, 60}, {2, 40}}, 100, true},
             {Delete {0}, {true}, R::Done, {{2, 40}}, 40, false},
         }},
        {"remainders in cents",
         2,
         {
             {On {1, 100}, {}, R::Done, {{1, 100}}, 100, true},
             {Add {2, 33.33}, {}, R::Done, {{1, 66.67}, {2, 33.33}}, 100, true},
             {Add {3, 0.1}, {}, R::Done, {{1, 66.57}, {2, 33.33}, {3, 0.1}}, 100, true},
             {Add {4, 0.2}, {}, R::Done, {{1, 66.37}, {2, 33.33}, {3, 0.1}, {4, 0.2}}, 100, true},
         }},
        {"a line holds what is stored from the start",
         2,
         {
             {On {1, 10}, {}, R::Done, {{1, 10}}, 10, true},
             {Add {4, 3.335}, {}, R::Done, {{1, 6.67}, {4, 3.33}}, 10, true},
             {Add {8, 2.675}, {}, R::Done, {{1, 4}, {4, 3.33}, {8, 2.67}}, 10, true},
             {Delete {2}, {}, R::Done, {{1, 6.67}, {4, 3.33}}, 10, true},
             {Modify {1, 4, 2.675}, {}, R::Done, {{1, 7.33}, {4, 2.67}}, 10, true},
         }},
        {"remainders in thousandths",
         3,
         {
             {On {1, 10}, {}, R::Done, {{1, 10}}, 10, true},
             {Add {2, 3.333}, {}, R::Done, {{1, 6.667}, {2, 3.333}}, 10, true},
             {Add {3, 1.111}, {}, R::Done, {{1, 5.556}, {2, 3.333}, {3, 1.111}}, 10, true},
         }},
        {"remainders in whole units",
         0,
         {
             {On {1, 1000}, {}, R::Done, {{1, 1000}}, 1000, true},
             {Add {2, 333}, {}, R::Done, {{1, 667}, {2, 333}}, 1000, true},
         }},
    };
    return cases;
}

class SplitEditorTest : public SaisieDocument {
protected:
    R apply(SplitEditor& editor, const Op& op)
    {
        if (const auto* on = std::get_if<On>(&op)) {
            editor.transformGroupee(true, on->poste, euros(on->amount));
            return R::Done;
        }
        if (const auto* add = std::get_if<Add>(&op))
            return editor.ADD_DETAIL(add->poste, euros(add->amount));
        if (const auto* modify = std::get_if<Modify>(&op))
            return editor.MODIFIER_DETAIL(modify->row, modify->poste, euros(modify->amount));
        return editor.SUPPRIMER_DETAIL(std::get<Delete>(op).row);
    }
};

std::vector<Line> linesOf(const TRANSACT& rec)
{
    std::vector<Line> lines;
    for (const MULTI& m : rec.multis)
        lines.push_back({m.posteID, m.montant.values[0]});
    return lines;
}

} // namespace

TEST_F(SplitEditorTest, LinesAndTotalsStepByStep)
{
    for (const SplitCase& c : splitCases()) {
        SCOPED_TRACE(c.name);
        doc.deviseHdl[0].decimale = c.decimales;
        TRANSACT rec = expense(0);
        QueuedDialogs dialogs;
        SplitEditor editor(rec, doc.deviseHdl, dialogs);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            SCOPED_TRACE(i);
            dialogs.answers = step.answers;
            EXPECT_EQ(apply(editor, step.op), step.result);
            EXPECT_EQ(linesOf(rec), step.lines);
            EXPECT_EQ(rec.solde.values[0], step.total);
            EXPECT_EQ(editor.hasMontantReference(), step.reference);
            EXPECT_TRUE(dialogs.answers.empty());
        }
    }
}

TEST_F(SplitEditorTest, EverySlotKeepsItsOwnDecimals)
{
    doc.deviseHdl[1].decimale = 0;
    TRANSACT rec = expense(0);
    QueuedDialogs dialogs;
    SplitEditor editor(rec, doc.deviseHdl, dialogs);
    editor.transformGroupee(true, 1, euros(100));
    editor.ADD_DETAIL(2, euros(33.33));
    const MULTI* reference = rec.multiAtIndex(0);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->montant.values[0], 66.67);
    // 66.67 euros in the second slot's rate, to whole units.
    const double second = reference->montant.values[1];
    EXPECT_EQ(second, std::round(second));
}

TEST_F(SplitEditorTest, AStoredSplitTransactionAddsUpWithoutReference)
{
    TRANSACT rec = expense(0);
    rec.addMultiWithPosteID(1, euros(60), QString());
    rec.addMultiWithPosteID(2, euros(40), QString());
    QueuedDialogs dialogs;
    SplitEditor editor(rec, doc.deviseHdl, dialogs);
    EXPECT_FALSE(editor.hasMontantReference());
    EXPECT_TRUE(editor.canChangeDetail(0));
    EXPECT_EQ(editor.ADD_DETAIL(3, euros(25)), R::Done);
    EXPECT_EQ(rec.solde.values[0], 125);
    EXPECT_EQ(editor.SUPPRIMER_DETAIL(0), R::Done);
    EXPECT_EQ(rec.solde.values[0], 65);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SplitEditorTest, WhichRowsMayBeChanged)
{
    TRANSACT rec = expense(0);
    QueuedDialogs dialogs;
    SplitEditor editor(rec, doc.deviseHdl, dialogs);
    editor.transformGroupee(true, 1, euros(100));
    editor.ADD_DETAIL(2, euros(10));
    EXPECT_FALSE(editor.canChangeDetail(-1));
    EXPECT_FALSE(editor.canChangeDetail(0)) << "the reference line";
    EXPECT_TRUE(editor.canChangeDetail(1));
    EXPECT_FALSE(editor.canChangeDetail(2));
}

TEST_F(SplitEditorTest, TurningTheSplitOffAsksAndKeepsTheAmount)
{
    TRANSACT rec = expense(0);
    QueuedDialogs dialogs;
    SplitEditor editor(rec, doc.deviseHdl, dialogs);
    editor.transformGroupee(true, 1, euros(80));
    editor.ADD_DETAIL(2, euros(30));
    dialogs.answers = {false};
    EXPECT_FALSE(editor.askTransformOff());
    EXPECT_EQ(rec.nbMultis(), 2);
    dialogs.answers = {true};
    EXPECT_TRUE(editor.askTransformOff());
    EXPECT_EQ(rec.nbMultis(), 0);
    EXPECT_FALSE(editor.hasMontantReference());
    EXPECT_EQ(rec.solde.values[0], 80);
    EXPECT_EQ(dialogs.shown, QStringList({"ask kConfirm_DeleteDetail", "ask kConfirm_DeleteDetail"}));
}

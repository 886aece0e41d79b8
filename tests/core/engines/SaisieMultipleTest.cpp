// Which selections can be edited together, and which fields of each transaction a multiple edit
// changes and which it leaves.
#include "engines/SaisieMultiple.h"

#include "SaisieFixture.h"

#include "engines/SearchEngine.h"
#include "model/RELEVE.h"
#include "model/TAXE.h"
#include "model/TOOL.h"

using namespace saisietest;

namespace {

class SaisieMultipleTest : public SaisieDocument {
protected:
    SaisieMultipleTest()
    {
        TAXE tva;
        tva.ident = 2;
        tva.rate = 20;
        doc.taxeHdl = {tva};
        RELEVE locked;
        locked.ident = 1;
        locked.date = today() - 20 * 86400.0;
        TOOL* courant = getTool(kToolCompte, 7, &doc);
        courant->releves = {locked};
        courant->locked_releve_to_date = today() - 5 * 86400.0;
    }

    TRANSACT make(long who1, long who2, double value, const char* ref = "")
    {
        TRANSACT t = expense(value);
        t.when = at(14 - m_made++, 6, 2024);
        t.who1 = who1;
        t.who2 = who2;
        t.ref = QString::fromLatin1(ref);
        return t;
    }
    std::unique_ptr<LISTING> listing() const
    {
        const Critere all(&doc, false);
        auto made = searchWithCritere({.critere = &all, .doc = &doc, .sort = ListingSort::Saisie1});
        TRANSACT occurrence = expense(5);
        const long storage = listingAddEcheanceOccurrence(occurrence, made.get());
        ListingInsert row {.transact = &occurrence, .storageIndex = storage, .storageType = StorageKind::Echeancier};
        listingInsertPositionSorted(row, made.get(), &doc);
        return made;
    }
    long m_made = 0; // each transaction made is a day older
    // The fields a multiple edit may touch, as one line.
    static QString describe(const TRANSACT& t)
    {
        long day = 0;
        long month = 0;
        long year = 0;
        dateToDMY(&day, &month, &year, t.when);
        return QStringLiteral("%1d%2 %3 %4>%5 r%6/%7 p%8 '%9' '%10' t%11/%12%13%14")
            .arg(day)
            .arg(t.when == at(day, month, year) ? QString() : QStringLiteral("+"))
            .arg(t.solde.values[0])
            .arg(t.who1)
            .arg(t.who2)
            .arg(t.releveID1)
            .arg(t.releveID2)
            .arg(t.posteID)
            .arg(t.ref, t.why)
            .arg(t.taxeID)
            .arg(t.taxe.values[0])
            .arg(t.annulation ? QStringLiteral(" annulée") : QString())
            .arg(t.importDoublon ? QStringLiteral(" doublon") : QString());
    }
};

} // namespace

TEST_F(SaisieMultipleTest, SelectionsThatCanOrCannotBeEditedTogether)
{
    doc.transact_array = {make(7, 22, 50), make(7, 23, 30), make(9, 22, 20), make(7, 22, 40),
                          make(7, 22, 10), make(7, 30, 15), make(7, 22, 80), make(99, 22, 12)};
    doc.transact_array[3].releveID1 = 1;
    doc.transact_array[4].titreID = 1;
    doc.transact_array[6].multis = {MULTI(1, euros(40), {}), MULTI(4, euros(40), {})};
    const auto rows = listing();
    ASSERT_EQ(listingCount(rows.get()), 9);
    long occurrenceRow = -1;
    ASSERT_TRUE(listingFindPosition(0, StorageKind::Echeancier, rows.get(), &occurrenceRow));
    auto rowOf = [&](long position) {
        long row = -1;
        EXPECT_TRUE(listingFindPosition(position, StorageKind::Transact, rows.get(), &row));
        return int(row);
    };
    struct Case {
        std::set<long> positions; // -1: the occurrence
        const char* refusal;
        bool comptes, montant, releve;
    };
    const Case cases[] = {
        {{0, 1}, "", false, false, false},
        {{0, 2}, "", false, true, false}, // 9 is not the list's account
        {{0, 5}, "", true, false, false}, // a payee and a cash account on the credit side
        {{0, 3}, "", true, true, true},
        {{0, 6}, "kAlerte_multipleHasGroupee", false, false, false},
        {{0, 4}, "kAlerte_multipleHasPlacement", false, false, false},
        {{3, 6}, "kAlerte_multipleHasGroupee", true, true, true}, // refused even after a locked one
        {{0, 7}, "kAlerte_multipleHasToolError", false, false, false},
        {{0, -1}, "kAlerte_multipleHasEcheancier", false, false, false},
    };
    for (const Case& c : cases) {
        std::set<int> selected;
        for (const long position : c.positions)
            selected.insert(position < 0 ? int(occurrenceRow) : rowOf(position));
        const SaisieMultipleSelection s = checkMultipleTransact(*rows, selected, 7, doc);
        SCOPED_TRACE(s.refusal.toStdString());
        EXPECT_EQ(s.refusal, QString::fromLatin1(c.refusal));
        EXPECT_EQ(s.comptesLocked, c.comptes);
        EXPECT_EQ(s.montantLocked, c.montant);
        EXPECT_EQ(s.releveLocked, c.releve);
        EXPECT_EQ(s.positions.size(), s.refusal.isEmpty() ? c.positions.size() : 0U);
    }
}

TEST_F(SaisieMultipleTest, OnlyTheChosenFieldsChange)
{
    doc.transact_array = {make(7, 22, 50, "A"), make(7, 23, 30, "B"), make(7, 22, 120, "C")};
    doc.transact_array[0].when += 3600; // a time of day
    doc.transact_array[0].releveID2 = 3;
    doc.transact_array[1].importDoublon = true;
    doc.transact_array[2].taxeID = 2;
    doc.transact_array[2].taxe = euros(20);
    const std::vector<long> positions {0, 1, 2};
    const SaisieMultipleCommon common = commonMultipleValues(positions, 0, doc);
    EXPECT_FALSE(common.entries.when || common.entries.montant || common.entries.who2 || common.entries.ref);
    ASSERT_TRUE(common.entries.posteID && common.entries.who1 && common.entries.annulation);
    EXPECT_FALSE(common.doublonMark.has_value());

    const QString before = "14d+ 50 7>22 r-1/3 p1 'A' '' t-1/0 | 13d 30 7>23 r-1/-1 p1 'B' '' t-1/0 doublon | "
                           "12d 120 7>22 r-1/-1 p1 'C' '' t2/20";
    struct Case {
        const char* what;
        std::function<void(SaisieMultipleEntries&)> choose;
        QString after;
    };
    const Case cases[] = {
        {"nothing", [](SaisieMultipleEntries&) {}, before},
        {"the same day", [](SaisieMultipleEntries& e) { e.when = at(14, 6, 2024); },
         "14d+ 50 7>22 r-1/3 p1 'A' '' t-1/0 | 14d 30 7>23 r-1/-1 p1 'B' '' t-1/0 doublon | "
         "14d 120 7>22 r-1/-1 p1 'C' '' t2/20"},
        {"an amount", [this](SaisieMultipleEntries& e) { e.montant = euros(60); },
         "14d+ 60 7>22 r-1/3 p1 'A' '' t-1/0 | 13d 60 7>23 r-1/-1 p1 'B' '' t-1/0 doublon | "
         "12d 60 7>22 r-1/-1 p1 'C' '' t2/10"},
        {"a credit account", [](SaisieMultipleEntries& e) { e.who2 = 23; },
         "14d+ 50 7>23 r-1/-1 p1 'A' '' t-1/0 | 13d 30 7>23 r-1/-1 p1 'B' '' t-1/0 doublon | "
         "12d 120 7>23 r-1/-1 p1 'C' '' t2/20"},
        {"category, texts and tax",
         [](SaisieMultipleEntries& e) {
             e.posteID = 4;
             e.ref = QStringLiteral("X");
             e.why = QStringLiteral("Y");
             e.taxeID = 2;
         },
         "14d+ 50 7>22 r-1/3 p4 'X' 'Y' t2/8.33333 | 13d 30 7>23 r-1/-1 p4 'X' 'Y' t2/5 doublon | "
         "12d 120 7>22 r-1/-1 p4 'X' 'Y' t2/20"},
        {"cancelled, not a duplicate",
         [](SaisieMultipleEntries& e) {
             e.annulation = true;
             e.doublon = true;
         },
         "14d+ 0 7>22 r-1/3 p1 'A' '' t-1/0 annulée | 13d 0 7>23 r-1/-1 p1 'B' '' t-1/0 annulée | "
         "12d 0 7>22 r-1/-1 p1 'C' '' t-1/20 annulée"},
    };
    const TransactList original = doc.transact_array;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.transact_array = original;
        SaisieMultipleEntries entries = common.entries;
        c.choose(entries);
        EXPECT_EQ(applyMultipleTransact(positions, entries, doc), 0);
        QStringList after;
        for (const TRANSACT& t : doc.transact_array) {
            after << describe(t);
            EXPECT_TRUE(t.mark);
        }
        EXPECT_EQ(after.join(QStringLiteral(" | ")).toStdString(), c.after.toStdString());
    }
}

TEST_F(SaisieMultipleTest, EntriesThatCannotBeStoredAreTold)
{
    doc.transact_array = {make(7, 22, 50), make(9, 23, 30)};
    doc.transact_array[1].releveID1 = 5;
    const std::vector<long> positions {0, 1};
    struct Case {
        std::function<void(SaisieMultipleEntries&)> choose;
        const char* refusal;
        bool losesReleve;
    };
    const Case cases[] = {
        {[](SaisieMultipleEntries& e) { e.who2 = 7; }, "kAlerte_BadTransSameCompte", false},
        {[](SaisieMultipleEntries& e) { e.when = today() + 86400.0; }, "kAlerte_PointeeCannotFutur", false},
        {[](SaisieMultipleEntries& e) { e.when = today() - 86400.0; }, "", false},
        {[](SaisieMultipleEntries& e) { e.who1 = 7; }, "", true},
        {[](SaisieMultipleEntries& e) { e.who2 = 22; }, "", false},
    };
    for (const Case& c : cases) {
        SaisieMultipleEntries entries;
        c.choose(entries);
        EXPECT_EQ(refuseMultipleEntries(positions, entries, today(), doc), QString::fromLatin1(c.refusal));
        EXPECT_EQ(multipleLosesReleve(positions, entries, doc), c.losesReleve) << c.refusal;
    }
}

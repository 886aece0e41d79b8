// Which selections can be edited together, what a value given does to each transaction, and what
// can't be stored.
#include "engines/SaisieMultiple.h"

#include "SaisieFixture.h"

#include "engines/SearchEngine.h"
#include "model/MOYEN.h"
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

    TRANSACT make(long who1, long who2, double value)
    {
        TRANSACT t = expense(value);
        t.when = at(14 - m_made++, 6, 2024);
        t.who1 = who1;
        t.who2 = who2;
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
};

} // namespace

TEST_F(SaisieMultipleTest, SelectionsThatCanOrCannotBeEditedTogether)
{
    doc.transact_array = {make(7, 22, 50), make(7, 23, 30), make(9, 22, 20),  make(7, 22, 40), make(7, 22, 10),
                          make(7, 30, 15), make(7, 22, 80), make(99, 22, 12), make(9, 7, 25)};
    doc.transact_array[3].releveID1 = 1;
    doc.transact_array[4].titreID = 1;
    doc.transact_array[6].multis = {MULTI(1, euros(40), {}), MULTI(4, euros(40), {})};
    // Occurrences first, then the transactions in document order: row = position + 1.
    const auto rows = listing();
    ASSERT_EQ(listingCount(rows.get()), 10);
    ASSERT_EQ(listingStorageIndexAtIndex(rows.get(), 8), 7);
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
        {{2, 8}, "", true, true, false}, // neither debits 7; only one credits it
    };
    for (const Case& c : cases) {
        std::set<int> selected;
        for (const long position : c.positions)
            selected.insert(int(position + 1));
        const SaisieMultipleSelection s = checkMultipleTransact(*rows, selected, 7, doc);
        SCOPED_TRACE(s.refusal.toStdString());
        EXPECT_EQ(s.refusal, QString::fromLatin1(c.refusal));
        EXPECT_EQ(s.comptesLocked, c.comptes);
        EXPECT_EQ(s.montantLocked, c.montant);
        EXPECT_EQ(s.releveLocked, c.releve);
        EXPECT_EQ(s.positions.size(), s.refusal.isEmpty() ? c.positions.size() : 0U);
    }
}

// What the window gives every transaction is in its own tests; here, what keeps each consistent.
TEST_F(SaisieMultipleTest, AValueGivenKeepsTheTransactionConsistent)
{
    TRANSACT t = make(7, 22, 50);
    t.when += 3600;
    t.releveID1 = 4;
    t.releveID2 = 3;
    t.solde.values[1] = 99; // entered at another rate
    auto with = [&](const SaisieMultipleEntries& e) { return multipleTransactWithEntries(t, e, doc); };
    EXPECT_EQ(with({.when = at(14, 6, 2024)}).when, t.when); // the same day keeps the time
    EXPECT_EQ(with({.montant = euros(50)}).solde.values[1], 99); // the same amount keeps its rate
    EXPECT_EQ(with({.montant = euros(60)}).solde, euros(60));
    EXPECT_EQ(with({.who2 = 23}).releveID2, -1); // a tick goes with its account
    EXPECT_EQ(with({.who2 = 23}).releveID1, 4);
    EXPECT_EQ(with({.who1 = 22, .who2 = 7}).releveID1, 3);
    EXPECT_NEAR(with({.taxeID = 2}).taxe.values[0], 8.33, 0.005);
    t.taxeID = 2;
    EXPECT_NEAR(with({.montant = euros(120)}).taxe.values[0], 20, 0.005);
    const TRANSACT cancelled = with({.annulation = true, .taxeID = 2});
    EXPECT_TRUE(cancelled.annulation && cancelled.solde.nullMontant() && cancelled.taxeID < 0);
}

TEST_F(SaisieMultipleTest, EntriesThatCannotBeStoredAreTold)
{
    doc.transact_array = {make(7, 22, 50), make(9, 23, 30)};
    doc.transact_array[1].releveID1 = 5;
    const std::tuple<SaisieMultipleEntries, const char*, bool> cases[] = {
        {{.who2 = 7}, "kAlerte_BadTransSameCompte", false},
        {{.when = today() + 86400.0}, "kAlerte_PointeeCannotFutur", false},
        {{.when = today() - 86400.0}, "", false},
        {{.when = today()}, "", false}, // now itself is not the future
        {{.who1 = 7}, "", true}, // the tick of 9 goes
        {{.who2 = 22}, "", false},
    };
    for (const auto& [entries, refusal, losesReleve] : cases) {
        EXPECT_EQ(refuseMultipleEntries({0, 1}, entries, today(), doc), QString::fromLatin1(refusal));
        EXPECT_EQ(multipleLosesReleve({0, 1}, entries, doc), losesReleve) << refusal;
    }
}

// Cheques and cards moved to another debit account must find their book or card there, as a
// single entry must; the transactions that don't are named, the others pass.
TEST_F(SaisieMultipleTest, ChequesAndCardsKeepABookOrCardOfTheirNewAccount)
{
    auto meansOf = [](int family, long compte, long variante) {
        MOYEN moyen = MOYEN::allocNewMoyen(family, compte);
        VARIANTE v;
        v.ident = variante;
        moyen.variantes = {v};
        return moyen;
    };
    doc.moyenHdl
        = {meansOf(kFamilyChequeDebit, 7, 2), meansOf(kFamilyCarteDebit, 7, 3), meansOf(kFamilyChequeDebit, 9, 5)};
    doc.transact_array = {make(7, 22, 50), make(7, 22, 30), make(7, 23, 20), make(9, 22, 10)};
    const std::pair<int, long> means[]
        = {{kFamilyChequeDebit, 2}, {kFamilyCarteDebit, 3}, {7, -1}, {kFamilyChequeDebit, 5}};
    for (std::size_t i = 0; i < std::size(means); ++i)
        std::tie(doc.transact_array[i].moyen, doc.transact_array[i].variante) = means[i];
    const std::vector<long> all {0, 1, 2, 3};
    EXPECT_EQ(multipleRefusedMoyens(all, {.who1 = 9}, doc), (std::vector<long> {0, 1}));
    EXPECT_EQ(multipleRefusedMoyens(all, {.who1 = 7}, doc), (std::vector<long> {3}));
    EXPECT_EQ(multipleRefusedMoyens(all, {.who1 = 22, .who2 = 9}, doc), (std::vector<long> {0, 1, 3}));
    EXPECT_TRUE(multipleRefusedMoyens(all, {.who2 = 23}, doc).empty());
    EXPECT_TRUE(multipleRefusedMoyens(all, {.when = today()}, doc).empty());
    // Account 9 gets a book of the same ident: the cheque finds it, the card still has none.
    doc.moyenHdl[2].variantes.append(doc.moyenHdl[0].variantes[0]);
    EXPECT_EQ(multipleRefusedMoyens(all, {.who1 = 9}, doc), (std::vector<long> {1}));
}

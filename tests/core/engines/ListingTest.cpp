#include "engines/LISTING.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

constexpr double kDay = 86400.0;
constexpr double kBase = 800000000.0;

POSTE makePoste(long ident, const QString& nom, long dossierID = 1)
{
    return POSTE {.ident = ident, .dossierID = dossierID, .nom = nom};
}

TRANSACT transact(double day, double amount, long from = 7, long to = 22)
{
    TRANSACT t;
    t.when = kBase + day * kDay;
    t.who1 = from;
    t.who2 = to;
    t.solde = testenv::amount(amount);
    return t;
}

// A row to list: its transaction, where it is kept and its storage index there.
struct CaseRow {
    QString label;
    TRANSACT t;
    StorageKind type = StorageKind::Transact;
    long index = 0;
};

class ListingTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    QList<CaseRow> rows;
    ListingSort defaultSort = ListingSort::Date2; // the application's default sort the listings are given

    void SetUp() override
    {
        // User account 7 and payee 22.
        testenv::addBanks(doc, {7}, {22});
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    void addRow(const QString& label, const TRANSACT& t, StorageKind type = StorageKind::Transact)
    {
        const long index = std::count_if(rows.cbegin(), rows.cend(), [type](auto& r) { return r.type == type; });
        rows.append({label, t, type, index});
        if (type == StorageKind::Transact)
            doc.transact_array.append(t);
    }
    // Inserts the rows from `from` on, in order, as a search does.
    void fill(LISTING& listing, long posteID = -1, long dossierID = -1, long from = 0)
    {
        for (const CaseRow& row : rows.mid(from)) {
            const TRANSACT* t = row.type == StorageKind::Transact ? &doc.transact_array[row.index] : nullptr;
            if (row.type == StorageKind::Echeancier)
                t = listingEcheanceOccurrenceAtIndex(&listing, listingAddEcheanceOccurrence(row.t, &listing));
            else if (row.type == StorageKind::Prevision)
                t = listingPrevisionOccurrenceAtIndex(&listing, listingAddPrevisionOccurrence(row.t, &listing));
            listingInsertPositionSorted({.transact = t,
                                         .storageIndex = row.index,
                                         .storageType = row.type,
                                         .posteID = posteID,
                                         .dossierID = dossierID,
                                         .date1 = t->when,
                                         .date2 = t->when},
                                        &listing, &doc);
        }
    }
    // The listing built one row at a time, in bulk, and re-sorted from insertion order. The kind
    // is given as stored, which may be a value no kind has.
    std::array<LISTING, 3> buildEveryWay(int storedSort)
    {
        const auto sort = static_cast<ListingSort>(storedSort);
        std::array<LISTING, 3> out {LISTING(sort), LISTING(sort), LISTING(ListingSort::NoSort)};
        for (LISTING& listing : out)
            listing.defaultSort = defaultSort;
        fill(out[0]);
        listingBeginBulkInsert(&out[1]);
        fill(out[1]);
        listingEndBulkInsert(&out[1], &doc);
        fill(out[2]);
        listingResort(&out[2], sort, -1, -1, &doc);
        return out;
    }
    static std::string order(const LISTING& listing)
    {
        QStringList out;
        for (const POS& pos : listing.posList)
            out << QStringLiteral("%1:%2:%3")
                       .arg(static_cast<int>(pos.storageType))
                       .arg(pos.storageIndex)
                       .arg(pos.multiIndex);
        return out.join(u' ').toStdString();
    }
    std::string labels(const LISTING& listing) const
    {
        QStringList out;
        for (const POS& pos : listing.posList) {
            for (const CaseRow& row : rows) {
                if (row.type == pos.storageType && row.index == pos.storageIndex)
                    out << row.label;
            }
        }
        return out.join(u' ').toStdString();
    }

    // A case file: lines "sort N", "default N" (the application's default sort), "poste ID NAME",
    // "row LABEL key=value..." and "expect LABEL..."; '#' begins a comment.
    std::string readCase(const QString& path, int* sort)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << path.toStdString();
        QStringList expected;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
            if (words.size() < 2 || words[0].startsWith(u'#'))
                continue;
            if (words[0] == u"sort")
                *sort = words[1].toInt();
            else if (words[0] == u"default")
                defaultSort = static_cast<ListingSort>(words[1].toInt());
            else if (words[0] == u"poste")
                doc.posteHdl.append(makePoste(words[1].toLong(), words.mid(2).join(u' ')));
            else if (words[0] == u"row")
                readRow(words);
            else if (words[0] == u"expect")
                expected = words.mid(1);
        }
        return expected.join(u' ').toStdString();
    }
    // Fields: day=D and sec=S after the base date, amount=A, ref=R, moyen=M, poste=NAME (a name
    // no category has: a category that is gone), split=N lines and type=T (storage type).
    void readRow(const QStringList& words)
    {
        TRANSACT t = transact(0, 1);
        StorageKind type = StorageKind::Transact;
        for (const QString& field : words.mid(2)) {
            const QString key = field.section(u'=', 0, 0);
            const QString value = field.section(u'=', 1);
            t.when += key == u"day" ? value.toDouble() * kDay : (key == u"sec" ? value.toDouble() : 0.0);
            if (key == u"amount")
                t.solde = testenv::amount(value.toDouble());
            t.ref = key == u"ref" ? value : t.ref;
            t.moyen = key == u"moyen" ? value.toInt() : t.moyen;
            type = key == u"type" ? static_cast<StorageKind>(value.toInt()) : type;
            for (int i = 0; key == u"split" && i < value.toInt(); ++i)
                t.addMultiWithPosteID(2, testenv::amount(1), QString());
            if (key == u"poste") {
                const auto found = std::find_if(doc.posteHdl.cbegin(), doc.posteHdl.cend(),
                                                [&](const POSTE& p) { return p.nom == value; });
                t.posteID = found == doc.posteHdl.cend() ? 999 : found->ident;
            }
        }
        addRow(words[1], t, type);
    }
};

} // namespace

TEST_F(ListingTest, GoldenOrdersOfEverySortKind)
{
    const QDir dir(QStringLiteral(SORV_TEST_DATA_DIR "/listing"));
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 12);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        rows.clear();
        doc.transact_array.clear();
        doc.posteHdl.clear();
        defaultSort = ListingSort::Date2;
        int sort = 0;
        const std::string expected = readCase(dir.filePath(name), &sort);

        for (const LISTING& listing : buildEveryWay(sort))
            EXPECT_EQ(labels(listing), expected);
    }
}

TEST_F(ListingTest, BulkInsertionAndResortMatchInsertingOneByOne)
{
    QRandomGenerator rng(7);
    const QStringList refs {QString(), QString(), QStringLiteral("A1"), QStringLiteral("a1"), QStringLiteral("b")};
    doc.posteHdl = {makePoste(2, QStringLiteral("Courses")), makePoste(3, QStringLiteral("auto")),
                    makePoste(4, QStringLiteral("Loisirs"))};
    for (int i = 0; i < 400; ++i) {
        // Few distinct days, seconds and amounts, so that every kind meets many ties.
        TRANSACT t = transact(rng.bounded(12), rng.bounded(6) * 0.5);
        t.when += rng.bounded(3) + rng.bounded(10) / 10.0;
        t.ref = refs[rng.bounded(refs.size())];
        t.moyen = rng.bounded(3);
        t.posteID = 2 + rng.bounded(4); // 5 is unknown
        if (rng.bounded(8) == 0)
            t.addMultiWithPosteID(3, testenv::amount(1), QString());
        const quint32 type = rng.bounded(10);
        addRow(QString::number(i), t,
               type < 7 ? StorageKind::Transact : (type < 9 ? StorageKind::Echeancier : StorageKind::Prevision));
    }
    defaultSort = ListingSort::Poste;
    for (int sort = 0; sort <= 11; ++sort) { // 11 is no kind: it orders by date
        SCOPED_TRACE(sort);
        const std::array<LISTING, 3> built = buildEveryWay(sort);
        EXPECT_EQ(order(built[1]), order(built[0]));
        EXPECT_EQ(order(built[2]), order(built[0]));
    }
}

namespace {

// Three transactions of account 7: a payment of 30 in category 2, a split payment of 100
// (60 in category 2, 30 in 3, 10 in 4, which lies in another folder) and a receipt of 50.
class SplitListingTest : public ListingTest {
protected:
    void SetUp() override
    {
        ListingTest::SetUp();
        doc.posteHdl = {makePoste(2, QStringLiteral("Courses")), makePoste(3, QStringLiteral("Loisirs")),
                        makePoste(4, QStringLiteral("Voiture"), 6)};
        TRANSACT plain = transact(1, 30);
        plain.posteID = 2;
        TRANSACT split = transact(2, 100);
        for (auto [poste, amount] : {std::pair {2, 60}, {3, 30}, {4, 10}})
            split.addMultiWithPosteID(poste, testenv::amount(amount), QString());
        addRow(QStringLiteral("plain"), plain);
        addRow(QStringLiteral("split"), split);
        addRow(QStringLiteral("receipt"), transact(3, 50, 22, 7));
    }
    // The listing of a search under category 2: the split row shows its matching line, 60.
    void fillFiltered(LISTING& listing)
    {
        const MONTANT sixty = testenv::amount(60);
        for (long i = 0; i < 3; ++i) {
            const TRANSACT& t = doc.transact_array[i];
            listingInsertPositionSorted({.transact = &t,
                                         .storageIndex = i,
                                         .posteID = 2,
                                         .amount = i == 1 ? &sixty : nullptr,
                                         .date1 = t.when,
                                         .date2 = t.when},
                                        &listing, &doc);
        }
    }
    static std::vector<double> cumuls(const LISTING& listing)
    {
        std::vector<double> out;
        for (const POS& pos : listing.posList)
            out.push_back(pos.cumul.values[0]);
        return out;
    }
    static std::vector<MultiState> states(const LISTING& listing)
    {
        std::vector<MultiState> out;
        for (const POS& pos : listing.posList)
            out.push_back(pos.multiState);
        return out;
    }
    double net(const LISTING& listing, long compteID)
    {
        MONTANT amount;
        listingSoldeForCompte(&listing, compteID, amount, &doc);
        return amount.values[0];
    }
};

} // namespace

TEST_F(SplitListingTest, ExpandShowsLinesInReverseAndCollapseRemovesExactlyThem)
{
    using enum MultiState;
    LISTING listing(ListingSort::Date1);
    fill(listing);
    ASSERT_EQ(states(listing), (std::vector {None, Collapsed, None}));
    listingExpandMultiAtIndex(&listing, 1, &doc, -1, -1);
    EXPECT_EQ(order(listing), "0:0:-1 0:1:-1 0:1:2 0:1:1 0:1:0 0:2:-1");
    EXPECT_EQ(states(listing), (std::vector {None, Head, Line, Line, Line, None}));

    // The head counts no more: its lines do, each with its own amount.
    const ListingLine head = listingLineMontant(&listing, 1, &doc.transact_array[1]);
    EXPECT_FALSE(head.counts);
    EXPECT_TRUE(head.isTransactionRow && head.isExpandedHead);
    const ListingLine line = listingLineMontant(&listing, 3, &doc.transact_array[1]);
    EXPECT_TRUE(line.counts);
    EXPECT_FALSE(line.isTransactionRow);
    EXPECT_EQ(line.multiIndex, 1);
    EXPECT_DOUBLE_EQ(line.amount.values[0], 30);
    EXPECT_FALSE(listingLineMontant(&listing, 6, nullptr).counts) << "a row that isn't there";

    // Expanding again, a plain row or a row that isn't there, or collapsing a line, changes nothing.
    listingExpandMultiAtIndex(&listing, 1, &doc, -1, -1);
    listingExpandMultiAtIndex(&listing, 0, &doc, -1, -1);
    listingExpandMultiAtIndex(&listing, 6, &doc, -1, -1);
    listingCollapseMultiAtIndex(&listing, 2, -1, -1);
    EXPECT_EQ(listing.posList.size(), 6);

    // A row tied with an expanded transaction goes before its head, in bulk as one by one.
    addRow(QStringLiteral("tied"), transact(2, 5));
    LISTING bulk = listing.copyOfListing();
    fill(listing, -1, -1, 3);
    listingBeginBulkInsert(&bulk);
    fill(bulk, -1, -1, 3);
    listingEndBulkInsert(&bulk, &doc);
    EXPECT_EQ(order(listing), "0:0:-1 0:3:-1 0:1:-1 0:1:2 0:1:1 0:1:0 0:2:-1");
    EXPECT_EQ(order(bulk), order(listing));

    listingCollapseMultiAtIndex(&listing, 2, -1, -1);
    EXPECT_EQ(states(listing), (std::vector {None, None, Collapsed, None}));
    listingExpandAllMultis(&listing, 2, -1, &doc);
    listingRemoveTransactLines(4, &listing);
    EXPECT_EQ(labels(listing), "plain tied receipt");
}

TEST_F(SplitListingTest, LinesOutsideTheFilterNeitherCountNorMoveTheBalance)
{
    using enum MultiState;
    LISTING listing(ListingSort::Date1);
    fillFiltered(listing);
    EXPECT_EQ(states(listing), (std::vector {None, CollapsedFiltered, None}));
    listingComputeCumuls(&listing, 7, testenv::amount(1000), &doc);
    EXPECT_EQ(cumuls(listing), (std::vector<double> {970, 910, 960}));

    listingExpandMultiAtIndex(&listing, 1, &doc, 2, -1);
    EXPECT_EQ(states(listing), (std::vector {None, Head, LineOut, LineOut, Line, None}));
    listingComputeCumuls(&listing, 7, testenv::amount(1000), &doc);
    EXPECT_EQ(cumuls(listing), (std::vector<double> {970, 970, 970, 970, 910, 960}));

    // By folder: the line of category 4 lies in folder 6; a line of a category that is gone counts.
    LISTING byFolder(ListingSort::Date1);
    doc.transact_array[1].multis[1].posteID = 99;
    fill(byFolder);
    listingExpandMultiAtIndex(&byFolder, 1, &doc, -1, 1);
    EXPECT_EQ(states(byFolder), (std::vector {None, Head, LineOut, Line, Line, None}));
}

TEST_F(SplitListingTest, BalancesRunFromTheOldestRowAndTheNetIgnoresExpansion)
{
    LISTING listing(ListingSort::Date2);
    fill(listing);
    EXPECT_EQ(labels(listing), "receipt split plain");
    listingComputeCumuls(&listing, 7, testenv::amount(1000), &doc);
    EXPECT_EQ(cumuls(listing), (std::vector<double> {920, 870, 970}));
    // Kind 0 under a default sort of 2 walks the same way; the user's accounts (-1) too.
    LISTING byDefault(ListingSort::Defaut);
    fill(byDefault);
    listingComputeCumuls(&byDefault, -1, MONTANT(), &doc);
    EXPECT_EQ(cumuls(byDefault), (std::vector<double> {-80, -130, -30}));

    EXPECT_DOUBLE_EQ(net(listing, 7), -80);
    listingExpandAllMultis(&listing, -1, -1, &doc);
    EXPECT_DOUBLE_EQ(net(listing, 7), -80);
    EXPECT_DOUBLE_EQ(net(listing, 22), 80);
    LISTING filtered(ListingSort::Date1);
    fillFiltered(filtered);
    EXPECT_DOUBLE_EQ(net(filtered, 7), -40);
}

TEST_F(SplitListingTest, ResortKeepsEachRowsOwnAmountAndState)
{
    LISTING listing(ListingSort::Date1);
    fillFiltered(listing);
    listingExpandAllMultis(&listing, 2, -1, &doc);
    listingSetMarkAtIndex(&listing, 0, true);
    listingResort(&listing, ListingSort::Date2, 2, -1, &doc);
    EXPECT_EQ(labels(listing), "receipt split plain");
    EXPECT_EQ(states(listing), (std::vector {MultiState::None, MultiState::CollapsedFiltered, MultiState::None}));
    EXPECT_DOUBLE_EQ(listing.posList[1].submontant.values[0], 60);
    EXPECT_FALSE(listingMarkAtIndex(&listing, 2));
    listingComputeCumuls(&listing, 7, testenv::amount(1000), &doc);
    EXPECT_EQ(cumuls(listing), (std::vector<double> {960, 910, 970}));
}

TEST_F(ListingTest, RowsOfDeletedTransactionsGoAndLaterOnesMoveDown)
{
    for (int i = 0; i < 4; ++i)
        addRow(QString::number(i), transact(i, 10));
    addRow(QStringLiteral("schedule"), transact(5, 10), StorageKind::Echeancier);
    addRow(QStringLiteral("forecast"), transact(6, 10), StorageKind::Prevision);
    LISTING listing(ListingSort::Saisie2);
    fill(listing);
    long index = -1;
    ASSERT_TRUE(listingFindPosition(1, StorageKind::Transact, &listing, &index));
    listingRemoveTransactLines(index, &listing);
    doc.transact_array.removeAt(1);
    listingShiftAfterDelete(1, &listing);
    EXPECT_EQ(order(listing), "0:0:-1 0:1:-1 0:2:-1 1:0:-1 2:0:-1");
    EXPECT_DOUBLE_EQ(listingTransactAtIndex(&listing, 2, &doc)->when, kBase + 3 * kDay);
    EXPECT_EQ(listingTransactAtIndex(&listing, 3, &doc), &listing.storageEcheances[0]);
    EXPECT_FALSE(listingFindPosition(3, StorageKind::Transact, &listing, &index));
    EXPECT_EQ(listingPosAtIndex(&listing, -1), nullptr);
    EXPECT_EQ(listingPosAtIndex(&listing, 5), nullptr);
}

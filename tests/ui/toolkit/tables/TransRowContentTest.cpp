#include "toolkit/tables/TransRowContent.h"
#include "toolkit/tables/CellTransact.h"

#include "engines/LISTING.h"
#include "model/DOCUMENT.h"
#include "model/Prevision.h"
#include "support/TestFiles.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdButton.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// User account 7 "Compte courant" in bank 10, payee 22 "Boulangerie" in bank 11; categories 1
// "Alimentation" and 4 "Loisirs"; forecast 50 planned at 100; security 1, savings 2.
struct Household {
    DOCUMENT doc {QString(), kFileSystemLocal};
    Household()
    {
        doc.deviseHdl = Devise::defaultDevises();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, kBanqueUser), testenv::tool(kToolBanque, 11, kBanqueTiers)};
        doc.compteHdl = {testenv::tool(kToolCompte, 7, QStringLiteral("Compte courant"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 22, QStringLiteral("Boulangerie"), kBanqueTiers, 11),
                         testenv::tool(kToolCompte, 8, QStringLiteral("Livret"), kBanqueUser, 10)};
        // Statement 3 of both user accounts is locked.
        RELEVE locked;
        locked.ident = 3;
        locked.date = 100;
        for (TOOL* compte : {&doc.compteHdl[0], &doc.compteHdl[2]}) {
            compte->releves = {locked};
            compte->locked_releve_to_date = 200;
        }
        doc.posteHdl = {POSTE {.ident = 1, .dossierID = 2, .nom = QStringLiteral("Alimentation")},
                        POSTE {.ident = 4, .dossierID = 2, .nom = QStringLiteral("Loisirs")}};
        Prevision courses;
        courses.ident = 50;
        courses.transact.solde = testenv::amount(100);
        doc.previsionsArray = {courses};
        doc.titreHdl = {FINANCE()};
        doc.titreHdl[0].ident = 1;
        doc.remunereHdl = {FINANCE()};
        doc.remunereHdl[0].ident = 2;
    }
};

TRANSACT paid(double amount, const QString& ref = QStringLiteral("Pain"))
{
    TRANSACT t;
    t.who1 = 7;
    t.who2 = 22;
    t.posteID = 1;
    t.solde = testenv::amount(amount);
    t.ref = ref;
    return t;
}

TRANSACT split(double amount, std::initializer_list<std::pair<long, double>> lines)
{
    TRANSACT t = paid(amount);
    for (const auto& [poste, part] : lines)
        t.addMultiWithPosteID(poste, testenv::amount(part), QString());
    return t;
}

struct Row {
    TRANSACT t;
    MultiState state = MultiState::None;
    double submontant = 0;
    long multiIndex = -1;
    StorageKind storage = StorageKind::Transact;
};

// The one row of a listing of one transaction (or occurrence), its balance 500.
RowContent paint(Household& h, const Row& row, TransExtraKind extra = TransExtraKind::Cumul)
{
    LISTING listing;
    POS pos;
    pos.storageType = row.storage;
    pos.multiState = row.state;
    pos.multiIndex = row.multiIndex;
    pos.submontant = testenv::amount(row.submontant);
    pos.cumul = testenv::amount(500);
    if (row.storage == StorageKind::Prevision) {
        pos.storageIndex = listingAddPrevisionOccurrence(row.t, &listing);
    } else {
        h.doc.transact_array = {row.t};
        pos.storageIndex = 0;
    }
    listing.posList = {pos};
    const RowRequest request {.listing = &listing, .tID = 7, .devHdl = &h.doc.deviseHdl, .extra = extra};
    RowRequest first = request;
    first.row = 0;
    const std::optional<RowContent> content = computeRow(first, h.doc);
    EXPECT_TRUE(content.has_value());
    return content.value_or(RowContent {});
}

// A text as shown: "" hidden, else the text with "/i" when italic and "/r" when right-aligned.
std::string shown(const RowContent& c, RowText field)
{
    const RowTextContent& text = c.text(field);
    if (!text.visible)
        return "hidden";
    return (text.text + (text.italic ? "/i" : "") + (text.alignRight ? "/r" : "")).toStdString();
}

std::string picture(const RowContent& c, RowImage image)
{
    return c.image(image).visible ? c.image(image).picture.name.toStdString() : "hidden";
}

struct RowCase {
    const char* name;
    std::function<Row()> row;
    std::vector<std::pair<RowText, std::string>> texts;
    std::vector<std::pair<RowImage, std::string>> images;
};

const std::vector<RowCase>& rowCases()
{
    using T = RowText;
    using I = RowImage;
    static const std::vector<RowCase> cases {
        {"forecast 40 of 100: remainder plain, planned italic under it, on the account's side",
         [] {
             TRANSACT t = paid(40);
             t.previsionID = 50;
             return Row {t, MultiState::None, 40, -1, StorageKind::Prevision};
         },
         {{T::field_debit, "40,00/r"}, {T::field_debit_second, "100,00/i/r"}, {T::field_credit, "/r"}},
         {}},
        {"paid by the payee: the credit column",
         [] {
             TRANSACT t = paid(12.5);
             std::swap(t.who1, t.who2);
             return Row {t};
         },
         {{T::field_debit, "/r"}, {T::field_credit, "12,50/r"}, {T::field_compte, "Boulangerie"}},
         {}},
        {"collapsed split filtered on a category holding 30 of 100",
         [] {
             return Row {split(100, {{1, 30}, {4, 70}}), MultiState::CollapsedFiltered, 30};
         },
         {{T::field_debit, "30,00/r"}, {T::field_debit_second, "100,00/i/r"}, {T::field_poste, "..."}},
         {{I::image_poste_multi, "hidden"}}},
        {"collapsed split without a filter shows its amount once",
         [] {
             return Row {split(100, {{1, 30}, {4, 70}}), MultiState::Collapsed, 100};
         },
         {{T::field_debit, "100,00/r"}, {T::field_debit_second, "hidden"}, {T::field_cumul, "500,00/r"}},
         {}},
        {"expanded head: italic amount, no balance",
         [] {
             return Row {split(100, {{1, 30}, {4, 70}}), MultiState::Head, 100};
         },
         {{T::field_debit, "100,00/i/r"}, {T::field_cumul, "-/r"}, {T::field_date, "01/01/2001"}},
         {}},
        {"matching split line: plain, no date, reference or account",
         [] {
             return Row {split(100, {{1, 30}, {4, 70}}), MultiState::Line, 30, 0};
         },
         {{T::field_debit, "30,00/r"},
          {T::field_date, "hidden"},
          {T::field_reference, "hidden"},
          {T::field_compte, "hidden"},
          {T::field_poste, "Alimentation/r"},
          {T::field_cumul, "500,00/r"}},
         {{I::image_poste_multi, "poste"}, {I::image_moyen, "hidden"}}},
        {"split line outside the filter: italic, no balance",
         [] {
             return Row {split(100, {{1, 30}, {4, 70}}), MultiState::LineOut, 70, 1};
         },
         {{T::field_debit, "70,00/i/r"}, {T::field_poste, "Loisirs/r"}, {T::field_cumul, "-/r"}},
         {}},
        {"tax alone takes the investment slot",
         [] {
             TRANSACT t = paid(10);
             t.taxeID = 2;
             return Row {t};
         },
         {},
         {{I::image_placement, "taxe"}, {I::image_taxe, "hidden"}}},
        {"tax and investment: two icons",
         [] {
             TRANSACT t = paid(10);
             t.taxeID = 2;
             t.titreID = 1;
             return Row {t};
         },
         {},
         {{I::image_placement, "placement"}, {I::image_taxe, "taxe"}}},
        {"imported, untouched",
         [] {
             TRANSACT t = paid(10);
             t.importID = 3;
             return Row {t};
         },
         {},
         {{I::image_touched, "import_not_touched"}}},
        {"imported, touched",
         [] {
             TRANSACT t = paid(10);
             t.importID = 3;
             t.importTouched = true;
             return Row {t};
         },
         {},
         {{I::image_touched, "import_touched"}}},
        {"from the phone",
         [] {
             TRANSACT t = paid(10);
             t.synchroID = 9;
             return Row {t};
         },
         {},
         {{I::image_touched, "import_synchro"}, {I::image_chrono, "hidden"}}},
        {"transfer ticked in locked statements on both sides",
         [] {
             TRANSACT t = paid(10);
             t.who2 = 8;
             t.releveID1 = 3;
             t.releveID2 = 3;
             return Row {t};
         },
         {{T::field_compte, "Livret"}},
         {{I::image_pointeD, "pointe"},
          {I::image_pointeC, "pointe"},
          {I::image_verrouD, "cadenas"},
          {I::image_verrouC, "cadenas"}}},
        {"cheque of a book the account has no record of",
         [] {
             TRANSACT t = paid(10);
             t.moyen = 9;
             t.variante = 2;
             return Row {t};
         },
         {},
         {{I::image_verrouD, "hidden"}}},
        {"two words three spaces apart, no label",
         [] { return Row {paid(1, QStringLiteral("a   b"))}; },
         {{T::field_reference, "a b"}, {T::field_annulee, "hidden"}},
         {{I::image_touched, "hidden"}}},
        {"reference and label, cancelled",
         [] {
             TRANSACT t = paid(0, QStringLiteral("CB"));
             t.why = QStringLiteral("Marché  du samedi");
             t.annulation = true;
             return Row {t};
         },
         {{T::field_reference, "CB - Marché du samedi"}, {T::field_annulee, "Annulée"}, {T::field_debit, "-/r"}},
         {}},
    };
    return cases;
}

TEST(TransRowContentTest, RowsShowWhatTheirLineIs)
{
    for (const RowCase& c : rowCases()) {
        SCOPED_TRACE(c.name);
        Household h;
        const RowContent content = paint(h, c.row());
        for (const auto& [field, expected] : c.texts)
            EXPECT_EQ(shown(content, field), expected) << kRowTextNames[size_t(field)];
        for (const auto& [image, expected] : c.images)
            EXPECT_EQ(picture(content, image), expected) << kRowImageNames[size_t(image)];
        EXPECT_TRUE(h.doc.moyenHdl.isEmpty()) << "painting changed the document";
    }
}

// svLog writes informational lines; the test reads them back.
struct LogCapture {
    static inline QStringList lines;
    QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { lines.append(text); });
    LogCapture() { lines.clear(); }
    ~LogCapture() { qInstallMessageHandler(previous); }
};

TEST(TransRowContentTest, InvestmentColumns)
{
    struct Case {
        const char* name;
        Row row;
        TransExtraKind extra;
        std::vector<std::pair<RowText, std::string>> texts;
        const char* log = "";
    };
    TRANSACT bought = paid(300);
    bought.titreID = 1;
    bought.nTitre = 2.5;
    bought.quote2 = testenv::amount(4);
    TRANSACT noShares = bought;
    noShares.nTitre = 0;
    // Two split lines that cancel out: the transaction's amount is null (no ratio to take).
    TRANSACT nullSplit = split(0, {{1, 50}, {4, -50}});
    nullSplit.titreID = 1;
    nullSplit.nTitre = 2;
    nullSplit.taxe = testenv::amount(10);
    TRANSACT taxed = split(120, {{1, 30}, {4, 90}});
    taxed.taxe = testenv::amount(20);
    TRANSACT lostSavings = paid(5);
    lostSavings.remunereID = 99;
    const std::vector<Case> cases {
        {"shares bought", {bought}, TransExtraKind::Titre, {{RowText::field_montant_titre, "2,5/r"}}},
        {"no shares: a faded dash", {noShares}, TransExtraKind::Titre, {{RowText::field_montant_titre, "-/r"}}},
        {"split line of a null amount: no infinite share",
         {nullSplit, MultiState::Line, 50, 0},
         TransExtraKind::Titre,
         {{RowText::field_montant_titre, "-/r"}, {RowText::field_montant_interet, "-/r"}}},
        {"tax on a quarter of the lines",
         {taxed, MultiState::Line, 30, 0},
         TransExtraKind::Taxe,
         {{RowText::field_montant_HT_deb, "25,00/r"},
          {RowText::field_montant_TX_deb, "5,00/r"},
          {RowText::field_montant_TX_cre, "/r"}}},
        {"tax of a null split amount",
         {nullSplit, MultiState::Line, 50, 0},
         TransExtraKind::Taxe,
         {{RowText::field_montant_HT_deb, "-/r"}, {RowText::field_montant_TX_deb, "-/r"}}},
        {"missing savings account",
         {lostSavings},
         TransExtraKind::Remunere,
         {{RowText::field_montant_interet, "hidden"}},
         "__remunere == NULL (CellTransactExtraRemunereController.paintTransExtra)"},
        {"missing forecast",
         {paid(7), MultiState::None, 7, -1, StorageKind::Prevision},
         TransExtraKind::None,
         {{RowText::field_debit_second, "7,00/i/r"}},
         "*** paintBasicTrans : prévision à NULL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Household h;
        const LogCapture log;
        const RowContent content = paint(h, c.row, c.extra);
        for (const auto& [field, expected] : c.texts)
            EXPECT_EQ(shown(content, field), expected) << kRowTextNames[size_t(field)];
        EXPECT_EQ(LogCapture::lines.contains(QString::fromUtf8(c.log)), *c.log != 0);
        if (c.row.t.nTitre == 0 && c.extra == TransExtraKind::Titre && c.row.state == MultiState::None) {
            EXPECT_EQ(content.text(RowText::field_montant_titre).colour, QColor::fromRgbF(0, 0, 0.5, 0.5));
        }
    }
    EXPECT_EQ(splitRatio(testenv::amount(30), testenv::amount(0.004)), 0.0);
    EXPECT_DOUBLE_EQ(splitRatio(testenv::amount(30), testenv::amount(120)), 0.25);
}

class Controller : public QObject {
    Q_OBJECT
public:
    QList<long> expanded;
    Q_INVOKABLE void multiAction(QObject* sender) { expanded.append(CellTransact::rowTagOf(sender)); }
};

// The filled template, drawn as the table draws it, looked at as a PNG: columns in place, amounts
// right-aligned in full, the split button sending its row.
TEST(TransRowContentTest, FilledRowsDrawInTheirColumns)
{
    Household h;
    TRANSACT courses = paid(40, QStringLiteral("Courses   de la semaine"));
    courses.previsionID = 50;
    courses.importID = 1;
    courses.releveID1 = 3;
    TRANSACT actions = paid(1520.4, QStringLiteral("Achat actions"));
    actions.titreID = 1;
    actions.taxeID = 2;
    actions.nTitre = 12;
    actions.taxe = testenv::amount(20.4);
    actions.quote1 = testenv::amount(1500);
    actions.quote3 = testenv::amount(20.4);
    h.doc.transact_array = {split(1234.5, {{1, 1000}, {4, 234.5}}), actions};
    LISTING listing;
    listing.posList.resize(3);
    listing.posList[0].multiState = MultiState::Collapsed;
    listing.posList[0].submontant = testenv::amount(1234.5);
    listing.posList[0].cumul = testenv::amount(-20.75);
    listing.posList[1].storageIndex = listingAddPrevisionOccurrence(courses, &listing);
    listing.posList[1].storageType = StorageKind::Prevision;
    listing.posList[1].submontant = testenv::amount(40);
    listing.posList[1].cumul = testenv::amount(1214.25);
    listing.posList[1].metadataArray = {AnalyseMetadata()};
    listing.posList[2].storageIndex = 1;
    listing.posList[2].cumul = testenv::amount(-306.15);
    Controller controller;
    for (TransExtraKind kind : {TransExtraKind::Cumul, TransExtraKind::Titre, TransExtraKind::Taxe}) {
        CellTransact cell(kind);
        QImage sheet(cell.preferredWidth(), CellTransact::kHeight * 3, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        const QRect debitColumn = cell.textRectInRow(RowText::field_debit, cell.size());
        for (long row : {2L, 1L, 0L}) {
            ASSERT_TRUE(cell.paintTransReleve(
                &controller, {.listing = &listing, .row = row, .tID = 7, .devHdl = &h.doc.deviseHdl}, h.doc));
            cell.getBgbox()->setFillColor(row % 2 ? Qt::white : QColor(250, 250, 250));
            cell.render(&painter, QPoint(0, CellTransact::kHeight * int(row)));
            EXPECT_EQ(cell.textRectInRow(RowText::field_debit, cell.size()), debitColumn);
            for (const QLabel* amount : cell.findChildren<QLabel*>()) {
                const int textWidth = amount->fontMetrics().horizontalAdvance(amount->text());
                EXPECT_TRUE(!(amount->alignment() & Qt::AlignRight) || textWidth <= amount->width());
            }
        }
        painter.end();
        EXPECT_TRUE(sheet.save(QDir::temp().filePath(QStringLiteral("sorvanta-transact-rows-%1.png").arg(int(kind)))));
        EXPECT_TRUE(cell.getFieldDebit()->alignment() & Qt::AlignRight);
        EXPECT_FALSE(cell.clickButtonAt(cell.getFieldDebit()->geometry().center()));
        EXPECT_TRUE(cell.clickButtonAt(cell.rowButton(RowButton::button_multi)->geometry().center()));
    }
    EXPECT_EQ(controller.expanded, (QList<long> {0, 0, 0}));
}

// The list as a window shows it: the table draws each row from the one template, and a click on
// a row's split button reaches the window with that row.
TEST(TransRowContentTest, TableDrawsRowsAndPassesButtonClicks)
{
    struct Source : IStdTableSource {
        Household h;
        LISTING listing;
        CellTransact cell;
        Controller controller;
        int numberOfRows(StdTableView*) override { return int(listingCount(&listing)); }
        StdCell* cellForRow(StdTableView*, int row) override
        {
            cell.paintTransReleve(&controller, {.listing = &listing, .row = row, .tID = 7, .devHdl = &h.doc.deviseHdl},
                                  h.doc);
            return &cell;
        }
    } source;
    source.h.doc.transact_array = {paid(8.2), split(64, {{1, 40}, {4, 24}})};
    source.listing.posList.resize(2);
    source.listing.posList[1].storageIndex = 1;
    source.listing.posList[1].multiState = MultiState::Collapsed;
    source.listing.posList[1].submontant = testenv::amount(64);
    StdTableView table;
    table.setUniformRowHeight(CellTransact::kHeight);
    table.setSource(&source);
    table.resize(source.cell.preferredWidth() + 4, 3 * CellTransact::kHeight);
    table.show();
    EXPECT_TRUE(table.grab().save(QDir::temp().filePath(QStringLiteral("sorvanta-transact-table.png"))));
    const QRect secondRow = table.visualRect(table.tableModel()->index(1, 0));
    const QPoint button = source.cell.rowButton(RowButton::button_multi)->geometry().center();
    EXPECT_FALSE(
        CellTransact::clickInTable(&table, table.visualRect(table.tableModel()->index(0, 0)).topLeft() + button));
    EXPECT_TRUE(CellTransact::clickInTable(&table, secondRow.topLeft() + button));
    EXPECT_EQ(source.controller.expanded, QList<long> {1});
}

} // namespace

#include "TransRowContentTest.moc"

// The details palette: how it groups the items behind a figure, and the forecast row of a
// transaction list that opens it with the transactions the forecast was matched with.
#include "TransListFixture.h"

#include "toolkit/tables/CellTransact.h"
#include "transactions/FenListingMetadataController.h"

#include "toolkit/windows/StdButton.h"

#include "foundation/localized.h"
#include "uisupport/TestUiHost.h"

namespace {

using saisieui::at;
using translist::TransListTest;

AnalyseMetadata item(StorageKind type, long index, double date, long echeancier = -1, long prevision = -1)
{
    AnalyseMetadata m;
    m.storageType = type;
    m.storageIndex = index;
    m.associatedDate = date;
    m.budgetFirstDate = date;
    m.planifiedDate = date;
    m.associatedEcheancierIdent = echeancier;
    m.associatedPrevisionIdent = prevision;
    return m;
}

// Each row as "kind:position" ('h' for a header), in display order.
std::string rows(const AnalyseMetadataList& organized)
{
    QStringList out;
    for (const AnalyseMetadata& m : organized)
        out << QStringLiteral("%1%2:%3").arg(int(m.storageType)).arg(m.chapeau ? "h" : "").arg(m.storageIndex);
    return out.join(u' ').toStdString();
}

class FenListingMetadataTest : public TransListTest {
protected:
    ~FenListingMetadataTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* list = qobject_cast<FenTransListController*>(controller))
                list->close();
    }
};

TEST_F(FenListingMetadataTest, GroupsItemsUnderTheirScheduleForecastOrNothing)
{
    const double may = at(10, 5, 2024);
    const double june = at(10, 6, 2024);
    struct Case {
        const char* what;
        AnalyseMetadataList items;
        std::string expected;
        double height;
    };
    const Case cases[] = {
        {"unplanned transactions only: one header, then by date",
         {item(StorageKind::Transact, 3, june), item(StorageKind::Transact, 0, may)},
         "0h:-1 0:0 0:3",
         3 * 48},
        {"two occurrences of one schedule, each followed by its transaction; nothing unplanned",
         {item(StorageKind::Echeancier, 0, june, 501), item(StorageKind::Transact, 6, june, 501),
          item(StorageKind::Echeancier, 0, may, 501), item(StorageKind::Transact, 5, may, 501)},
         "1h:0 1:0 0:5 1:0 0:6",
         3 * 48 + 2 * 62},
        {"a forecast occurrence with its transaction, then an unplanned one",
         {item(StorageKind::Transact, 1, june), item(StorageKind::Prevision, 0, june, -1, 601),
          item(StorageKind::Transact, 3, june, -1, 601)},
         "2h:0 2:0 0:3 0h:-1 0:1",
         4 * 48 + 62},
        {"schedules and forecasts the document no longer has head nothing, and their items are left out",
         {item(StorageKind::Echeancier, 7, june, 777), item(StorageKind::Prevision, 0, june, -1, 888),
          item(StorageKind::Transact, 3, june, -1, 888)},
         "",
         0},
        {"a stale position finds its schedule and forecast again by their idents",
         {item(StorageKind::Echeancier, 7, june, 501), item(StorageKind::Prevision, -2, june, -1, 601)},
         "1h:0 1:0 2h:0 2:0",
         2 * 48 + 2 * 62},
        {"a schedule's transaction whose occurrence is not among the items is left out",
         {item(StorageKind::Transact, 6, june, 501)},
         "",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AnalyseMetadataList source = c.items;
        AnalyseMetadataList organized;
        FenMetadataController::organiseArray(organized, source, doc);
        EXPECT_EQ(rows(organized), c.expected);
        double height = 0;
        for (const AnalyseMetadata& m : organized)
            height += FenMetadataController::heightOfRow(FenMetadataController::rowKind(m));
        EXPECT_EQ(height, c.height);
    }
}

TEST_F(FenListingMetadataTest, TheForecastRowsButtonOpensItsDetails)
{
    doc.transact_array.append(trans(at(15, 6, 2024), 7, 22, 30, 8, "Médecin"));
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    const long row = occurrenceRow(list, StorageKind::Prevision);
    ASSERT_GE(row, 0);
    StdTableView* table = list->table1();
    auto* cell = qobject_cast<CellTransact*>(list->viewForTableColumn1(table, int(row)));
    ASSERT_NE(cell, nullptr);
    const QRect rowRect = table->visualRect(table->model()->index(int(row), 0));
    cell->textRectInRow(RowText::field_date, rowRect.size()); // lays the row's buttons out
    StdButton* button = cell->rowButton(RowButton::button_pastille);
    ASSERT_FALSE(button->isHidden());
    ASSERT_TRUE(CellTransact::clickInTable(table, rowRect.topLeft() + button->geometry().center()));

    auto* palette = qobject_cast<FenListingMetadataController*>(list->paletteMetadata());
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->fieldNom()->text(), QStringLiteral("Prévision rapprochée"));
    EXPECT_EQ(palette->fieldDate()->text(), QStringLiteral("Reste = 50,00 €"));
    const long medecin = doc.transact_array.size() - 1;
    EXPECT_EQ(rows(palette->organizedArray()), "2h:0 2:0 0:" + std::to_string(medecin));
    QStringList shown;
    for (int i = 0; i < palette->numberOfRowsInTableView1(palette->table1()); ++i) {
        StdCell* view = palette->viewForTableColumn1(palette->table1(), i);
        ASSERT_NE(view, nullptr);
        QStringList texts = view->rowTexts();
        texts.removeAll(QString());
        shown << texts.join(u'|');
    }
    EXPECT_EQ(shown.join(u'/').toStdString(),
              "Santé|Décalage : +0 mois|par rapport à l'échéance"
              "/80,00|-|01/06/2024 - 30/06/2024/30,00|-|15/06/2024");
    palette->window()->grab().save(QStringLiteral("/tmp/listing-metadata.png"));

    // A transaction row has no details: the command beeps and opens nothing new.
    const int beeps = ui().desktopRequests().beeps;
    EXPECT_FALSE(list->pastilleAtRow(rowOf(list, 0)));
    EXPECT_FALSE(list->pastilleAtRow(listingCount(list->listing())));
    list->PASTILLE(nullptr);
    EXPECT_EQ(ui().desktopRequests().beeps, beeps + 1);
}

} // namespace

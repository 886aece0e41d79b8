// The statement window's panel of statements: the row whose transactions the list shows is plainly
// marked, unlike the tints of the other rows (where the palette stands beside the window:
// PalettePlacement and the entry palette among the window managers check that).
#include "TransListFixture.h"

#include "app/WindowMemory.h"

#include "toolkit/tables/CellTransact.h"
#include "toolkit/windows/StdButton.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "transactions/CellReleve.h"
#include "transactions/FenReleveController.h"

#include "uisupport/NoToolPaletteApp.h"
#include "uisupport/WindowDriver.h"

#include "model/ReleveCompute.h"
#include "model/TOOL.h"

#include <QLayout>
#include <QScrollArea>

namespace {

using translist::TransListTest;

class FenRelevePaletteTest : public TransListTest {
protected:
    FenRelevePaletteTest()
    {
        setWindowAppDelegate(&app);
        recomputeAllReleves(&doc);
    }
    ~FenRelevePaletteTest() override { setWindowAppDelegate(nullptr); }

    // The colour of a row of the statements, at the left end of its background.
    static QColor rowColour(FenReleveController* w, const QImage& image, long row)
    {
        StdTableView* table = w->table2();
        const QRect cell = table->visualRect(table->model()->index(int(row), 0));
        const QPoint at = table->viewport()->mapTo(w->window(), QPoint(cell.left() + 2, cell.center().y()));
        return image.pixelColor(at * image.devicePixelRatio());
    }
    static int distance(const QColor& a, const QColor& b)
    {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    }

    NoToolPaletteApp app;
};

TEST_F(FenRelevePaletteTest, TheStatementTheListShowsIsPlainlyMarked)
{
    FenReleveController* w = openReleveWindow(7, true, 0, doc);
    ASSERT_TRUE(w);
    w->table2()->GO(kFirstReleveRow);
    const QImage image = WindowDriver(*w).grab(QStringLiteral("releve-selected-statement.png"));
    const QColor selected = rowColour(w, image, kFirstReleveRow);
    // Unlike the tints of the other rows, whether or not the panel has the focus.
    for (const long other : {long(kRowAVenir), long(kRowNonPointees)})
        EXPECT_GT(distance(selected, rowColour(w, image, other)), 120) << other;
    w->close();
}

// The entry palette is as wide as its longest means' name; the statement rows hold their whole
// amount and lock, each inside its own row.
TEST_F(FenRelevePaletteTest, NeitherThePaletteNorTheStatementRowsCutWhatTheyShow)
{
    FenReleveController* w = openReleveWindow(7, true, 0, doc);
    ASSERT_TRUE(w && w->palette());
    ui().flush();
    StdWindow* palette = w->palette()->window();
    WindowDriver(*w->palette()).grab(QStringLiteral("releve-entry-palette.png"));
    for (const QPushButton* button : palette->findChildren<QPushButton*>())
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    // The headings stand over their columns as the window narrows.
    EXPECT_EQ(w->viewTete()->width(), w->table1()->columnWidth(0));
    StdTableView* table = w->table2();
    EXPECT_TRUE(table->isVisible()) << "the statements stay in sight beside the palette";
    WindowDriver(*w).grab(QStringLiteral("releve-statement-rows.png"));
    for (int row = 0; row < table->numberOfRows(); ++row) {
        const QRect rowRect = table->visualRect(table->model()->index(row, 0));
        auto* cell = qobject_cast<CellReleve*>(w->viewForTableColumn2(table, row));
        ASSERT_NE(cell, nullptr) << row;
        cell->resize(rowRect.size());
        for (const QWidget* part :
             {static_cast<QWidget*>(cell->field_solde_releve()), static_cast<QWidget*>(cell->button_verrou_releve())}) {
            EXPECT_TRUE(cell->rect().contains(part->geometry())) << row << part->objectName().toStdString();
        }
        const QLabel* solde = cell->field_solde_releve();
        EXPECT_GE(solde->width(), solde->fontMetrics().horizontalAdvance(solde->text())) << row;
    }
    w->close();
}

// On a laptop screen, beside its palette, the window shows its rows whole: no part scrolled out
// of sight, every heading whole over its column, no field running under the next picture, and a
// name longer than its column ends with an ellipsis instead of a cut letter. Put back at a frame
// against the screen's left edge, where its palette has no room beside it, or narrower than its
// controls, it keeps that frame.
TEST_F(FenRelevePaletteTest, OnALaptopScreenTheListShowsItsRowsAndHeadingsWhole)
{
    ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768);
    doc.transact_array[0].ref = QStringLiteral("CB 12");
    getTool(kToolCompte, 22, &doc)->nom = QStringLiteral("Fournisseur d'électricité");
    FenReleveController* w = openReleveWindow(7, true, 0, doc);
    ASSERT_TRUE(w);
    ui().advance(500); // the palette is placed beside it
    StdWindow* window = w->window();
    EXPECT_TRUE(StdWindowPlacement::isWithinArea(window));
    const auto* scroll = window->findChild<QScrollArea*>(StdWindowPlacement::kScrollName);
    EXPECT_TRUE(!scroll || scroll->widget()->width() <= scroll->viewport()->width()) << "scrolled sideways";
    for (const QLabel* heading : w->viewTete()->findChildren<QLabel*>()) {
        if (heading->isVisibleTo(w->viewTete())) {
            EXPECT_GE(heading->width(), heading->fontMetrics().horizontalAdvance(heading->text()))
                << heading->text().toStdString();
        }
    }
    StdTableView* table = w->table1();
    for (int row = 0; row < table->numberOfRows(); ++row) {
        auto* cell = qobject_cast<CellTransact*>(w->cellForRow(table, row));
        ASSERT_NE(cell, nullptr);
        cell->textRectInRow(RowText::field_date, QSize(table->columnWidth(0), CellTransact::kHeight)); // lays it out
        QList<const QWidget*> shown;
        for (const QWidget* part : cell->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (part != cell->getBgbox() && part->isVisibleTo(cell) && !part->geometry().isEmpty())
                shown << part;
        }
        for (qsizetype a = 0; a < shown.size(); ++a) {
            for (qsizetype b = a + 1; b < shown.size(); ++b)
                EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
                    << row << " " << shown[a]->objectName().toStdString() << " "
                    << shown[b]->objectName().toStdString();
        }
    }
    WindowDriver(*w).grab(QStringLiteral("releve-laptop.png"));
    w->close();

    for (const QRect& remembered : {QRect(0, 60, 1300, 600), QRect(0, 368, 700, 400)}) {
        w = openReleveWindow(7, false, 0, doc);
        WindowMemory::setWindowFrameAndAppear(w, remembered);
        ui().advance(500);
        EXPECT_EQ(w->window()->geometry(), remembered);
        w->close();
    }
}

} // namespace

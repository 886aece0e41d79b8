// The statement window's panel of statements: the row whose transactions the list shows is plainly
// marked, unlike the tints of the other rows (the palette beside the window covers nothing of it:
// PalettePlacement and the walk through every window check that).
#include "TransListFixture.h"

#include "toolkit/windows/StdButton.h"
#include "transactions/CellReleve.h"
#include "transactions/FenReleveController.h"

#include "uisupport/WindowDriver.h"

#include "model/ReleveCompute.h"

#include <QLayout>

namespace {

using translist::TransListTest;

class NoToolPalette : public IWindowAppDelegate {
public:
    void windowDidBecomeMain(StdWindow*) override { }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return nullptr; }
};

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

    NoToolPalette app;
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
    EXPECT_TRUE(table->isVisible()) << "the statements stay in sight as the window makes room for its palette";
    WindowDriver(*w).grab(QStringLiteral("releve-statement-rows.png"));
    for (int row = 0; row < table->numberOfRows(); ++row) {
        const QRect rowRect = table->visualRect(table->model()->index(row, 0));
        auto* cell = qobject_cast<CellReleve*>(w->viewForTableColumn2(table, row));
        ASSERT_NE(cell, nullptr) << row;
        cell->resize(rowRect.size());
        cell->layout()->activate();
        for (const QWidget* part :
             {static_cast<QWidget*>(cell->field_solde_releve()), static_cast<QWidget*>(cell->button_verrou_releve())}) {
            EXPECT_TRUE(cell->rect().contains(part->geometry())) << row << part->objectName().toStdString();
        }
        const QLabel* solde = cell->field_solde_releve();
        EXPECT_GE(solde->width(), solde->fontMetrics().horizontalAdvance(solde->text())) << row;
    }
    w->close();
}

} // namespace

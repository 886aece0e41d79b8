#pragma once
// A window showing a read-only table of texts as a spreadsheet grid: row headers, column headers,
// a corner box, pages of rows with a navigator, an optional rotation (the table transposed),
// selection of rows, columns and cells, resizing with the mouse, printing in bands, a one-page
// PDF and a tab or CSV export.
//
// It is a base class: it answers every operation of its data source (TableurProtocol) with a
// default, and each grid window (the import editor, the synthesis tables) overrides what its
// table needs. Positions are display positions (after the rotation); only
// valueAtRowInDataSource takes data positions. The grid is built once per initAll, a cell per
// position; a subclass then changes values and states in place and asks for drawScrollViews.
#include "spreadsheet/ScrollViewTableur.h"
#include "spreadsheet/TableurProtocol.h"
#include "spreadsheet/TableurSelection.h"
#include "toolkit/windows/StdWindowController.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <memory>
#include <vector>

class PrintOperation;
class QPainter;
class TableurInteraction;
class ViewTableur;
class ViewTableurCenter;
class ViewTableurColumnHeaders;
class ViewTableurRowHeaders;

class FenTableurController : public StdWindowController, public TableurProtocol, public TableurSelection {
    Q_OBJECT
public:
    FenTableurController();
    ~FenTableurController() override;

    // The grid is the window's list: the keyboard is there as the window opens, not in the field
    // of its page size below.
    QWidget* initialFirstResponder() const override;

    // ---- The data source's colours, with the selection shown (never while a zone is drawn: a
    // printed page or a PDF shows no selection).

    QColor backgroundColorAtRow(long row, long column) const override;
    QColor backgroundColorForHeaderAtRow(long row) const override;
    QColor backgroundColorForHeaderAtColumn(long column) const override;

    // ---- What a grid window may override.

    virtual float minHeightOfRow() const { return 20; }
    virtual float maxHeightOfRow() const { return 100; }
    virtual float minWidthOfColumn() const { return 20; }
    virtual float maxWidthOfColumn() const { return 300; }
    virtual float minHeightOfColumnHeader() const { return 20; }
    virtual float maxHeightOfColumnHeader() const { return 100; }
    virtual QColor backgroundColorForCrossBox() const { return QColor(Qt::white); }
    // 0: one page holding every row.
    virtual long defaultNumberOfRowsPerPage() const { return 0; }
    virtual bool allowMultiColumnsSelection() const { return true; }
    virtual bool allowMultiRowsSelection() const { return true; }
    virtual bool allowMultiCellsSelection() const { return true; }
    // Whether a plain click opens the menu (a right click always asks for it).
    virtual bool showMenuOnClickColumn() const { return false; }
    virtual bool showMenuOnClickRow() const { return false; }
    virtual bool showMenuOnClickCell() const { return false; }
    // The menus of a column, a row or a cell, at a place on the screen; the base grid has none.
    virtual void showColumnMenuAtIndex(long index, const QPoint& globalPos);
    virtual void showRowMenuAtIndex(long index, const QPoint& globalPos);
    virtual void showCellMenuAtRowIndex(long row, long column, const QPoint& globalPos);
    // A press in the corner box (main-view point); the base grid does nothing with it.
    virtual void didMouseDownInCrossBoxAtPoint(const QPointF& point, const QPoint& globalPos);
    // The text a cell shows: its value; empty for no cell.
    virtual QString currentValueForCell(const CellObject* cell) const;
    // Refreshes what the window shows besides the grid: the page navigator.
    virtual void fill();
    // The window's currency changed to the slot: the base grid shows no amounts.
    virtual void applyDevise(long devise);
    virtual float heightOfFooter() const { return 32; }
    virtual QFont fontForFooter(double size) const { return defaultFont(size); }
    // "<date and time> - page g/N".
    virtual QString stringForFooterAtPage(long page, long numberOfPages) const;
    // The window's title.
    virtual QString PDFTitle() const;
    virtual QString PDFCreator() const { return QStringLiteral("Sorvanta Budget"); }

    void didAwakeFromNib() override;
    void windowWillClose() override;
    Q_INVOKABLE virtual void DEVISE(QObject* sender);

    // ---- Printing: in bands by PrintViewWithTableur, landscape, with the colour and border
    // options.

    const QMetaObject* classForPrinting() const override;
    bool can_imprimer() const override { return true; }
    long preferedOrientation() const override { return 1; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    bool canAddBorders() const override { return true; }

    // ---- Outlets, null until the window is built.

    ScrollViewTableur* scrollview() const { return m_scrollview; }
    ViewTableurCenter* viewTableurCenter() const;
    ViewTableurRowHeaders* viewTableurRowHeaders() const;
    ViewTableurColumnHeaders* viewTableurColumnHeaders() const;
    QWidget* crossBox() const;
    QPushButton* buttonFirstPage() const { return m_buttonFirstPage; }
    QPushButton* buttonPrevPage() const { return m_buttonPrevPage; }
    QPushButton* buttonNextPage() const { return m_buttonNextPage; }
    QPushButton* buttonLastPage() const { return m_buttonLastPage; }
    QPushButton* buttonChangePage() const { return m_buttonChangePage; }
    QLineEdit* fieldNbRowsPerPage() const { return m_fieldNbRowsPerPage; }
    QPushButton* buttonRotate() const { return m_buttonRotate; }

    // ---- State.

    bool isRotated() const { return m_isRotated; }
    const QFont& normalFont() const { return m_normalFont; }
    const QFont& boldFont() const { return m_boldFont; }
    unsigned long alignment() const { return m_alignment; }
    long currentPage() const { return m_currentPage; }
    long numberOfRowsPerPage() const { return m_numberOfRowsPerPage; }
    TableurInteraction& interaction() { return *m_interaction; }

    // ---- Building the grid and its lifecycle.

    void initRowsArray();
    void initColumsArray();
    void initCellsArray();
    // The corner box's frame and fill.
    void initColors();
    // Builds the grid afresh from the data source: default sizes, page 1, no selection.
    void initAll();
    void releaseAll();
    // Transposes the grid; sizes, rows per page and selection return to their defaults.
    void inverseRotation();

    // ---- Layout and scrolling.

    // Places the four areas for the header sizes, then the document sizes, then a redraw.
    void joinScrollViews();
    // The size of the content's document: every column, the rows of the current page. The
    // header bands follow it through the shared scroll bars.
    void resetContentSizes();
    // The content scrolled: the bands redraw (the headers follow through the shared scroll bars).
    void notifyScrolling();
    void displayView(QWidget* view);
    void drawScrollViews();
    // The visible origin of a band in its document: the content's in both directions, the row
    // headers' only vertically, the column headers' only horizontally.
    QPointF currentScrollOrigine(const QWidget* band) const;
    void setCurrentScrollOrigine(const QWidget* band, const QPointF& point);

    // ---- Geometry, in points (see TableurCells for rows and columns).

    float widthOfRowHeader() const { return m_currentWidthOfRowHeader; }
    float heightOfColumnHeader() const { return m_currentHeightOfColumnHeader; }
    // The rows of the current page.
    float totalHeightOnScreen() const;
    // Each new size is truncated to whole points; then joinScrollViews.
    void changeWidthOfColumnAtIndex(long index, double width);
    // What a column leaves on either side of a figure (the cell's text inset and the line).
    static constexpr float kFigureInsets = 10;
    // The least width the column's figures need (0 for a column without figures): the grid opens
    // at least that wide and the mouse never narrows it below.
    float figureWidthOfColumn(long index) const;
    // The width a figure of the column is drawn in.
    float figureRoomOfColumn(long index) const { return widthOfColumnAtIndex(index) - kFigureInsets; }
    // Widens every column to the room of its largest figure, in the fonts of its cells.
    void makeRoomForFigures();
    void changeHeightOfRowAtIndex(long index, double height);
    void changeWidthOfRowsHeaderTo(double width);
    void changeHeightOfColumnsHeaderTo(double height);

    // ---- Rotation.

    // Asks whether to transpose the grid, then does.
    Q_INVOKABLE void actionRotate(QObject* sender);

    // ---- Pages of rows.

    long numberOfPages(long* rowsOnLastPage = nullptr) const;
    long numberOfRowsInCurrentPage() const;
    long firstRowInCurrentPage() const;
    // Goes to the page (held within the pages), scrolling the rows to the top and the columns to
    // the left when asked.
    void gotoPage(long page, bool gotoFirstRow, bool gotoFirstColumn);
    void fillPageNavigation();
    Q_INVOKABLE void actionFirstPage(QObject* sender);
    Q_INVOKABLE void actionPrevPage(QObject* sender);
    Q_INVOKABLE void actionNextPage(QObject* sender);
    Q_INVOKABLE void actionLastPage(QObject* sender);
    // Asks for the page to go to.
    Q_INVOKABLE void actionChangePage(QObject* sender);
    // The rows-per-page field ended editing: its value, held within 0 and 999, becomes the rows
    // per page and the grid goes to page 1. Any control may end editing.
    bool control(QObject* editedControl);

    // ---- Drawing a zone (a printed page, the PDF).

    // The three bands draw the rows and columns (both ends included) with the painter, scaled by
    // the factor, the content below and right of the headers; with a print operation, its
    // options say what to draw.
    void drawTableurWithZone(QPainter& painter, long rowIndex1, long rowIndex2, long columnIndex1, long columnIndex2,
                             double factor, PrintOperation* operation, const QRectF& pageRect);
    void didDrawTableurWithZone();
    bool drawWithZone() const { return m_drawWithZone; }
    long zoneRowIndex1() const { return m_zoneRowIndex1; }
    long zoneRowIndex2() const { return m_zoneRowIndex2; }
    long zoneColumnIndex1() const { return m_zoneColumnIndex1; }
    long zoneColumnIndex2() const { return m_zoneColumnIndex2; }
    float zoneFactor() const { return m_zoneFactor; }
    PrintOperation* printOperation() const { return m_printOperation; }
    QRectF usePageRect() const { return m_usePageRect; }
    // The footer line of page g of N, at the right of the rectangle.
    void drawTableurFooter(QPainter& painter, long page, long nbPages, const QRectF& rect, double factor);
    // The footer band at the bottom of a page rectangle.
    QRectF rectForFooter(const QRectF& rect, double factor) const;

    // ---- PDF and export.

    // The whole grid as it is shown, on one page, in a PDF file the user names.
    Q_INVOKABLE void EXPORTER_PDF(QObject* sender);
    // Asks for the file and writes the page (rect at factor 1) scaled by the factor; false when
    // cancelled or not written.
    bool printInPDF(const QRectF& rect, double factor);
    // The data source as text, tab-separated or CSV by the sender's tag (1 CSV), in a file the
    // user names.
    Q_INVOKABLE void EXPORTER(QObject* sender);
    // The footer line, the column headers, then every data row, in data orientation whatever
    // the rotation: UTF-8 text, CR line ends, fields cleaned of separators and line breaks.
    QString stringToExport(int format) const;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QPushButton* addButton(const QString& name, const QString& title, const QString& action);
    QWidget* buildNavigator();
    QPushButton* buildExportButton();
    void drawBand(ViewTableur* band, QPainter& painter);
    void renderPdf(QPainter& painter, const QRectF& rect, double factor);

    std::unique_ptr<TableurInteraction> m_interaction;
    QPointer<ScrollViewTableur> m_scrollview;
    QPointer<QPushButton> m_buttonFirstPage;
    QPointer<QPushButton> m_buttonPrevPage;
    QPointer<QPushButton> m_buttonNextPage;
    QPointer<QPushButton> m_buttonLastPage;
    QPointer<QPushButton> m_buttonChangePage;
    QPointer<QLineEdit> m_fieldNbRowsPerPage;
    QPointer<QPushButton> m_buttonRotate;

    bool m_isRotated = false;
    QFont m_normalFont;
    QFont m_boldFont;
    unsigned long m_alignment = 0;
    std::vector<float> m_figureWidths; // by display column
    float m_currentWidthOfRowHeader = 0;
    float m_currentHeightOfColumnHeader = 0;
    long m_currentPage = 1;
    long m_numberOfRowsPerPage = 0;

    bool m_drawWithZone = false;
    long m_zoneRowIndex1 = 0;
    long m_zoneRowIndex2 = -1;
    long m_zoneColumnIndex1 = 0;
    long m_zoneColumnIndex2 = -1;
    float m_zoneFactor = 1;
    PrintOperation* m_printOperation = nullptr;
    QRectF m_usePageRect;
};

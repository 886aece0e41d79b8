#pragma once
// The base of the three bands of a spreadsheet grid (content, row headers, column headers). A band
// holds no data: each time it draws it asks its grid window which rows and columns to draw,
// their sizes, texts, fonts, alignments and colours, then draws the cells and over them the grid
// lines. On screen it draws the part its scroll position shows; for a printed page or a PDF
// the window hands it a zone of rows and columns and a scale, and the three bands draw into one
// painter, the content below and right of the headers. The same drawing serves both.
//
// The bands take no mouse decisions: they pass every press, move and release to the window's
// interaction.
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRectF>
#include <QWidget>

class CellObject;
class FenTableurController;
class QPainter;

class ViewTableur : public QWidget {
    Q_OBJECT
public:
    explicit ViewTableur(QWidget* parent = nullptr);

    FenTableurController* fenTableurController() const;
    void setFenTableurController(FenTableurController* controller);

    // Draws the band for one redraw (drawRect:): prepares the zone and flags, draws the cells,
    // then the grid lines over them. On screen the painter is in the band's document
    // coordinates; for a zone, in the page's.
    void drawRect(QPainter& painter);
    // Sets the zone and the print flags for one redraw; on screen only the directions the band
    // scrolls in (the other keeps its last values).
    void prepareForDrawing(bool horizontal, bool vertical);
    // The rows of the current page (columns) that meet the rectangle, with the top (left) of the
    // first of them.
    void rowsIncludedInClipRect(const QRectF& rect, long* row1, long* row2, float* y) const;
    void columnsIncludedInClipRect(const QRectF& rect, long* col1, long* col2, float* x) const;

    // ---- Drawing primitives, each following the print flags.

    // Only with coloured backgrounds.
    void fillRect(QPainter& painter, const QRectF& rect, const QColor& color) const;
    // A line 0.5 wide, only with borders.
    void strokeLine(QPainter& painter, const QPointF& point1, const QPointF& point2, const QColor& color) const;
    // Nothing without a text colour; black without coloured texts.
    void boxString(QPainter& painter, const QString& string, const QRectF& bounds, const QFont& font, int hJust,
                   int vJust, const QColor& textColor) const;
    // The grey veil of a cell the import editor could not read: opacity 0.5 when invalidated, 0.3
    // when only implicitly; a background, so only with coloured backgrounds.
    void floutageForCell(QPainter& painter, const CellObject* cell, const QRectF& rect) const;
    static void setAntialias(QPainter& painter, bool antialias);

    // The zone of the last redraw.
    long zone_row1 = 0;
    long zone_row2 = -1;
    long zone_col1 = 0;
    long zone_col2 = -1;
    float zone_x = 0;
    float zone_y = 0;
    float zone_factor = 1;
    bool fondsColores = true;
    bool formesColorees = true;
    bool bordures = true;

protected:
    virtual bool scrollsHorizontally() const = 0;
    virtual bool scrollsVertically() const = 0;
    virtual void drawCells(QPainter& painter) = 0;
    virtual void drawGrid(QPainter& painter) = 0;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<FenTableurController> m_controller;
};

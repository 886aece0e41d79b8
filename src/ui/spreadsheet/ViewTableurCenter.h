#pragma once
// The content band of a spreadsheet grid: the cells of the visible rows and columns (of a printed
// zone), each with its background, its text and the veil of an unreadable cell, and the grid
// lines below every row and right of every column. A cell showing a figure draws it whole on one
// line; other texts wrap within their column.
#include "spreadsheet/ViewTableur.h"

class ViewTableurCenter : public ViewTableur {
    Q_OBJECT
public:
    using ViewTableur::ViewTableur;

protected:
    bool scrollsHorizontally() const override { return true; }
    bool scrollsVertically() const override { return true; }
    void drawCells(QPainter& painter) override;
    void drawGrid(QPainter& painter) override;

private:
    // A figure on one line, whole, in the room its column made for it.
    void drawFigureInCell(QPainter& painter, long row, long column, const QRectF& cell) const;
};

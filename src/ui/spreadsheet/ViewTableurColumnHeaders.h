#pragma once
// The column-header band of a spreadsheet grid: the title of every visible column (of a printed
// zone) on its header colour, in bold for a column that carries an import role, with a line right
// of every column and along the band's top and bottom.
#include "spreadsheet/ViewTableur.h"

class ViewTableurColumnHeaders : public ViewTableur {
    Q_OBJECT
public:
    using ViewTableur::ViewTableur;

protected:
    bool scrollsHorizontally() const override { return true; }
    bool scrollsVertically() const override { return false; }
    void drawCells(QPainter& painter) override;
    void drawGrid(QPainter& painter) override;
    void wheelEvent(QWheelEvent* event) override;
};

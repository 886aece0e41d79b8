#pragma once
// The row-header band of a spreadsheet grid: the title of every visible row of the current page
// (of a printed zone) on its header colour, with a line below every row and the band's left and
// right edges.
#include "spreadsheet/ViewTableur.h"

class ViewTableurRowHeaders : public ViewTableur {
    Q_OBJECT
public:
    using ViewTableur::ViewTableur;

protected:
    bool scrollsHorizontally() const override { return false; }
    bool scrollsVertically() const override { return true; }
    void drawCells(QPainter& painter) override;
    void drawGrid(QPainter& painter) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    float bandWidth() const;
};

#pragma once
// The picture of a graph window: its graph file drawn by drawGraph into the view's frame, in the
// currency slot the window shows. The view holds the window's graph file, never a copy, so a
// recomputation or a change of format shows at the next repaint.
#include "engines/GraphGeometry.h"

#include <QWidget>

struct PrintInfo;
class QPaintDevice;
class QPainter;

// Both true on screen (no print information); when printing, the print options of coloured
// backgrounds and coloured texts.
void getGraphColorOptions(const PrintInfo* printing, bool* backgrounds, bool* texts);
// A text of the picture that shows a figure or a date (an amount of the scale, a month, the
// legend of the selected period): every text but the title lines, placed in the whole drawing.
bool isGraphFigure(const GraphShape& shape, const QRectF& bounds);
// The picture of the graph in the rectangle with room made for its figures, measured in the
// application's font on the device: the plot moves right when an amount of the scale would run
// past the left edge, and each figure's rectangle holds it whole inside the rectangle.
GraphPicture graphPictureWithRoom(const GRAPHFILE& file, const GraphDrawOptions& options, const QRectF& rect,
                                  const QPaintDevice* device = nullptr);
// Paints the shapes in order, lines antialiased, texts in the application's font at their size;
// the figures whole, by drawFigure (the picture is laid out for the bounds by graphPictureWithRoom).
void paintGraphPicture(QPainter& painter, const GraphPicture& picture, const QRectF& bounds);
void drawGraph(QPainter& painter, const GRAPHFILE& file, long devise, const DeviseList* devises,
               const PrintInfo* printing, const QRectF& rect);

class ViewGraphique : public QWidget {
    Q_OBJECT
public:
    explicit ViewGraphique(QWidget* parent = nullptr);

    const GRAPHFILE* graph_file() const { return m_file; }
    void setGraph_file(const GRAPHFILE* file) { m_file = file; }
    long devise() const { return m_devise; }
    void setDevise(long devise) { m_devise = devise; }
    const DeviseList* devHdl() const { return m_devHdl; }
    void setDevHdl(const DeviseList* devises) { m_devHdl = devises; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const GRAPHFILE* m_file = nullptr;
    long m_devise = 0;
    const DeviseList* m_devHdl = nullptr;
};

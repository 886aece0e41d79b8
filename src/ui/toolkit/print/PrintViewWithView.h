#pragma once
// Prints one view of a window on one page, scaled by the scale option and centred in the area
// inside the margins; the window draws the view's content itself (graphs, pie charts).
#include "toolkit/print/PrintView.h"

// What the printing window answers: it draws its content into the rectangle (points on the
// paper) with the painter.
class PrintViewDelegate {
public:
    virtual ~PrintViewDelegate() = default;
    virtual void printTheView(QPainter& painter, const QRectF& rect, PrintOperation& operation) = 0;
};

class PrintViewWithView : public PrintView {
    Q_OBJECT
public:
    Q_INVOKABLE explicit PrintViewWithView(StdWindowController* delegate);

    void spoolPrintOperation(PrintOperation& operation) override;
    // Every page is the view's frame, which is laid out on the paper itself.
    QRectF rectForPage(long page) const override;
    QPointF paperOriginForPage(long page) const override;
    void drawRect(QPainter& painter, const QRectF& dirtyRect) override;
};

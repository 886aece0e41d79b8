#pragma once
// The base of the views that print a window. A print view lays out its pages as a pure
// computation when it is spooled (page count, the rectangle of each page in its own coordinates,
// the scale factor) and paints any page with a QPainter, so the same code prints to a printer, a
// PDF, the print panel's preview and a test's image. It is spooled once by the window's print
// driver before the panel opens, and again each time an option or the paper changes.
//
// A page is painted on the paper in points, y growing downward: the page's rectangle lands at
// paperOriginForPage (by default the top-left corner of the area inside the margins) and nothing
// is drawn outside it nor outside the margins.
#include "toolkit/print/PrintOperation.h"
#include "toolkit/windows/StdWindowController.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QSizeF>

class QPainter;
class QPrinter;
class QWidget;

class PrintView : public QObject {
    Q_OBJECT
public:
    // For the window controller that prints; no operation yet, factor 1.0.
    Q_INVOKABLE explicit PrintView(StdWindowController* delegate);

    StdWindowController* delegate() const { return m_delegate; }
    double factor() const { return m_factor; }
    PrintOperation* printOperation() const { return m_printOperation; }
    virtual void setPrintOperation(PrintOperation* operation) { m_printOperation = operation; }
    long nbPages() const { return m_nbPages; }
    QSizeF lastPaperSize() const { return m_lastPaperSize; }
    // The view's frame: its size is the laid-out pages'.
    QRectF frame() const { return m_frame; }

    // The pages the view prints: from 1, nbPages of them.
    bool knowsPageRange(long* first, long* count) const;
    // The page's rectangle in the view's coordinates; empty in the base.
    virtual QRectF rectForPage(long page) const;
    // Lays out the pages for the operation's print information; nothing in the base.
    virtual void spoolPrintOperation(PrintOperation& operation);
    // Draws what lies in the rectangle (the view's coordinates); nothing in the base.
    virtual void drawRect(QPainter& painter, const QRectF& dirtyRect);

    // The operation's print information changed: when its paper is another than the one last
    // seen, the view lays its pages out again.
    void printInfoDidChange();
    // Lays the pages out again for the stored operation, and says so (didSpool).
    void respool();

    // Where the page's rectangle lands on the paper, in points from its top-left corner.
    virtual QPointF paperOriginForPage(long page) const;
    // Paints the page (from 1) with the painter in points on the paper.
    void paintPage(QPainter& painter, long page);
    // The page on white paper, pixelsPerPoint pixels for a point.
    QImage pageImage(long page, double pixelsPerPoint = 1.0);
    // Prints the printer's page range (every page when it has none) at its paper and resolution.
    bool printTo(QPrinter& printer);
    // Writes every page to a PDF file at the operation's paper; false when it can't be written.
    bool writePdf(const QString& path);

signals:
    // The pages were laid out again (an option or the paper changed): previews redraw.
    void didSpool();

protected:
    void setFactor(double factor) { m_factor = factor; }
    void setNbPages(long count) { m_nbPages = count; }
    void setFrame(const QRectF& frame) { m_frame = frame; }

private:
    QPointer<StdWindowController> m_delegate;
    double m_factor = 1.0;
    PrintOperation* m_printOperation = nullptr;
    long m_nbPages = 0;
    QSizeF m_lastPaperSize {0, 0};
    QRectF m_frame;
};

// What the table print asks of the list window that prints (PrintViewWithTable). A list window
// derives from it beside StdWindowController. The print fills the title block for the print
// (paintPrintTete) and for each page (paintPrintTetePage), then takes a copy of each view it is
// given, in page order; the window may hand out the same view each time, filled anew.
class PrintDelegate {
public:
    virtual ~PrintDelegate() = default;

    // Writes the window's title into the title block's title field.
    virtual void paintPrintTitre();
    // paintPrintTitre, and the current date and time into the title block's date field.
    virtual void paintPrintTete();
    // Writes "page/nb" into the title block's page field.
    virtual void paintPrintTetePage(long page, long nb);

    virtual long numberOfRows() = 0;
    // The title block, the column heading and the footer; each may be null.
    virtual QWidget* viewTitre() = 0;
    virtual QWidget* viewTete() = 0;
    virtual QWidget* viewPied() = 0;
    // A view showing the row (from 0), filled for it; null for none.
    virtual QWidget* viewAtRow(long row) = 0;
};

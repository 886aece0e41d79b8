#pragma once
// Prints a list window: on every page the title block and the column heading, then as many rows
// as fit, and the footer after the last row (on a page of its own when it does not fit). The
// views come from the window (PrintDelegate) and are copied as they are spooled; the pages are
// drawn from those copies, each control by its kind, following the print options (coloured
// backgrounds and texts, borders, images) at the chosen scale rather than the screen's look.
#include "toolkit/print/PrintElement.h"
#include "toolkit/print/PrintView.h"

#include <utility>
#include <vector>

class PrintDelegate;

class PrintViewWithTable : public PrintView {
    Q_OBJECT
public:
    // Pairs (scale factor, vertical shift in points) that correct where scaled text sits.
    using InterpolationArray = std::vector<std::pair<double, double>>;

    // One spooled view: its copy, its size on paper and where it starts (before the 2-point lift
    // of the drawing).
    struct SpoolEntry {
        PrintElement view;
        QSizeF size;
        double position = 0;
    };

    // The page arithmetic of one spool, from the print information and the views' sizes.
    struct Layout {
        double factor = 1.0;
        double viewWidth = 0;
        double titre = 0; // scaled heights
        double tete = 0;
        double pied = 0;
        double row = 0;
        double head = 0; // title block and heading
        long rowsPerPage = 0;
        long rowsOnFullPage = 0;
        long pagesOfRows = 1;
        long rowsOnLastPage = 0;
        bool footerOwnPage = false;
        long nbPages = 1;
        double pageHeight = 0;
    };
    struct ViewSizes {
        QSizeF titre; // empty for a view that is missing
        QSizeF tete;
        QSizeF pied;
        QSizeF row;
    };
    static Layout computeLayout(const PrintInfo& info, long rows, const ViewSizes& sizes);

    Q_INVOKABLE explicit PrintViewWithTable(StdWindowController* delegate);

    void setPrintOperation(PrintOperation* operation) override;
    double pageHeight() const { return m_pageHeight; }
    void setPageHeight(double height) { m_pageHeight = height; }
    const std::vector<SpoolEntry>& spool() const { return m_spool; }
    const Layout& layout() const { return m_layout; }

    QRectF rectForPage(long page) const override;
    // Appends a copy of the view (null: nothing) at its size times the factor.
    void spoolView(QWidget* view);
    void spoolPrintOperation(PrintOperation& operation) override;
    QPointF paperOriginForPage(long page) const override;
    void drawRect(QPainter& painter, const QRectF& dirtyRect) override;

    // Draws the text at its place in the rectangle (alignment codes of the drawing library), its
    // font scaled by the factor, lowered by the array's shift for the factor when one is given.
    void drawScaledString(QPainter& painter, const QString& string, const QRectF& bounds, const QFont& font,
                          double fontScale, const QColor& color, int halign, int valign,
                          const InterpolationArray* interpolationArray) const;
    void drawPrintElementFromTextField(QPainter& painter, const PrintElement& field, const QRectF& bounds) const;
    void drawPrintElementFromImageView(QPainter& painter, const PrintElement& imageView, const QRectF& bounds) const;
    void drawPrintElementFromButton(QPainter& painter, const PrintElement& button, const QRectF& bounds) const;
    void drawPrintElementFromPopup(QPainter& painter, const PrintElement& popup, const QRectF& bounds) const;
    // Draws the view by its kind, then its subviews in their scaled frames.
    void drawPrintElementFromView(QPainter& painter, const PrintElement& view, const QRectF& bounds) const;

    static void addInterpolationValueToArray(InterpolationArray& array, double factor, double deltay);
    // The shift for the factor, interpolated between the pair of factors around it; the last
    // pair's shift outside them; 0 for an empty array.
    static double deltayFromFactor(double factor, const InterpolationArray& array);
    static InterpolationArray createInterpolationVariableArray();
    static InterpolationArray createInterpolationFixeArray();
    static InterpolationArray createInterpolationImageArray();

private:
    void spoolBlank(double width, double height);
    void append(PrintElement element, const QSizeF& size);
    void spoolPages(PrintDelegate& table, QWidget* titre, QWidget* tete);
    void spoolHead(PrintDelegate& table, long page, QWidget* titre, QWidget* tete);
    void drawOwn(QPainter& painter, const PrintElement& view, const QRectF& bounds) const;
    const PrintInfo* info() const;

    std::vector<SpoolEntry> m_spool;
    double m_pageHeight = 0;
    Layout m_layout;
    double m_nextPosition = 0;
    InterpolationArray m_variableArray;
    InterpolationArray m_fixeArray;
    InterpolationArray m_imageArray;
};

#pragma once
// Prints a spreadsheet grid in pages: the grid is cut into bands of columns that fit the paper's
// width after the row headers, and bands of rows that fit its height under the column headers
// and above the footer, at the print scale; every row band crossed with every column band is a
// page, row band by row band from the top. Each page repeats the headers of its rows and columns
// and ends with the footer line. A row or a column larger than the paper gets a page of its own,
// clipped; a grid without rows or columns prints one page of headers.
#include "toolkit/print/PrintView.h"

#include <vector>

class FenTableurController;

class PrintViewWithTableur : public PrintView {
    Q_OBJECT
public:
    // The display rows and columns of a page, both ends included; an empty range (last before
    // first) for a grid without rows or columns.
    struct Page {
        long rowIndex1 = 0;
        long rowIndex2 = -1;
        long columnIndex1 = 0;
        long columnIndex2 = -1;
        bool operator==(const Page&) const = default;
    };

    // For the grid window that prints.
    Q_INVOKABLE explicit PrintViewWithTableur(StdWindowController* delegate);

    const std::vector<Page>& pages() const { return m_pages; }
    void setPages(std::vector<Page> pages) { m_pages = std::move(pages); }

    // The pages of the grid for the paper, margins and scale of the print information.
    static std::vector<Page> cutPages(const FenTableurController& grid, const PrintInfo& info, double factor);
    // "svOptionEchelle" / 100, or 1 without it.
    static double factorOf(const PrintInfo& info);

    void spoolPrintOperation(PrintOperation& operation) override;
    // The page's headers, rows, columns and footer at the scale, from (0, 0).
    QRectF rectForPage(long page) const override;
    // The page the operation is painting: its zone, then its footer.
    void drawRect(QPainter& painter, const QRectF& dirtyRect) override;

private:
    FenTableurController* grid() const;

    std::vector<Page> m_pages;
};

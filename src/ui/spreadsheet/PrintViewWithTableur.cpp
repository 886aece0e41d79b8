#include "spreadsheet/PrintViewWithTableur.h"

#include "spreadsheet/FenTableurController.h"
#include "spreadsheet/tableurgeometry.h"

#include <QPainter>

#include <algorithm>

namespace {

// A grid without rows (columns) still prints its other headers: one band of nothing.
std::vector<TableurBand> bandsOrNone(std::vector<TableurBand> bands)
{
    if (bands.empty())
        bands.push_back({0, -1});
    return bands;
}

} // namespace

PrintViewWithTableur::PrintViewWithTableur(StdWindowController* delegate)
    : PrintView(delegate)
{
    setFrame(QRectF(0, 0, 100, 100));
}

FenTableurController* PrintViewWithTableur::grid() const
{
    return qobject_cast<FenTableurController*>(delegate());
}

double PrintViewWithTableur::factorOf(const PrintInfo& info)
{
    return info.svOptionEchelle ? *info.svOptionEchelle / 100.0 : 1.0;
}

// The printable height leaves the footer out at its full size, while a page adds it scaled: at
// a scale below 100 % the last band keeps a little room.
std::vector<PrintViewWithTableur::Page> PrintViewWithTableur::cutPages(const FenTableurController& grid,
                                                                       const PrintInfo& info, double factor)
{
    const float f = float(factor);
    const float width = float(info.paperSize.width() - info.leftMargin - info.rightMargin);
    const float height = float(info.paperSize.height() - info.topMargin - info.bottomMargin) - grid.heightOfFooter();
    const auto columnBands = bandsOrNone(tableurCutBands(
        grid.numberOfColumns(), [&grid](long j) { return grid.widthOfColumnAtIndex(j); }, grid.widthOfRowHeader(), f,
        width));
    const auto rowBands = bandsOrNone(tableurCutBands(
        grid.numberOfRows(), [&grid](long i) { return grid.heightOfRowAtIndex(i); }, grid.heightOfColumnHeader(), f,
        height));
    std::vector<Page> pages;
    for (const TableurBand& rows : rowBands) {
        for (const TableurBand& columns : columnBands)
            pages.push_back({rows.first, rows.last, columns.first, columns.last});
    }
    return pages;
}

void PrintViewWithTableur::spoolPrintOperation(PrintOperation& operation)
{
    m_pages.clear();
    const double f = factorOf(operation.printInfo());
    setFactor(f);
    if (const FenTableurController* tableur = grid())
        m_pages = cutPages(*tableur, operation.printInfo(), f);
    setNbPages(long(m_pages.size()));
}

QRectF PrintViewWithTableur::rectForPage(long page) const
{
    const FenTableurController* tableur = grid();
    if (!tableur || page < 1 || page > long(m_pages.size()))
        return QRectF();
    const Page& zone = m_pages[size_t(page - 1)];
    const double f = factor();
    const double width
        = tableur->widthOfRowHeader() + tableur->totalWidthFromColumnIndex(zone.columnIndex1, zone.columnIndex2);
    const double height = tableur->heightOfColumnHeader()
        + tableur->totalHeightFromRowIndex(zone.rowIndex1, zone.rowIndex2) + tableur->heightOfFooter();
    return QRectF(0, 0, width * f, height * f);
}

void PrintViewWithTableur::drawRect(QPainter& painter, const QRectF&)
{
    FenTableurController* tableur = grid();
    PrintOperation* operation = printOperation();
    const long page = operation ? operation->currentPage() : 0;
    if (!tableur || page < 1 || page > long(m_pages.size()))
        return;
    const Page& zone = m_pages[size_t(page - 1)];
    const double f = factor();
    painter.save();
    tableur->drawTableurWithZone(painter, zone.rowIndex1, zone.rowIndex2, zone.columnIndex1, zone.columnIndex2, f,
                                 operation, QRectF());
    const QRectF footer = tableur->rectForFooter(rectForPage(page), f);
    tableur->drawTableurFooter(painter, page, nbPages(), footer, f);
    tableur->didDrawTableurWithZone();
    painter.restore();
}

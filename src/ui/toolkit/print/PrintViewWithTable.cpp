#include "toolkit/print/PrintViewWithTable.h"

#include "toolkit/drawing/drawing.h"
#include "toolkit/windows/StdWindowController.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWidthSlack = 4; // points kept free across the printable width
constexpr double kLift = 2; // the spooled views are drawn this much higher than laid out
constexpr double kLineWidth = 0.5;
constexpr double kReplacementFontRatio = 0.65; // of the image view's height
constexpr double kReplacementFontPixels = 100; // the font is drawn scaled from this size
constexpr double kEpsilon = 1e-6;

double scaledHeight(const QSizeF& size, double factor)
{
    return size.isValid() ? factor * size.height() : 0.0;
}

// Rows per page: as many as fit; a list with rows gets at least one per page, even when the
// title block, heading and footer leave no room or a row is taller than the page (it is clipped).
long fitRowsPerPage(const PrintInfo& info, const PrintViewWithTable::Layout& layout, long rows)
{
    if (layout.row <= 0)
        return 0;
    const double room = info.paperSize.height() - (info.bottomMargin + info.topMargin + layout.head + layout.pied);
    const long fit = std::max(0L, long(std::floor(room / layout.row + kEpsilon)));
    return rows > 0 ? std::max(1L, fit) : fit;
}

void strokeFrame(QPainter& painter, const QRectF& bounds)
{
    painter.save();
    painter.setPen(QPen(Qt::black, kLineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bounds);
    painter.restore();
}

Qt::Alignment alignmentFlag(int code)
{
    if (code == 1)
        return Qt::AlignRight;
    if (code == 2)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

} // namespace

PrintViewWithTable::PrintViewWithTable(StdWindowController* delegate)
    : PrintView(delegate)
{
}

// ---------------------------------------------------------------------------------------------
// Layout

PrintViewWithTable::Layout PrintViewWithTable::computeLayout(const PrintInfo& info, long rows, const ViewSizes& sizes)
{
    Layout layout;
    rows = std::max(0L, rows);
    // Margins wider than the paper must not turn the factor to nothing or below.
    const double available = std::max(1.0, info.paperSize.width() - info.leftMargin - info.rightMargin - kWidthSlack);
    const double reference = sizes.titre.isValid() ? sizes.titre.width()
        : sizes.row.isValid()                      ? sizes.row.width()
                                                   : 0.0;
    const double echelle = info.svOptionEchelle.value_or(100.0);
    const double scale = echelle > 0 ? echelle / 100.0 : 1.0;
    const bool shrinks = reference > available;
    layout.factor = (shrinks ? available / reference : 1.0) * scale;
    layout.viewWidth = shrinks ? available : reference;

    layout.titre = scaledHeight(sizes.titre, layout.factor);
    layout.tete = scaledHeight(sizes.tete, layout.factor);
    layout.pied = scaledHeight(sizes.pied, layout.factor);
    layout.row = scaledHeight(sizes.row, layout.factor);
    layout.head = layout.titre + layout.tete;

    layout.rowsPerPage = fitRowsPerPage(info, layout, rows);
    layout.rowsOnFullPage = std::min(rows, layout.rowsPerPage);
    layout.pagesOfRows = layout.rowsOnFullPage > 0 ? (rows - 1) / layout.rowsOnFullPage + 1 : 1;
    layout.rowsOnLastPage = rows - (layout.pagesOfRows - 1) * layout.rowsOnFullPage;
    layout.footerOwnPage = rows > 0 && layout.pied > double(layout.rowsPerPage - layout.rowsOnLastPage) * layout.row;
    layout.nbPages = layout.pagesOfRows + (layout.footerOwnPage ? 1 : 0);
    layout.pageHeight = rows > 0 ? layout.head + double(layout.rowsPerPage) * layout.row
                                 : std::max(0.0, info.paperSize.height() - info.topMargin - info.bottomMargin);
    return layout;
}

void PrintViewWithTable::setPrintOperation(PrintOperation* operation)
{
    PrintView::setPrintOperation(operation);
    m_variableArray = createInterpolationVariableArray();
    m_fixeArray = createInterpolationFixeArray();
    m_imageArray = createInterpolationImageArray();
}

QRectF PrintViewWithTable::rectForPage(long page) const
{
    const QRectF view = frame();
    return QRectF(view.x(), double(page - 1) * m_pageHeight, view.width(), m_pageHeight);
}

// A list narrower than the printable width is centred across it.
QPointF PrintViewWithTable::paperOriginForPage(long) const
{
    const PrintInfo* printInfo = info();
    if (!printInfo)
        return QPointF();
    const QRectF printable = printInfo->printableRect();
    return QPointF(printable.x() + (printable.width() - frame().width()) * 0.5, printable.y());
}

const PrintInfo* PrintViewWithTable::info() const
{
    return printOperation() ? &printOperation()->printInfo() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Spooling

void PrintViewWithTable::append(PrintElement element, const QSizeF& size)
{
    m_spool.push_back(SpoolEntry {std::move(element), size, m_nextPosition});
    m_nextPosition += size.height();
}

void PrintViewWithTable::spoolView(QWidget* view)
{
    if (!view)
        return;
    const auto* source = dynamic_cast<const PrintTransactSource*>(view);
    PrintElement copy = PrintElement::fromView(view, source ? source->printTransact() : nullptr);
    // Measured once laid out: the layout may have made the view larger than it was given.
    append(std::move(copy), QSizeF(view->size()) * factor());
}

void PrintViewWithTable::spoolBlank(double width, double height)
{
    append(PrintElement(), QSizeF(width, height));
}

void PrintViewWithTable::spoolHead(PrintDelegate& table, long page, QWidget* titre, QWidget* tete)
{
    table.paintPrintTetePage(page, m_layout.nbPages);
    spoolView(titre);
    spoolView(tete);
}

// A row the window has no view for prints blank, so that the pages keep their rows.
void PrintViewWithTable::spoolPages(PrintDelegate& table, QWidget* titre, QWidget* tete)
{
    long row = 0;
    for (long page = 1; page <= m_layout.pagesOfRows; ++page) {
        spoolHead(table, page, titre, tete);
        const long count = page < m_layout.pagesOfRows ? m_layout.rowsOnFullPage : m_layout.rowsOnLastPage;
        for (long i = 0; i < count; ++i, ++row) {
            if (QWidget* view = table.viewAtRow(row))
                spoolView(view);
            else
                spoolBlank(m_layout.viewWidth, m_layout.row);
        }
    }
    if (!m_layout.footerOwnPage)
        return;
    // The free rows of the last page stay blank, so that the next view starts a page.
    for (long i = m_layout.rowsOnLastPage; i < m_layout.rowsPerPage; ++i)
        spoolBlank(m_layout.viewWidth, m_layout.row);
    spoolHead(table, m_layout.nbPages, titre, tete);
}

void PrintViewWithTable::spoolPrintOperation(PrintOperation& operation)
{
    m_spool.clear();
    m_nextPosition = 0;
    StdWindowController* controller = delegate();
    auto* table = dynamic_cast<PrintDelegate*>(controller);
    if (!table) {
        m_layout = Layout();
        setNbPages(0);
        setFrame(QRectF());
        return;
    }
    controller->willSpoolPrintOperation(operation);
    table->paintPrintTete();
    const long rows = std::max(0L, table->numberOfRows());
    QWidget* titre = table->viewTitre();
    QWidget* tete = table->viewTete();
    QWidget* pied = table->viewPied();
    QWidget* firstRow = rows > 0 ? table->viewAtRow(0) : nullptr;

    // The heading and the footer take the width of the title block (or of a row) while spooling.
    const int reference = titre ? titre->width() : firstRow ? firstRow->width() : 0;
    const int teteWidth = tete ? tete->width() : 0;
    const int piedWidth = pied ? pied->width() : 0;
    if (tete && reference > 0)
        tete->resize(reference, tete->height());
    if (pied && reference > 0)
        pied->resize(reference, pied->height());

    const auto sizeOf = [](const QWidget* view) { return view ? QSizeF(view->size()) : QSizeF(); };
    m_layout
        = computeLayout(operation.printInfo(), rows, {sizeOf(titre), sizeOf(tete), sizeOf(pied), sizeOf(firstRow)});
    setFactor(m_layout.factor);
    setNbPages(m_layout.nbPages);
    m_pageHeight = m_layout.pageHeight;
    setFrame(QRectF(0, 0, m_layout.viewWidth, double(m_layout.nbPages) * m_layout.pageHeight));

    spoolPages(*table, titre, tete);
    spoolView(pied);

    controller->didSpoolPrintOperation(operation);
    if (tete && reference > 0)
        tete->resize(teteWidth, tete->height());
    if (pied && reference > 0)
        pied->resize(piedWidth, pied->height());
}

// ---------------------------------------------------------------------------------------------
// Drawing

// Each spooled view is drawn on the page where it starts; the pages hold exactly a head and its
// rows, so a view crosses into the next page only when it is taller than a page, and is clipped.
void PrintViewWithTable::drawRect(QPainter& painter, const QRectF& dirtyRect)
{
    auto entry = std::lower_bound(m_spool.begin(), m_spool.end(), dirtyRect.top() - kEpsilon,
                                  [](const SpoolEntry& e, double top) { return e.position < top; });
    painter.save();
    for (; entry != m_spool.end() && entry->position < dirtyRect.bottom() - kEpsilon; ++entry)
        drawPrintElementFromView(painter, entry->view, QRectF(QPointF(0, entry->position - kLift), entry->size));
    painter.restore();
}

void PrintViewWithTable::drawPrintElementFromView(QPainter& painter, const PrintElement& view,
                                                  const QRectF& bounds) const
{
    drawOwn(painter, view, bounds);
    const double f = factor();
    for (const PrintElement& child : view.children) {
        const QRectF& sub = child.frame;
        drawPrintElementFromView(
            painter, child,
            QRectF(bounds.x() + f * sub.x(), bounds.y() + f * sub.y(), f * sub.width(), f * sub.height()));
    }
}

void PrintViewWithTable::drawOwn(QPainter& painter, const PrintElement& view, const QRectF& bounds) const
{
    const PrintInfo* printInfo = info();
    switch (view.kind) {
    case PrintElement::Kind::TextField:
        drawPrintElementFromTextField(painter, view, bounds);
        break;
    case PrintElement::Kind::ImageView:
        drawPrintElementFromImageView(painter, view, bounds);
        break;
    case PrintElement::Kind::Button:
        drawPrintElementFromButton(painter, view, bounds);
        break;
    case PrintElement::Kind::PopUp:
        drawPrintElementFromPopup(painter, view, bounds);
        break;
    case PrintElement::Kind::View:
        if (view.printBorder)
            strokeFrame(painter, bounds);
        break;
    case PrintElement::Kind::Box:
        if (printInfo && printInfo->svOptionFondsColores && view.fillColor.isValid())
            painter.fillRect(bounds, view.fillColor);
        if (printInfo && printInfo->svOptionAddBorders && view.printBorder)
            strokeFrame(painter, bounds);
        break;
    case PrintElement::Kind::Plain:
    case PrintElement::Kind::TableCell:
        break;
    }
}

void PrintViewWithTable::drawPrintElementFromTextField(QPainter& painter, const PrintElement& field,
                                                       const QRectF& bounds) const
{
    const QString text = field.printedText();
    const double f = factor();
    if (text.isEmpty() || f <= 0)
        return;
    const PrintInfo* printInfo = info();
    const QColor color = printInfo && printInfo->svOptionTextesColores ? field.textColor : QColor(Qt::black);
    if (!text.contains(QChar(13))) {
        drawScaledString(painter, text, bounds, field.font, f, color, field.alignment, 0,
                         field.fixedPitch ? &m_fixeArray : &m_variableArray);
        return;
    }
    QString lines = text;
    lines.replace(QChar(13), QChar(10));
    painter.save();
    painter.translate(bounds.topLeft());
    painter.scale(f, f);
    painter.setFont(field.font);
    painter.setPen(color);
    painter.drawText(QRectF(0, 0, bounds.width() / f, bounds.height() / f),
                     int(alignmentFlag(field.alignment) | Qt::AlignTop | Qt::TextWordWrap), lines);
    painter.restore();
}

void PrintViewWithTable::drawPrintElementFromImageView(QPainter& painter, const PrintElement& imageView,
                                                       const QRectF& bounds) const
{
    const PrintInfo* printInfo = info();
    if (printInfo && printInfo->svOptionPrintImages) {
        if (!imageView.image.isNull())
            painter.drawImage(bounds, imageView.image);
        return;
    }
    if (imageView.replacement.isEmpty())
        return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(int(kReplacementFontPixels));
    const double fontScale = kReplacementFontRatio * bounds.height() / kReplacementFontPixels;
    drawScaledString(painter, imageView.replacement, bounds, font, fontScale, Qt::black, 0, 0, &m_imageArray);
}

void PrintViewWithTable::drawPrintElementFromButton(QPainter& painter, const PrintElement& button,
                                                    const QRectF& bounds) const
{
    if (!button.image.isNull())
        painter.drawImage(bounds, button.image);
}

void PrintViewWithTable::drawPrintElementFromPopup(QPainter& painter, const PrintElement& popup,
                                                   const QRectF& bounds) const
{
    if (!popup.image.isNull())
        painter.drawImage(bounds, popup.image);
}

// The font is drawn at fontScale through the painter, so that any fractional size keeps its exact
// proportions; the shift is in points on paper.
void PrintViewWithTable::drawScaledString(QPainter& painter, const QString& string, const QRectF& bounds,
                                          const QFont& font, double fontScale, const QColor& color, int halign,
                                          int valign, const InterpolationArray* interpolationArray) const
{
    if (string.isEmpty() || fontScale <= 0)
        return;
    const QRectF unscaled(0, 0, bounds.width() / fontScale, bounds.height() / fontScale);
    const QPointF origin = alignedStringOrigin(string, font, halign, valign, unscaled);
    const double shift = interpolationArray ? deltayFromFactor(factor(), *interpolationArray) : 0.0;
    painter.save();
    painter.translate(bounds.topLeft());
    painter.scale(fontScale, fontScale);
    painter.setFont(font);
    painter.setPen(color);
    const double baseline = origin.y() + shift / fontScale + QFontMetricsF(font).ascent();
    painter.drawText(QPointF(origin.x(), baseline), string);
    painter.restore();
}

// ---------------------------------------------------------------------------------------------
// Interpolation

void PrintViewWithTable::addInterpolationValueToArray(InterpolationArray& array, double factor, double deltay)
{
    array.emplace_back(factor, deltay);
}

// Two pairs of one factor (the image array has them) answer the first one's shift rather than
// dividing by zero.
double PrintViewWithTable::deltayFromFactor(double factor, const InterpolationArray& array)
{
    if (array.empty())
        return 0.0;
    for (size_t i = 0; i + 1 < array.size(); ++i) {
        const auto [f1, d1] = array[i];
        const auto [f2, d2] = array[i + 1];
        if (f1 <= factor && factor <= f2)
            return f2 > f1 ? d1 + (factor - f1) * (d2 - d1) / (f2 - f1) : d1;
    }
    return array.back().second;
}

PrintViewWithTable::InterpolationArray PrintViewWithTable::createInterpolationVariableArray()
{
    InterpolationArray array;
    for (const auto& [f, d] : {std::pair {0.0, 0.0},
                               {0.356, -0.5},
                               {0.448, 0.5},
                               {0.5, 0.25},
                               {0.5349, 0.25},
                               {0.6256, -1.0},
                               {0.7087, -1.0},
                               {0.7511, 0.5},
                               {0.8827, 0.5},
                               {1.0, 0.0}})
        addInterpolationValueToArray(array, f, d);
    return array;
}

PrintViewWithTable::InterpolationArray PrintViewWithTable::createInterpolationFixeArray()
{
    InterpolationArray array;
    for (const auto& [f, d] :
         {std::pair {0.0, 0.0}, {0.31, -0.75}, {0.4, 0.25}, {0.5, 0.0}, {0.62, -1.0}, {0.71, 0.0}, {1.0, 0.0}})
        addInterpolationValueToArray(array, f, d);
    return array;
}

PrintViewWithTable::InterpolationArray PrintViewWithTable::createInterpolationImageArray()
{
    InterpolationArray array;
    for (const auto& [f, d] : {std::pair {0.0, 0.0},
                               {0.31, 0.0},
                               {0.4, -0.75},
                               {0.45, -0.5},
                               {0.47, 0.25},
                               {0.56, 0.25},
                               {0.58, 0.0},
                               {0.58, -0.25},
                               {0.62, 0.0},
                               {0.82, -0.25},
                               {0.91, -0.25},
                               {1.0, 0.0}})
        addInterpolationValueToArray(array, f, d);
    return array;
}

#include "spreadsheet/FenTableurController.h"

#include "spreadsheet/PrintViewWithTableur.h"
#include "spreadsheet/ScrollViewTableur.h"
#include "spreadsheet/TableurInteraction.h"
#include "spreadsheet/ViewTableurCenter.h"
#include "spreadsheet/ViewTableurColumnHeaders.h"
#include "spreadsheet/ViewTableurRowHeaders.h"
#include "spreadsheet/tableurgeometry.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskIntegerNController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/drawing/drawing.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/windowutils.h"

#include "foundation/IDesktop.h"
#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kGridFontSize = 11;
constexpr double kFooterFontSize = 9;
constexpr int kInitialWidth = 720;
constexpr int kInitialHeight = 480;
constexpr int kArrowButtonWidth = 32;
constexpr int kPageButtonWidth = 84;

} // namespace

FenTableurController::FenTableurController()
    : m_interaction(std::make_unique<TableurInteraction>(*this))
{
}

FenTableurController::~FenTableurController() = default;

// ---------------------------------------------------------------------------------------------
// Colours

QColor FenTableurController::backgroundColorAtRow(long row, long column) const
{
    const CellObject* cell = m_drawWithZone ? nullptr : cellAtRow(row, column);
    if (cell && cell->state() == CellObject::kStateSelected)
        return backgroundColorForSelectedCellAtRow(row, column);
    if (cell && cell->state() == CellObject::kStateHilited)
        return backgroundColorForHilitedCellAtRow(row, column);
    return QColor(Qt::white);
}

QColor FenTableurController::backgroundColorForHeaderAtRow(long row) const
{
    const RowObject* header = m_drawWithZone ? nullptr : rowAtIndex(row);
    if (header && header->state() == CellObject::kStateSelected)
        return backgroundColorForSelectedHeaderAtRow(row);
    if (header && header->state() == CellObject::kStateHilited)
        return backgroundColorForHilitedHeaderAtRow(row);
    return defaultBackgroundColorForRowHeader();
}

QColor FenTableurController::backgroundColorForHeaderAtColumn(long column) const
{
    const ColumnObject* header = m_drawWithZone ? nullptr : columnAtIndex(column);
    if (header && header->state() == CellObject::kStateSelected)
        return backgroundColorForSelectedHeaderAtColumn(column);
    if (header && header->state() == CellObject::kStateHilited)
        return backgroundColorForHilitedHeaderAtColumn(column);
    return defaultBackgroundColorForColumnHeader();
}

// ---------------------------------------------------------------------------------------------
// Hooks

void FenTableurController::showColumnMenuAtIndex(long, const QPoint&) { }

void FenTableurController::showRowMenuAtIndex(long, const QPoint&) { }

void FenTableurController::showCellMenuAtRowIndex(long, long, const QPoint&) { }

void FenTableurController::didMouseDownInCrossBoxAtPoint(const QPointF&, const QPoint&) { }

QString FenTableurController::currentValueForCell(const CellObject* cell) const
{
    return cell ? cell->value() : QString();
}

void FenTableurController::fill()
{
    fillPageNavigation();
}

void FenTableurController::applyDevise(long) { }

QString FenTableurController::stringForFooterAtPage(long page, long numberOfPages) const
{
    return QStringLiteral("%1 - page %2/%3")
        .arg(dateToStringWithStyles(2, 1, SystemClock::now()))
        .arg(page)
        .arg(numberOfPages);
}

QString FenTableurController::PDFTitle() const
{
    return windowIfLoaded() ? windowIfLoaded()->windowTitle() : QString();
}

void FenTableurController::DEVISE(QObject* sender)
{
    pickers().DEVISE(sender);
    applyDevise(long(StdMenu::tagOf(sender)));
    makeRoomForFigures();
    joinScrollViews();
}

const QMetaObject* FenTableurController::classForPrinting() const
{
    return &PrintViewWithTableur::staticMetaObject;
}

// ---------------------------------------------------------------------------------------------
// The window

ViewTableurCenter* FenTableurController::viewTableurCenter() const
{
    return m_scrollview ? m_scrollview->viewTableurCenter() : nullptr;
}

ViewTableurRowHeaders* FenTableurController::viewTableurRowHeaders() const
{
    return m_scrollview ? m_scrollview->viewTableurRowHeaders() : nullptr;
}

ViewTableurColumnHeaders* FenTableurController::viewTableurColumnHeaders() const
{
    return m_scrollview ? m_scrollview->viewTableurColumnHeaders() : nullptr;
}

QWidget* FenTableurController::crossBox() const
{
    return m_scrollview ? m_scrollview->crossBox() : nullptr;
}

QWidget* FenTableurController::initialFirstResponder() const
{
    return m_scrollview;
}

QPushButton* FenTableurController::addButton(const QString& name, const QString& title, const QString& action)
{
    auto* button = new QPushButton(title);
    button->setObjectName(name);
    button->setProperty("sv_action", action);
    button->setAutoDefault(false);
    return button;
}

QWidget* FenTableurController::buildNavigator()
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_buttonFirstPage
        = addButton(QStringLiteral("buttonFirstPage"), QStringLiteral("«"), QStringLiteral("actionFirstPage:"));
    m_buttonPrevPage
        = addButton(QStringLiteral("buttonPrevPage"), QStringLiteral("‹"), QStringLiteral("actionPrevPage:"));
    m_buttonChangePage = addButton(QStringLiteral("buttonChangePage"), QString(), QStringLiteral("actionChangePage:"));
    m_buttonNextPage
        = addButton(QStringLiteral("buttonNextPage"), QStringLiteral("›"), QStringLiteral("actionNextPage:"));
    m_buttonLastPage
        = addButton(QStringLiteral("buttonLastPage"), QStringLiteral("»"), QStringLiteral("actionLastPage:"));
    for (QPushButton* button : {m_buttonFirstPage.data(), m_buttonPrevPage.data(), m_buttonChangePage.data(),
                                m_buttonNextPage.data(), m_buttonLastPage.data()}) {
        button->setFixedWidth(button == m_buttonChangePage ? kPageButtonWidth : kArrowButtonWidth);
        row->addWidget(button);
    }
    row->addSpacing(12);
    row->addWidget(new QLabel(localizedAppl(QStringLiteral("FenTableur_lignesParPage"))));
    m_fieldNbRowsPerPage = new QLineEdit;
    m_fieldNbRowsPerPage->setObjectName(QStringLiteral("fieldNbRowsPerPage"));
    m_fieldNbRowsPerPage->setFixedWidth(56);
    connect(m_fieldNbRowsPerPage, &QLineEdit::editingFinished, this, [this] { control(m_fieldNbRowsPerPage); });
    row->addWidget(m_fieldNbRowsPerPage);
    row->addStretch(1);
    m_buttonRotate = addButton(QStringLiteral("buttonRotate"), localizedAppl(QStringLiteral("FenTableur_pivoter")),
                               QStringLiteral("actionRotate:"));
    row->addWidget(m_buttonRotate);
    row->addWidget(buildExportButton());
    row->addWidget(addButton(QStringLiteral("buttonImprimer"), localizedAppl(QStringLiteral("MENU_IMPRIMER")),
                             QStringLiteral("IMPRIMER:")));
    return bar;
}

// The export formats are the items of one menu, each tagged with its format.
QPushButton* FenTableurController::buildExportButton()
{
    QPushButton* button
        = addButton(QStringLiteral("buttonExporter"), localizedAppl(QStringLiteral("MENU_IMPORT_EXPORTER")), QString());
    auto* menu = new QMenu(button);
    const std::tuple<const char*, const char*, int> items[] = {
        {"FenTableur_exporterTexte", "EXPORTER:", kImportFormatTab},
        {"FenTableur_exporterCSV", "EXPORTER:", kImportFormatCSV},
        {"FenTableur_exporterPDF", "EXPORTER_PDF:", 0},
    };
    for (const auto& [key, action, tag] : items) {
        QAction* item = menu->addAction(localizedAppl(QString::fromLatin1(key)));
        item->setObjectName(QString::fromLatin1(key));
        item->setData(tag);
        item->setProperty("sv_action", QString::fromLatin1(action));
    }
    button->setMenu(menu);
    return button;
}

void FenTableurController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenTableur"));
    m_scrollview = new ScrollViewTableur(this);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_scrollview, 1);
    layout->addWidget(buildNavigator());
    window.resize(kInitialWidth, kInitialHeight);
}

// ---------------------------------------------------------------------------------------------
// Building the grid

void FenTableurController::initRowsArray()
{
    buildRowsArray(*this, m_isRotated);
}

void FenTableurController::initColumsArray()
{
    buildColumnsArray(*this, m_isRotated);
}

void FenTableurController::initCellsArray()
{
    buildCellsArray(*this, m_isRotated);
}

void FenTableurController::initColors()
{
    if (m_scrollview)
        m_scrollview->setCrossBoxColors(gridColor(), backgroundColorForCrossBox());
}

void FenTableurController::didAwakeFromNib()
{
    StdWindowController::didAwakeFromNib();
    m_isRotated = false;
    m_drawWithZone = false;
    initAll();
}

void FenTableurController::initAll()
{
    m_interaction->reset();
    clearArrays();
    m_normalFont = defaultFont(kGridFontSize);
    m_boldFont = defaultBoldFont(kGridFontSize);
    m_alignment = defaultAlignment();
    m_currentWidthOfRowHeader = defaultWidthOfRowHeader();
    m_currentHeightOfColumnHeader = defaultHeightOfColumnHeader();
    m_currentPage = 1;
    m_numberOfRowsPerPage = defaultNumberOfRowsPerPage();
    initRowsArray();
    initColumsArray();
    makeRoomForFigures();
    initCellsArray();
    initColors();
    joinScrollViews();
    m_interaction->resetTrackingAreas();
    fill();
}

void FenTableurController::releaseAll()
{
    m_interaction->removeAllTrackingWidthAreas();
    m_interaction->reset();
    clearArrays();
}

void FenTableurController::inverseRotation()
{
    m_isRotated = !m_isRotated;
    releaseAll();
    initAll();
    gotoPage(1, true, true);
}

void FenTableurController::windowWillClose()
{
    StdWindowController::windowWillClose();
    releaseAll();
}

// ---------------------------------------------------------------------------------------------
// Layout and scrolling

void FenTableurController::joinScrollViews()
{
    if (m_scrollview)
        m_scrollview->joinAreas(widthOfRowHeader(), heightOfColumnHeader());
    resetContentSizes();
    drawScrollViews();
}

void FenTableurController::resetContentSizes()
{
    if (m_scrollview)
        m_scrollview->setContentSize(QSizeF(totalWidth() + 1, totalHeightOnScreen() + 1));
}

void FenTableurController::notifyScrolling()
{
    drawScrollViews();
}

void FenTableurController::displayView(QWidget* view)
{
    if (view)
        view->update();
}

void FenTableurController::drawScrollViews()
{
    displayView(viewTableurCenter());
    displayView(viewTableurRowHeaders());
    displayView(viewTableurColumnHeaders());
}

QPointF FenTableurController::currentScrollOrigine(const QWidget* band) const
{
    if (!m_scrollview || !band)
        return QPointF();
    const QPointF origin = m_scrollview->scrollOrigin();
    if (band == viewTableurRowHeaders())
        return QPointF(0, origin.y());
    if (band == viewTableurColumnHeaders())
        return QPointF(origin.x(), 0);
    return band == viewTableurCenter() ? origin : QPointF();
}

void FenTableurController::setCurrentScrollOrigine(const QWidget* band, const QPointF& point)
{
    if (!m_scrollview || !band)
        return;
    const QPointF origin = m_scrollview->scrollOrigin();
    if (band == viewTableurRowHeaders())
        m_scrollview->setScrollOrigin(QPointF(origin.x(), point.y()));
    else if (band == viewTableurColumnHeaders())
        m_scrollview->setScrollOrigin(QPointF(point.x(), origin.y()));
    else if (band == viewTableurCenter())
        m_scrollview->setScrollOrigin(point);
}

// ---------------------------------------------------------------------------------------------
// Sizes

float FenTableurController::totalHeightOnScreen() const
{
    const long first = firstRowInCurrentPage();
    return totalHeightFromRowIndex(first, first + numberOfRowsInCurrentPage() - 1);
}

void FenTableurController::changeWidthOfColumnAtIndex(long index, double width)
{
    if (ColumnObject* column = columnAtIndex(index))
        column->setSize(QSizeF(tableurTruncatedSize(width), 0));
    joinScrollViews();
}

void FenTableurController::changeHeightOfRowAtIndex(long index, double height)
{
    if (RowObject* row = rowAtIndex(index))
        row->setSize(QSizeF(0, tableurTruncatedSize(height)));
    joinScrollViews();
}

void FenTableurController::changeWidthOfRowsHeaderTo(double width)
{
    m_currentWidthOfRowHeader = tableurTruncatedSize(width);
    joinScrollViews();
}

void FenTableurController::changeHeightOfColumnsHeaderTo(double height)
{
    m_currentHeightOfColumnHeader = tableurTruncatedSize(height);
    joinScrollViews();
}

float FenTableurController::figureWidthOfColumn(long index) const
{
    return index >= 0 && size_t(index) < m_figureWidths.size() ? m_figureWidths[size_t(index)] : 0.0f;
}

// Cells of one column mostly share one font and one largest figure: each pair is measured once.
void FenTableurController::makeRoomForFigures()
{
    m_figureWidths.assign(size_t(numberOfColumns()), 0.0f);
    for (long c = 0; c < numberOfColumns(); ++c) {
        QString measuredText;
        QFont measuredFont;
        float& least = m_figureWidths[size_t(c)];
        for (long r = 0; r < numberOfRows(); ++r) {
            const QString largest = largestFigureAtRow(r, c);
            if (largest.isEmpty())
                continue;
            const QFont font = fontForCellAtRowIndex(r, c, kGridFontSize);
            if (largest == measuredText && font == measuredFont)
                continue;
            measuredText = largest;
            measuredFont = font;
            least = std::max(least, float(figureRoom(largest, font)) + kFigureInsets);
        }
        ColumnObject* column = columnAtIndex(c);
        if (column && column->width() < least)
            column->setSize(QSizeF(std::ceil(least), 0));
    }
}

// ---------------------------------------------------------------------------------------------
// Rotation

void FenTableurController::actionRotate(QObject*)
{
    askPoursuivre(this, QStringLiteral("ASSISTImportRotate"), QString(), true, false, [this](long answer) {
        if (answer != 0)
            inverseRotation();
    });
}

// ---------------------------------------------------------------------------------------------
// Pages

long FenTableurController::numberOfPages(long* rowsOnLastPage) const
{
    return tableurNumberOfPages(numberOfRows(), m_numberOfRowsPerPage, rowsOnLastPage);
}

long FenTableurController::numberOfRowsInCurrentPage() const
{
    return tableurRowsOnPage(m_currentPage, numberOfRows(), m_numberOfRowsPerPage);
}

long FenTableurController::firstRowInCurrentPage() const
{
    return tableurFirstRowOfPage(m_currentPage, m_numberOfRowsPerPage);
}

void FenTableurController::gotoPage(long page, bool gotoFirstRow, bool gotoFirstColumn)
{
    m_currentPage = std::clamp(page, 1L, numberOfPages());
    fillPageNavigation();
    resetContentSizes();
    const QPointF origin = m_scrollview ? m_scrollview->scrollOrigin() : QPointF();
    if (gotoFirstRow)
        setCurrentScrollOrigine(viewTableurRowHeaders(), QPointF(origin.x(), 0));
    if (gotoFirstColumn)
        setCurrentScrollOrigine(viewTableurColumnHeaders(), QPointF(0, origin.y()));
    m_interaction->resetRowTrackingHeightAreas();
    drawScrollViews();
}

void FenTableurController::fillPageNavigation()
{
    const long pages = numberOfPages();
    if (m_buttonChangePage) {
        m_buttonChangePage->setText(QStringLiteral("%1 / %2").arg(m_currentPage).arg(pages));
        m_buttonChangePage->setEnabled(pages > 1);
    }
    for (QPushButton* button : {m_buttonPrevPage.data(), m_buttonFirstPage.data()}) {
        if (button)
            button->setEnabled(m_currentPage > 1);
    }
    for (QPushButton* button : {m_buttonNextPage.data(), m_buttonLastPage.data()}) {
        if (button)
            button->setEnabled(m_currentPage < pages);
    }
    if (m_fieldNbRowsPerPage)
        m_fieldNbRowsPerPage->setText(QString::number(m_numberOfRowsPerPage));
}

void FenTableurController::actionFirstPage(QObject*)
{
    gotoPage(1, true, false);
}

void FenTableurController::actionPrevPage(QObject*)
{
    gotoPage(m_currentPage - 1, true, false);
}

void FenTableurController::actionNextPage(QObject*)
{
    gotoPage(m_currentPage + 1, true, false);
}

void FenTableurController::actionLastPage(QObject*)
{
    gotoPage(numberOfPages(), true, false);
}

void FenTableurController::actionChangePage(QObject*)
{
    long page = 1;
    if (askIntegerN(this, localizedAppl(QStringLiteral("GotoPage")), 1, &page))
        gotoPage(page, true, false);
}

bool FenTableurController::control(QObject* editedControl)
{
    if (!editedControl || editedControl != m_fieldNbRowsPerPage)
        return true;
    const long value = tableurClampedRowsPerPage(leadingIntegerValue(m_fieldNbRowsPerPage->text()));
    m_fieldNbRowsPerPage->setText(QString::number(value));
    m_numberOfRowsPerPage = value;
    gotoPage(1, true, false);
    m_fieldNbRowsPerPage->clearFocus();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Zones

void FenTableurController::drawTableurWithZone(QPainter& painter, long rowIndex1, long rowIndex2, long columnIndex1,
                                               long columnIndex2, double factor, PrintOperation* operation,
                                               const QRectF& pageRect)
{
    m_drawWithZone = true;
    m_printOperation = operation;
    m_usePageRect = pageRect;
    m_zoneRowIndex1 = rowIndex1;
    m_zoneRowIndex2 = rowIndex2;
    m_zoneColumnIndex1 = columnIndex1;
    m_zoneColumnIndex2 = columnIndex2;
    m_zoneFactor = float(factor);
    drawBand(viewTableurColumnHeaders(), painter);
    drawBand(viewTableurRowHeaders(), painter);
    drawBand(viewTableurCenter(), painter);
}

void FenTableurController::drawBand(ViewTableur* band, QPainter& painter)
{
    if (!band)
        return;
    painter.save();
    band->drawRect(painter);
    painter.restore();
}

void FenTableurController::didDrawTableurWithZone()
{
    m_drawWithZone = false;
    m_printOperation = nullptr;
    m_usePageRect = QRectF();
}

void FenTableurController::drawTableurFooter(QPainter& painter, long page, long nbPages, const QRectF& rect,
                                             double factor)
{
    // The footer carries the page numbers: a long configuration name makes its font smaller
    // rather than run it off the page.
    const QString footer = stringForFooterAtPage(page, nbPages);
    const QRectF room = rect.adjusted(3, 1, -3, -1);
    QFont font = fontForFooter(kFooterFontSize * factor);
    while (font.pixelSize() > 1 && figureAdvance(footer, font, painter.device()) > room.width())
        font.setPixelSize(font.pixelSize() - 1);
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    drawFigure(painter, room, Qt::AlignRight | Qt::AlignTop, footer);
    painter.restore();
}

QRectF FenTableurController::rectForFooter(const QRectF& rect, double factor) const
{
    return tableurRectForFooter(rect, heightOfFooter(), factor);
}

// ---------------------------------------------------------------------------------------------
// PDF

void FenTableurController::EXPORTER_PDF(QObject*)
{
    const QSizeF size(widthOfRowHeader() + totalWidth(),
                      heightOfColumnHeader() + totalHeightFromRowIndex(0, numberOfRows() - 1) + heightOfFooter());
    printInPDF(QRectF(QPointF(), size), 1);
}

// One page as large as the grid, unless that passes what PDF readers open: then the drawing is
// scaled down to fit, still on one page.
bool FenTableurController::printInPDF(const QRectF& rect, double factor)
{
    const QString path = runSavePanel(QStringLiteral("Nommez-moi"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    const double scale = tableurPdfFactor(rect.size(), factor);
    const QSizeF page(std::ceil(rect.width() * scale), std::ceil(rect.height() * scale));
    // Drawn in memory, then written whole through a temporary file: a place that can't be written
    // leaves nothing half made there.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    bool written = false;
    {
        QPdfWriter writer(&bytes);
        writer.setResolution(72);
        writer.setTitle(PDFTitle());
        writer.setCreator(PDFCreator());
        writer.setPageLayout(QPageLayout(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
        QPainter painter;
        written = painter.begin(&writer);
        if (written) {
            renderPdf(painter, QRectF(QPointF(), rect.size() * scale), scale);
            written = painter.end();
        }
    }
    didDrawTableurWithZone();
    QSaveFile out(path);
    written = written && out.open(QIODevice::WriteOnly) && out.write(bytes.data()) == bytes.size() && out.commit();
    if (!written) {
        svLog(QStringLiteral("cannot write the PDF %1").arg(path));
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_PrintPdfFailed")), path, QStringLiteral("exporter"),
                    0);
        return false;
    }
    HelperSVWorkspace::tryToOpenFileAtPath(path);
    return true;
}

void FenTableurController::renderPdf(QPainter& painter, const QRectF& page, double factor)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawTableurWithZone(painter, 0, numberOfRows() - 1, 0, numberOfColumns() - 1, factor, nullptr, page);
    drawTableurFooter(painter, 1, 1, rectForFooter(page, factor), factor);
}

// ---------------------------------------------------------------------------------------------
// Export

void FenTableurController::EXPORTER(QObject* sender)
{
    const int format = StdMenu::tagOf(sender) == kImportFormatCSV ? kImportFormatCSV : kImportFormatTab;
    const QString path = runSavePanel(QStringLiteral("Nouvel export"),
                                      format == kImportFormatCSV ? QStringLiteral("csv") : QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    const QByteArray bytes = stringToExport(format).toUtf8();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        svLog(QStringLiteral("cannot export to %1: %2").arg(path, out.errorString()));
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_ExportTableurFailed")), path,
                    QStringLiteral("exporter"), 0);
        return;
    }
    HelperSVWorkspace::tryToOpenFileAtPath(path);
}

// A line always ends, even one with no column: the header line of a table without columns
// holds the corner alone, and each of its rows its header alone.
QString FenTableurController::stringToExport(int format) const
{
    const QChar separator = exportFieldSeparator(format);
    const QChar lineEnd = exportLineEnd(format);
    const long rows = std::max(0L, numberOfRowsInDataSource());
    const long columns = std::max(0L, numberOfColumnsInDataSource());
    auto endField = [&](long column) { return column == columns - 1 ? lineEnd : separator; };

    QString text = exportSanitizeField(stringForFooterAtPage(1, 1), format);
    text += QString(columns, separator) + lineEnd;
    text += separator;
    for (long c = 0; c < columns; ++c)
        text += exportSanitizeField(valueAtColumnHeaderInDataSource(c), format) + endField(c);
    if (columns < 1)
        text += lineEnd;
    for (long r = 0; r < rows; ++r) {
        text += exportSanitizeField(valueAtRowHeaderInDataSource(r), format) + separator;
        for (long c = 0; c < columns; ++c) {
            // Transposing is its own inverse: the display position of a data position.
            const TableurDataPosition shown = tableurDataPosition(r, c, m_isRotated);
            text += exportSanitizeField(currentValueForCell(cellAtRow(shown.row, shown.column)), format) + endField(c);
        }
        if (columns < 1)
            text += lineEnd;
    }
    return text;
}

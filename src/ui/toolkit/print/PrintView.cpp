#include "toolkit/print/PrintView.h"

#include "toolkit/windows/StdWindowController.h"

#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPointsPerInch = 72.0;

QLabel* titleField(QWidget* titleView, const char* name)
{
    return titleView ? titleView->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
}

} // namespace

PrintView::PrintView(StdWindowController* delegate)
    : m_delegate(delegate)
{
}

bool PrintView::knowsPageRange(long* first, long* count) const
{
    if (first)
        *first = 1;
    if (count)
        *count = m_nbPages;
    return true;
}

QRectF PrintView::rectForPage(long) const
{
    return QRectF();
}

void PrintView::spoolPrintOperation(PrintOperation&) { }

void PrintView::drawRect(QPainter&, const QRectF&) { }

void PrintView::printInfoDidChange()
{
    if (!m_printOperation)
        return;
    const QSizeF paper = m_printOperation->printInfo().paperSize;
    if (paper == m_lastPaperSize)
        return;
    m_lastPaperSize = paper;
    respool();
}

void PrintView::respool()
{
    if (!m_printOperation)
        return;
    spoolPrintOperation(*m_printOperation);
    emit didSpool();
}

QPointF PrintView::paperOriginForPage(long) const
{
    if (!m_printOperation)
        return QPointF();
    return m_printOperation->printInfo().printableRect().topLeft();
}

void PrintView::paintPage(QPainter& painter, long page)
{
    const QRectF rect = rectForPage(page);
    if (rect.isEmpty() || page < 1 || page > m_nbPages)
        return;
    const QPointF origin = paperOriginForPage(page);
    QRectF clip(origin, rect.size());
    if (m_printOperation) {
        clip = clip.intersected(m_printOperation->printInfo().printableRect());
        m_printOperation->setCurrentPage(page);
    }
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.translate(origin - rect.topLeft());
    drawRect(painter, rect);
    painter.restore();
}

QImage PrintView::pageImage(long page, double pixelsPerPoint)
{
    const QSizeF paper = m_printOperation ? m_printOperation->printInfo().paperSize : QSizeF();
    const QSize pixels = (paper * pixelsPerPoint).toSize();
    if (pixels.isEmpty())
        return QImage();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    paintPage(painter, page);
    return image;
}

bool PrintView::printTo(QPrinter& printer)
{
    printer.setFullPage(true);
    QPainter painter;
    if (m_nbPages < 1 || !painter.begin(&printer))
        return false;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const double scale = printer.resolution() / kPointsPerInch;
    const long first = printer.fromPage() > 0 ? std::max<long>(printer.fromPage(), 1) : 1;
    const long last = printer.toPage() > 0 ? std::min<long>(printer.toPage(), m_nbPages) : m_nbPages;
    for (long page = first; page <= last; ++page) {
        if (page > first && !printer.newPage())
            break;
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, page);
        painter.restore();
    }
    return painter.end();
}

bool PrintView::writePdf(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (m_printOperation)
        printer.setPageLayout(m_printOperation->printInfo().pageLayout());
    return printTo(printer) && QFileInfo(path).size() > 0;
}

// ---------------------------------------------------------------------------------------------

void PrintDelegate::paintPrintTitre()
{
    auto* controller = dynamic_cast<StdWindowController*>(this);
    QWidget* window = controller ? controller->windowIfLoaded() : nullptr;
    if (QLabel* field = titleField(viewTitre(), "field_titre"))
        field->setText(window ? window->windowTitle() : QString());
}

void PrintDelegate::paintPrintTete()
{
    paintPrintTitre();
    if (QLabel* field = titleField(viewTitre(), "field_date"))
        field->setText(dateToStringWithStyles(2, 2, SystemClock::now()));
}

void PrintDelegate::paintPrintTetePage(long page, long nb)
{
    if (QLabel* field = titleField(viewTitre(), "field_page"))
        field->setText(QStringLiteral("%1/%2").arg(page).arg(nb));
}

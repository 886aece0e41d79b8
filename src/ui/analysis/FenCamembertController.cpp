#include "analysis/FenCamembertController.h"

#include "analysis/ViewCamembert.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "toolkit/print/PrintOperation.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QVBoxLayout>

namespace {

QString docName()
{
    const DOCUMENT* doc = currentDocument();
    return doc ? doc->getDocLoadName() : QString();
}

} // namespace

FenCamembertController* openCamembertWindow(const Camembert& camembert, long devise)
{
    WindowDataPtr data = makeWindowData({{QStringLiteral("camembert"), QVariant::fromValue(camembert)}});
    return StdWindowController::push<FenCamembertController>(data, devise, true);
}

void FenCamembertController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenCamembert"));
    m_view = new ViewCamembert(&window);
    m_view->setDocName(docName());
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void FenCamembertController::didAwakeFromNib()
{
    windowIfLoaded()->setWindowOpacity(0.95);
    m_camembert = getData()->value(QStringLiteral("camembert")).value<Camembert>();
    m_view->setCamembert(m_camembert);
    windowIfLoaded()->setWindowTitle(m_camembert.title());
    StdWindowController::didAwakeFromNib();
}

QByteArray FenCamembertController::pdfBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    const QSizeF size = m_view->size();
    writer.setPageSize(QPageSize(size, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(72);
    QPainter painter(&writer);
    drawCamembert(painter, QRectF(QPointF(), size), m_camembert, true, 1, m_view->docName());
    painter.end();
    return bytes;
}

QImage FenCamembertController::pngImage() const
{
    return m_view->grab().toImage();
}

void FenCamembertController::copy(QObject*)
{
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/pdf"), pdfBytes());
    mime->setImageData(pngImage());
    QApplication::clipboard()->setMimeData(mime);
}

void FenCamembertController::printTheView(QPainter& painter, const QRectF& rect, PrintOperation& operation)
{
    const PrintInfo& info = operation.printInfo();
    const double factor = info.svOptionEchelle ? *info.svOptionEchelle / 100.0 : 1.0;
    drawCamembert(painter, camembertPrintSquare(rect), m_camembert, true, factor, m_view->docName());
}

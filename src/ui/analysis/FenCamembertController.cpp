#include "analysis/FenCamembertController.h"

#include "analysis/ViewCamembert.h"
#include "toolkit/print/drawingcopy.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "toolkit/print/PrintOperation.h"

#include <QPainter>
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

void FenCamembertController::copy(QObject*)
{
    copyViewDrawing(*m_view, [this](QPainter& painter, const QRectF& rect) {
        drawCamembert(painter, rect, m_camembert, true, 1, m_view->docName());
    });
}

void FenCamembertController::printTheView(QPainter& painter, const QRectF& rect, PrintOperation& operation)
{
    const PrintInfo& info = operation.printInfo();
    const double factor = info.svOptionEchelle ? *info.svOptionEchelle / 100.0 : 1.0;
    drawCamembert(painter, camembertPrintSquare(rect), m_camembert, true, factor, m_view->docName());
}

#include "toolkit/print/PrintViewWithView.h"

#include "toolkit/windows/StdWindowController.h"

PrintViewWithView::PrintViewWithView(StdWindowController* delegate)
    : PrintView(delegate)
{
}

void PrintViewWithView::spoolPrintOperation(PrintOperation& operation)
{
    const PrintInfo& info = operation.printInfo();
    setNbPages(1);
    setFactor(info.svOptionEchelle ? *info.svOptionEchelle / 100.0 : 1.0);
    const double printableWidth = info.paperSize.width() - info.leftMargin - info.rightMargin;
    const double printableHeight = info.paperSize.height() - info.topMargin - info.bottomMargin;
    const double width = factor() * printableWidth;
    const double height = factor() * printableHeight;
    setFrame(QRectF(info.leftMargin + (printableWidth - width) * 0.5, info.topMargin + (printableHeight - height) * 0.5,
                    width, height));
}

QRectF PrintViewWithView::rectForPage(long) const
{
    return frame();
}

QPointF PrintViewWithView::paperOriginForPage(long) const
{
    return frame().topLeft();
}

void PrintViewWithView::drawRect(QPainter& painter, const QRectF&)
{
    auto* window = dynamic_cast<PrintViewDelegate*>(delegate());
    if (window && printOperation())
        window->printTheView(painter, frame(), *printOperation());
}

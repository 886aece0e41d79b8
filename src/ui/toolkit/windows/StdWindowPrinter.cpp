#include "toolkit/windows/StdWindowPrinter.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/print/PrintAccessoryViewController.h"
#include "toolkit/print/PrintView.h"
#include "toolkit/windows/StdWindowController.h"

#include "document/APPLIPARAM.h"

#include <memory>

StdWindowPrinter::StdWindowPrinter(StdWindowController& controller)
    : m_controller(controller)
{
}

PrintView* StdWindowPrinter::newPrintView(const QMetaObject* printClass)
{
    if (!printClass)
        return nullptr;
    QObject* object = printClass->newInstance(Q_ARG(StdWindowController*, &m_controller));
    auto* view = qobject_cast<PrintView*>(object);
    if (!view)
        delete object;
    return view;
}

void StdWindowPrinter::STD_IMPRIMER_NEW(const QMetaObject* printClass, bool accessories)
{
    PrintInfo& shared = PrintInfo::sharedPrintInfo();
    changePrintInfoIfNecessary(shared);
    const std::unique_ptr<PrintView> view(newPrintView(printClass));
    if (!view)
        return;
    PrintOperation operation(view.get(), shared);
    view->setPrintOperation(&operation);
    view->spoolPrintOperation(operation);
    std::unique_ptr<PrintAccessoryViewController> accessory;
    if (accessories) {
        accessory = std::make_unique<PrintAccessoryViewController>(&operation, &m_controller);
        accessory->setRepresentedObject(operation.printInfo());
    }
    const bool printed
        = UiHost::instance().print().runPrintOperation({&operation, accessory.get(), m_controller.windowIfLoaded()});
    accessory.reset();
    view->setPrintOperation(nullptr);
    // The paper and orientation chosen stay for the next print.
    shared = operation.printInfo();
    printOperationDidRun(operation, printed);
}

void StdWindowPrinter::changePrintInfoIfNecessary(PrintInfo& info) const
{
    const APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    info.setOrientation(m_controller.currentOrientation());
    info.leftMargin = parameters.svOptionMargeLeft;
    info.topMargin = parameters.svOptionMargeTop;
    info.rightMargin = parameters.svOptionMargeRight;
    info.bottomMargin = parameters.svOptionMargeBottom;
    info.svOptionFondsColores = parameters.svOptionFondsColores;
    info.svOptionTextesColores = parameters.svOptionTextesColores;
    info.svOptionAddBorders = parameters.svOptionAddBorders;
    info.svOptionPrintImages = parameters.svOptionPrintImages;
    info.svOptionGroupees = parameters.svOptionGroupees;
    info.svOptionEchelle = parameters.svOptionEchelle;
}

void StdWindowPrinter::printOperationDidRun(PrintOperation& operation, bool success)
{
    Q_UNUSED(success);
    const PrintInfo& info = operation.printInfo();
    m_controller.setCurrentOrientation(info.orientation);
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.svOptionMargeLeft = float(info.leftMargin);
    parameters.svOptionMargeTop = float(info.topMargin);
    parameters.svOptionMargeRight = float(info.rightMargin);
    parameters.svOptionMargeBottom = float(info.bottomMargin);
    parameters.svOptionFondsColores = info.svOptionFondsColores;
    parameters.svOptionTextesColores = info.svOptionTextesColores;
    parameters.svOptionAddBorders = info.svOptionAddBorders;
    parameters.svOptionPrintImages = info.svOptionPrintImages;
    parameters.svOptionGroupees = info.svOptionGroupees;
    parameters.svOptionEchelle = float(info.svOptionEchelle.value_or(parameters.svOptionEchelle));
    APPLIPARAM::saveAppliParam();
}

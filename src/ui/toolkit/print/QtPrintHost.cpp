#include "toolkit/print/QtPrintHost.h"

#include "toolkit/print/PrintAccessoryViewController.h"
#include "toolkit/print/PrintView.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "toolkit/windows/windowutils.h"

#include "foundation/IAlerts.h"
#include "foundation/localized.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class PrintPanel : public QDialog {
public:
    PrintPanel(const PrintRequest& request, QWidget* parent);
    ~PrintPanel() override;

private:
    QPushButton* addButton(QVBoxLayout* column, const QString& title, const char* name);
    void pageSetup();
    void print();
    void savePdf();

    PrintOperation& m_operation;
    PrintAccessoryViewController* m_accessory;
    QPrinter m_printer {QPrinter::HighResolution};
    QPrintPreviewWidget* m_preview;
};

PrintPanel::PrintPanel(const PrintRequest& request, QWidget* parent)
    : QDialog(parent)
    , m_operation(*request.operation)
    , m_accessory(request.accessory)
{
    setObjectName(QStringLiteral("PrintPanel"));
    setWindowTitle(localizedMisc(QStringLiteral("kMisc_PrintPanelTitle")));
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    m_printer.setFullPage(true);
    m_printer.setPageLayout(m_operation.printInfo().pageLayout());
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setMinimumSize(420, 520);
    PrintView* view = m_operation.view();
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [view](QPrinter* printer) {
        if (view)
            view->printTo(*printer);
    });
    connect(view, &PrintView::didSpool, m_preview, &QPrintPreviewWidget::updatePreview);

    auto* column = new QVBoxLayout;
    if (m_accessory)
        column->addWidget(m_accessory);
    column->addStretch(1);
    connect(addButton(column, localizedMisc(QStringLiteral("kMisc_PrintMiseEnPage")), "button_mise_en_page"),
            &QPushButton::clicked, this, &PrintPanel::pageSetup);
    connect(addButton(column, localizedMisc(QStringLiteral("kMisc_PrintPDF")), "button_pdf"), &QPushButton::clicked,
            this, &PrintPanel::savePdf);
    QPushButton* printButton
        = addButton(column, localizedMisc(QStringLiteral("kMisc_PrintImprimer")), "button_imprimer");
    printButton->setDefault(true);
    connect(printButton, &QPushButton::clicked, this, &PrintPanel::print);
    connect(addButton(column, localizedMisc(QStringLiteral("kMisc_PrintAnnuler")), "button_annuler"),
            &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(column);
}

// The options panel belongs to the print driver, not to the panel; the preview goes before the
// printer it draws on.
PrintPanel::~PrintPanel()
{
    if (m_accessory)
        m_accessory->setParent(nullptr);
    delete m_preview;
}

QPushButton* PrintPanel::addButton(QVBoxLayout* column, const QString& title, const char* name)
{
    auto* button = new QPushButton(title, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

void PrintPanel::pageSetup()
{
    QPageSetupDialog setup(&m_printer, this);
    const ModalRunScope scope(&setup);
    if (setup.exec() != QDialog::Accepted)
        return;
    m_printer.setFullPage(true);
    m_operation.setPageLayout(m_printer.pageLayout());
    m_preview->updatePreview();
}

void PrintPanel::print()
{
    QPrintDialog dialog(&m_printer, this);
    if (PrintView* view = m_operation.view())
        dialog.setMinMax(1, int(std::max(1L, view->nbPages())));
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintToFile);
    {
        const ModalRunScope scope(&dialog);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    m_operation.setPageLayout(m_printer.pageLayout());
    PrintView* view = m_operation.view();
    if (view && view->printTo(m_printer))
        accept();
}

void PrintPanel::savePdf()
{
    PrintView* view = m_operation.view();
    QString name = parentWidget() ? parentWidget()->windowTitle() : QString();
    if (name.isEmpty())
        name = localizedMisc(QStringLiteral("kMisc_PrintPanelTitle"));
    const QString path = runSavePanel(name + QStringLiteral(".pdf"), QStringLiteral("pdf"));
    if (path.isEmpty() || !view)
        return;
    if (view->writePdf(path))
        accept();
    else
        alertKey(QStringLiteral("kAlerte_PrintPdfFailed"), this);
}

} // namespace

bool QtPrintHost::runPrintOperation(const PrintRequest& request)
{
    if (!request.operation || !request.operation->view())
        return false;
    QWidget* parent = request.window ? request.window->window() : nullptr;
    PrintPanel panel(request, parent);
    // Waited on as a question is: a quit typed in another window brings it forward to be closed.
    ModalRunScope scope(&panel);
    // Placed as every window is before it shows: left to Qt, the panel centres itself on its
    // window and its title bar may end up under the tool palette, where it can't be moved.
    StdWindowPlacement::keepOnScreen(&panel, parent);
    return panel.exec() == QDialog::Accepted;
}

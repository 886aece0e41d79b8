#include "transactions/SaisieDocumentsPanel.h"

#include "transactions/FenEditSaisieController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/tables/StdTableView.h"

#include "document/DocContext.h"
#include "foundation/IDesktop.h"
#include "foundation/localized.h"
#include "model/AttachedDocuments.h"
#include "model/DOCUMENT.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

SaisieDocumentsPanel::SaisieDocumentsPanel(FenEditSaisieController& window)
    : m_window(window)
{
}

int SaisieDocumentsPanel::selectedRow() const
{
    StdTableView* table = m_window.controls().table2;
    const IndexSet rows = table ? table->selectedRowIndexes() : IndexSet();
    return rows.size() == 1 ? *rows.begin() : -1;
}

void SaisieDocumentsPanel::ADD_DOCUMENT()
{
    OpenPanelRequest request;
    request.title = localizedMisc(QStringLiteral("kMisc_OpenTitle"));
    request.prompt = localizedMisc(QStringLiteral("kMisc_OpenPrompt"));
    const QString path = UiHost::instance().panels().open(request);
    if (path.isEmpty())
        return;
    AttachedDocument attached;
    attached.docVisibleName = cleanDocumentName(QFileInfo(path).fileName());
    attached.docUrl = path;
    m_window.rec().attachedDocuments.append(attached);
    reload();
    m_window.updateTabView();
}

void SaisieDocumentsPanel::SUPPRIMER_DOCUMENT(long row)
{
    const AttachedDocument* attached = m_window.rec().attachedDocumentAtIndex(row);
    if (!attached)
        return;
    const QVariantMap question {
        {QStringLiteral("window"), QVariant::fromValue<QObject*>(&m_window)},
        {QStringLiteral("title"), Dialog::keyString(QStringLiteral("kConfirm_SuppAttachedDocument"))},
        {QStringLiteral("information"), attached->docVisibleName},
        {QStringLiteral("imageName"), QStringLiteral("document")},
        {QStringLiteral("escapeButton"), kAlertFirstButton},
    };
    bool remove = false;
    Dialog::undoConfirmationWithDictionary(question, [&remove](int code) { remove = code == kAlertSecondButton; });
    if (!remove)
        return;
    if (!attached->docStoreName.isEmpty())
        m_window.storedDocToDelete().append(attached->docStoreName);
    m_window.rec().attachedDocuments.removeAt(row);
    reload();
    m_window.updateTabView();
}

QString SaisieDocumentsPanel::pathOfDocumentAtRow(int row) const
{
    const AttachedDocument* attached = m_window.rec().attachedDocumentAtIndex(row);
    if (!attached)
        return QString();
    if (!attached->docUrl.isEmpty())
        return attached->docUrl;
    const DOCUMENT* doc = currentDocument();
    return doc ? storedAttachedDocumentPath(*doc, attached->docStoreName) : QString();
}

void SaisieDocumentsPanel::openDocumentAtRow(int row)
{
    const QString path = pathOfDocumentAtRow(row);
    if (!path.isEmpty())
        HelperSVWorkspace::tryToOpenFileAtPath(path);
}

int SaisieDocumentsPanel::numberOfRows() const
{
    const int count = int(m_window.rec().nbAttachedDocuments());
    if (QLabel* none = m_window.controls().fieldNoDocument)
        none->setVisible(count == 0);
    return count;
}

StdCell* SaisieDocumentsPanel::cellForRow(int row)
{
    const AttachedDocument* attached = m_window.rec().attachedDocumentAtIndex(row);
    if (!attached)
        return nullptr;
    m_cell.fill(*attached, row == selectedRow());
    return &m_cell;
}

void SaisieDocumentsPanel::reload()
{
    if (StdTableView* table = m_window.controls().table2)
        table->reloadData();
    numberOfRows();
}

bool SaisieDocumentsPanel::clickInTable(const QPoint& viewportPoint)
{
    StdTableView* table = m_window.controls().table2;
    const int row = table->rowAt(viewportPoint.y());
    if (row < 0 || row != selectedRow())
        return false;
    const QRect rowRect = table->visualRect(table->model()->index(row, 0));
    if (!m_cell.supprimerRectInRow(rowRect.size()).translated(rowRect.topLeft()).contains(viewportPoint))
        return false;
    QAction tagged;
    tagged.setData(row);
    m_window.SUPPRIMER_DOCUMENT(&tagged);
    return true;
}

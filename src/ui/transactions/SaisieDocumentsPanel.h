#pragma once
// The attached files of the transaction being entered, on the entry window's last tab. A file
// chosen here is copied into the document when the document is saved; a stored file removed here
// is only queued, and handed to the document's deletion list when the entry is accepted, so that
// Cancel loses nothing.
#include "transactions/CellDocument.h"

#include <QPoint>

class FenEditSaisieController;

class SaisieDocumentsPanel {
public:
    explicit SaisieDocumentsPanel(FenEditSaisieController& window);

    void ADD_DOCUMENT();
    void SUPPRIMER_DOCUMENT(long row);
    // Opens the file with the desktop's application; a row outside the files does nothing.
    void openDocumentAtRow(int row);
    // Where a row's file is: the file chosen, or its stored copy in the document.
    QString pathOfDocumentAtRow(int row) const;

    int numberOfRows() const;
    StdCell* cellForRow(int row);
    void reload();
    bool clickInTable(const QPoint& viewportPoint);

private:
    int selectedRow() const;

    FenEditSaisieController& m_window;
    CellDocument m_cell;
};

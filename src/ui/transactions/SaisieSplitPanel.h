#pragma once
// The split tab of the entry window: the split box's effects, the table of lines with its
// footer, and the line editor beside it. The arithmetic of the lines is the SplitEditor's; this
// panel shows it, asks through the window and keeps the amount field and tax split in step.
#include "transactions/CellDetail.h"

#include "engines/SplitEditor.h"

#include <QPoint>

#include <memory>

class DrawerDetail;
class FenEditSaisieController;

class SaisieSplitPanel {
public:
    explicit SaisieSplitPanel(FenEditSaisieController& window);
    ~SaisieSplitPanel();

    DrawerDetail& drawer() const { return *m_drawer; }
    // Forgets the reference line: the transaction reopens, or a macro replaced it.
    void resetEditor();
    bool hasMontantReference() const { return m_editor->hasMontantReference(); }
    // A line is selected and may be changed (not the reference line).
    bool canChangeDetail() const;

    // The split box was clicked.
    void GROUPEE();
    void transformGroupee(bool on);
    void SHOW_GROUPEE();
    // Hides the split content when the transaction has no lines or is a simulation row.
    void updateButtonGroupee();
    // The line editor and its buttons work only while the transaction is not locked.
    void updateLockGroupee();

    void ADD_DETAIL();
    void MODIFIER_DETAIL();
    // A row outside the lines does nothing.
    void SUPPRIMER_DETAIL(long row);
    void MULTI_NOTE(long row);
    // The amount := the sum of the lines, shown with its tax split and in the footer.
    void COMPUTE_TOTAUX_DETAIL();
    void PRINT_PIED();

    int numberOfRows() const;
    StdCell* cellForRow(int row);
    void tableViewSelectionDidChange();
    // A click on a row's drawn button; true when it was one.
    bool clickInTable(const QPoint& viewportPoint);

private:
    void afterChange(long rowToSelect);
    void refused();
    long selectedRow() const;

    FenEditSaisieController& m_window;
    DrawerDetail* m_drawer;
    std::unique_ptr<SplitEditor> m_editor;
    CellDetail m_cell;
};

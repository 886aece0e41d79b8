#include "transactions/SaisieSplitPanel.h"

#include "transactions/DrawerDetail.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldMontantSaisie.h"

#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/tables/StdTableView.h"

#include "document/DocContext.h"
#include "foundation/IDesktop.h"
#include "model/DOCUMENT.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>

SaisieSplitPanel::SaisieSplitPanel(FenEditSaisieController& window)
    : m_window(window)
    , m_drawer(new DrawerDetail(window))
{
    resetEditor();
}

SaisieSplitPanel::~SaisieSplitPanel() = default;

void SaisieSplitPanel::resetEditor()
{
    m_editor
        = std::make_unique<SplitEditor>(m_window.rec(), TextFieldMontant::openDocumentDevises(), m_window.dialogs());
}

long SaisieSplitPanel::selectedRow() const
{
    StdTableView* table = m_window.controls().table1;
    if (!table)
        return -1;
    const IndexSet rows = table->selectedRowIndexes();
    return rows.size() == 1 ? long(*rows.begin()) : -1;
}

bool SaisieSplitPanel::canChangeDetail() const
{
    return m_editor->canChangeDetail(selectedRow());
}

void SaisieSplitPanel::GROUPEE()
{
    const SaisieControls& c = m_window.controls();
    if (!c.checkbox_groupee->isChecked()) {
        if (m_editor->askTransformOff())
            transformGroupee(false);
    } else {
        transformGroupee(true);
        c.tabView->setCurrentIndex(kTabGroupage);
    }
    m_window.FILL_TRANS_GROUPEE();
    m_window.FILL_TRANS_MONTANT();
    m_window.FILL_TRANS_POSTE();
    m_window.pickers().FILL_POSTE();
    updateButtonGroupee();
}

void SaisieSplitPanel::transformGroupee(bool on)
{
    if (!on) {
        m_editor->transformGroupee(false, -1, MONTANT());
        m_window.controls().table1->reloadData();
        return;
    }
    const MONTANT montant = FenEditSaisieController::montantOf(m_window.controls().field_montant);
    m_editor->transformGroupee(true, m_window.pickers().posteID, montant);
    SHOW_GROUPEE();
}

void SaisieSplitPanel::SHOW_GROUPEE()
{
    COMPUTE_TOTAUX_DETAIL();
    StdTableView* table = m_window.controls().table1;
    table->reloadData();
    if (!m_window.locked() && numberOfRows() > 0)
        table->GO(0);
    updateLockGroupee();
}

void SaisieSplitPanel::updateButtonGroupee()
{
    const SaisieControls& c = m_window.controls();
    const bool hidden = m_window.rec().nbMultis() == 0 || m_window.data().forSimul;
    c.viewHideGroupee->setVisible(hidden);
    c.boxGroupee->setVisible(!hidden);
    m_window.updateTabView();
}

void SaisieSplitPanel::updateLockGroupee()
{
    m_drawer->setEnabled(!m_window.locked());
}

void SaisieSplitPanel::refused()
{
    beep();
    m_drawer->SELECT_POSTE();
}

void SaisieSplitPanel::afterChange(long rowToSelect)
{
    StdTableView* table = m_window.controls().table1;
    table->reloadData();
    if (rowToSelect >= 0 && rowToSelect < numberOfRows())
        table->GO(int(rowToSelect));
    COMPUTE_TOTAUX_DETAIL();
    m_drawer->SELECT_POSTE();
}

void SaisieSplitPanel::ADD_DETAIL()
{
    switch (m_editor->ADD_DETAIL(m_drawer->getPosteID(), m_drawer->readMontant())) {
    case SplitEditor::Result::Done:
        afterChange(numberOfRows() - 1);
        break;
    case SplitEditor::Result::Refused:
        refused();
        break;
    case SplitEditor::Result::Cancelled:
    case SplitEditor::Result::ReferenceDropped:
        break;
    }
}

void SaisieSplitPanel::MODIFIER_DETAIL()
{
    const long row = selectedRow();
    switch (m_editor->MODIFIER_DETAIL(row, m_drawer->getPosteID(), m_drawer->readMontant())) {
    case SplitEditor::Result::Done:
        afterChange(row);
        break;
    case SplitEditor::Result::ReferenceDropped:
        afterChange(row - 1);
        break;
    case SplitEditor::Result::Refused:
        refused();
        break;
    case SplitEditor::Result::Cancelled:
        break;
    }
}

void SaisieSplitPanel::SUPPRIMER_DETAIL(long row)
{
    if (m_window.locked() || m_editor->SUPPRIMER_DETAIL(row) != SplitEditor::Result::Done)
        return;
    COMPUTE_TOTAUX_DETAIL();
    m_window.controls().table1->reloadData();
    if (m_window.rec().nbMultis() == 0) {
        m_window.FILL_TRANS_GROUPEE();
        m_window.FILL_TRANS_MONTANT();
        m_window.FILL_TRANS_POSTE();
        updateButtonGroupee();
    }
}

void SaisieSplitPanel::MULTI_NOTE(long row)
{
    MULTI* line = m_window.rec().multiAtIndex(row);
    if (!line)
        return;
    QString answer;
    askStringWithBlock(&m_window, QStringLiteral("Veuillez saisir le texte de votre note"), line->multiNote, &answer,
                       [&](bool ok) {
                           if (ok)
                               line->multiNote = answer;
                       });
    m_window.controls().table1->SMART_RELOAD();
}

void SaisieSplitPanel::COMPUTE_TOTAUX_DETAIL()
{
    m_editor->COMPUTE_TOTAUX_DETAIL();
    m_window.controls().field_montant->fillMontant(m_window.rec().solde, m_window.rec().devise);
    m_window.COMPUTE_TAXE();
    PRINT_PIED();
}

void SaisieSplitPanel::PRINT_PIED()
{
    const SaisieControls& c = m_window.controls();
    const DeviseList& devises = TextFieldMontant::openDocumentDevises();
    const long slot = m_window.rec().devise;
    c.total_groupee_montant->setText(montantToStringForDevise(m_window.rec().solde, slot, &devises, false));
    c.total_groupee_unit->setText(Devise::deviseUnitAtIndex(devises, slot));
}

int SaisieSplitPanel::numberOfRows() const
{
    return int(m_window.rec().nbMultis());
}

StdCell* SaisieSplitPanel::cellForRow(int row)
{
    const MULTI* line = m_window.rec().multiAtIndex(row);
    if (!line)
        return nullptr;
    CellDetailState state;
    state.reference = row == 0 && m_editor->hasMontantReference();
    state.selected = row == selectedRow();
    state.locked = m_window.locked();
    state.devise = m_window.rec().devise;
    m_cell.fill(*line, state, currentDocument());
    return &m_cell;
}

void SaisieSplitPanel::tableViewSelectionDidChange()
{
    const long row = selectedRow();
    if (row >= 0)
        m_drawer->FILL_DETAIL(m_window.rec(), row, m_window.rec().devise);
    m_window.controls().table1->viewport()->update();
}

bool SaisieSplitPanel::clickInTable(const QPoint& viewportPoint)
{
    StdTableView* table = m_window.controls().table1;
    const int row = table->rowAt(viewportPoint.y());
    if (row < 0)
        return false;
    const QRect rowRect = table->visualRect(table->model()->index(row, 0));
    QAction tagged;
    tagged.setData(row);
    if (m_cell.multiNoteRectInRow(rowRect.size()).translated(rowRect.topLeft()).contains(viewportPoint)) {
        m_window.MULTI_NOTE(&tagged);
        return true;
    }
    const bool deletable = row == selectedRow() && !m_window.locked();
    if (deletable && m_cell.supprimerRectInRow(rowRect.size()).translated(rowRect.topLeft()).contains(viewportPoint)) {
        m_window.SUPPRIMER_DETAIL(&tagged);
        return true;
    }
    return false;
}

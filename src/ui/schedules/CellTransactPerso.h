#pragma once
// A transaction row of the custom-occurrences list, with a delete button shown on the selected
// row only. The button is a child of the table's viewport placed over the selected row, since
// rows are painted from one shared template.
#include "toolkit/tables/CellTransact.h"

#include <QPointer>
#include <QToolButton>

class CellTransactPerso : public CellTransact {
    Q_OBJECT
public:
    using CellTransact::CellTransact;

    QToolButton* getButtonSuppPerso() const { return m_button; }
    // Puts the delete button over the row (hidden for -1), its tag the row, sending
    // SUPPRIMER_PERSO: to the controller.
    void placeButtonSuppPerso(StdTableView* table, long row, QObject* controller);

private:
    QPointer<QToolButton> m_button;
};

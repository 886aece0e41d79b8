#pragma once
// The one-row table of the schedule editor's regular occurrence: it never takes the keyboard, so
// Return and Tab stay with the editor's fields.
#include "toolkit/tables/StdTableView.h"

class TableEcheanceReguliere : public StdTableView {
    Q_OBJECT
public:
    explicit TableEcheanceReguliere(QWidget* parent = nullptr)
        : StdTableView(parent)
    {
        setFocusPolicy(Qt::NoFocus);
    }
};

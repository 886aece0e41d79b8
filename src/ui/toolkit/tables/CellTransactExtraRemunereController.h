#pragma once
// The extra columns of a savings account's list: interest and costs; the row's debit and credit
// columns show the amounts paid in and out.
#include "toolkit/tables/CellTransactExtraController.h"

class CellTransactExtraRemunereController : public CellTransactExtraController {
    Q_OBJECT
public:
    explicit CellTransactExtraRemunereController(CellTransact* cell, QWidget* parent = nullptr);

    // A missing savings account is logged and leaves the columns empty.
    static void paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT& doc);

private:
    QLabel* field_montant_interet;
    QLabel* field_montant_cout;
};

#pragma once
// The extra columns of a loan's list: interest and costs; the row's debit and credit columns show
// the capital paid and received, by the side of a borrowed or a lent loan.
#include "toolkit/tables/CellTransactExtraController.h"

class CellTransactExtraEmpruntController : public CellTransactExtraController {
    Q_OBJECT
public:
    explicit CellTransactExtraEmpruntController(CellTransact* cell, QWidget* parent = nullptr);

    // A missing loan is logged and leaves the columns empty.
    static void paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT& doc);

private:
    QLabel* field_montant_interet;
    QLabel* field_montant_cout;
};

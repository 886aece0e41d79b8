#pragma once
// The extra columns of a security's list: the number of shares, the interest and the costs; the
// row's debit and credit columns show the amounts paid and received.
#include "toolkit/tables/CellTransactExtraController.h"

class CellTransactExtraTitreController : public CellTransactExtraController {
    Q_OBJECT
public:
    explicit CellTransactExtraTitreController(CellTransact* cell, QWidget* parent = nullptr);

    // A missing security is logged and leaves the columns empty. A zero quantity shows "-" in a
    // faded navy.
    static void paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT& doc);

private:
    QLabel* field_montant_titre;
    QLabel* field_montant_interet;
    QLabel* field_montant_cout;
};

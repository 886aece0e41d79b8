#pragma once
// The extra columns of a tax's list: the amount before tax and the tax, each in a debit and a
// credit column by the side the list's account is on.
#include "toolkit/tables/CellTransactExtraController.h"

class CellTransactExtraTaxeController : public CellTransactExtraController {
    Q_OBJECT
public:
    explicit CellTransactExtraTaxeController(CellTransact* cell, QWidget* parent = nullptr);

    // On a split line both are the line's share (splitRatio); the transaction is not changed.
    static void paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT& doc);

private:
    QLabel* field_montant_HT_deb;
    QLabel* field_montant_HT_cre;
    QLabel* field_montant_TX_deb;
    QLabel* field_montant_TX_cre;
};

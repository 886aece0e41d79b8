#pragma once
// The footers of the financial listings: on the first line the totals of the listed
// transactions, on the second the state of the item (a security's cash, value and gain, a
// savings item's or a loan's capital, interest and costs, a tax's recoverable and collected tax).
#include "transactions/StdViewPiedReleve.h"

#include <functional>

class MONTANT;
class TOTAUX;

class StdViewPiedListingTitre : public StdViewPiedFields {
    Q_OBJECT
public:
    explicit StdViewPiedListingTitre(QWidget* parent = nullptr);

    QLabel* getFieldTotalAchat() const { return field("field_total_achat"); }
    QLabel* getFieldTotalVente() const { return field("field_total_vente"); }
    QLabel* getFieldTotalTitres() const { return field("field_total_titres"); }
    QLabel* getFieldTotalInterets() const { return field("field_total_interets"); }
    QLabel* getFieldTotalCouts() const { return field("field_total_couts"); }
    QLabel* getFieldEtatLiquidites() const { return field("field_etat_liquidites"); }
    QLabel* getFieldEtatValeur() const { return field("field_etat_valeur"); }
    QLabel* getFieldEtatPlusvalue() const { return field("field_etat_plusvalue"); }
};

// The savings and loan footers have the same fields.
class StdViewPiedListingRemunere : public StdViewPiedFields {
    Q_OBJECT
public:
    explicit StdViewPiedListingRemunere(QWidget* parent = nullptr);

    QLabel* getFieldTotalAchat() const { return field("field_total_achat"); }
    QLabel* getFieldTotalVente() const { return field("field_total_vente"); }
    QLabel* getFieldTotalInterets() const { return field("field_total_interets"); }
    QLabel* getFieldTotalCouts() const { return field("field_total_couts"); }
    QLabel* getFieldEtatCapital() const { return field("field_etat_capital"); }
    QLabel* getFieldEtatInterets() const { return field("field_etat_interets"); }
    QLabel* getFieldEtatCouts() const { return field("field_etat_couts"); }
    QLabel* getFieldEtatSolde() const { return field("field_etat_solde"); }

    // The first line: the listed transactions' payments in, payments out, interest and costs
    // (total1 to total4), each written by the listing and coloured by its sign.
    void showTotals(const TOTAUX& totaux, const std::function<QString(const MONTANT&)>& amountText);
};

class StdViewPiedListingEmprunt : public StdViewPiedListingRemunere {
    Q_OBJECT
public:
    using StdViewPiedListingRemunere::StdViewPiedListingRemunere;
};

class StdViewPiedListingTaxe : public StdViewPiedFields {
    Q_OBJECT
public:
    explicit StdViewPiedListingTaxe(QWidget* parent = nullptr);

    QLabel* getFieldTotalTTCDeb() const { return field("field_total_ttc_deb"); }
    QLabel* getFieldTotalTTCCre() const { return field("field_total_ttc_cre"); }
    QLabel* getFieldTotalHTDeb() const { return field("field_total_ht_deb"); }
    QLabel* getFieldTotalHTCre() const { return field("field_total_ht_cre"); }
    QLabel* getFieldTotalTXDeb() const { return field("field_total_tx_deb"); }
    QLabel* getFieldTotalTXCre() const { return field("field_total_tx_cre"); }
    QLabel* getFieldEtatTVARecuperable() const { return field("field_etat_tva_recuperable"); }
    QLabel* getFieldEtatTVACollectee() const { return field("field_etat_tva_collectee"); }
    QLabel* getFieldEtatTVASolde() const { return field("field_etat_tva_solde"); }
};

#include "transactions/StdViewPiedListingFinance.h"

#include "toolkit/fields/textfieldx.h"

#include "model/TOTAUX.h"

#include <QLabel>

StdViewPiedListingTitre::StdViewPiedListingTitre(QWidget* parent)
    : StdViewPiedFields(2, parent)
{
    addFields({
        {0, "field_total_achat", "FenListing_achats"},
        {0, "field_total_vente", "FenListing_ventes"},
        {0, "field_total_titres", "FenListing_titres"},
        {0, "field_total_interets", "FenListing_revenus"},
        {0, "field_total_couts", "FenListing_couts"},
        {1, "field_etat_liquidites", "FenListing_liquidites"},
        {1, "field_etat_valeur", "FenListing_valeur"},
        {1, "field_etat_plusvalue", "FenListing_plusvalue"},
    });
}

StdViewPiedListingRemunere::StdViewPiedListingRemunere(QWidget* parent)
    : StdViewPiedFields(2, parent)
{
    addFields({
        {0, "field_total_achat", "FenListing_versements"},
        {0, "field_total_vente", "FenListing_retraits"},
        {0, "field_total_interets", "FenListing_interets"},
        {0, "field_total_couts", "FenListing_couts"},
        {1, "field_etat_capital", "FenListing_capital"},
        {1, "field_etat_interets", "FenListing_interets"},
        {1, "field_etat_couts", "FenListing_couts"},
        {1, "field_etat_solde", "FenListing_solde"},
    });
}

void StdViewPiedListingRemunere::showTotals(const TOTAUX& totaux,
                                            const std::function<QString(const MONTANT&)>& amountText)
{
    const std::pair<QLabel*, const MONTANT*> coloured[] = {
        {getFieldTotalAchat(), &totaux.total1},
        {getFieldTotalVente(), &totaux.total2},
        {getFieldTotalInterets(), &totaux.total3},
        {getFieldTotalCouts(), &totaux.total4},
    };
    for (const auto& [field, amount] : coloured) {
        field->setText(amountText(*amount));
        colorizeForMontant(field, *amount);
    }
}

StdViewPiedListingTaxe::StdViewPiedListingTaxe(QWidget* parent)
    : StdViewPiedFields(2, parent)
{
    addFields({
        {0, "field_total_ttc_deb", "FenListing_ttcDebit"},
        {0, "field_total_ttc_cre", "FenListing_ttcCredit"},
        {0, "field_total_ht_deb", "FenListing_htDebit"},
        {0, "field_total_ht_cre", "FenListing_htCredit"},
        {0, "field_total_tx_deb", "FenListing_txDebit"},
        {0, "field_total_tx_cre", "FenListing_txCredit"},
        {1, "field_etat_tva_recuperable", "FenListing_tvaRecuperable"},
        {1, "field_etat_tva_collectee", "FenListing_tvaCollectee"},
        {1, "field_etat_tva_solde", "FenListing_tvaSolde"},
    });
}

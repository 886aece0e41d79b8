#pragma once
// The controls of the standard pickers (StdWindowPickers) in one window, found once, by the
// object names its interface gives them, when the window has been built; null where the window
// has no control of that name. This is the one place that knows the pickers' names.
#include <QPointer>
#include <QWidget>

class PopCompte;
class PopDevise;
class StdPopUp;

struct StdPickerControls {
    // A date typed as day, month and year (text controls).
    struct DateFields {
        QPointer<QWidget> jour;
        QPointer<QWidget> mois;
        QPointer<QWidget> annee;
    };

    QPointer<PopDevise> pop_devise;
    QPointer<StdPopUp> pop_poste;
    QPointer<QWidget> view_poste;
    QPointer<StdPopUp> pop_banqueD;
    QPointer<StdPopUp> pop_banqueC;
    QPointer<QWidget> field_banqueD;
    QPointer<QWidget> field_banqueC;
    QPointer<PopCompte> pop_compteD;
    QPointer<PopCompte> pop_compteC;
    QPointer<QWidget> view_compteD;
    QPointer<QWidget> view_compteC;
    QPointer<StdPopUp> pop_dossier;
    QPointer<QWidget> field_dossier;
    QPointer<StdPopUp> pop_variante;
    QPointer<QWidget> field_variante;
    QPointer<StdPopUp> pop_moyen;
    QPointer<QWidget> field_moyen;
    QPointer<StdPopUp> pop_taxe;
    QPointer<QWidget> field_taxe;
    QPointer<StdPopUp> pop_placement;
    QPointer<QWidget> field_placement;
    QPointer<StdPopUp> pop_categorieD;
    QPointer<StdPopUp> pop_categorieC;
    QPointer<QWidget> field_categorieD;
    QPointer<QWidget> field_categorieC;
    QPointer<StdPopUp> pop_echeancier;
    QPointer<QWidget> field_echeancier;
    DateFields date1;
    DateFields date2;

    // Finds the window's controls by their names.
    void bind(const QWidget& window);
};

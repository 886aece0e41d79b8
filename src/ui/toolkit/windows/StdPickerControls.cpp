#include "toolkit/windows/StdPickerControls.h"

#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/StdPopUp.h"

namespace {

template <class W> void find(QPointer<W>& control, const QWidget& window, const char* name)
{
    control = window.findChild<W*>(QLatin1String(name));
}

void findDate(StdPickerControls::DateFields& fields, const QWidget& window, char n)
{
    const QString suffix(QLatin1Char {n});
    fields.jour = window.findChild<QWidget*>(QStringLiteral("field_jour") + suffix);
    fields.mois = window.findChild<QWidget*>(QStringLiteral("field_mois") + suffix);
    fields.annee = window.findChild<QWidget*>(QStringLiteral("field_annee") + suffix);
}

} // namespace

void StdPickerControls::bind(const QWidget& window)
{
    find(pop_devise, window, "pop_devise");
    find(pop_poste, window, "pop_poste");
    find(view_poste, window, "view_poste");
    find(pop_banqueD, window, "pop_banqueD");
    find(pop_banqueC, window, "pop_banqueC");
    find(field_banqueD, window, "field_banqueD");
    find(field_banqueC, window, "field_banqueC");
    find(pop_compteD, window, "pop_compteD");
    find(pop_compteC, window, "pop_compteC");
    find(view_compteD, window, "view_compteD");
    find(view_compteC, window, "view_compteC");
    find(pop_dossier, window, "pop_dossier");
    find(field_dossier, window, "field_dossier");
    find(pop_variante, window, "pop_variante");
    find(field_variante, window, "field_variante");
    find(pop_moyen, window, "pop_moyen");
    find(field_moyen, window, "field_moyen");
    find(pop_taxe, window, "pop_taxe");
    find(field_taxe, window, "field_taxe");
    find(pop_placement, window, "pop_placement");
    find(field_placement, window, "field_placement");
    find(pop_categorieD, window, "pop_categorieD");
    find(pop_categorieC, window, "pop_categorieC");
    find(field_categorieD, window, "field_categorieD");
    find(field_categorieC, window, "field_categorieC");
    find(pop_echeancier, window, "pop_echeancier");
    find(field_echeancier, window, "field_echeancier");
    findDate(date1, window, '1');
    findDate(date2, window, '2');
}

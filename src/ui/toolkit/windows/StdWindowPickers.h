#pragma once
// The entity pickers every window may show: for a currency, a category, a bank and an account on
// each side, a folder, a cheque book or card, a payment means, a tax, an investment, an account
// category on each side, a schedule, and two dates typed as day, month and year. Each picker is a
// pop-up with a text beside it; a window connects the ones it needs by giving its controls these
// object names, and FILL shows every picker whose text control exists. The names:
//
//   currency           pop_devise (PopDevise)
//   category           pop_poste (PopPoste), view_poste (TextViewPoste)
//   debit/credit bank  pop_banqueD / pop_banqueC (PopCompte), field_banqueD / field_banqueC
//   debit/credit acct  pop_compteD / pop_compteC (PopCompte), view_compteD / view_compteC
//                      (TextViewCompteD / TextViewCompteC)
//   folder             pop_dossier (PopDossier), field_dossier
//   cheque book, card  pop_variante (PopVariante), field_variante
//   payment means      pop_moyen (PopMoyen), field_moyen
//   tax                pop_taxe (PopTaxe), field_taxe
//   investment         pop_placement (PopPlacement), field_placement
//   account category   pop_categorieD / pop_categorieC (PopCategorie), field_categorieD / ...C
//   schedule           pop_echeancier (PopEcheancier), field_echeancier
//   dates              field_jour1, field_mois1, field_annee1; field_jour2, field_mois2, field_annee2
//
// A text control is a StdTextView, a line edit or a label. The controls are found once, when the
// window has been built (StdPickerControls). The identifiers chosen are kept here, -1 for none,
// and are the window's own, apart from its argument block; the currency slot and the two dates
// are the controller's (devise, date1, date2).
//
// The pop-ups' actions (DEVISE:, POSTE:...) are performed here when the controller does not
// answer them itself: a window that does more on a choice defines a Q_INVOKABLE action of the
// same name and calls the pickers' from it. Where these actions are members they hide the entity
// classes whose names they share (POSTE, DOSSIER, MOYEN, VARIANTE, TAXE, TITRE, REMUNERE,
// EMPRUNT, ECHEANCIER): write ::POSTE there.
#include "toolkit/windows/StdPickerControls.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

class QWidget;
class StdWindowController;

class StdWindowPickers : public QObject {
    Q_OBJECT
public:
    explicit StdWindowPickers(StdWindowController& controller);
    ~StdWindowPickers() override;

    // Finds the pickers' controls in the window, once it is built.
    void bindControls(const QWidget& window) { m_controls.bind(window); }
    const StdPickerControls& controls() const { return m_controls; }

    // ---- The identifiers chosen; -1 for none.

    long posteID = -1;
    long banqueDID = -1;
    long banqueCID = -1;
    long compteDID = -1;
    long compteCID = -1;
    long dossierID = -1;
    long varianteID = -1;
    qint32 moyenID = -1; // a payment family
    long taxeID = -1;
    // The investment: at most one of the three kinds is chosen.
    long titreID = -1;
    long remunereID = -1;
    long empruntID = -1;
    qint32 categorieDID = -1; // a bank type
    qint32 categorieCID = -1;
    long echeancierID = -1;

    // Which investment kinds the investment pop-up offers; all of them at first.
    void getPlacementFilter(bool* titreFilter, bool* remunereFilter, bool* empruntFilter) const;
    void setPlacementFilter(bool titreFilter, bool remunereFilter, bool empruntFilter);

    // ---- Showing the identifiers.

    // The currency slot, and every picker whose text control is connected, then the dates.
    void FILL();
    // Reads the connected date fields back into date1 and date2.
    bool READ();

    void FILL_DEVISE(long slot);
    void FILL_POSTE();
    void FILL_BANQUED();
    void FILL_BANQUEC();
    // Only when both the text view and the pop-up of that side are connected.
    void FILL_COMPTED();
    void FILL_COMPTEC();
    void FILL_DOSSIER();
    void FILL_VARIANTE();
    void FILL_MOYEN();
    // A synonym's name and picture when the ident names one of the document's synonyms, else the
    // family alone.
    void FILL_MOYEN(long synonymeID);
    void FILL_TAXE();
    void FILL_PLACEMENT();
    void FILL_CATEGORIED();
    void FILL_CATEGORIEC();
    void FILL_ECHEANCIER();
    void FILL_DATE1();
    void FILL_DATE2();

    // ---- The pop-ups' actions; the sender is the item chosen (its tag is the ident).

    Q_INVOKABLE void DEVISE(QObject* item);
    Q_INVOKABLE void EDIT_CONVERSION(QObject* item);
    Q_INVOKABLE void POSTE(QObject* item);
    Q_INVOKABLE void CREATE_POSTE(QObject* item);
    // A whole folder chosen in a category pop-up: only the tool palette acts on it, other windows
    // keep their category.
    Q_INVOKABLE void CHOOSE_DOSSIER(QObject* item) { Q_UNUSED(item); }
    Q_INVOKABLE void BDEBIT(QObject* item);
    Q_INVOKABLE void BCREDIT(QObject* item);
    Q_INVOKABLE void DEBIT(QObject* item);
    Q_INVOKABLE void CREDIT(QObject* item);
    Q_INVOKABLE void CREATE_COMPTED(QObject* item);
    Q_INVOKABLE void CREATE_COMPTEC(QObject* item);
    Q_INVOKABLE void DOSSIER(QObject* item);
    Q_INVOKABLE void VARIANTE(QObject* item);
    Q_INVOKABLE void MOYEN(QObject* item);
    Q_INVOKABLE void TAXE(QObject* item);
    Q_INVOKABLE void TITRE(QObject* item);
    Q_INVOKABLE void REMUNERE(QObject* item);
    Q_INVOKABLE void EMPRUNT(QObject* item);
    Q_INVOKABLE void NO_PLACEMENT();
    Q_INVOKABLE void CATEGORIED(QObject* item);
    Q_INVOKABLE void CATEGORIEC(QObject* item);
    Q_INVOKABLE void ECHEANCIER(QObject* item);
    // The date picker on the first (second) date's fields; the focus then moves on.
    Q_INVOKABLE void CALENDRIER1();
    Q_INVOKABLE void CALENDRIER2();

    // The slot a window showing `current` takes when the main currency moves to `slot`: the
    // window on the old main currency follows it to its new slot and the one on that slot takes
    // the new main currency; -1 for any other window, which keeps its slot.
    static long slotAfterNewDevisePrincipale(long current, long slot);

private:
    using DateFields = StdPickerControls::DateFields;

    double fontSize() const;
    void showText(QWidget* field, const QString& text, bool editable) const;
    void styleText(QWidget* field, bool editable) const;
    void focusAndSelectAll(QWidget* view) const;
    void fillBanque(long ident, QWidget* field, StdPopUp* pop);
    void fillCompte(long ident, QWidget* view, PopCompte* pop);
    void createCompte(QObject* item, long* ident, bool debit);
    void choosePlacement(QObject* item, long* kindID);
    void fillDate(const DateFields& fields, double date);
    double readDate(const DateFields& fields) const;
    // The date of the fields after the picker; picked tells whether the user chose one (OK).
    double pickDate(const DateFields& fields, bool* picked);

    StdWindowController& m_controller;
    StdPickerControls m_controls;
    bool m_theFilterTitre = true;
    bool m_theFilterRemunere = true;
    bool m_theFilterEmprunt = true;
};

#pragma once
// The controls of the entry window, made and laid out in code. Every control carries the name
// the window's code and its tests know it by (objectName), and every button its action.
#include <QPointer>

class ButtonCalculette;
class DrawerDetail;
class PopCompte;
class PopDevise;
class PopHelp;
class PopMacro;
class PopMoyen;
class PopPlacement;
class PopPlacementHelp;
class PopPoste;
class PopTaxe;
class PopVariante;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class StdTableView;
class StdTextView;
class StdWindow;
class TextFieldAnnee;
class TextFieldJour;
class TextFieldMois;
class TextFieldMontant;
class TextFieldMontantSaisie;
class TextFieldReal;
class TextViewCompteC;
class TextViewCompteD;
class TextViewPoste;

// Tabs, in order.
enum SaisieTab { kTabGeneral = 0, kTabGroupage = 1, kTabFiscalite = 2, kTabFinance = 3, kTabDocuments = 4 };

struct SaisieControls {
    // Head: the payment means and the operation's title, the macros, the help.
    PopMoyen* pop_moyen = nullptr;
    QLabel* field_moyen = nullptr;
    PopMacro* pop_macro = nullptr;
    PopHelp* pop_help = nullptr;
    QLabel* image_cadenas = nullptr;
    QTabWidget* tabView = nullptr;
    QWidget* boxGeneral = nullptr;

    // General tab.
    TextFieldJour* field_jour1 = nullptr;
    TextFieldMois* field_mois1 = nullptr;
    TextFieldAnnee* field_annee1 = nullptr;
    QToolButton* button_calendrier = nullptr;
    QLabel* titre_montant = nullptr;
    TextFieldMontantSaisie* field_montant = nullptr;
    ButtonCalculette* button_calculette = nullptr;
    PopDevise* pop_devise = nullptr;
    QLabel* titre_debit = nullptr;
    TextViewCompteD* view_compteD = nullptr;
    PopCompte* pop_compteD = nullptr;
    QLabel* titre_credit = nullptr;
    TextViewCompteC* view_compteC = nullptr;
    PopCompte* pop_compteC = nullptr;
    QLabel* titre_variante = nullptr;
    StdTextView* field_variante = nullptr;
    PopVariante* pop_variante = nullptr;
    QLabel* titre_reference = nullptr;
    StdTextView* field_reference = nullptr;
    QLabel* titre_poste = nullptr;
    TextViewPoste* view_poste = nullptr;
    PopPoste* pop_poste = nullptr;
    QLabel* titre_information = nullptr;
    StdTextView* field_information = nullptr;
    QCheckBox* checkbox_groupee = nullptr;
    QCheckBox* checkbox_annulee = nullptr;
    QCheckBox* checkbox_doublon = nullptr;
    QWidget* boxNote = nullptr;
    QToolButton* button_note = nullptr;

    // Split lines.
    QWidget* tabItemGroupee = nullptr;
    QWidget* boxGroupee = nullptr;
    QWidget* viewHideGroupee = nullptr;
    StdTableView* table1 = nullptr;
    QLabel* total_groupee_montant = nullptr;
    QLabel* total_groupee_unit = nullptr;
    QWidget* drawer_groupee = nullptr;

    // Tax.
    QLabel* titre_taxe = nullptr;
    PopTaxe* pop_taxe = nullptr;
    StdTextView* field_taxe = nullptr;
    QLabel* titre_montantHT = nullptr;
    TextFieldMontantSaisie* field_montantHT = nullptr;
    QLabel* titre_montantTaxe = nullptr;
    TextFieldMontantSaisie* field_montantTaxe = nullptr;

    // Investment.
    PopPlacement* pop_placement = nullptr;
    StdTextView* field_placement = nullptr;
    PopPlacementHelp* pop_placement_help = nullptr;
    QLabel* titre_quote1 = nullptr;
    QLabel* titre_quote2 = nullptr;
    QLabel* titre_quote3 = nullptr;
    QLabel* titre_nTitre = nullptr;
    TextFieldMontant* field_quote1 = nullptr;
    TextFieldMontant* field_quote2 = nullptr;
    TextFieldMontant* field_quote3 = nullptr;
    TextFieldReal* field_nTitre = nullptr;
    QPushButton* button_quote1 = nullptr;
    QPushButton* button_quote2 = nullptr;
    QPushButton* button_quote3 = nullptr;

    // Attached files.
    StdTableView* table2 = nullptr;
    QLabel* fieldNoDocument = nullptr;
    QPushButton* buttonAddDocument = nullptr;

    // Closing buttons.
    QPushButton* button_arreter = nullptr;
    QPushButton* button_tout = nullptr;
    QPushButton* button_annuler = nullptr;
    QPushButton* button_ok = nullptr;
};

class SaisieWindowLayout {
public:
    // Makes every control in the window, the drawer's in its container.
    static SaisieControls build(StdWindow& window, DrawerDetail& drawer);

private:
    static QWidget* buildHead(StdWindow& window, SaisieControls& c);
    static QWidget* buildGeneral(QWidget* parent, SaisieControls& c);
    static QWidget* buildGroupage(QWidget* parent, SaisieControls& c, DrawerDetail& drawer);
    static QWidget* buildFiscalite(QWidget* parent, SaisieControls& c);
    static QWidget* buildFinance(QWidget* parent, SaisieControls& c);
    static QWidget* buildDocuments(QWidget* parent, SaisieControls& c);
    static QWidget* buildButtons(StdWindow& window, SaisieControls& c);
};

#pragma once
// The controls of the search window, made and laid out in code: the saved searches at the top,
// three pages of criteria switched by a segmented control, the forecast box and the buttons.
// Every control carries the name the window's code and its tests know it by (objectName), every
// button its action; each operator pop-up carries the action it sends when chosen.
class ButtonCalculette;
class PopCategorie;
class PopCompte;
class PopCritere;
class PopDevise;
class PopDossier;
class PopEcheancier;
class PopMoyen;
class PopOperateur;
class PopPlacement;
class PopPoste;
class PopTaxe;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QToolButton;
class QWidget;
class StdTextView;
class StdWindow;
class TextFieldAnnee;
class TextFieldJour;
class TextFieldMois;
class TextFieldMontant;
class TextViewCompteC;
class TextViewCompteD;
class TextViewPoste;

// Pages, in order.
enum RecherchePage { kPageOperation = 0, kPageComptes = 1, kPageClassement = 2 };

// A date typed as day, month and year, with its calendar button.
struct RechercheDate {
    TextFieldJour* jour = nullptr;
    TextFieldMois* mois = nullptr;
    TextFieldAnnee* annee = nullptr;
    QToolButton* calendrier = nullptr;
};

// An amount with its calculator and currency.
struct RechercheMontant {
    TextFieldMontant* field = nullptr;
    ButtonCalculette* calculette = nullptr;
    PopDevise* devise = nullptr;
};

// A pair of sides (accounts, banks or bank types): each side's operator, picker and text, and how
// the two combine.
struct RechercheSides {
    PopOperateur* operateurD = nullptr;
    PopOperateur* operateurC = nullptr;
    PopOperateur* operateurBool = nullptr;
    QWidget* popD = nullptr;
    QWidget* popC = nullptr;
    QWidget* valueD = nullptr;
    QWidget* valueC = nullptr;
};

// One entity criterion of the classification page: operator, picker and text.
struct RechercheEntity {
    PopOperateur* operateur = nullptr;
    QWidget* pop = nullptr;
    QWidget* value = nullptr;
};

struct RechercheControls {
    // Saved searches.
    PopCritere* pop_critere = nullptr;
    QLineEdit* field_critere = nullptr;
    QPushButton* button_creer = nullptr;
    QPushButton* button_renommer = nullptr;
    QPushButton* button_supprimer = nullptr;

    QTabBar* segmented_control = nullptr;
    QStackedWidget* tab_view = nullptr;

    // The transaction itself.
    PopOperateur* popup_date = nullptr;
    RechercheDate date1;
    RechercheDate date2;
    PopOperateur* popup_montant = nullptr;
    RechercheMontant montant1;
    RechercheMontant montant2;
    PopOperateur* popup_reference = nullptr;
    StdTextView* field_reference = nullptr;
    PopOperateur* popup_information = nullptr;
    StdTextView* field_information = nullptr;
    PopOperateur* popup_pointe = nullptr;
    PopOperateur* popup_import = nullptr;

    // Accounts, banks and bank types.
    RechercheSides comptes;
    RechercheSides banques;
    RechercheSides categories;

    // Classification.
    RechercheEntity poste;
    RechercheEntity dossier;
    RechercheEntity moyen;
    RechercheEntity taxe;
    RechercheEntity placement;
    RechercheEntity echeancier;

    QCheckBox* button_prevision = nullptr;
    QPushButton* button_annuler = nullptr;
    QPushButton* button_ok = nullptr;
};

class RechercheLayout {
public:
    static RechercheControls build(StdWindow& window);

private:
    static QWidget* buildHead(StdWindow& window, RechercheControls& c);
    static QWidget* buildOperation(QWidget* parent, RechercheControls& c);
    static QWidget* buildComptes(QWidget* parent, RechercheControls& c);
    static QWidget* buildClassement(QWidget* parent, RechercheControls& c);
    static QWidget* buildButtons(StdWindow& window, RechercheControls& c);
};

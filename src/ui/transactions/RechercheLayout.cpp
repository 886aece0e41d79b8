#include "transactions/RechercheLayout.h"

#include "toolkit/drawing/SaisieImages.h"
#include "transactions/PopOperateur.h"

#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/popups/PopCategorie.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopCritere.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopDossier.h"
#include "toolkit/popups/PopEcheancier.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPlacement.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/namedcontrols.h"

#include "foundation/localized.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPopWidth = 30;
constexpr int kTitleWidth = 130;
constexpr int kWindowWidth = 760;

using Choices = std::initializer_list<PopOperateur::Choice>;

const Choices kDateChoices
    = {{1, "RECHERCHE_OP_INDIFFERENTE"}, {2, "RECHERCHE_OP_DATE_EGAL"},  {3, "RECHERCHE_OP_DATE_AVANT"},
       {4, "RECHERCHE_OP_DATE_JUSQU"},   {5, "RECHERCHE_OP_DATE_APRES"}, {6, "RECHERCHE_OP_DATE_DEPUIS"},
       {7, "RECHERCHE_OP_DATE_ENTRE"}};
const Choices kMontantChoices
    = {{1, "RECHERCHE_OP_INDIFFERENT"},  {2, "RECHERCHE_OP_EGAL"},      {3, "RECHERCHE_OP_INFERIEUR"},
       {4, "RECHERCHE_OP_INFERIEUR_EG"}, {5, "RECHERCHE_OP_SUPERIEUR"}, {6, "RECHERCHE_OP_SUPERIEUR_EG"},
       {7, "RECHERCHE_OP_ENTRE"}};
const Choices kSwitchChoices = {{1, "RECHERCHE_OP_INDIFFERENT"}, {2, "RECHERCHE_OP_CHOISI"}};
const Choices kBoolChoices = {{1, "RECHERCHE_OP_OU"}, {2, "RECHERCHE_OP_ET"}};
const Choices kPointeChoices
    = {{1, "RECHERCHE_OP_INDIFFERENT"}, {2, "RECHERCHE_OP_POINTEES"}, {3, "RECHERCHE_OP_NON_POINTEES"}};
const Choices kImportChoices = {{1, "RECHERCHE_OP_INDIFFERENT"},       {2, "CRITERE_IMPORT_Importe"},
                                {3, "CRITERE_IMPORT_Importe_touched"}, {4, "CRITERE_IMPORT_Importe_untouched"},
                                {5, "CRITERE_IMPORT_Importe_doublon"}, {6, "CRITERE_IMPORT_is_synchro"},
                                {7, "CRITERE_IMPORT_last_synchro"}};
const Choices kTexteChoices = {{1, "RECHERCHE_OP_INDIFFERENT"},
                               {2, "RECHERCHE_OP_COMMENCE"},
                               {3, "RECHERCHE_OP_CONTIENT"},
                               {4, "RECHERCHE_OP_EGAL_TEXTE"}};

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

QLabel* title(const char* key, QWidget* parent)
{
    auto* label = new QLabel(appl(key), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(kTitleWidth);
    return label;
}

PopOperateur* operateur(const char* name, Choices choices, const char* action, QWidget* parent)
{
    auto* pop = named<PopOperateur>(name, parent);
    pop->addChoices(choices);
    if (action)
        StdActionDispatcher::setAction(pop, QString::fromLatin1(action));
    return pop;
}

template <class P> P* picker(const char* name, QWidget* parent)
{
    auto* pop = named<P>(name, parent);
    pop->setFixedWidth(kPopWidth);
    return pop;
}

// The name of what a picker chose, shown and never typed in.
QLineEdit* display(const char* name, QWidget* parent)
{
    auto* field = named<QLineEdit>(name, parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QGridLayout* grid(QWidget* parent)
{
    auto* layout = new QGridLayout(parent);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(8);
    return layout;
}

RechercheDate dateFields(const char* jour, const char* mois, const char* annee, const char* calendrier,
                         const char* action, QWidget* parent)
{
    RechercheDate d;
    d.jour = named<TextFieldJour>(jour, parent);
    d.mois = named<TextFieldMois>(mois, parent);
    d.annee = named<TextFieldAnnee>(annee, parent);
    d.jour->setFixedWidth(40);
    d.mois->setFixedWidth(40);
    d.annee->setFixedWidth(60);
    d.calendrier = named<QToolButton>(calendrier, parent);
    d.calendrier->setIcon(saisieIcon(QStringLiteral("calendrier"), 18));
    StdActionDispatcher::setAction(d.calendrier, QString::fromLatin1(action));
    return d;
}

RechercheMontant montantFields(const char* field, const char* devise, QWidget* parent)
{
    RechercheMontant m;
    m.field = named<TextFieldMontant>(field, parent);
    m.field->setFixedWidth(130);
    m.calculette = new ButtonCalculette(m.field, parent);
    m.devise = named<PopDevise>(devise, parent);
    m.devise->setAssociatedMontant(m.field);
    return m;
}

// One side's row: operator, picker, then the chosen name.
void addSide(QGridLayout* layout, int line, QLabel* label, PopOperateur* operateurSide, QWidget* pop, QWidget* value)
{
    layout->addWidget(label, line, 0);
    layout->addWidget(operateurSide, line, 1);
    layout->addWidget(pop, line, 2);
    layout->addWidget(value, line, 3);
}

QGroupBox* sidesBox(const char* key, RechercheSides& s, QWidget* parent)
{
    auto* box = new QGroupBox(appl(key), parent);
    QGridLayout* layout = grid(box);
    layout->setColumnStretch(3, 1);
    addSide(layout, 0, title("RECHERCHE_DEBIT", box), s.operateurD, s.popD, s.valueD);
    layout->addWidget(title("RECHERCHE_COTES", box), 1, 0);
    layout->addWidget(s.operateurBool, 1, 1);
    addSide(layout, 2, title("RECHERCHE_CREDIT", box), s.operateurC, s.popC, s.valueC);
    return box;
}

} // namespace

RechercheControls RechercheLayout::build(StdWindow& window)
{
    RechercheControls c;
    window.setObjectName(QStringLiteral("FenRecherche"));
    window.setWindowTitle(appl("FenRecherche_titre"));
    QWidget* head = buildHead(window, c);
    c.segmented_control = named<QTabBar>("segmented_control", &window);
    c.segmented_control->setExpanding(false);
    c.segmented_control->setDrawBase(false);
    for (const char* key : {"RECHERCHE_PAGE_OPERATION", "RECHERCHE_PAGE_COMPTES", "RECHERCHE_PAGE_CLASSEMENT"})
        c.segmented_control->addTab(appl(key));
    c.tab_view = named<QStackedWidget>("tab_view", &window);
    c.tab_view->addWidget(buildOperation(c.tab_view, c));
    c.tab_view->addWidget(buildComptes(c.tab_view, c));
    c.tab_view->addWidget(buildClassement(c.tab_view, c));
    QWidget* buttons = buildButtons(window, c);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(head);
    layout->addWidget(c.segmented_control, 0, Qt::AlignHCenter);
    layout->addWidget(c.tab_view, 1);
    layout->addWidget(buttons);
    // As wide as its controls need, so that no button ends behind a scroll bar.
    window.resize(std::max(kWindowWidth, window.minimumSizeHint().width()), window.sizeHint().height());
    return c;
}

QWidget* RechercheLayout::buildHead(StdWindow& window, RechercheControls& c)
{
    auto* head = new QWidget(&window);
    c.pop_critere = named<PopCritere>("pop_critere", head);
    c.pop_critere->setTitle(appl("RECHERCHE_POP_CRITERE"));
    c.pop_critere->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    c.field_critere = display("field_critere", head);
    c.button_creer = namedActionButton("button_creer", appl("RECHERCHE_CREER"), "CREER:", head);
    c.button_renommer = namedActionButton("button_renommer", appl("RECHERCHE_RENOMMER"), "RENOMMER:", head);
    c.button_supprimer = namedActionButton("button_supprimer", appl("RECHERCHE_SUPPRIMER"), "SUPPRIMER:", head);
    auto* layout = new QHBoxLayout(head);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(c.pop_critere);
    layout->addWidget(c.field_critere, 1);
    layout->addWidget(c.button_creer);
    layout->addWidget(c.button_renommer);
    layout->addWidget(c.button_supprimer);
    return head;
}

QWidget* RechercheLayout::buildOperation(QWidget* parent, RechercheControls& c)
{
    auto* page = new QWidget(parent);
    c.popup_date = operateur("popup_date", kDateChoices, "POPUP_DATE:", page);
    c.date1 = dateFields("field_jour1", "field_mois1", "field_annee1", "button_calendrier1", "CALENDRIER1:", page);
    c.date2 = dateFields("field_jour2", "field_mois2", "field_annee2", "button_calendrier2", "CALENDRIER2:", page);
    c.popup_montant = operateur("popup_montant", kMontantChoices, "POPUP_MONTANT:", page);
    c.montant1 = montantFields("field_montant1", "pop_devise1", page);
    c.montant2 = montantFields("field_montant2", "pop_devise2", page);
    c.montant1.calculette->setObjectName(QStringLiteral("button_calculette1"));
    c.montant2.calculette->setObjectName(QStringLiteral("button_calculette2"));
    c.popup_reference = operateur("popup_reference", kTexteChoices, "POPUP_REFERENCE:", page);
    c.field_reference = named<StdTextView>("field_reference", page);
    c.popup_information = operateur("popup_information", kTexteChoices, "POPUP_INFORMATION:", page);
    c.field_information = named<StdTextView>("field_information", page);
    c.popup_pointe = operateur("popup_pointe", kPointeChoices, nullptr, page);
    c.popup_import = operateur("popup_import", kImportChoices, nullptr, page);

    QGridLayout* layout = grid(page);
    layout->setColumnStretch(2, 1);
    const auto et = [page] { return new QLabel(appl("RECHERCHE_ET"), page); };
    layout->addWidget(title("RECHERCHE_DATE", page), 0, 0);
    layout->addWidget(c.popup_date, 0, 1);
    layout->addLayout(controlRow({c.date1.jour, c.date1.mois, c.date1.annee, c.date1.calendrier, et(), c.date2.jour,
                                  c.date2.mois, c.date2.annee, c.date2.calendrier},
                                 true),
                      0, 2);
    layout->addWidget(title("RECHERCHE_MONTANT", page), 1, 0);
    layout->addWidget(c.popup_montant, 1, 1);
    layout->addLayout(controlRow({c.montant1.field, c.montant1.calculette, c.montant1.devise, et(), c.montant2.field,
                                  c.montant2.calculette, c.montant2.devise},
                                 true),
                      1, 2);
    layout->addWidget(title("RECHERCHE_REFERENCE", page), 2, 0);
    layout->addWidget(c.popup_reference, 2, 1);
    layout->addWidget(c.field_reference, 2, 2);
    layout->addWidget(title("RECHERCHE_INFORMATION", page), 3, 0);
    layout->addWidget(c.popup_information, 3, 1);
    layout->addWidget(c.field_information, 3, 2);
    layout->addWidget(title("RECHERCHE_POINTE", page), 4, 0);
    layout->addWidget(c.popup_pointe, 4, 1);
    layout->addWidget(title("RECHERCHE_IMPORT", page), 5, 0);
    layout->addWidget(c.popup_import, 5, 1, 1, 2, Qt::AlignLeft);
    layout->setRowStretch(6, 1);
    return page;
}

QWidget* RechercheLayout::buildComptes(QWidget* parent, RechercheControls& c)
{
    auto* page = new QWidget(parent);
    RechercheSides& comptes = c.comptes;
    comptes.operateurD = operateur("popup_compteD", kSwitchChoices, "POPUP_COMPTED:", page);
    comptes.operateurC = operateur("popup_compteC", kSwitchChoices, "POPUP_COMPTEC:", page);
    comptes.operateurBool = operateur("popup_compteBool", kBoolChoices, nullptr, page);
    comptes.popD = picker<PopCompte>("pop_compteD", page);
    comptes.popC = picker<PopCompte>("pop_compteC", page);
    comptes.valueD = named<TextViewCompteD>("view_compteD", page);
    comptes.valueC = named<TextViewCompteC>("view_compteC", page);
    RechercheSides& banques = c.banques;
    banques.operateurD = operateur("popup_banqueD", kSwitchChoices, "POPUP_BANQUED:", page);
    banques.operateurC = operateur("popup_banqueC", kSwitchChoices, "POPUP_BANQUEC:", page);
    banques.operateurBool = operateur("popup_banqueBool", kBoolChoices, nullptr, page);
    banques.popD = picker<PopCompte>("pop_banqueD", page);
    banques.popC = picker<PopCompte>("pop_banqueC", page);
    banques.valueD = display("field_banqueD", page);
    banques.valueC = display("field_banqueC", page);
    RechercheSides& categories = c.categories;
    categories.operateurD = operateur("popup_categorieD", kSwitchChoices, "POPUP_CATEGORIED:", page);
    categories.operateurC = operateur("popup_categorieC", kSwitchChoices, "POPUP_CATEGORIEC:", page);
    categories.operateurBool = operateur("popup_categorieBool", kBoolChoices, nullptr, page);
    categories.popD = picker<PopCategorie>("pop_categorieD", page);
    categories.popC = picker<PopCategorie>("pop_categorieC", page);
    categories.valueD = display("field_categorieD", page);
    categories.valueC = display("field_categorieC", page);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addWidget(sidesBox("RECHERCHE_COMPTES", comptes, page));
    layout->addWidget(sidesBox("RECHERCHE_BANQUES", banques, page));
    layout->addWidget(sidesBox("RECHERCHE_CATEGORIES", categories, page));
    layout->addStretch();
    return page;
}

QWidget* RechercheLayout::buildClassement(QWidget* parent, RechercheControls& c)
{
    auto* page = new QWidget(parent);
    c.poste = {operateur("popup_poste", kSwitchChoices, "POPUP_POSTE:", page), picker<PopPoste>("pop_poste", page),
               named<TextViewPoste>("view_poste", page)};
    c.dossier = {operateur("popup_dossier", kSwitchChoices, "POPUP_DOSSIER:", page),
                 picker<PopDossier>("pop_dossier", page), display("field_dossier", page)};
    c.moyen = {operateur("popup_moyen", kSwitchChoices, "POPUP_MOYEN:", page), picker<PopMoyen>("pop_moyen", page),
               display("field_moyen", page)};
    c.taxe = {operateur("popup_taxe", kSwitchChoices, "POPUP_TAXE:", page), picker<PopTaxe>("pop_taxe", page),
              display("field_taxe", page)};
    c.placement = {operateur("popup_placement", kSwitchChoices, "POPUP_PLACEMENT:", page),
                   picker<PopPlacement>("pop_placement", page), display("field_placement", page)};
    c.echeancier = {operateur("popup_echeancier", kSwitchChoices, "POPUP_ECHEANCIER:", page),
                    picker<PopEcheancier>("pop_echeancier", page), display("field_echeancier", page)};

    QGridLayout* layout = grid(page);
    layout->setColumnStretch(3, 1);
    const std::pair<const char*, RechercheEntity*> rows[] = {
        {"RECHERCHE_POSTE", &c.poste}, {"RECHERCHE_DOSSIER", &c.dossier},     {"RECHERCHE_MOYEN", &c.moyen},
        {"RECHERCHE_TAXE", &c.taxe},   {"RECHERCHE_PLACEMENT", &c.placement}, {"RECHERCHE_ECHEANCIER", &c.echeancier},
    };
    int line = 0;
    for (const auto& [key, entity] : rows) {
        addSide(layout, line, title(key, page), entity->operateur, entity->pop, entity->value);
        ++line;
    }
    layout->setRowStretch(line, 1);
    return page;
}

QWidget* RechercheLayout::buildButtons(StdWindow& window, RechercheControls& c)
{
    auto* box = new QWidget(&window);
    c.button_prevision = named<QCheckBox>("button_prevision", box);
    c.button_prevision->setText(appl("RECHERCHE_PREVISION"));
    c.button_annuler
        = namedActionButton("button_annuler", localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")), "NON:", box);
    c.button_ok = namedActionButton("button_ok", appl("RECHERCHE_OK"), "OUI:", box);
    c.button_ok->setDefault(true);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, c.button_annuler, &QPushButton::click);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(c.button_prevision);
    layout->addStretch();
    layout->addWidget(c.button_annuler);
    layout->addWidget(c.button_ok);
    return box;
}

#include "transactions/SaisieWindowLayout.h"

#include "toolkit/drawing/SaisieImages.h"
#include "transactions/CellDetail.h"
#include "transactions/CellDocument.h"
#include "transactions/DrawerDetail.h"
#include "transactions/TextFieldMontantSaisie.h"

#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPlacement.h"
#include "toolkit/popups/PopPlacementHelp.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/popups/PopVariante.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/namedcontrols.h"

#include "foundation/localized.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPopWidth = 30;
constexpr int kTitleWidth = 176;
constexpr int kWindowWidth = 660;

QLabel* title(const char* name, QWidget* parent, const QString& text = QString())
{
    auto* label = named<QLabel>(name, parent);
    label->setText(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(kTitleWidth);
    return label;
}

// A text that only shows what a pop-up chose: a field the user can't type in.
StdTextView* display(const char* name, QWidget* parent)
{
    auto* field = named<StdTextView>(name, parent);
    field->setEnabled(false);
    QPalette colours = field->palette();
    colours.setColor(QPalette::Text, Qt::black);
    field->setPalette(colours);
    return field;
}

template <class P> P* pop(const char* name, QWidget* parent)
{
    auto* popup = named<P>(name, parent);
    popup->setFixedWidth(kPopWidth);
    return popup;
}

StdTableView* table(const char* name, QWidget* parent, int rowHeight)
{
    auto* view = named<StdTableView>(name, parent);
    view->setUniformRowHeight(rowHeight);
    view->setMinimumHeight(rowHeight * 6);
    return view;
}

QWidget* page(QWidget* parent)
{
    auto* widget = new QWidget(parent);
    widget->setAutoFillBackground(true);
    return widget;
}

} // namespace

SaisieControls SaisieWindowLayout::build(StdWindow& window, DrawerDetail& drawer)
{
    SaisieControls c;
    window.setObjectName(QStringLiteral("FenEditSaisie"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditSaisie_titre")));
    QWidget* head = buildHead(window, c);
    c.tabView = named<QTabWidget>("tabView", &window);
    c.tabView->addTab(buildGeneral(c.tabView, c), QString());
    c.tabView->addTab(buildGroupage(c.tabView, c, drawer), QString());
    c.tabView->addTab(buildFiscalite(c.tabView, c), QString());
    c.tabView->addTab(buildFinance(c.tabView, c), QString());
    c.tabView->addTab(buildDocuments(c.tabView, c), QString());
    QWidget* buttons = buildButtons(window, c);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(head);
    layout->addWidget(c.tabView, 1);
    layout->addWidget(buttons);
    window.setFixedWidth(kWindowWidth);
    window.resize(kWindowWidth, window.sizeHint().height());
    return c;
}

QWidget* SaisieWindowLayout::buildHead(StdWindow& window, SaisieControls& c)
{
    auto* head = new QWidget(&window);
    c.pop_moyen = named<PopMoyen>("pop_moyen", head);
    c.pop_moyen->setTitle(localizedAppl(QStringLiteral("SAISIE_MOYEN")));
    c.pop_moyen->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    c.field_moyen = named<QLabel>("field_moyen", head);
    // The pickers set the texts' font when they fill them: the title keeps its own.
    c.field_moyen->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 17px;"));
    c.image_cadenas = named<QLabel>("image_cadenas", head);
    c.image_cadenas->setPixmap(saisieImage(QStringLiteral("cadenas"), 22));
    c.image_cadenas->setToolTip(localizedAppl(QStringLiteral("SAISIE_VERROUILLEE")));
    c.pop_macro = named<PopMacro>("pop_macro", head);
    c.pop_macro->setTitle(localizedAppl(QStringLiteral("SAISIE_MACROS")));
    c.pop_help = named<PopHelp>("pop_help", head);
    auto* layout = new QHBoxLayout(head);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(c.pop_moyen);
    layout->addWidget(c.field_moyen, 1);
    layout->addWidget(c.image_cadenas);
    layout->addWidget(c.pop_macro);
    layout->addWidget(c.pop_help);
    return head;
}

QWidget* SaisieWindowLayout::buildGeneral(QWidget* parent, SaisieControls& c)
{
    QWidget* box = page(parent);
    c.boxGeneral = box;
    box->setObjectName(QStringLiteral("boxGeneral"));
    c.field_jour1 = named<TextFieldJour>("field_jour1", box);
    c.field_mois1 = named<TextFieldMois>("field_mois1", box);
    c.field_annee1 = named<TextFieldAnnee>("field_annee1", box);
    c.field_jour1->setFixedWidth(40);
    c.field_mois1->setFixedWidth(40);
    c.field_annee1->setFixedWidth(60);
    c.button_calendrier = named<QToolButton>("button_calendrier", box);
    c.button_calendrier->setIcon(saisieIcon(QStringLiteral("calendrier"), 18));
    c.button_calendrier->setProperty("sv_action", QStringLiteral("CALENDRIER1:"));
    c.titre_montant = title("titre_montant", box);
    c.field_montant = named<TextFieldMontantSaisie>("field_montant", box);
    c.field_montant->setFixedWidth(150);
    c.button_calculette = new ButtonCalculette(c.field_montant, box);
    c.pop_devise = named<PopDevise>("pop_devise", box);
    c.pop_devise->setAssociatedMontant(c.field_montant);
    c.titre_debit = title("titre_debit", box);
    c.view_compteD = named<TextViewCompteD>("view_compteD", box);
    c.pop_compteD = pop<PopCompte>("pop_compteD", box);
    c.titre_credit = title("titre_credit", box);
    c.view_compteC = named<TextViewCompteC>("view_compteC", box);
    c.pop_compteC = pop<PopCompte>("pop_compteC", box);
    c.pop_compteC->setCompteDebit(false);
    c.titre_variante = title("titre_variante", box);
    c.field_variante = display("field_variante", box);
    c.pop_variante = pop<PopVariante>("pop_variante", box);
    c.titre_reference = title("titre_reference", box);
    c.field_reference = named<StdTextView>("field_reference", box);
    c.field_reference->setFixedWidth(150);
    c.titre_poste = title("titre_poste", box, localizedAppl(QStringLiteral("SAISIE_POSTE")));
    c.view_poste = named<TextViewPoste>("view_poste", box);
    c.pop_poste = pop<PopPoste>("pop_poste", box);
    c.titre_information = title("titre_information", box, localizedAppl(QStringLiteral("SAISIE_INFORMATION")));
    c.field_information = named<StdTextView>("field_information", box);
    c.checkbox_groupee = named<QCheckBox>("checkbox_groupee", box);
    c.checkbox_groupee->setText(localizedAppl(QStringLiteral("SAISIE_GROUPEE")));
    c.checkbox_groupee->setProperty("sv_action", QStringLiteral("GROUPEE:"));
    c.checkbox_annulee = named<QCheckBox>("checkbox_annulee", box);
    c.checkbox_annulee->setText(localizedAppl(QStringLiteral("SAISIE_ANNULEE")));
    c.checkbox_annulee->setProperty("sv_action", QStringLiteral("ANNULEE:"));
    c.checkbox_doublon = named<QCheckBox>("checkbox_doublon", box);
    c.checkbox_doublon->setText(localizedAppl(QStringLiteral("SAISIE_DOUBLON")));
    c.checkbox_doublon->setProperty("sv_action", QStringLiteral("DOUBLON:"));
    c.boxNote = named<QWidget>("boxNote", box);
    c.button_note = named<QToolButton>("button_note", c.boxNote);
    c.button_note->setText(localizedAppl(QStringLiteral("SAISIE_NOTE")));
    c.button_note->setIcon(saisieIcon(QStringLiteral("note"), 18));
    c.button_note->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    c.button_note->setProperty("sv_action", QStringLiteral("NOTE:"));
    auto* noteLayout = new QHBoxLayout(c.boxNote);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    noteLayout->addWidget(c.button_note);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(12, 14, 16, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(2, 1);
    grid->addWidget(title("titre_date", box, localizedAppl(QStringLiteral("SAISIE_DATE"))), 0, 0);
    grid->addLayout(controlRow({c.field_jour1, c.field_mois1, c.field_annee1, c.button_calendrier}, true), 0, 1, 1, 2);
    grid->addWidget(c.titre_montant, 1, 0);
    grid->addLayout(controlRow({c.field_montant, c.button_calculette, c.pop_devise}, true), 1, 1, 1, 2);
    grid->addWidget(c.titre_debit, 2, 0);
    grid->addWidget(c.pop_compteD, 2, 1);
    grid->addWidget(c.view_compteD, 2, 2);
    grid->addWidget(c.titre_credit, 3, 0);
    grid->addWidget(c.pop_compteC, 3, 1);
    grid->addWidget(c.view_compteC, 3, 2);
    grid->addWidget(c.titre_variante, 4, 0);
    grid->addWidget(c.pop_variante, 4, 1);
    grid->addWidget(c.field_variante, 4, 2);
    grid->addWidget(c.titre_reference, 5, 0);
    grid->addLayout(controlRow({c.field_reference}, true), 5, 1, 1, 2);
    grid->addWidget(c.titre_poste, 6, 0);
    grid->addWidget(c.pop_poste, 6, 1);
    grid->addWidget(c.view_poste, 6, 2);
    grid->addWidget(c.titre_information, 7, 0);
    grid->addWidget(c.field_information, 7, 1, 1, 2);
    auto* boxes = controlRow({c.checkbox_groupee, c.checkbox_annulee, c.checkbox_doublon}, true);
    boxes->setSpacing(18);
    boxes->addWidget(c.boxNote);
    grid->addLayout(boxes, 8, 1, 1, 2);
    grid->setRowStretch(9, 1);
    return box;
}

QWidget* SaisieWindowLayout::buildGroupage(QWidget* parent, SaisieControls& c, DrawerDetail& drawer)
{
    QWidget* tab = page(parent);
    c.tabItemGroupee = tab;
    auto* hide = named<QLabel>("viewHideGroupee", tab);
    hide->setText(localizedAppl(QStringLiteral("SAISIE_GROUPAGE_VIDE")));
    hide->setWordWrap(true);
    hide->setAlignment(Qt::AlignCenter);
    c.viewHideGroupee = hide;
    c.boxGroupee = named<QWidget>("boxGroupee", tab);
    c.table1 = table("table1", c.boxGroupee, CellDetail::kHeight);
    c.total_groupee_montant = named<FigureLabel>("total_groupee_montant", c.boxGroupee);
    c.total_groupee_montant->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = c.total_groupee_montant->font();
    bold.setBold(true);
    c.total_groupee_montant->setFont(bold);
    c.total_groupee_unit = named<QLabel>("total_groupee_unit", c.boxGroupee);
    c.total_groupee_unit->setFixedWidth(48);
    auto* footer = new QHBoxLayout;
    footer->addWidget(new QLabel(localizedAppl(QStringLiteral("SAISIE_TOTAL")), c.boxGroupee));
    footer->addStretch();
    footer->addWidget(c.total_groupee_montant);
    footer->addWidget(c.total_groupee_unit);
    auto* list = new QVBoxLayout;
    list->addWidget(c.table1, 1);
    list->addLayout(footer);
    auto* drawerBox = named<QFrame>("drawer_groupee", c.boxGroupee);
    drawerBox->setFrameShape(QFrame::StyledPanel);
    drawerBox->setFixedWidth(250);
    c.drawer_groupee = drawerBox;
    drawer.build(drawerBox);
    auto* content = new QHBoxLayout(c.boxGroupee);
    content->setContentsMargins(0, 0, 0, 0);
    content->addLayout(list, 1);
    content->addWidget(drawerBox);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(hide, 1);
    layout->addWidget(c.boxGroupee, 1);
    return tab;
}

QWidget* SaisieWindowLayout::buildFiscalite(QWidget* parent, SaisieControls& c)
{
    QWidget* tab = page(parent);
    c.titre_taxe = title("titre_taxe", tab, localizedAppl(QStringLiteral("SAISIE_TAXE")));
    c.pop_taxe = pop<PopTaxe>("pop_taxe", tab);
    c.field_taxe = display("field_taxe", tab);
    c.titre_montantHT = title("titre_montantHT", tab, localizedAppl(QStringLiteral("SAISIE_MONTANT_HT")));
    c.field_montantHT = named<TextFieldMontantSaisie>("field_montantHT", tab);
    c.titre_montantTaxe = title("titre_montantTaxe", tab, localizedAppl(QStringLiteral("SAISIE_MONTANT_TAXE")));
    c.field_montantTaxe = named<TextFieldMontantSaisie>("field_montantTaxe", tab);
    for (TextFieldMontantSaisie* field : {c.field_montantHT, c.field_montantTaxe}) {
        field->setFixedWidth(150);
    }
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(12, 14, 16, 12);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(2, 1);
    grid->addWidget(c.titre_taxe, 0, 0);
    grid->addWidget(c.pop_taxe, 0, 1);
    grid->addWidget(c.field_taxe, 0, 2);
    grid->addWidget(c.titre_montantHT, 1, 0);
    grid->addLayout(controlRow({c.field_montantHT}, true), 1, 1, 1, 2);
    grid->addWidget(c.titre_montantTaxe, 2, 0);
    grid->addLayout(controlRow({c.field_montantTaxe}, true), 2, 1, 1, 2);
    grid->setRowStretch(3, 1);
    return tab;
}

QWidget* SaisieWindowLayout::buildFinance(QWidget* parent, SaisieControls& c)
{
    QWidget* tab = page(parent);
    c.pop_placement = pop<PopPlacement>("pop_placement", tab);
    c.field_placement = display("field_placement", tab);
    c.pop_placement_help = named<PopPlacementHelp>("pop_placement_help", tab);
    c.titre_quote1 = title("titre_quote1", tab, localizedAppl(QStringLiteral("SAISIE_CAPITAL")));
    c.titre_quote2 = title("titre_quote2", tab, localizedAppl(QStringLiteral("SAISIE_INTERETS")));
    c.titre_quote3 = title("titre_quote3", tab, localizedAppl(QStringLiteral("SAISIE_FRAIS")));
    c.titre_nTitre = title("titre_nTitre", tab, localizedAppl(QStringLiteral("SAISIE_NTITRE")));
    c.field_quote1 = named<TextFieldMontant>("field_quote1", tab);
    c.field_quote2 = named<TextFieldMontant>("field_quote2", tab);
    c.field_quote3 = named<TextFieldMontant>("field_quote3", tab);
    c.field_nTitre = named<TextFieldReal>("field_nTitre", tab);
    const QString compute = localizedAppl(QStringLiteral("SAISIE_CALCULER"));
    c.button_quote1 = namedActionButton("button_quote1", compute, "SET_QUOTE1:", tab);
    c.button_quote2 = namedActionButton("button_quote2", compute, "SET_QUOTE2:", tab);
    c.button_quote3 = namedActionButton("button_quote3", compute, "SET_QUOTE3:", tab);
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(12, 14, 16, 12);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(2, 1);
    grid->addWidget(title("titre_placement", tab, localizedAppl(QStringLiteral("SAISIE_PLACEMENT"))), 0, 0);
    grid->addWidget(c.pop_placement, 0, 1);
    grid->addLayout(controlRow({c.field_placement, c.pop_placement_help}, false), 0, 2);
    const std::pair<QLabel*, std::pair<TextFieldMontant*, QPushButton*>> quotes[] = {
        {c.titre_quote1, {c.field_quote1, c.button_quote1}},
        {c.titre_quote2, {c.field_quote2, c.button_quote2}},
        {c.titre_quote3, {c.field_quote3, c.button_quote3}},
    };
    int line = 1;
    for (const auto& [label, controls] : quotes) {
        controls.first->setFixedWidth(150);
        grid->addWidget(label, line, 0);
        grid->addLayout(controlRow({controls.first, controls.second}, true), line, 1, 1, 2);
        ++line;
    }
    c.field_nTitre->setFixedWidth(150);
    grid->addWidget(c.titre_nTitre, line, 0);
    grid->addLayout(controlRow({c.field_nTitre}, true), line, 1, 1, 2);
    grid->setRowStretch(line + 1, 1);
    return tab;
}

QWidget* SaisieWindowLayout::buildDocuments(QWidget* parent, SaisieControls& c)
{
    QWidget* tab = page(parent);
    c.table2 = table("table2", tab, CellDocument::kHeight);
    c.fieldNoDocument = named<QLabel>("fieldNoDocument", tab);
    c.fieldNoDocument->setText(localizedAppl(QStringLiteral("SAISIE_AUCUN_DOCUMENT")));
    c.fieldNoDocument->setAlignment(Qt::AlignCenter);
    c.buttonAddDocument = namedActionButton(
        "buttonAddDocument", localizedAppl(QStringLiteral("SAISIE_AJOUTER_DOCUMENT")), "ADD_DOCUMENT:", tab);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(c.fieldNoDocument);
    layout->addWidget(c.table2, 1);
    layout->addLayout(controlRow({c.buttonAddDocument}, false));
    static_cast<QHBoxLayout*>(layout->itemAt(2)->layout())->insertStretch(0);
    return tab;
}

QWidget* SaisieWindowLayout::buildButtons(StdWindow& window, SaisieControls& c)
{
    auto* box = new QWidget(&window);
    c.button_arreter = namedActionButton("button_arreter", localizedAppl(QStringLiteral("SAISIE_ARRETER_IMPORT")),
                                         "ARRETER_IMPORT:", box);
    c.button_tout = namedActionButton("button_tout", localizedAppl(QStringLiteral("SAISIE_TOUT_IMPORTER")),
                                      "TOUT_IMPORTER:", box);
    c.button_annuler = namedActionButton("button_annuler", localizedMisc(QStringLiteral("kMisc_Annuler")), "NON:", box);
    c.button_ok = namedActionButton("button_ok", localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), "OUI:", box);
    c.button_ok->setDefault(true);
    c.button_ok->setMinimumWidth(c.button_annuler->sizeHint().width());
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, c.button_annuler, &QPushButton::click);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(c.button_arreter);
    layout->addWidget(c.button_tout);
    layout->addStretch();
    layout->addWidget(c.button_annuler);
    layout->addWidget(c.button_ok);
    return box;
}

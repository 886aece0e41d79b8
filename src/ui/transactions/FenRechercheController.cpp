#include "transactions/FenRechercheController.h"

#include "transactions/PopOperateur.h"
#include "transactions/RechercheConfigurations.h"

#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopCritere.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "document/DocContext.h"
#include "document/SavedSearches.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Synonyme.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>

namespace {

// Every account filter of the pickers: the user's banks, cash and payees.
constexpr qint32 kTousComptes = 7;

// Text views and amount fields are enabled through their own setEnabled, which QWidget's hides.
void enable(QWidget* control, bool on)
{
    if (!control)
        return;
    if (auto* montant = qobject_cast<TextFieldMontant*>(control))
        montant->setEnabled(on);
    else if (auto* view = qobject_cast<StdTextView*>(control))
        view->setEnabled(on);
    else
        control->setEnabled(on);
}

void enableAll(std::initializer_list<QWidget*> controls, bool on)
{
    for (QWidget* control : controls)
        enable(control, on);
}

void setText(QWidget* field, const QString& text)
{
    if (auto* view = qobject_cast<StdTextView*>(field))
        view->setStoredText(text);
}

QString textOf(const QWidget* field)
{
    const auto* view = qobject_cast<const StdTextView*>(field);
    return view ? view->storedText() : QString();
}

template <class E> auto readOperator(E Critere::*field)
{
    return [field](const Critere& c) { return long(c.*field); };
}

template <class E> auto writeOperator(E Critere::*field)
{
    return [field](Critere& c, long tag) { c.*field = E(tag); };
}

} // namespace

FenRechercheController::FenRechercheController() = default;

FenRechercheController::~FenRechercheController() = default;

Critere& FenRechercheController::critere()
{
    std::optional<Critere>& current = DocContext::instance().currentSearchCritere;
    if (!current)
        current.emplace(currentDocument(), true);
    return *current;
}

long FenRechercheController::tagOf(const PopOperateur* pop)
{
    return pop ? pop->selectedTag() : 1;
}

bool FenRechercheController::canSetDate1() const
{
    return tagOf(m_controls.popup_date) > long(CritereCompare::Off);
}

bool FenRechercheController::canSetDate2() const
{
    return tagOf(m_controls.popup_date) == long(CritereCompare::Between);
}

bool FenRechercheController::canSetMontant1() const
{
    return tagOf(m_controls.popup_montant) > long(CritereCompare::Off);
}

bool FenRechercheController::canSetMontant2() const
{
    return tagOf(m_controls.popup_montant) == long(CritereCompare::Between);
}

bool FenRechercheController::onConfiguration() const
{
    return DocContext::instance().selectedSavedSearch >= 0;
}

// ---------------------------------------------------------------------------------------------
// Building

void FenRechercheController::buildInterface(StdWindow& window)
{
    m_controls = RechercheLayout::build(window);
    m_configurations = std::make_unique<RechercheConfigurations>(*this);
    setUpPickers();
    bindCriterion();
    connectOperateurs();
    connect(m_controls.segmented_control, &QTabBar::currentChanged, this,
            [this] { perform(QStringLiteral("TAB_SELECT:"), m_controls.segmented_control); });
}

// Accounts are chosen on either side among every kind of bank, banks themselves without filter;
// a search for "no category" makes no sense, one for no tax, investment or schedule does.
void FenRechercheController::setUpPickers()
{
    const RechercheControls& c = m_controls;
    const std::pair<QWidget*, bool> sides[]
        = {{c.comptes.popD, true},  {c.comptes.popC, false},   {c.banques.popD, true},
           {c.banques.popC, false}, {c.categories.popD, true}, {c.categories.popC, false}};
    for (const auto& [pop, debit] : sides)
        static_cast<StdPopUp*>(pop)->setCompteDebit(debit);
    for (QWidget* pop : {c.comptes.popD, c.comptes.popC})
        static_cast<PopCompte*>(pop)->setPOPcompteCFilter(kTousComptes);
    for (QWidget* pop : {c.banques.popD, c.banques.popC})
        static_cast<PopCompte*>(pop)->setPOPcompteCFilter(0);
    static_cast<StdPopUp*>(c.poste.pop)->setCanSelectFirstItem(false);
    for (QWidget* pop : {c.taxe.pop, c.placement.pop, c.echeancier.pop})
        static_cast<StdPopUp*>(pop)->setCanSelectFirstItem(true);
    m_controls.pop_critere->setCanSelectFirstItem(true);
}

void FenRechercheController::bindCriterion()
{
    const RechercheControls& c = m_controls;
    const auto bind = [this](PopOperateur* pop, auto field) {
        m_operateurs.push_back({pop, readOperator(field), writeOperator(field)});
    };
    bind(c.popup_date, &Critere::critereDate);
    bind(c.popup_montant, &Critere::critereMontant);
    bind(c.comptes.operateurD, &Critere::critereCompteDebit);
    bind(c.comptes.operateurC, &Critere::critereCompteCredit);
    bind(c.comptes.operateurBool, &Critere::critereBoolCompte);
    bind(c.banques.operateurD, &Critere::critereBanqueDebit);
    bind(c.banques.operateurC, &Critere::critereBanqueCredit);
    bind(c.banques.operateurBool, &Critere::critereBoolBanque);
    bind(c.categories.operateurD, &Critere::critereCategorieDebit);
    bind(c.categories.operateurC, &Critere::critereCategorieCredit);
    bind(c.categories.operateurBool, &Critere::critereBoolCategorie);
    bind(c.poste.operateur, &Critere::criterePoste);
    bind(c.dossier.operateur, &Critere::critereDossier);
    bind(c.taxe.operateur, &Critere::critereTaxe);
    bind(c.placement.operateur, &Critere::criterePlacement);
    bind(c.moyen.operateur, &Critere::critereMoyen);
    bind(c.echeancier.operateur, &Critere::critereChrono);
    bind(c.popup_pointe, &Critere::criterePointe);
    bind(c.popup_import, &Critere::critereImport);
    bind(c.popup_reference, &Critere::critereReference);
    bind(c.popup_information, &Critere::critereWhy);

    const auto ident = [this](auto pickerField, auto critereField) {
        m_idents.push_back({[critereField](const Critere& k) { return long(k.*critereField); },
                            [critereField](Critere& k, long id) {
                                k.*critereField = static_cast<std::remove_reference_t<decltype(k.*critereField)>>(id);
                            },
                            [pickerField](const StdWindowPickers& p) { return long(p.*pickerField); },
                            [pickerField](StdWindowPickers& p, long id) {
                                p.*pickerField = static_cast<std::remove_reference_t<decltype(p.*pickerField)>>(id);
                            }});
    };
    ident(&StdWindowPickers::compteDID, &Critere::compteIDDebit);
    ident(&StdWindowPickers::compteCID, &Critere::compteIDCredit);
    ident(&StdWindowPickers::banqueDID, &Critere::banqueIDDebit);
    ident(&StdWindowPickers::banqueCID, &Critere::banqueIDCredit);
    ident(&StdWindowPickers::categorieDID, &Critere::categorieIDDebit);
    ident(&StdWindowPickers::categorieCID, &Critere::categorieIDCredit);
    ident(&StdWindowPickers::posteID, &Critere::posteID);
    ident(&StdWindowPickers::dossierID, &Critere::dossierID);
    ident(&StdWindowPickers::taxeID, &Critere::taxeID);
    ident(&StdWindowPickers::titreID, &Critere::titreID);
    ident(&StdWindowPickers::remunereID, &Critere::remunereID);
    ident(&StdWindowPickers::empruntID, &Critere::empruntID);
    ident(&StdWindowPickers::moyenID, &Critere::moyen);
    ident(&StdWindowPickers::echeancierID, &Critere::chronoID);
}

void FenRechercheController::connectOperateurs()
{
    for (const OperateurBinding& binding : m_operateurs) {
        PopOperateur* pop = binding.pop;
        const QString action = StdActionDispatcher::actionOf(pop);
        if (!action.isEmpty())
            connect(pop, &QComboBox::activated, this, [this, pop, action] { perform(action, pop); });
    }
}

// ---------------------------------------------------------------------------------------------
// FILL and READ

void FenRechercheController::didAwakeFromNib()
{
    scanSavedSearches(currentDocument());
    StdWindowController::didAwakeFromNib();
}

void FenRechercheController::FILL()
{
    const Critere& c = critere();
    m_controls.button_prevision->setChecked(c.includesPrevisions);
    fillConfiguration();
    setDevise(c.devise);
    setDate1(c.date1);
    setDate2(c.date2);
    fillValues(c);
    StdWindowController::FILL();
    FILL_DEVISE(devise());
    m_controls.montant1.field->fillMontant(c.montant1, devise());
    m_controls.montant2.field->fillMontant(c.montant2, devise());
    FILL_MOYEN();
    fillPage();
    announceCanSet();
}

void FenRechercheController::fillConfiguration()
{
    const DocContext& context = DocContext::instance();
    const long current = context.selectedSavedSearch;
    const bool known = current >= 0 && current < context.savedSearchList.size();
    m_controls.pop_critere->setSelectedTag(known ? current : StdPopUp::kNoTag);
    m_controls.field_critere->setText(known ? savedSearchName(context.savedSearchList[current]) : QStringLiteral("-"));
}

void FenRechercheController::fillValues(const Critere& c)
{
    for (const OperateurBinding& binding : m_operateurs)
        binding.pop->selectTag(binding.read(c));
    for (const IdentBinding& binding : m_idents)
        binding.choose(pickers(), binding.read(c));
    m_synonymeID = c.synonymeID < 0 ? -1 : c.synonymeID;
    setText(m_controls.field_reference, c.reference);
    setText(m_controls.field_information, c.why);
}

void FenRechercheController::fillPage()
{
    const DOCUMENT* doc = currentDocument();
    const long page = doc && doc->docParam ? doc->docParam->currentRechercheTab : 0;
    const int shown = page >= 0 && page < m_controls.tab_view->count() ? int(page) : 0;
    m_controls.segmented_control->setCurrentIndex(shown);
    m_controls.tab_view->setCurrentIndex(shown);
}

bool FenRechercheController::READ()
{
    if (!StdWindowController::READ())
        return false;
    Critere& c = critere();
    c.includesPrevisions = m_controls.button_prevision->isChecked();
    c.devise = devise();
    c.date1 = date1();
    c.date2 = endOfDay(date2());
    readValues(c);
    c.computeCritere();
    return true;
}

// A synonym counts only while the payment means is searched for: one chosen earlier and left
// behind when the means went back to any value would go on filtering out of sight.
void FenRechercheController::readValues(Critere& c) const
{
    m_controls.montant1.field->readMontant(c.montant1);
    m_controls.montant2.field->readMontant(c.montant2);
    for (const OperateurBinding& binding : m_operateurs)
        binding.write(c, binding.pop->selectedTag());
    for (const IdentBinding& binding : m_idents)
        binding.write(c, binding.chosen(pickers()));
    c.synonymeID = m_synonymeID;
    const bool synonyme = c.critereMoyen == CritereSwitch::On && m_synonymeID >= 0;
    c.critereSynonyme = synonyme ? CritereSwitch::On : CritereSwitch::Off;
    c.reference = textOf(m_controls.field_reference);
    c.why = textOf(m_controls.field_information);
}

void FenRechercheController::FILL_DEVISE(long slot)
{
    pickers().FILL_DEVISE(slot);
    for (const RechercheMontant* montant : {&m_controls.montant1, &m_controls.montant2}) {
        montant->devise->setSelectedTag(slot);
        montant->devise->FILL_DEVISE(slot);
        montant->field->SET_DEVISE(slot);
    }
}

void FenRechercheController::FILL_MOYEN()
{
    pickers().FILL_MOYEN(m_synonymeID);
}

void FenRechercheController::announceCanSet()
{
    const RechercheControls& c = m_controls;
    const RechercheDate& d1 = c.date1;
    const RechercheDate& d2 = c.date2;
    enableAll({d1.jour, d1.mois, d1.annee, d1.calendrier}, canSetDate1());
    enableAll({d2.jour, d2.mois, d2.annee, d2.calendrier}, canSetDate2());
    enableAll({c.montant1.field, c.montant1.devise}, canSetMontant1());
    enableAll({c.montant2.field, c.montant2.devise}, canSetMontant2());
    const std::pair<const RechercheSides*, std::array<bool, 3>> sides[] = {
        {&c.comptes, {canSetCompteD(), canSetCompteC(), canSetCompteBool()}},
        {&c.banques, {canSetBanqueD(), canSetBanqueC(), canSetBanqueBool()}},
        {&c.categories, {canSetCategorieD(), canSetCategorieC(), canSetCategorieBool()}},
    };
    for (const auto& [pair, on] : sides) {
        enableAll({pair->popD, pair->valueD}, on[0]);
        enableAll({pair->popC, pair->valueC}, on[1]);
        enable(pair->operateurBool, on[2]);
    }
    const std::pair<const RechercheEntity*, bool> entities[] = {
        {&c.poste, canSetPoste()}, {&c.dossier, canSetDossier()},     {&c.taxe, canSetTaxe()},
        {&c.moyen, canSetMoyen()}, {&c.placement, canSetPlacement()}, {&c.echeancier, canSetEcheancier()},
    };
    for (const auto& [entity, on] : entities)
        enableAll({entity->pop, entity->value}, on);
    enable(c.field_reference, canSetReference());
    enable(c.field_information, canSetInformation());
    enableAll({c.button_renommer, c.button_supprimer}, onConfiguration());
    emit canSetChanged();
}

// ---------------------------------------------------------------------------------------------
// Operators

void FenRechercheController::operatorChanged(bool enabled, QWidget* first)
{
    announceCanSet();
    if (enabled && first)
        first->setFocus(Qt::OtherFocusReason);
}

void FenRechercheController::sideChanged(const RechercheSides& sides, bool sideSet, QWidget* first)
{
    if (!sideSet)
        sides.operateurBool->selectTag(long(CritereBool::And));
    operatorChanged(sideSet, first);
}

void FenRechercheController::POPUP_DATE(QObject* /*sender*/)
{
    operatorChanged(canSetDate1(), m_controls.date1.jour);
}

void FenRechercheController::POPUP_MONTANT(QObject* /*sender*/)
{
    operatorChanged(canSetMontant1(), m_controls.montant1.field);
}

void FenRechercheController::POPUP_POSTE(QObject* /*sender*/)
{
    operatorChanged(canSetPoste(), m_controls.poste.value);
}

void FenRechercheController::POPUP_REFERENCE(QObject* /*sender*/)
{
    operatorChanged(canSetReference(), m_controls.field_reference);
}

void FenRechercheController::POPUP_INFORMATION(QObject* /*sender*/)
{
    operatorChanged(canSetInformation(), m_controls.field_information);
}

void FenRechercheController::POPUP_COMPTED(QObject* /*sender*/)
{
    sideChanged(m_controls.comptes, canSetCompteD(), m_controls.comptes.valueD);
}

void FenRechercheController::POPUP_COMPTEC(QObject* /*sender*/)
{
    sideChanged(m_controls.comptes, canSetCompteC(), m_controls.comptes.valueC);
}

void FenRechercheController::POPUP_BANQUED(QObject* /*sender*/)
{
    sideChanged(m_controls.banques, canSetBanqueD(), m_controls.banques.popD);
}

void FenRechercheController::POPUP_BANQUEC(QObject* /*sender*/)
{
    sideChanged(m_controls.banques, canSetBanqueC(), m_controls.banques.popC);
}

void FenRechercheController::POPUP_CATEGORIED(QObject* /*sender*/)
{
    sideChanged(m_controls.categories, canSetCategorieD(), m_controls.categories.popD);
}

void FenRechercheController::POPUP_CATEGORIEC(QObject* /*sender*/)
{
    sideChanged(m_controls.categories, canSetCategorieC(), m_controls.categories.popC);
}

void FenRechercheController::POPUP_DOSSIER(QObject* /*sender*/)
{
    announceCanSet();
}

void FenRechercheController::POPUP_TAXE(QObject* /*sender*/)
{
    announceCanSet();
}

void FenRechercheController::POPUP_PLACEMENT(QObject* /*sender*/)
{
    announceCanSet();
}

void FenRechercheController::POPUP_MOYEN(QObject* /*sender*/)
{
    announceCanSet();
}

void FenRechercheController::POPUP_ECHEANCIER(QObject* /*sender*/)
{
    announceCanSet();
}

// ---------------------------------------------------------------------------------------------
// Pickers and pages

void FenRechercheController::MOYEN(QObject* item)
{
    const QVariantMap represented = StdMenu::representedObject(item).toMap();
    const bool synonyme = represented.contains(QStringLiteral("synonyme"));
    m_synonymeID = synonyme ? represented.value(QStringLiteral("synonyme")).value<Synonyme>().ident : -1;
    critere().critereSynonyme = synonyme ? CritereSwitch::On : CritereSwitch::Off;
    pickers().MOYEN(item);
    FILL_MOYEN();
}

void FenRechercheController::DEVISE(QObject* item)
{
    FILL_DEVISE(long(StdMenu::tagOf(item)));
    for (const RechercheMontant* montant : {&m_controls.montant1, &m_controls.montant2}) {
        if (montant->field->hasFocus())
            montant->field->selectAll();
    }
}

void FenRechercheController::TAB_SELECT(QObject* /*sender*/)
{
    m_controls.tab_view->setCurrentIndex(m_controls.segmented_control->currentIndex());
}

// ---------------------------------------------------------------------------------------------
// Saved searches

void FenRechercheController::RECHERCHE(QObject* item)
{
    m_configurations->RECHERCHE(long(StdMenu::tagOf(item)));
}

void FenRechercheController::CREER(QObject* /*sender*/)
{
    m_configurations->CREER();
}

void FenRechercheController::RENOMMER(QObject* /*sender*/)
{
    m_configurations->RENOMMER();
}

void FenRechercheController::SUPPRIMER(QObject* /*sender*/)
{
    m_configurations->SUPPRIMER();
}

bool FenRechercheController::ENREGISTRER()
{
    return m_configurations->ENREGISTRER();
}

// ---------------------------------------------------------------------------------------------
// Closing

// The criterion is read whether or not a saved search is current: a saved search whose file
// has gone must not take the edits with it.
void FenRechercheController::OUI(QObject* /*sender*/)
{
    // A date the calendar doesn't have keeps the window open on it.
    if (!READ())
        return;
    if (onConfiguration())
        ENREGISTRER();
    endModal(1);
}

void FenRechercheController::NON(QObject* /*sender*/)
{
    endModal(0);
}

void FenRechercheController::windowWillClose()
{
    DOCUMENT* doc = currentDocument();
    if (doc && doc->docParam)
        doc->docParam->currentRechercheTab = m_controls.segmented_control->currentIndex();
    StdWindowController::windowWillClose();
}

#include "toolkit/windows/StdWindowPickers.h"

#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/fields/TextViewCompte.h"
#include "toolkit/fields/datefields.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopDossier.h"
#include "toolkit/popups/PopLogo.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopSynonyme.h"
#include "toolkit/popups/PopVariante.h"
#include "toolkit/windows/StdWindowController.h"

#include "document/DocContext.h"
#include "foundation/IAppShell.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/ECHEANCIER.h"
#include "model/FINANCE.h"
#include "model/FinanceCompute.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/Synonyme.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "model/VARIANTE.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The investment tags carry the kind in their high bits and the ident below them.
constexpr qint64 kPlacementIdentMask = 0x0FFFFFFF;
// Payment families run from 0 to 12; a window that has chosen none holds -1.
constexpr qint32 kLastMoyenFamily = 12;

qint64 tagOf(const QObject* item)
{
    return StdMenu::tagOf(item);
}

QString textOf(const QWidget* field)
{
    if (const auto* view = qobject_cast<const QPlainTextEdit*>(field))
        return view->toPlainText();
    if (const auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (const auto* label = qobject_cast<const QLabel*>(field))
        return label->text();
    return QString();
}

void setTextOf(QWidget* field, const QString& text)
{
    if (auto* view = qobject_cast<QPlainTextEdit*>(field)) {
        // Rewriting the same text would drop the caret and selection a completing view has just
        // put in place.
        if (view->toPlainText() != text)
            view->setPlainText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(field)) {
        label->setText(text);
    }
}

// A text shown for reading only: no caret, no selection, out of the focus chain.
void makeDisplayOnly(QWidget* field)
{
    if (auto* view = qobject_cast<QPlainTextEdit*>(field)) {
        view->setReadOnly(true);
        view->setTextInteractionFlags(Qt::NoTextInteraction);
    } else if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setReadOnly(true);
    } else if (auto* label = qobject_cast<QLabel*>(field)) {
        label->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    field->setFocusPolicy(Qt::NoFocus);
}

QIcon varianteIcon(const ::VARIANTE& variante, int family)
{
    const VarianteImage image = variante.getImageForFamily(family, currentDocument());
    return image.name.isEmpty() ? PopLogo::logoIcon(image.png) : StdPopUp::itemImage(image.name);
}

} // namespace

StdWindowPickers::StdWindowPickers(StdWindowController& controller)
    : m_controller(controller)
{
}

StdWindowPickers::~StdWindowPickers() = default;

void StdWindowPickers::getPlacementFilter(bool* titreFilter, bool* remunereFilter, bool* empruntFilter) const
{
    if (titreFilter)
        *titreFilter = m_theFilterTitre;
    if (remunereFilter)
        *remunereFilter = m_theFilterRemunere;
    if (empruntFilter)
        *empruntFilter = m_theFilterEmprunt;
}

void StdWindowPickers::setPlacementFilter(bool titreFilter, bool remunereFilter, bool empruntFilter)
{
    m_theFilterTitre = titreFilter;
    m_theFilterRemunere = remunereFilter;
    m_theFilterEmprunt = empruntFilter;
}

double StdWindowPickers::fontSize() const
{
    return m_controller.defaultFontSize();
}

void StdWindowPickers::showText(QWidget* field, const QString& text, bool editable) const
{
    if (!field)
        return;
    setTextOf(field, text);
    styleText(field, editable);
}

void StdWindowPickers::styleText(QWidget* field, bool editable) const
{
    if (!field)
        return;
    field->setFont(StdTextView::systemFontOfSize(fontSize()));
    if (!editable)
        makeDisplayOnly(field);
}

void StdWindowPickers::focusAndSelectAll(QWidget* view) const
{
    if (!view)
        return;
    view->setFocus(Qt::OtherFocusReason);
    if (auto* text = qobject_cast<QPlainTextEdit*>(view))
        text->selectAll();
    else if (auto* line = qobject_cast<QLineEdit*>(view))
        line->selectAll();
}

// ---------------------------------------------------------------------------------------------
// FILL and READ

void StdWindowPickers::FILL()
{
    FILL_DEVISE(m_controller.devise());
    const StdPickerControls& c = m_controls;
    const std::pair<const QWidget*, void (StdWindowPickers::*)()> fills[] = {
        {c.view_poste, &StdWindowPickers::FILL_POSTE},
        {c.field_banqueD, &StdWindowPickers::FILL_BANQUED},
        {c.field_banqueC, &StdWindowPickers::FILL_BANQUEC},
        {c.view_compteD, &StdWindowPickers::FILL_COMPTED},
        {c.view_compteC, &StdWindowPickers::FILL_COMPTEC},
        {c.field_dossier, &StdWindowPickers::FILL_DOSSIER},
        {c.field_variante, &StdWindowPickers::FILL_VARIANTE},
        {c.date1.jour, &StdWindowPickers::FILL_DATE1},
        {c.date2.jour, &StdWindowPickers::FILL_DATE2},
        {c.pop_moyen, &StdWindowPickers::FILL_MOYEN},
        {c.pop_taxe, &StdWindowPickers::FILL_TAXE},
        {c.pop_placement, &StdWindowPickers::FILL_PLACEMENT},
        {c.pop_categorieD, &StdWindowPickers::FILL_CATEGORIED},
        {c.pop_categorieC, &StdWindowPickers::FILL_CATEGORIEC},
        {c.pop_echeancier, &StdWindowPickers::FILL_ECHEANCIER},
    };
    for (const auto& [control, fill] : fills) {
        if (control)
            (this->*fill)();
    }
}

bool StdWindowPickers::READ()
{
    for (const DateFields* fields : {&m_controls.date1, &m_controls.date2}) {
        if (fields->jour && refuseImpossibleDate(&m_controller, fields->jour, fields->mois, fields->annee))
            return false;
    }
    if (m_controls.date1.jour)
        m_controller.setDate1(readDate(m_controls.date1));
    if (m_controls.date2.jour)
        m_controller.setDate2(readDate(m_controls.date2));
    return true;
}

// ---------------------------------------------------------------------------------------------
// Currency

void StdWindowPickers::FILL_DEVISE(long slot)
{
    m_controller.setDevise(slot);
    if (PopDevise* pop = m_controls.pop_devise) {
        pop->setSelectedTag(slot);
        pop->FILL_DEVISE(slot);
    }
}

void StdWindowPickers::DEVISE(QObject* item)
{
    FILL_DEVISE(long(tagOf(item)));
}

void StdWindowPickers::EDIT_CONVERSION(QObject* item)
{
    if (IWindowAppDelegate* app = windowAppDelegate())
        app->EDIT_CONVERSION(m_controller.windowIfLoaded(), item);
}

long StdWindowPickers::slotAfterNewDevisePrincipale(long current, long slot)
{
    if (current == 0)
        return slot;
    if (current == slot)
        return 0;
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Category

void StdWindowPickers::FILL_POSTE()
{
    const DOCUMENT* doc = currentDocument();
    showText(m_controls.view_poste, doc ? ::POSTE::getPosteNameNS(posteID, *doc) : QString(), true);
    StdPopUp* pop = m_controls.pop_poste;
    if (!pop)
        return;
    pop->setSelectedTag(posteID);
    if (const ::POSTE* poste = doc ? ::POSTE::posteWithIdent(posteID, *doc) : nullptr)
        pop->setImage(PopPoste::posteImage(*poste));
}

void StdWindowPickers::POSTE(QObject* item)
{
    posteID = long(tagOf(item));
    FILL_POSTE();
    focusAndSelectAll(m_controls.view_poste);
}

// Whether or not a category was made, the lists and analyses look at the categories again: the
// editor may have changed others on its way.
void StdWindowPickers::CREATE_POSTE(QObject* item)
{
    const long ident = appShell() ? appShell()->CREATE_POSTE(m_controller.windowIfLoaded(), item) : -1;
    if (ident >= 0) {
        posteID = ident;
        FILL_POSTE();
    }
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::REBUILD_LIST);
}

// ---------------------------------------------------------------------------------------------
// Banks and accounts

void StdWindowPickers::fillBanque(long ident, QWidget* field, StdPopUp* pop)
{
    const DOCUMENT* doc = currentDocument();
    showText(field, getToolNameNS(kToolBanque, ident, doc), true);
    if (!pop)
        return;
    pop->setSelectedTag(ident);
    pop->setImage(PopCompte::getBanqueImage(ident, doc));
}

void StdWindowPickers::FILL_BANQUED()
{
    fillBanque(banqueDID, m_controls.field_banqueD, m_controls.pop_banqueD);
}

void StdWindowPickers::FILL_BANQUEC()
{
    fillBanque(banqueCID, m_controls.field_banqueC, m_controls.pop_banqueC);
}

void StdWindowPickers::BDEBIT(QObject* item)
{
    banqueDID = long(tagOf(item));
    FILL_BANQUED();
}

void StdWindowPickers::BCREDIT(QObject* item)
{
    banqueCID = long(tagOf(item));
    FILL_BANQUEC();
}

void StdWindowPickers::fillCompte(long ident, QWidget* view, PopCompte* pop)
{
    if (!view || !pop)
        return;
    const DOCUMENT* doc = currentDocument();
    showText(view, getToolNameNS(kToolCompte, ident, doc), true);
    if (auto* completing = qobject_cast<TextViewCompte*>(view))
        completing->setAssociatedPopup(pop);
    pop->setSelectedTag(ident);
    pop->setImage(PopCompte::getCompteImage(ident, doc));
}

void StdWindowPickers::FILL_COMPTED()
{
    fillCompte(compteDID, m_controls.view_compteD, m_controls.pop_compteD);
}

void StdWindowPickers::FILL_COMPTEC()
{
    fillCompte(compteCID, m_controls.view_compteC, m_controls.pop_compteC);
}

void StdWindowPickers::DEBIT(QObject* item)
{
    compteDID = long(tagOf(item));
    FILL_COMPTED();
    focusAndSelectAll(m_controls.view_compteD);
}

void StdWindowPickers::CREDIT(QObject* item)
{
    compteCID = long(tagOf(item));
    FILL_COMPTEC();
    focusAndSelectAll(m_controls.view_compteC);
}

void StdWindowPickers::createCompte(QObject* item, long* ident, bool debit)
{
    const long created = appShell() ? appShell()->CREATE_COMPTE(m_controller.windowIfLoaded(), item) : -1;
    if (created < 0)
        return;
    *ident = created;
    if (debit)
        FILL_COMPTED();
    else
        FILL_COMPTEC();
    sendToAllWindowDelegates(Sel::didCreateCompteFromMenu, QVariant::fromValue<qlonglong>(created));
}

void StdWindowPickers::CREATE_COMPTED(QObject* item)
{
    createCompte(item, &compteDID, true);
}

void StdWindowPickers::CREATE_COMPTEC(QObject* item)
{
    createCompte(item, &compteCID, false);
}

// ---------------------------------------------------------------------------------------------
// Folder, cheque book or card, payment means, tax

void StdWindowPickers::FILL_DOSSIER()
{
    const DOCUMENT* doc = currentDocument();
    StdPopUp* pop = m_controls.pop_dossier;
    const auto* dossiers = qobject_cast<const PopDossier*>(pop);
    QString text;
    if (dossierID == -1 && dossiers && dossiers->getShowAllDossierOption())
        text = localizedMisc(QStringLiteral("kMisc_AnalyseTousDossiers"));
    else if (doc)
        text = ::DOSSIER::getDossierNameNS(dossierID, *doc);
    showText(m_controls.field_dossier, text, false);
    if (!pop)
        return;
    pop->setSelectedTag(dossierID);
    if (const ::DOSSIER* dossier = doc ? ::DOSSIER::dossierWithIdent(dossierID, *doc) : nullptr)
        pop->setImage(PopPoste::dossierImage(*dossier));
}

void StdWindowPickers::DOSSIER(QObject* item)
{
    dossierID = long(tagOf(item));
    FILL_DOSSIER();
}

void StdWindowPickers::FILL_VARIANTE()
{
    StdPopUp* pop = m_controls.pop_variante;
    const auto* variantes = qobject_cast<const PopVariante*>(pop);
    const int family = variantes ? variantes->getFamily() : 0;
    const ::VARIANTE* variante = variantes
        ? ::MOYEN::varianteForFamily(family, long(variantes->getCompteID()), varianteID, currentDocument())
        : nullptr;
    showText(m_controls.field_variante, variante ? variante->nom : QString(), false);
    if (!pop)
        return;
    pop->setSelectedTag(varianteID);
    if (variante)
        pop->setImage(varianteIcon(*variante, family));
}

void StdWindowPickers::VARIANTE(QObject* item)
{
    varianteID = long(tagOf(item));
    FILL_VARIANTE();
}

void StdWindowPickers::FILL_MOYEN()
{
    showText(m_controls.field_moyen, moyenNameForFamily(moyenID), true);
    if (StdPopUp* pop = m_controls.pop_moyen) {
        pop->setSelectedTag(moyenID);
        const bool isFamily = moyenID >= 0 && moyenID <= kLastMoyenFamily;
        pop->setImage(isFamily ? StdPopUp::itemImage(familyIconName(moyenID)) : QIcon());
    }
}

void StdWindowPickers::FILL_MOYEN(long synonymeID)
{
    const DOCUMENT* doc = currentDocument();
    const Synonyme* synonyme
        = synonymeID >= 0 && doc ? Synonyme::synonymeWithIdent(synonymeID, doc->synonymeArray) : nullptr;
    auto* moyens = qobject_cast<PopMoyen*>(m_controls.pop_moyen);
    if (!synonyme) {
        FILL_MOYEN();
        if (moyens)
            moyens->selectMoyen(moyenID);
        return;
    }
    showText(m_controls.field_moyen, synonyme->nom, true);
    if (moyens) {
        moyens->selectSynonyme(synonyme->ident);
        moyens->setImage(PopSynonyme::synonymeImage(*synonyme));
    }
}

void StdWindowPickers::MOYEN(QObject* item)
{
    moyenID = qint32(tagOf(item));
    FILL_MOYEN();
}

void StdWindowPickers::FILL_TAXE()
{
    const DOCUMENT* doc = currentDocument();
    showText(m_controls.field_taxe, doc ? ::TAXE::getTaxeName(taxeID, *doc) : QString(), false);
    if (StdPopUp* pop = m_controls.pop_taxe)
        pop->setSelectedTag(taxeID);
}

void StdWindowPickers::TAXE(QObject* item)
{
    taxeID = long(tagOf(item));
    FILL_TAXE();
}

// ---------------------------------------------------------------------------------------------
// Investment

void StdWindowPickers::FILL_PLACEMENT()
{
    QWidget* field = m_controls.field_placement;
    StdPopUp* pop = m_controls.pop_placement;
    const DOCUMENT* doc = currentDocument();
    struct Kind {
        long ident;
        const FinanceList* list;
        qint64 bit;
    };
    const Kind kinds[] = {
        {titreID, doc ? &doc->titreHdl : nullptr, kPopTagTitre},
        {remunereID, doc ? &doc->remunereHdl : nullptr, kPopTagRemunere},
        {empruntID, doc ? &doc->empruntHdl : nullptr, kPopTagEmprunt},
    };
    const auto chosen = std::find_if(std::begin(kinds), std::end(kinds), [](const Kind& k) { return k.ident >= 0; });
    if (chosen == std::end(kinds)) {
        showText(field, localizedMisc(QStringLiteral("kMisc_PasDOperation")), false);
        if (pop)
            pop->setSelectedTag(-1);
    } else {
        long index = 0;
        // An investment that is gone leaves the picker as it was.
        if (findFinanceWithIdent(chosen->ident, &index, chosen->list)) {
            showText(field, FINANCE::financeAtIndex(chosen->list, index)->nom, false);
            if (pop)
                pop->setSelectedTag(chosen->bit | qint64(chosen->ident));
        }
    }
    styleText(field, false);
}

void StdWindowPickers::choosePlacement(QObject* item, long* kindID)
{
    titreID = -1;
    remunereID = -1;
    empruntID = -1;
    *kindID = long(tagOf(item) & kPlacementIdentMask);
    FILL_PLACEMENT();
}

void StdWindowPickers::TITRE(QObject* item)
{
    choosePlacement(item, &titreID);
}

void StdWindowPickers::REMUNERE(QObject* item)
{
    choosePlacement(item, &remunereID);
}

void StdWindowPickers::EMPRUNT(QObject* item)
{
    choosePlacement(item, &empruntID);
}

void StdWindowPickers::NO_PLACEMENT()
{
    titreID = -1;
    remunereID = -1;
    empruntID = -1;
    FILL_PLACEMENT();
}

// ---------------------------------------------------------------------------------------------
// Account categories and schedule

void StdWindowPickers::FILL_CATEGORIED()
{
    showText(m_controls.field_categorieD, Constants::categorieToString(categorieDID), false);
    if (StdPopUp* pop = m_controls.pop_categorieD)
        pop->setSelectedTag(categorieDID);
}

void StdWindowPickers::FILL_CATEGORIEC()
{
    showText(m_controls.field_categorieC, Constants::categorieToString(categorieCID), false);
    if (StdPopUp* pop = m_controls.pop_categorieC)
        pop->setSelectedTag(categorieCID);
}

void StdWindowPickers::CATEGORIED(QObject* item)
{
    categorieDID = qint32(tagOf(item));
    FILL_CATEGORIED();
}

void StdWindowPickers::CATEGORIEC(QObject* item)
{
    categorieCID = qint32(tagOf(item));
    FILL_CATEGORIEC();
}

void StdWindowPickers::FILL_ECHEANCIER()
{
    showText(m_controls.field_echeancier, echeancierNameForIdent(echeancierID, currentDocument()), false);
    if (StdPopUp* pop = m_controls.pop_echeancier)
        pop->setSelectedTag(echeancierID);
}

void StdWindowPickers::ECHEANCIER(QObject* item)
{
    echeancierID = long(tagOf(item));
    FILL_ECHEANCIER();
}

// ---------------------------------------------------------------------------------------------
// Dates

void StdWindowPickers::fillDate(const DateFields& fields, double date)
{
    QString day;
    QString month;
    QString year;
    setDayMonthYearViews(&day, &month, &year, date);
    showText(fields.jour, day, true);
    showText(fields.mois, month, true);
    showText(fields.annee, year, true);
}

// An absent field takes today's value.
double StdWindowPickers::readDate(const DateFields& fields) const
{
    const QWidget* widgets[] = {fields.jour, fields.mois, fields.annee};
    QString texts[3];
    const QString* present[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (widgets[i]) {
            texts[i] = textOf(widgets[i]);
            present[i] = &texts[i];
        }
    }
    double date = 0;
    dateFromDayMonthYearViews(present[0], present[1], present[2], &date);
    return date;
}

void StdWindowPickers::FILL_DATE1()
{
    fillDate(m_controls.date1, m_controller.date1());
}

void StdWindowPickers::FILL_DATE2()
{
    fillDate(m_controls.date2, m_controller.date2());
}

double StdWindowPickers::pickDate(const DateFields& fields, bool* picked)
{
    *picked = pickDateForField(&m_controller, qobject_cast<StdTextView*>(fields.jour),
                               qobject_cast<StdTextView*>(fields.mois), qobject_cast<StdTextView*>(fields.annee),
                               fontSize());
    return readDate(fields);
}

// The second date usually follows the first: the keys go there, not to the calendar button.
void StdWindowPickers::CALENDRIER1()
{
    bool picked = false;
    m_controller.setDate1(pickDate(m_controls.date1, &picked));
    if (picked && m_controls.date2.jour)
        giveKeyboardAfterPick(m_controls.date2.jour);
}

void StdWindowPickers::CALENDRIER2()
{
    bool picked = false;
    m_controller.setDate2(pickDate(m_controls.date2, &picked));
}

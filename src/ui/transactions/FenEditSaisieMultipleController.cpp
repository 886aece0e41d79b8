#include "transactions/FenEditSaisieMultipleController.h"

#include "transactions/TextFieldMontantSaisie.h"

#include "engines/SaisieInput.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/host/HelperSVTimer.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPlacement.h"
#include "toolkit/popups/PopPlacementHelp.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/popups/PopVariante.h"

#include "foundation/IDesktop.h"
#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/MOYEN.h"
#include "model/TOOL.h"
#include "model/TransactOps.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

namespace {

const QString kKeep = QStringLiteral("-");
const QString kSaisie = QStringLiteral("saisie");
const QString kMultiple = QStringLiteral("multiple");

// The state a box shows for an entry: on, off, or mixed when the entry is kept.
void showEntry(QCheckBox* box, std::optional<bool> entry)
{
    box->setTristate(!entry.has_value());
    box->setCheckState(!entry ? Qt::PartiallyChecked : *entry ? Qt::Checked : Qt::Unchecked);
}

// A box's action: on from off or mixed, off from on.
void toggle(std::optional<bool>& entry)
{
    entry = !entry.value_or(false);
}

} // namespace

WindowDataPtr FenEditSaisieMultipleController::multipleWindowData(const SaisieDataPtr& saisie,
                                                                  const SaisieMultipleDataPtr& multiple)
{
    WindowDataPtr data = makeSaisieWindowData(saisie);
    data->insert(kMultiple, QVariant::fromValue(multiple));
    return data;
}

void FenEditSaisieMultipleController::buildInterface(StdWindow& window)
{
    const WindowDataPtr data = getData();
    SaisieMultipleData* given = data ? data->value(kMultiple).value<SaisieMultipleDataPtr>().get() : nullptr;
    m_multiple = given ? given : &m_none;
    FenEditSaisieController::buildInterface(window);
    const SaisieControls& c = controls();
    for (StdTextView* field : {c.field_reference, c.field_information})
        connect(field, &QPlainTextEdit::textChanged, this, [this, field] { controlTextDidEndEditing(field); });
    for (StdTextView* field : {static_cast<StdTextView*>(c.field_montant), c.field_reference, c.field_information}) {
        connect(field, &QPlainTextEdit::textChanged, this, [this, field] { followKeepMarker(field); });
        field->installEventFilter(this);
    }
}

// The marker is the program's: a "-" the user typed is a minus sign or part of a text. The
// program's own changes of a text replace it with the undo stack off; the user's are undoable.
void FenEditSaisieMultipleController::followKeepMarker(QPlainTextEdit* field)
{
    if (!field->document()->isUndoRedoEnabled() && field->toPlainText() == kKeep)
        m_keepMarkerShown.insert(field);
    else
        m_keepMarkerShown.remove(field);
}

// The keep marker goes as the first thing the user puts into its field arrives, as a selected
// text would: a key, a paste (its key, the context menu, the middle button) or a drop.
bool FenEditSaisieMultipleController::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QPlainTextEdit*>(watched);
    if (field && m_keepMarkerShown.contains(field)) {
        if (startsInput(event))
            field->clear();
        else if (event->type() == QEvent::ContextMenu)
            field->selectAll();
    }
    return FenEditSaisieController::eventFilter(watched, event);
}

bool FenEditSaisieMultipleController::startsInput(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        return key->matches(QKeySequence::Paste) || (!typed.isEmpty() && typed.at(0).isPrint());
    }
    case QEvent::Drop:
        return true;
    case QEvent::MouseButtonPress:
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return false;
    }
}

void FenEditSaisieMultipleController::showKept(QWidget* field) const
{
    if (auto* text = qobject_cast<QPlainTextEdit*>(field))
        text->setPlainText(kKeep);
}

// ---------------------------------------------------------------------------------------------
// The lock alert

void FenEditSaisieMultipleController::windowDidBecomeKey()
{
    FenEditSaisieController::windowDidBecomeKey();
    if (m_multiple->lockAlertShown || !(isTransactLocked() || isMontantLocked()))
        return;
    m_multiple->lockAlertShown = true;
    fireTimerForLockedAlert();
}

void FenEditSaisieMultipleController::fireTimerForLockedAlert()
{
    const QPointer<FenEditSaisieMultipleController> self(this);
    HelperSVTimer::fireBlockAfterInterval(0.5, true, [self] {
        if (self && self->isWindowLoaded())
            self->_fireTimerForLockedAlert();
    });
}

void FenEditSaisieMultipleController::_fireTimerForLockedAlert()
{
    showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_multipleIsLocked")), QString(),
                QStringLiteral("crayon"), 0);
}

QString FenEditSaisieMultipleController::transactTitle() const
{
    return localizedAppl(QStringLiteral("titleSaisieMutiple"));
}

void FenEditSaisieMultipleController::fillPopHelp()
{
    controls().pop_help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_SAISIE_MULTI")));
    controls().pop_help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_SAISIE_MULTI")));
}

// ---------------------------------------------------------------------------------------------
// Filling

void FenEditSaisieMultipleController::FILL()
{
    m_filling = true;
    const SaisieControls& c = controls();
    pickers().moyenID = rec().moyen;
    pickers().FILL();
    FILL_TRANS_MACRO();
    pickers().FILL_DEVISE(rec().devise);
    FILL_TRANS_DATE();
    c.field_moyen->setText(transactTitle());
    c.pop_moyen->setEnabled(false);
    fillImport();
    FILL_TRANS_MONTANT();
    FILL_TRANS_COMPTES();
    FILL_TRANS_REFERENCE();
    FILL_TRANS_INFORMATION();
    FILL_TRANS_VARIANTE();
    FILL_TRANS_ANNULATION();
    FILL_TRANS_DOUBLON();
    FILL_TRANS_GROUPEE();
    FILL_TRANS_POSTE();
    FILL_TRANS_TAXE();
    FILL_TRANS_PLACEMENT();
    c.buttonAddDocument->setEnabled(false);
    // Each transaction keeps its own note: there is none to show or type here.
    c.boxNote->setVisible(false);
    addUserFantasia(false);
    setLayoutSaisieCompte();
    setLayoutSaisieVariante();
    fillPopHelp();
    updateTabView();
    m_filling = false;
    if (QWidget* first = firstSelectedObject()) {
        first->setFocus(Qt::OtherFocusReason);
        if (auto* text = qobject_cast<StdTextView*>(first))
            text->selectForTyping();
    }
}

void FenEditSaisieMultipleController::FILL_TRANS_MACRO()
{
    controls().pop_macro->setVisible(false);
}

void FenEditSaisieMultipleController::FILL_TRANS_DATE()
{
    const SaisieControls& c = controls();
    const std::optional<double>& when = entries().when;
    if (when) {
        setDate1(*when);
        pickers().FILL_DATE1();
    }
    for (StdTextView* field : {static_cast<StdTextView*>(c.field_jour1), static_cast<StdTextView*>(c.field_mois1),
                               static_cast<StdTextView*>(c.field_annee1)}) {
        if (!when)
            showKept(field);
        field->setEnabled(when.has_value());
    }
}

void FenEditSaisieMultipleController::FILL_TRANS_MONTANT()
{
    FenEditSaisieController::FILL_TRANS_MONTANT();
    const SaisieControls& c = controls();
    c.pop_devise->setEnabled(!isMontantLocked());
    if (entries().montant)
        c.field_montant->fillMontant(*entries().montant, rec().devise);
    else
        showKept(c.field_montant);
    m_montantTyped = false;
}

void FenEditSaisieMultipleController::FILL_TRANS_COMPTES()
{
    const SaisieControls& c = controls();
    const bool shown = !isTransactLocked();
    pickers().compteDID = shown ? entries().who1.value_or(-1) : -1;
    pickers().compteCID = shown ? entries().who2.value_or(-1) : -1;
    pickers().FILL_COMPTED();
    pickers().FILL_COMPTEC();
    if (!shown || !entries().who1)
        showKept(c.view_compteD);
    if (!shown || !entries().who2)
        showKept(c.view_compteC);
}

void FenEditSaisieMultipleController::FILL_TRANS_REFERENCE()
{
    controls().field_reference->setPlainText(entries().ref.value_or(kKeep));
}

void FenEditSaisieMultipleController::FILL_TRANS_INFORMATION()
{
    controls().field_information->setPlainText(entries().why.value_or(kKeep));
    controls().field_information->setToolTip(QString());
}

void FenEditSaisieMultipleController::FILL_TRANS_VARIANTE()
{
    showKept(controls().field_variante);
}

void FenEditSaisieMultipleController::FILL_TRANS_ANNULATION()
{
    QCheckBox* box = controls().checkbox_annulee;
    showEntry(box, entries().annulation);
    // Cancelling sets the amount to zero: not in a locked statement.
    box->setEnabled(!m_multiple->selection.releveLocked);
}

void FenEditSaisieMultipleController::FILL_TRANS_DOUBLON()
{
    QCheckBox* box = controls().checkbox_doublon;
    const std::optional<bool>& mark = m_multiple->doublonMark;
    const std::optional<bool>& asked = entries().doublon;
    if (asked || mark)
        showEntry(box, asked.value_or(false));
    else
        showEntry(box, std::nullopt);
    box->setEnabled(mark != false);
}

void FenEditSaisieMultipleController::FILL_TRANS_GROUPEE()
{
    controls().checkbox_groupee->setChecked(false);
    controls().checkbox_groupee->setEnabled(false);
}

void FenEditSaisieMultipleController::FILL_TRANS_POSTE()
{
    pickers().posteID = entries().posteID.value_or(-1);
    pickers().FILL_POSTE();
    if (!entries().posteID)
        showKept(controls().view_poste);
}

void FenEditSaisieMultipleController::FILL_TRANS_TAXE()
{
    const SaisieControls& c = controls();
    const bool common = canComputeTaxe();
    pickers().taxeID = common ? entries().taxeID.value_or(-1) : -1;
    pickers().FILL_TAXE();
    c.pop_taxe->setEnabled(common);
    setTitleEnabled(c.titre_taxe, common);
    COMPUTE_TAXE();
    if (!common) {
        for (QWidget* field : {static_cast<QWidget*>(c.field_taxe), static_cast<QWidget*>(c.field_montantHT),
                               static_cast<QWidget*>(c.field_montantTaxe)})
            showKept(field);
        return;
    }
    if (pickers().taxeID >= 0 && !m_montantTyped && !entries().montant) {
        showKept(c.field_montantHT);
        showKept(c.field_montantTaxe);
    }
}

void FenEditSaisieMultipleController::FILL_TRANS_PLACEMENT()
{
    const SaisieControls& c = controls();
    for (QWidget* field : {static_cast<QWidget*>(c.field_quote1), static_cast<QWidget*>(c.field_quote2),
                           static_cast<QWidget*>(c.field_quote3), static_cast<QWidget*>(c.field_nTitre),
                           static_cast<QWidget*>(c.field_placement)})
        showKept(field);
    placement().setLayoutSaisiePlacement(false, false);
    c.field_placement->setEnabled(false);
    c.pop_placement->setEnabled(false);
    c.pop_placement_help->setEnabled(false);
}

QWidget* FenEditSaisieMultipleController::firstSelectedObject() const
{
    const SaisieControls& c = controls();
    if (entries().when)
        return c.field_jour1;
    if (!isMontantLocked())
        return c.field_montant;
    return isTransactLocked() ? static_cast<QWidget*>(c.view_poste) : static_cast<QWidget*>(c.view_compteD);
}

void FenEditSaisieMultipleController::setLayoutSaisieVariante()
{
    const SaisieControls& c = controls();
    c.pop_variante->setEnabled(false);
    c.field_variante->setEnabled(false);
    setTitleEnabled(c.titre_variante, false);
}

int FenEditSaisieMultipleController::banqueTypeToBanqueFilter(int bType)
{
    switch (bType) {
    case kBanqueUser:
        return 1;
    case kBanqueLiquide:
        return 2;
    case kBanqueTiers:
        return 4;
    default:
        return 0;
    }
}

void FenEditSaisieMultipleController::setLayoutSaisieCompte()
{
    const SaisieControls& c = controls();
    const SaisieMultipleSelection& selection = m_multiple->selection;
    c.pop_compteD->setPOPcompteCFilter(banqueTypeToBanqueFilter(selection.debitBType));
    c.pop_compteC->setPOPcompteCFilter(banqueTypeToBanqueFilter(selection.creditBType));
    const bool open = !isTransactLocked();
    c.pop_compteD->setEnabled(open);
    c.pop_compteC->setEnabled(open);
    static_cast<StdTextView*>(c.view_compteD)->setEnabled(open);
    static_cast<StdTextView*>(c.view_compteC)->setEnabled(open);
    setTitleEnabled(c.titre_debit, open);
    setTitleEnabled(c.titre_credit, open);
}

// ---------------------------------------------------------------------------------------------
// Reading

bool FenEditSaisieMultipleController::readDate()
{
    const SaisieControls& c = controls();
    if (!entries().when)
        return true;
    double when = 0;
    if (!saisieDateFromFields(c.field_jour1->toPlainText(), c.field_mois1->toPlainText(), c.field_annee1->toPlainText(),
                              &when)) {
        dialogs().refuse(QStringLiteral("kAlerte_BadDateSaisie"), QStringLiteral("calendrier"), false);
        c.field_jour1->setFocus(Qt::OtherFocusReason);
        return false;
    }
    entries().when = when;
    return true;
}

// Only a typed amount is given to the transactions: the amount they share is theirs already, and
// read back from the field it would lose the other currencies' values.
bool FenEditSaisieMultipleController::readMontant()
{
    TextFieldMontantSaisie* field = controls().field_montant;
    const QString text = field->toPlainText();
    // A field emptied gives no amount, as the "-" it replaced would not.
    if (!m_montantTyped || isMontantLocked() || text == kKeep || text.trimmed().isEmpty()) {
        entries().montant.reset();
        return true;
    }
    if (!saisieMontantTextIsNumber(text)) {
        dialogs().refuse(QStringLiteral("kAlerte_BadMontantSaisie"), QString(), false);
        field->setFocus(Qt::OtherFocusReason);
        return false;
    }
    entries().montant = montantOf(field);
    entries().montantDevise = devise();
    return true;
}

// One line per refused transaction, as the user finds it in the list: date, means, number, label.
static QString describeRefused(const std::vector<long>& positions, const DOCUMENT& doc)
{
    constexpr std::size_t kShown = 10;
    QStringList lines;
    for (std::size_t i = 0; i < positions.size() && i < kShown; ++i) {
        const TRANSACT* trans = transactAtIndex(positions[i], &doc);
        if (!trans)
            continue;
        QStringList parts {dateToStringWithStyles(1, 0, trans->when), MOYEN::newMoyenName(trans->moyen)};
        for (const QString& text : {trans->ref, trans->why}) {
            if (!text.trimmed().isEmpty())
                parts << text.trimmed();
        }
        lines << parts.join(QStringLiteral(" · "));
    }
    if (positions.size() > kShown)
        lines << QStringLiteral("…");
    return lines.join(u'\n');
}

bool FenEditSaisieMultipleController::checkEntries()
{
    const SaisieMultipleData& m = *m_multiple;
    if (!m.doc)
        return true;
    const QString refusal = refuseMultipleEntries(m.selection.positions, m.entries, SystemClock::now(), *m.doc);
    if (!refusal.isEmpty()) {
        dialogs().refuse(refusal, QStringLiteral("releve"), true);
        return false;
    }
    const std::vector<long> withoutMoyen = multipleRefusedMoyens(m.selection.positions, m.entries, *m.doc);
    if (!withoutMoyen.empty()) {
        beep();
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_multipleSansMoyen")),
                    describeRefused(withoutMoyen, *m.doc), QStringLiteral("crayon"), 0);
        return false;
    }
    return !multipleLosesReleve(m.selection.positions, m.entries, *m.doc)
        || dialogs().ask(QStringLiteral("kConfirm_ChangeReleve"), QStringLiteral("LIB_BUTTON_OK"),
                         QStringLiteral("LIB_BUTTON_ANNULER"), QStringLiteral("releve"), SaisieDialogs::Safe::Second);
}

bool FenEditSaisieMultipleController::READ()
{
    if (!readDate() || !readMontant())
        return false;
    if (isTransactLocked()) {
        entries().who1.reset();
        entries().who2.reset();
    }
    if (entries().ref)
        entries().ref = controls().field_reference->toPlainText();
    if (entries().why)
        entries().why = controls().field_information->toPlainText();
    return checkEntries();
}

// ---------------------------------------------------------------------------------------------
// Actions

void FenEditSaisieMultipleController::CALENDRIER1(QObject* sender)
{
    Q_UNUSED(sender);
    pickers().CALENDRIER1();
    if (date1() != 0)
        entries().when = date1();
    FILL_TRANS_DATE();
}

void FenEditSaisieMultipleController::DEBIT(QObject* sender)
{
    FenEditSaisieController::DEBIT(sender);
    entries().who1 = pickers().compteDID;
}

void FenEditSaisieMultipleController::CREDIT(QObject* sender)
{
    FenEditSaisieController::CREDIT(sender);
    entries().who2 = pickers().compteCID;
}

void FenEditSaisieMultipleController::POSTE(QObject* sender)
{
    pickers().POSTE(sender);
    entries().posteID = pickers().posteID;
}

void FenEditSaisieMultipleController::TAXE(QObject* sender)
{
    FenEditSaisieController::TAXE(sender);
    entries().taxeID = pickers().taxeID;
    FILL_TRANS_TAXE();
    updateTabView();
}

// The other currency shows the same amount; an amount left as it is stays "-".
void FenEditSaisieMultipleController::DEVISE(QObject* sender)
{
    FenEditSaisieController::DEVISE(sender);
    if (!m_montantTyped && !entries().montant)
        showKept(controls().field_montant);
    FILL_TRANS_TAXE();
}

void FenEditSaisieMultipleController::ANNULEE(QObject* sender)
{
    Q_UNUSED(sender);
    toggle(entries().annulation);
    FILL_TRANS_ANNULATION();
}

void FenEditSaisieMultipleController::DOUBLON(QObject* sender)
{
    Q_UNUSED(sender);
    toggle(entries().doublon);
    FILL_TRANS_DOUBLON();
}

// Any change counts: a text typed and OK pressed at once is the entry all the same.
void FenEditSaisieMultipleController::controlTextDidEndEditing(QObject* field)
{
    if (m_filling)
        return;
    const SaisieControls& c = controls();
    if (field == c.field_reference)
        entries().ref = c.field_reference->toPlainText();
    else if (field == c.field_information)
        entries().why = c.field_information->toPlainText();
}

void FenEditSaisieMultipleController::fieldMontantDidChange(QObject* field)
{
    if (canComputeTaxe())
        FenEditSaisieController::fieldMontantDidChange(field);
    if (field != controls().field_montant)
        return;
    m_montantTyped = !controls().field_montant->toPlainText().trimmed().isEmpty();
    if (!m_montantTyped) {
        entries().montant.reset();
        return;
    }
    entries().montant = montantOf(controls().field_montant);
    entries().montantDevise = devise();
}

void FenEditSaisieMultipleController::NON(QObject* sender)
{
    FenEditSaisieController::NON(sender);
    entries().montant.reset();
    entries().ref.reset();
    entries().why.reset();
}

int FenEditSaisieMultipleController::numberOfRowsInTableView2(StdTableView* table)
{
    Q_UNUSED(table);
    return 0;
}

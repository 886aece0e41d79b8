#include "graphs/FenEditGraphiqueController.h"

#include "graphs/PopConfiguration.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/fields/datefields.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDossier.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/popups/tagcombos.h"
#include "toolkit/windows/namedcontrols.h"

#include "document/DocContext.h"
#include "engines/GraphEngine.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

// The row of one followed entity: its check box, its text and its pop-up.
struct Followed {
    int mode;
    const char* box;
    const char* title;
    const char* action;
    const char* view;
    const char* pop;
};
constexpr Followed kFollowed[] = {
    {kGraphModeCompte, "cb_compte", "FenEditGraphique_compte", "COMPTECB:", "view_compteD", "pop_compteD"},
    {kGraphModePoste, "cb_poste", "FenEditGraphique_poste", "POSTECB:", "view_poste", "pop_poste"},
    {kGraphModeBanque, "cb_banque", "FenEditGraphique_banque", "BANQUECB:", "field_banqueD", "pop_banqueD"},
    {kGraphModeDossier, "cb_dossier", "FenEditGraphique_dossier", "DOSSIERCB:", "field_dossier", "pop_dossier"},
};

// Where the definition asked about is now: the first one that still shows the same data; -1
// when none does. Other editors may change the list while a question waits.
long placeOf(const GraphList* list, const GRAPH& asked)
{
    for (long index = 0; index < nbGraph(list); ++index) {
        if (isSameGraphDef(list->at(index), asked))
            return index;
    }
    return -1;
}

} // namespace

// ---- Building ----------------------------------------------------------------------------------

void FenEditGraphiqueController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditGraphique"));
    window.setWindowTitle(appl("FenEditGraphique_titre"));
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildFollowed(window));
    left->addWidget(buildFormatBox(window));
    columns->addLayout(left);
    columns->addWidget(buildPeriode(window), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(buildConfiguration(window));
    layout->addLayout(columns, 1);
    layout->addLayout(buildButtons(window));
}

QWidget* FenEditGraphiqueController::buildConfiguration(QWidget& parent)
{
    auto* row = new QWidget(&parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_popConfiguration = new PopConfiguration(row);
    m_fieldConfiguration = named<QLabel>("field_configuration", row);
    QFont bold = m_fieldConfiguration->font();
    bold.setBold(true);
    m_fieldConfiguration->setFont(bold);
    layout->addWidget(m_popConfiguration);
    layout->addWidget(m_fieldConfiguration, 1);
    const std::pair<const char*, const char*> commands[] = {{"FenEditGraphique_nouveau", "NOUVEAU:"},
                                                            {"FenEditGraphique_renommer", "RENOMMER:"},
                                                            {"FenEditGraphique_effacer", "EFFACER:"}};
    for (const auto& [title, action] : commands) {
        auto* button = new QPushButton(appl(title), row);
        button->setAutoDefault(false);
        button->setObjectName(QString::fromLatin1(action).chopped(1));
        connectAction(button, QString::fromLatin1(action));
        layout->addWidget(button);
    }
    return row;
}

QWidget* FenEditGraphiqueController::buildFollowed(QWidget& parent)
{
    auto* box = new QGroupBox(appl("FenEditGraphique_suivre"), &parent);
    auto* grid = new QGridLayout(box);
    m_boxes = new QButtonGroup(box);
    m_boxes->setExclusive(true);
    for (const Followed& f : kFollowed) {
        auto* check = named<QCheckBox>(f.box, box);
        check->setText(appl(f.title));
        m_boxes->addButton(check, f.mode);
        connectAction(check, QString::fromLatin1(f.action));
        QWidget* view = f.mode == kGraphModeCompte ? static_cast<QWidget*>(named<TextViewCompteD>(f.view, box))
            : f.mode == kGraphModePoste            ? static_cast<QWidget*>(named<TextViewPoste>(f.view, box))
                                                   : static_cast<QWidget*>(named<StdTextView>(f.view, box));
        view->setMinimumWidth(220);
        view->setMaximumHeight(26);
        QWidget* pop = f.mode == kGraphModePoste ? static_cast<QWidget*>(named<PopPoste>(f.pop, box))
            : f.mode == kGraphModeDossier        ? static_cast<QWidget*>(named<PopDossier>(f.pop, box))
                                                 : static_cast<QWidget*>(named<PopCompte>(f.pop, box));
        if (auto* compte = qobject_cast<PopCompte*>(pop)) {
            compte->setCompteDebit(true);
            compte->setCanCreate(false);
            if (f.mode == kGraphModeCompte)
                compte->setPOPcompteCFilter(7);
        }
        grid->addWidget(check, f.mode, 0);
        grid->addWidget(view, f.mode, 1);
        grid->addWidget(pop, f.mode, 2);
    }
    m_cbPrevision = named<QCheckBox>("cb_prevision", box);
    m_cbPrevision->setText(appl("FenEditGraphique_prevision"));
    grid->addWidget(m_cbPrevision, 4, 0, 1, 3);
    return box;
}

QWidget* FenEditGraphiqueController::buildPeriode(QWidget& parent)
{
    auto* box = new QGroupBox(appl("FenEditGraphique_periode"), &parent);
    auto* grid = new QGridLayout(box);
    m_popupModedate = tagCombo(*box, "popup_modedate",
                               {{QStringLiteral("Entre les dates suivantes :"), 0},
                                {appl("FenEditConfiguration_toutes"), 1},
                                {appl("FenEditConfiguration_annee"), 2},
                                {appl("FenEditConfiguration_mois"), 3}});
    connect(m_popupModedate, &QComboBox::activated, this, [this] { MODEDATE(m_popupModedate); });
    grid->addWidget(m_popupModedate, 0, 0, 1, 2);
    for (int n : {1, 2}) {
        QHBoxLayout* row = dateFieldsRow(*box, n, m_dateFields);
        row->addStretch();
        grid->addWidget(new QLabel(appl(n == 1 ? "FenEditGraphique_du" : "FenEditGraphique_au"), box), n, 0);
        grid->addLayout(row, n, 1);
    }
    m_cbMoisComplet = named<QCheckBox>("cb_mois_complet", box);
    m_cbMoisComplet->setText(appl("FenEditGraphique_moisComplet"));
    connectAction(m_cbMoisComplet, QStringLiteral("MOISCOMPLET:"));
    grid->addWidget(m_cbMoisComplet, 3, 0, 1, 2);
    m_popupGrouper
        = tagCombo(*box, "popup_grouper", {{appl("FenEditGraphique_mois"), 0}, {appl("FenEditGraphique_jour"), 1}});
    grid->addWidget(new QLabel(appl("FenEditGraphique_grouper"), box), 4, 0);
    grid->addWidget(m_popupGrouper, 4, 1);
    return box;
}

QWidget* FenEditGraphiqueController::buildFormatBox(QWidget& parent)
{
    auto* box = new QGroupBox(appl("FenEditGraphique_dessin"), &parent);
    auto* grid = new QGridLayout(box);
    buildFormat(*box, *grid, false);
    return box;
}

// ---- Filling and reading -------------------------------------------------------------------------

void FenEditGraphiqueController::didAwakeFromNib()
{
    takePlace(long(getData()->value(QStringLiteral("index")).toLongLong()));
    setOn(m_header.mode);
    setCanDate(m_header.modeDate == 0);
    FenEditGraphiqueParamController::didAwakeFromNib();
}

QWidget* FenEditGraphiqueController::initialFirstResponder() const
{
    return followedPicker();
}

void FenEditGraphiqueController::FILL_CONFIGURATION()
{
    m_popConfiguration->setSelectedTag(m_configuration);
    m_popConfiguration->rebuild();
    const GRAPH* chosen = graphAtIndex(getGraphHdl(currentDocument()), m_configuration);
    m_fieldConfiguration->setText(chosen ? chosen->nom : appl("POPUP_GRAPH_EMPTY"));
}

void FenEditGraphiqueController::FILL()
{
    FILL_CONFIGURATION();
    setDate1(m_header.graph_date1);
    setDate2(m_header.graph_date2);
    m_cbPrevision->setChecked(m_header.simul);
    selectComboTag(m_popupModedate, m_header.modeDate);
    selectComboTag(m_popupGrouper, m_header.timeKind);
    m_cbMoisComplet->setChecked(m_header.forceMonth);
    pickers().posteID = m_header.posteID;
    pickers().compteDID = m_header.compteID;
    pickers().dossierID = m_header.dossierID;
    pickers().banqueDID = m_header.banqueID;
    for (QAbstractButton* box : m_boxes->buttons())
        box->setChecked(m_boxes->id(box) == m_on);
    FenEditGraphiqueParamController::FILL();
    UPDATE_RESPONDER();
}

bool FenEditGraphiqueController::READ()
{
    FenEditGraphiqueParamController::READ();
    m_header.nom = m_fieldConfiguration->text();
    m_header.posteID = pickers().posteID;
    m_header.compteID = pickers().compteDID;
    m_header.dossierID = pickers().dossierID;
    m_header.banqueID = pickers().banqueDID;
    const int checked = m_boxes->checkedId();
    m_header.mode = checked >= 0 ? checked : kGraphModeCompte;
    m_header.simul = m_cbPrevision->isChecked();
    m_header.modeDate = comboTag(m_popupModedate);
    m_header.timeKind = comboTag(m_popupGrouper);
    m_header.forceMonth = m_cbMoisComplet->isChecked();
    m_header.graph_date1 = startOfDay(date1());
    m_header.graph_date2 = endOfDay(date2());
    return m_header.graph_date2 > m_header.graph_date1;
}

void FenEditGraphiqueController::setCanDate(bool can)
{
    m_canDate = can;
    for (QWidget* field : m_dateFields)
        field->setEnabled(can);
}

void FenEditGraphiqueController::setOn(int mode)
{
    m_on = mode >= kGraphModeCompte && mode <= kGraphModeDossier ? mode : kGraphModeCompte;
}

QWidget* FenEditGraphiqueController::followedPicker() const
{
    return outlet(QString::fromLatin1(kFollowed[m_on].view));
}

void FenEditGraphiqueController::UPDATE_RESPONDER()
{
    QWidget* picker = followedPicker();
    if (!picker)
        return;
    picker->setFocus();
    if (auto* text = qobject_cast<QPlainTextEdit*>(picker))
        text->selectAll();
}

// ---- Entity and dates ----------------------------------------------------------------------------

void FenEditGraphiqueController::choose(int mode)
{
    setOn(mode);
    if (QAbstractButton* box = m_boxes->button(m_on))
        box->setChecked(true);
    UPDATE_RESPONDER();
}

void FenEditGraphiqueController::COMPTECB(QObject*)
{
    choose(kGraphModeCompte);
}

void FenEditGraphiqueController::POSTECB(QObject*)
{
    choose(kGraphModePoste);
}

void FenEditGraphiqueController::BANQUECB(QObject*)
{
    choose(kGraphModeBanque);
}

void FenEditGraphiqueController::DOSSIERCB(QObject*)
{
    choose(kGraphModeDossier);
}

void FenEditGraphiqueController::MODEDATE(QObject*)
{
    READ();
    adjustGraphDates(currentDocument(), m_header, false);
    FILL();
    setCanDate(comboTag(m_popupModedate) == 0);
    if (m_canDate && !m_dateFields.isEmpty())
        m_dateFields.first()->setFocus();
}

void FenEditGraphiqueController::MOISCOMPLET(QObject* sender)
{
    MODEDATE(sender);
}

// ---- Saved definitions ---------------------------------------------------------------------------

void FenEditGraphiqueController::takePlace(long index)
{
    m_configuration = index;
    const GRAPH* saved = graphAtIndex(getGraphHdl(currentDocument()), index);
    m_placed = saved ? std::optional<GRAPH>(*saved) : std::nullopt;
}

long FenEditGraphiqueController::findPlace() const
{
    return m_placed ? placeOf(getGraphHdl(currentDocument()), *m_placed) : -1;
}

void FenEditGraphiqueController::SAVE_CONFIGURATION()
{
    m_configuration = findPlace();
    GRAPH* saved = graphAtIndex(getGraphHdl(currentDocument()), m_configuration);
    if (saved && !isSameGraphDef(m_header, *saved))
        *saved = m_header;
    m_placed = saved ? std::optional<GRAPH>(*saved) : std::nullopt;
}

void FenEditGraphiqueController::PBCONFIGURATION(QObject* item)
{
    PBCONFIGURATION_WITH_INDEX(long(StdMenu::tagOf(item)));
}

void FenEditGraphiqueController::PBCONFIGURATION_WITH_INDEX(long index)
{
    READ();
    SAVE_CONFIGURATION();
    DOCUMENT* doc = currentDocument();
    const GRAPH* saved = graphAtIndex(getGraphHdl(doc), index);
    QString last;
    if (saved) {
        m_header = *saved;
        adjustGraphDates(doc, m_header, false);
        last = m_header.nom;
    } else {
        index = -1;
        m_header.defaultGraphique(doc);
    }
    if (doc && doc->docParam)
        doc->docParam->lastGraphique = last;
    takePlace(index);
    setOn(m_header.mode);
    FILL();
    setCanDate(m_header.modeDate == 0);
}

void FenEditGraphiqueController::NOUVEAU(QObject*)
{
    QString name;
    if (!askStringModal(this, QStringLiteral("kMessage_GraphiqueName"),
                        localizedMisc(QStringLiteral("kMisc_DefaultName")), &name))
        return;
    GraphList* list = getGraphHdl(currentDocument());
    if (!list)
        return;
    const long previous = findPlace();
    const GRAPH* chosen = graphAtIndex(list, previous);
    const std::optional<GRAPH> kept = chosen ? std::optional<GRAPH>(*chosen) : std::nullopt;
    READ();
    m_header.nom = name;
    list->append(m_header);
    // Choosing the new one first commits the edits to the one left, under its own name (READ
    // takes it from the field); putting the kept copy back leaves that one as it was saved.
    PBCONFIGURATION_WITH_INDEX(list->size() - 1);
    if (kept && previous < list->size())
        (*list)[previous] = *kept;
}

void FenEditGraphiqueController::RENOMMER(QObject*)
{
    READ();
    QString name;
    if (!askStringModal(this, QStringLiteral("kMessage_GraphiqueNewName"), m_header.nom, &name))
        return;
    m_header.nom = name;
    m_configuration = findPlace();
    if (GRAPH* saved = graphAtIndex(getGraphHdl(currentDocument()), m_configuration))
        saved->nom = name;
    takePlace(m_configuration);
    FILL();
    m_fieldConfiguration->setText(name);
}

// Only the definition as it was asked about goes; one changed or deleted meanwhile is left as it
// is, and the editor follows its definition where it now is.
void FenEditGraphiqueController::EFFACER(QObject*)
{
    const GRAPH* chosen = graphAtIndex(getGraphHdl(currentDocument()), findPlace());
    if (!chosen)
        return;
    const GRAPH asked = *chosen;
    int code = 0;
    Dialog::confirmation(this, Dialog::keyString(QStringLiteral("kConfirm_SuppGraphique")), asked.nom,
                         localizedDialogue(QStringLiteral("LIB_BUTTON_NON")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")), QString(), QStringLiteral("graphique"), 1,
                         kAlertFirstButton, [&code](int c) { code = c; });
    GraphList* list = getGraphHdl(currentDocument());
    const long index = placeOf(list, asked);
    takePlace(index);
    if (code != 1001)
        return;
    PBCONFIGURATION_WITH_INDEX(-1);
    if (index >= 0)
        list->removeAt(index);
    FILL_CONFIGURATION();
}

// A day its month lacks is refused by name before anything is read: the dates would roll over
// into the next month.
bool FenEditGraphiqueController::refusesImpossibleDates()
{
    if (!m_canDate)
        return false;
    for (qsizetype n = 0; n + 2 < m_dateFields.size(); n += 3) {
        if (refuseImpossibleDate(this, m_dateFields[n], m_dateFields[n + 1], m_dateFields[n + 2]))
            return true;
    }
    return false;
}

void FenEditGraphiqueController::OUI(QObject*)
{
    if (refusesImpossibleDates())
        return;
    if (!READ()) {
        Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_WrongDate")), QString(),
                       QStringLiteral("graphique"), 1, [](int) {});
        return;
    }
    if (!graphSpanFits(m_header)) {
        Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_CannotComputeGraph")), QString(),
                       QStringLiteral("graphique"), 1, [](int) {});
        return;
    }
    SAVE_CONFIGURATION();
    writeBack();
    endModal(1);
}

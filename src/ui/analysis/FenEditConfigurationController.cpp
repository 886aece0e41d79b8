#include "analysis/FenEditConfigurationController.h"

#include "analysis/CellConfAnalyse.h"
#include "analysis/PopAnalyse.h"
#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/fields/datefields.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDossier.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/popups/tagcombos.h"

#include "document/DocContext.h"
#include "foundation/IDesktop.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using ListKind = FenEditConfigurationController::ListKind;

namespace {

QString fieldText(const QWidget* field)
{
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(field))
        return text->toPlainText();
    const auto* line = qobject_cast<const QLineEdit*>(field);
    return line ? line->text() : QString();
}

void setFieldText(QWidget* field, const QString& value)
{
    if (auto* text = qobject_cast<QPlainTextEdit*>(field))
        text->setPlainText(value);
    else if (auto* line = qobject_cast<QLineEdit*>(field))
        line->setText(value);
}

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Building

void FenEditConfigurationController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditConfiguration"));
    window.setWindowTitle(appl("FenEditConfiguration_titre"));
    m_analyseType = getData()->value(QStringLiteral("type")).toInt();
    m_popConfiguration = new PopAnalyse(&window);
    m_popConfiguration->setObjectName(QStringLiteral("pop_configuration"));
    m_fieldConfiguration = new QLabel(&window);
    m_fieldConfiguration->setObjectName(QStringLiteral("field_configuration"));
    auto* top = new QHBoxLayout;
    top->addWidget(m_popConfiguration);
    top->addWidget(m_fieldConfiguration, 1);
    const std::pair<const char*, const char*> commands[] = {{"FenEditConfiguration_creer", "CREER:"},
                                                            {"FenEditConfiguration_renommer", "RENOMMER:"},
                                                            {"FenEditConfiguration_supprimer", "SUPPRIMER:"}};
    for (const auto& [title, action] : commands) {
        auto* button = new QPushButton(appl(title), &window);
        button->setAutoDefault(false);
        button->setObjectName(QString::fromLatin1(action).chopped(1));
        connectAction(button, QString::fromLatin1(action));
        top->addWidget(button);
    }
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildPeriode(&window));
    columns->addWidget(buildLists(&window, ListKind::Dossier, ListKind::Poste, "popup_modeposte", "MODEPOSTE:"));
    columns->addWidget(buildLists(&window, ListKind::Banque, ListKind::Compte, "popup_modecompte", "MODECOMPTE:"));
    QHBoxLayout* buttons = cancelOkRow(*this, window).row;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(top);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
}

QWidget* FenEditConfigurationController::buildPeriode(QWidget* parent)
{
    auto* box = new QGroupBox(appl("FenEditConfiguration_periode"), parent);
    m_popupModedate = tagCombo(*box, "popup_modedate",
                               {{QStringLiteral("Entre les dates suivantes :"), kModeDateGiven},
                                {appl("FenEditConfiguration_toutes"), kModeDateNoLimit},
                                {appl("FenEditConfiguration_annee"), kModeDateThisYear},
                                {appl("FenEditConfiguration_mois"), kModeDateThisMonth}});
    connect(m_popupModedate, &QComboBox::activated, this, [this] { MODEDATE(m_popupModedate); });
    auto* form = new QFormLayout;
    form->addRow(m_popupModedate);
    for (int n : {1, 2}) {
        QHBoxLayout* row = dateFieldsRow(*box, n, m_dateFields);
        auto* calendar = new QToolButton(box);
        calendar->setObjectName(QStringLiteral("button_calendrier%1").arg(n));
        calendar->setText(QStringLiteral("…"));
        connectAction(calendar, QStringLiteral("CALENDRIER%1:").arg(n));
        row->addWidget(calendar);
        m_calendarButtons.append(calendar);
        row->addStretch();
        form->addRow(n == 1 ? appl("FenEditConfiguration_du") : appl("FenEditConfiguration_au"), row);
    }
    for (QWidget* field : m_dateFields)
        field->installEventFilter(this);
    auto check = [&](QCheckBox*& target, const char* name, const char* title, const char* action) {
        target = new QCheckBox(appl(title), box);
        target->setObjectName(QString::fromLatin1(name));
        if (action)
            connectAction(target, QString::fromLatin1(action));
        form->addRow(target);
    };
    check(m_checkMoisComplets, "checkbox_montrer_mois_complets", "FenEditConfiguration_moisComplets", "CB_FORCER:");
    check(m_checkDossiers, "checkbox_montrer_dossiers", "FenEditConfiguration_dossiers", "CB_DOSSIER:");
    check(m_checkPostes, "checkbox_montrer_postes", "FenEditConfiguration_postes", "CB_POSTE:");
    check(m_checkVirint, "checkbox_montrer_virint", "FenEditConfiguration_virint", nullptr);
    check(m_checkMensuel, "checkbox_montrer_detail_mensuel", "FenEditConfiguration_mensuel", nullptr);
    m_popupFiscalite = tagCombo(*box, "popup_fiscalite",
                                {{appl("FenEditConfiguration_ttc"), kFiscaliteTTC},
                                 {appl("FenEditConfiguration_ht"), kFiscaliteHT},
                                 {appl("FenEditConfiguration_taxe"), kFiscaliteTaxe}});
    form->addRow(appl("FenEditConfiguration_fiscalite"), m_popupFiscalite);
    auto* reference = new QHBoxLayout;
    auto* popCompteC = new PopCompte(box);
    popCompteC->setObjectName(QStringLiteral("pop_compteC"));
    popCompteC->setCompteDebit(false);
    popCompteC->setPOPcompteCFilter(7);
    auto* viewCompteC = new QLabel(box);
    viewCompteC->setObjectName(QStringLiteral("view_compteC"));
    m_buttonNoReference = new QPushButton(appl("FenEditConfiguration_aucune"), box);
    m_buttonNoReference->setObjectName(QStringLiteral("button_noReference"));
    connectAction(m_buttonNoReference, QStringLiteral("TOUS_COMPTES:"));
    reference->addWidget(popCompteC);
    reference->addWidget(viewCompteC, 1);
    reference->addWidget(m_buttonNoReference);
    form->addRow(appl("FenEditConfiguration_reference"), reference);
    box->setLayout(form);
    return box;
}

QWidget* FenEditConfigurationController::buildLists(QWidget* parent, ListKind first, ListKind second,
                                                    const char* modeName, const char* modeAction)
{
    auto* box = new QGroupBox(appl(first == ListKind::Dossier ? "FenEditConfiguration_selectionPostes"
                                                              : "FenEditConfiguration_selectionComptes"),
                              parent);
    QComboBox* mode = tagCombo(*box, modeName,
                               {{appl("FenEditConfiguration_tous"), kSelectionAll},
                                {appl("FenEditConfiguration_seulement"), kSelectionOnly},
                                {appl("FenEditConfiguration_sauf"), kSelectionAllBut}});
    connect(mode, &QComboBox::activated, this,
            [this, mode, modeAction] { perform(QString::fromLatin1(modeAction), mode); });
    (first == ListKind::Dossier ? m_popupModeposte : m_popupModecompte) = mode;
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(mode);
    layout->addWidget(buildOneList(box, first), 1);
    layout->addWidget(buildOneList(box, second), 1);
    return box;
}

QWidget* FenEditConfigurationController::buildOneList(QWidget* parent, ListKind kind)
{
    struct Names {
        const char* list;
        const char* pop;
        const char* all;
        const char* none;
        const char* addAll;
        const char* suppAll;
    };
    static const Names names[4] = {
        {"table1", "pop_dossier", "button_tous_les_dossiers", "button_aucun_dossier",
         "ADD_ALL_DOSSIERS:", "SUPP_ALL_DOSSIERS:"},
        {"table2", "pop_poste", "button_tous_les_postes", "button_aucun_poste", "ADD_ALL_POSTES:", "SUPP_ALL_POSTES:"},
        {"tableBanques", "pop_banqueD", "button_toutes_les_banques", "button_aucune_banque",
         "ADD_ALL_BANQUES:", "SUPP_ALL_BANQUES:"},
        {"tableComptes", "pop_compteD", "button_tous_les_comptes", "button_aucun_compte",
         "ADD_ALL_COMPTES:", "SUPP_ALL_COMPTES:"},
    };
    const Names& n = names[int(kind)];
    auto* page = new QWidget(parent);
    StdPopUp* pop = nullptr;
    switch (kind) {
    case ListKind::Dossier:
        pop = new PopDossier(page);
        break;
    case ListKind::Poste:
        pop = new PopPoste(page);
        break;
    case ListKind::Banque:
    case ListKind::Compte: {
        auto* compte = new PopCompte(page);
        compte->setCompteDebit(true);
        if (kind == ListKind::Banque)
            compte->setPOPcompteBFilter(0);
        else
            compte->setPOPcompteCFilter(7);
        pop = compte;
        break;
    }
    }
    pop->setObjectName(QString::fromLatin1(n.pop));
    auto* list = new QListWidget(page);
    list->setObjectName(QString::fromLatin1(n.list));
    list->setMinimumSize(180, 90);
    m_lists[int(kind)] = list;
    QObject::connect(list, &QListWidget::currentRowChanged, list,
                     [list] { CellConfAnalyse::showSelectedButton(list); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pop);
    QList<QWidget*>& group = kind == ListKind::Dossier || kind == ListKind::Poste ? m_posteControls : m_compteControls;
    group.append(pop);
    // Removing one row is its own delete button's work (CellConfAnalyse).
    const std::pair<const char*, const char*> commands[] = {{n.all, n.addAll}, {n.none, n.suppAll}};
    const char* titles[2] = {"FenEditConfiguration_tout", "FenEditConfiguration_rien"};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(appl(titles[i]), page);
        button->setAutoDefault(false);
        button->setObjectName(QString::fromLatin1(commands[i].first));
        connectAction(button, QString::fromLatin1(commands[i].second));
        buttons->addWidget(button);
        group.append(button);
    }
    static const char* const headings[4] = {"FenEditConfiguration_listeDossiers", "FenEditConfiguration_listePostes",
                                            "FenEditConfiguration_listeBanques", "FenEditConfiguration_listeComptes"};
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(appl(headings[int(kind)]), page));
    layout->addLayout(buttons);
    layout->addWidget(list, 1);
    return page;
}

// ---------------------------------------------------------------------------------------------
// Filling and reading

void FenEditConfigurationController::didAwakeFromNib()
{
    m_currentDefIndex = long(getData()->value(QStringLiteral("pindex")).toLongLong());
    if (const AnalyseConfiguration* conf = anaConfigAtIndex(getAnaDefHdl(currentDocument()), m_currentDefIndex))
        m_currentDefRec = copyAnaConfig(*conf);
    else
        m_currentDefIndex = 0;
    StdWindowController::didAwakeFromNib();
}

void FenEditConfigurationController::FILL_CONFIGURATION()
{
    m_fieldConfiguration->setText(m_currentDefRec.nom);
    long index = 0;
    if (findAnaConfigNamed(getAnaDefHdl(currentDocument()), m_currentDefRec.nom, &index)) {
        m_popConfiguration->setSelectedTag(index);
        m_popConfiguration->setTitle(m_currentDefRec.nom);
    }
}

void FenEditConfigurationController::FILL_DATES()
{
    const bool budget = m_analyseType == 1;
    if (budget)
        m_currentDefRec.forceMonth = true;
    anaConfigUpdateDates(currentDocument(), m_currentDefRec, false);
    setCanDate(m_currentDefRec.modeDate == kModeDateGiven);
    selectComboTag(m_popupModedate, m_currentDefRec.modeDate);
    setDate1(m_currentDefRec.date1);
    setDate2(m_currentDefRec.date2);
    pickers().FILL_DATE1();
    pickers().FILL_DATE2();
    m_popupModedate->setItemText(
        0, budget ? QStringLiteral("Entre les mois suivants :") : QStringLiteral("Entre les dates suivantes :"));
    m_checkMoisComplets->setEnabled(!budget);
}

void FenEditConfigurationController::FILL()
{
    FILL_CONFIGURATION();
    FILL_DATES();
    m_checkDossiers->setChecked(m_currentDefRec.showDossier);
    m_checkPostes->setChecked(m_currentDefRec.showPoste);
    m_checkVirint->setChecked(m_currentDefRec.showVirInt);
    m_checkMensuel->setChecked(m_currentDefRec.showMonth);
    m_checkMoisComplets->setChecked(m_currentDefRec.forceMonth);
    selectComboTag(m_popupFiscalite, m_currentDefRec.fiscalite);
    pickers().compteCID = m_currentDefRec.compteID < 0 ? -2 : m_currentDefRec.compteID;
    m_buttonNoReference->setEnabled(m_currentDefRec.compteID >= 0);
    selectComboTag(m_popupModeposte, m_currentDefRec.modePoste);
    selectComboTag(m_popupModecompte, m_currentDefRec.modeCompte);
    enableModes();
    for (ListKind kind : {ListKind::Dossier, ListKind::Poste, ListKind::Banque, ListKind::Compte})
        reloadList(kind);
    StdWindowController::FILL();
}

bool FenEditConfigurationController::READ()
{
    if (!StdWindowController::READ())
        return false;
    m_currentDefRec.modeDate = comboTag(m_popupModedate);
    m_currentDefRec.date1 = date1();
    m_currentDefRec.date2 = date2();
    m_currentDefRec.showDossier = m_checkDossiers->isChecked();
    m_currentDefRec.showPoste = m_checkPostes->isChecked();
    m_currentDefRec.showVirInt = m_checkVirint->isChecked();
    m_currentDefRec.showMonth = m_checkMensuel->isChecked();
    m_currentDefRec.forceMonth = m_checkMoisComplets->isChecked();
    m_currentDefRec.fiscalite = comboTag(m_popupFiscalite);
    m_currentDefRec.compteID = pickers().compteCID < 0 ? -1 : pickers().compteCID;
    m_currentDefRec.modePoste = comboTag(m_popupModeposte);
    m_currentDefRec.modeCompte = comboTag(m_popupModecompte);
    return true;
}

void FenEditConfigurationController::setCanDate(bool can)
{
    m_canDate = can;
    for (QWidget* field : m_dateFields)
        field->setEnabled(can);
    for (QWidget* button : m_calendarButtons)
        button->setEnabled(can);
}

// A picked date obeys the whole-months rule as a typed one does.
void FenEditConfigurationController::CALENDRIER1(QObject*)
{
    pickers().CALENDRIER1();
    if (!m_dateFields.isEmpty())
        textDidEndEditing(m_dateFields.first());
}

void FenEditConfigurationController::CALENDRIER2(QObject*)
{
    pickers().CALENDRIER2();
    if (!m_dateFields.isEmpty())
        textDidEndEditing(m_dateFields.last());
}

void FenEditConfigurationController::enableModes()
{
    const bool postes = comboTag(m_popupModeposte) != kSelectionAll;
    for (QWidget* control : m_posteControls)
        control->setEnabled(postes);
    const bool comptes = comboTag(m_popupModecompte) != kSelectionAll;
    for (QWidget* control : m_compteControls)
        control->setEnabled(comptes);
}

// ---------------------------------------------------------------------------------------------
// Storing, creating, renaming, deleting

bool FenEditConfigurationController::checkDates()
{
    if (m_currentDefRec.modeDate != kModeDateGiven || m_currentDefRec.date1 <= m_currentDefRec.date2)
        return true;
    beep();
    Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_WrongDate")), QString(),
                   QStringLiteral("analyse_par_postes"), 1, [](int) {});
    if (!m_dateFields.isEmpty())
        m_dateFields.first()->setFocus();
    return false;
}

bool FenEditConfigurationController::ENREGISTRER()
{
    if (!READ() || !checkDates())
        return false;
    DOCUMENT* doc = currentDocument();
    m_currentDefRec.assumeValideConfiguration(doc, windowIfLoaded());
    if (AnalyseConfiguration* stored = anaConfigAtIndex(getAnaDefHdl(doc), m_currentDefIndex))
        *stored = copyAnaConfig(m_currentDefRec);
    return true;
}

void FenEditConfigurationController::OUI(QObject*)
{
    if (!ENREGISTRER())
        return;
    getData()->insert(QStringLiteral("pindex"), QVariant::fromValue<qint64>(m_currentDefIndex));
    endModal(1);
}

void FenEditConfigurationController::CONFIGURATION(QObject* sender)
{
    if (!ENREGISTRER())
        return;
    const long index = long(StdMenu::tagOf(sender));
    const AnalyseConfiguration* conf = anaConfigAtIndex(getAnaDefHdl(currentDocument()), index);
    if (!conf)
        return;
    m_currentDefRec = copyAnaConfig(*conf);
    m_currentDefIndex = index;
    FILL();
}

bool FenEditConfigurationController::nameRefused(const QString& name, long ownIndex)
{
    long index = -1;
    const bool taken = findAnaConfigNamed(getAnaDefHdl(currentDocument()), name, &index) && index != ownIndex;
    if (!name.isEmpty() && !taken)
        return false;
    const QString key
        = name.isEmpty() ? QStringLiteral("kAlerte_NameEmpty") : QStringLiteral("kAlerte_NameAlreadyExist");
    Dialog::alerte(this, Dialog::keyString(key), QString(), QStringLiteral("analyse_par_postes"), 1, [](int) {});
    return true;
}

void FenEditConfigurationController::CREER(QObject*)
{
    QString name;
    if (!askStringModal(this, QStringLiteral("kMessage_AnalyseName"),
                        localizedMisc(QStringLiteral("kMisc_DefaultName")), &name))
        return;
    if (nameRefused(name, -1))
        return;
    // Bad dates stop the creation as they stop a store: the new configuration would carry them.
    if (!READ() || !checkDates())
        return;
    AnalyseConfigList* list = getAnaDefHdl(currentDocument());
    if (!list)
        return;
    m_currentDefRec.nom = name;
    list->append(copyAnaConfig(m_currentDefRec));
    m_currentDefIndex = list->size() - 1;
    FILL();
}

// The questions leave the other windows usable, where another editor may change the list: the
// configuration asked about is found again by its name (names are unique) once answered.
void FenEditConfigurationController::RENOMMER(QObject*)
{
    READ();
    const QString asked = m_currentDefRec.nom;
    QString name;
    if (!askStringModal(this, QStringLiteral("kMessage_AnalyseNewName"), asked, &name))
        return;
    DOCUMENT* doc = currentDocument();
    long index = 0;
    if (!findAnaConfigNamed(getAnaDefHdl(doc), asked, &index) || nameRefused(name, index))
        return;
    m_currentDefIndex = index;
    m_currentDefRec.nom = name;
    if (AnalyseConfiguration* stored = anaConfigAtIndex(getAnaDefHdl(doc), m_currentDefIndex))
        stored->nom = name;
    if (doc && doc->docParam)
        doc->docParam->lastConfAnalyse = name;
    FILL();
    sendToAllWindowDelegates(Sel::notifyAnalyseRename, QVariant::fromValue<qint64>(m_currentDefIndex), QVariant());
}

// Only the configuration as it was asked about goes: one changed meanwhile stays, followed where
// it now is; the default one never goes.
void FenEditConfigurationController::SUPPRIMER(QObject*)
{
    const AnalyseConfiguration* stored = anaConfigAtIndex(getAnaDefHdl(currentDocument()), m_currentDefIndex);
    if (m_currentDefIndex <= 0 || !stored)
        return;
    const AnalyseConfiguration asked = *stored;
    int code = 0;
    Dialog::confirmation(this, Dialog::keyString(QStringLiteral("kConfirm_SuppAnalyse")), m_currentDefRec.nom,
                         localizedDialogue(QStringLiteral("LIB_BUTTON_NON")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")), QString(),
                         QStringLiteral("analyse_par_postes"), 1, kAlertFirstButton, [&code](int c) { code = c; });
    AnalyseConfigList* list = getAnaDefHdl(currentDocument());
    long index = 0;
    if (code != 1001 || !findAnaConfigNamed(list, asked.nom, &index) || index == 0
        || !isSameAnalyseConfiguration(list->at(index), asked)) {
        notifyAnalyseDelete(QString(), QVariant());
        return;
    }
    list->removeAt(index);
    notifyAnalyseDelete(asked.nom, QVariant());
    sendToAllWindowDelegates(Sel::notifyAnalyseDelete, asked.nom, QVariant());
}

void FenEditConfigurationController::notifyAnalyseDelete(const QVariant&, const QVariant&)
{
    const AnalyseConfigList* list = getAnaDefHdl(currentDocument());
    long index = 0;
    if (findAnaConfigNamed(list, m_currentDefRec.nom, &index)) {
        m_currentDefIndex = index;
        return;
    }
    if (!anaConfigAtIndex(list, 0))
        return;
    m_currentDefRec = copyAnaConfig(list->at(0));
    m_currentDefIndex = 0;
    FILL();
}

// ---------------------------------------------------------------------------------------------
// Period, rows and modes

void FenEditConfigurationController::MODEDATE(QObject*)
{
    READ();
    anaConfigUpdateDates(currentDocument(), m_currentDefRec, false);
    FILL();
    if (m_canDate && !m_dateFields.isEmpty())
        m_dateFields.first()->setFocus();
}

void FenEditConfigurationController::CB_FORCER(QObject*)
{
    READ();
    anaConfigUpdateDates(currentDocument(), m_currentDefRec, false);
    FILL();
}

void FenEditConfigurationController::CB_DOSSIER(QObject*)
{
    if (!m_checkDossiers->isChecked() && !m_checkPostes->isChecked())
        m_checkPostes->setChecked(true);
}

void FenEditConfigurationController::CB_POSTE(QObject*)
{
    if (!m_checkDossiers->isChecked() && !m_checkPostes->isChecked())
        m_checkDossiers->setChecked(true);
}

void FenEditConfigurationController::MODEPOSTE(QObject*)
{
    enableModes();
    reloadList(ListKind::Dossier);
    reloadList(ListKind::Poste);
}

void FenEditConfigurationController::MODECOMPTE(QObject*)
{
    enableModes();
    reloadList(ListKind::Banque);
    reloadList(ListKind::Compte);
}

void FenEditConfigurationController::CREDIT(QObject* item)
{
    pickers().CREDIT(item);
    m_buttonNoReference->setEnabled(pickers().compteCID >= 0);
}

void FenEditConfigurationController::TOUS_COMPTES(QObject*)
{
    pickers().compteCID = -2;
    pickers().FILL_COMPTEC();
    m_buttonNoReference->setEnabled(false);
}

bool FenEditConfigurationController::isDateField(const QObject* field) const
{
    return m_dateFields.contains(qobject_cast<const QWidget*>(field));
}

void FenEditConfigurationController::textDidEndEditing(QObject* field)
{
    if (!m_checkMoisComplets->isChecked() || !isDateField(field) || m_dateFields.size() < 6)
        return;
    setFieldText(m_dateFields.at(0), QStringLiteral("1"));
    const QString one = QStringLiteral("1");
    const QString month = fieldText(m_dateFields.at(4));
    const QString year = fieldText(m_dateFields.at(5));
    double second = 0;
    if (dateFromDayMonthYearViews(&one, &month, &year, &second))
        setFieldText(m_dateFields.at(3), QString::number(dateDay(lastDayOfMonth(second))));
    if (auto* focused = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()); focused && isDateField(focused))
        focused->selectAll();
}

bool FenEditConfigurationController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && isDateField(watched))
        textDidEndEditing(watched);
    return StdWindowController::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// The four lists

AnaIdentList& FenEditConfigurationController::identsOf(ListKind kind)
{
    switch (kind) {
    case ListKind::Dossier:
        return m_currentDefRec.dossiersArray;
    case ListKind::Poste:
        return m_currentDefRec.postesArray;
    case ListKind::Banque:
        return m_currentDefRec.banquesArray;
    case ListKind::Compte:
        return m_currentDefRec.comptesArray;
    }
    return m_currentDefRec.postesArray;
}

void FenEditConfigurationController::reloadList(ListKind kind)
{
    QListWidget* list = m_lists[int(kind)];
    const int selected = list->currentRow();
    list->clear();
    const bool postes = kind == ListKind::Dossier || kind == ListKind::Poste;
    const QComboBox* mode = postes ? m_popupModeposte : m_popupModecompte;
    if (comboTag(mode) == kSelectionAll)
        return;
    const DOCUMENT* doc = currentDocument();
    for (long ident : identsOf(kind)) {
        QString name;
        QIcon icon;
        switch (kind) {
        case ListKind::Dossier:
            name = doc ? DOSSIER::getDossierNameNS(ident, *doc) : QString();
            icon = StdPopUp::itemImage(QStringLiteral("dossier"));
            break;
        case ListKind::Poste:
            name = doc ? ::POSTE::getPosteNameNS(ident, *doc) : QString();
            icon = StdPopUp::itemImage(QStringLiteral("poste"));
            break;
        case ListKind::Banque:
        case ListKind::Compte: {
            const int toolKind = kind == ListKind::Banque ? kToolBanque : kToolCompte;
            const TOOL* tool = doc ? TOOL::getTool(toolKind, ident, doc) : nullptr;
            name = tool ? tool->nom : QString();
            if (tool)
                icon = PopCompte::getToolImage(*tool, doc);
            break;
        }
        }
        auto* item = new QListWidgetItem(icon, name.isEmpty() ? QStringLiteral("?") : name, list);
        item->setData(Qt::UserRole, QVariant::fromValue<qint64>(ident));
        static const char* const removals[4] = {"SUPP_DOSSIER:", "SUPP_POSTE:", "SUPP_BANQUE:", "SUPP_COMPTE:"};
        connectAction(CellConfAnalyse::install(list, item, appl("FenEditConfiguration_retirer"))->button_supprimer(),
                      QString::fromLatin1(removals[int(kind)]));
    }
    if (selected >= 0 && selected < list->count())
        list->setCurrentRow(selected);
    CellConfAnalyse::showSelectedButton(list);
}

void FenEditConfigurationController::addToList(ListKind kind, long ident)
{
    AnaIdentList& idents = identsOf(kind);
    QListWidget* list = m_lists[int(kind)];
    const qsizetype existing = idents.indexOf(ident);
    if (existing >= 0) {
        beep();
        list->setCurrentRow(int(existing));
        return;
    }
    const int selected = list->currentRow();
    const qsizetype at = selected >= 0 && selected < idents.size() ? selected : idents.size();
    idents.insert(at, ident);
    reloadList(kind);
    list->setCurrentRow(int(at));
}

void FenEditConfigurationController::removeSelected(ListKind kind)
{
    AnaIdentList& idents = identsOf(kind);
    QListWidget* list = m_lists[int(kind)];
    const int selected = list->currentRow();
    if (selected < 0 || selected >= idents.size())
        return;
    const int count = int(idents.size());
    idents.removeAt(selected);
    reloadList(kind);
    list->setCurrentRow(std::min(count - 2, selected));
}

void FenEditConfigurationController::fillList(ListKind kind, const AnaIdentList& idents)
{
    identsOf(kind) = idents;
    reloadList(kind);
    m_lists[int(kind)]->setCurrentRow(-1);
}

void FenEditConfigurationController::DOSSIER(QObject* item)
{
    addToList(ListKind::Dossier, long(StdMenu::tagOf(item)));
}

void FenEditConfigurationController::POSTE(QObject* item)
{
    addToList(ListKind::Poste, long(StdMenu::tagOf(item)));
}

void FenEditConfigurationController::BDEBIT(QObject* item)
{
    addToList(ListKind::Banque, long(StdMenu::tagOf(item)));
}

void FenEditConfigurationController::DEBIT(QObject* item)
{
    addToList(ListKind::Compte, long(StdMenu::tagOf(item)));
}

namespace {

template <class List> AnaIdentList identsOfList(const List& list)
{
    AnaIdentList idents;
    for (const auto& entity : list)
        idents.append(entity.ident);
    return idents;
}

} // namespace

void FenEditConfigurationController::ADD_ALL_DOSSIERS(QObject*)
{
    if (const DOCUMENT* doc = currentDocument())
        fillList(ListKind::Dossier, identsOfList(doc->dossierHdl));
}

void FenEditConfigurationController::ADD_ALL_POSTES(QObject*)
{
    if (const DOCUMENT* doc = currentDocument())
        fillList(ListKind::Poste, identsOfList(doc->posteHdl));
}

void FenEditConfigurationController::ADD_ALL_BANQUES(QObject*)
{
    if (const DOCUMENT* doc = currentDocument())
        fillList(ListKind::Banque, identsOfList(doc->banqueHdl));
}

void FenEditConfigurationController::ADD_ALL_COMPTES(QObject*)
{
    if (const DOCUMENT* doc = currentDocument())
        fillList(ListKind::Compte, identsOfList(doc->compteHdl));
}

void FenEditConfigurationController::SUPP_DOSSIER(QObject*)
{
    removeSelected(ListKind::Dossier);
}

void FenEditConfigurationController::SUPP_POSTE(QObject*)
{
    removeSelected(ListKind::Poste);
}

void FenEditConfigurationController::SUPP_BANQUE(QObject*)
{
    removeSelected(ListKind::Banque);
}

void FenEditConfigurationController::SUPP_COMPTE(QObject*)
{
    removeSelected(ListKind::Compte);
}

void FenEditConfigurationController::SUPP_ALL_DOSSIERS(QObject*)
{
    fillList(ListKind::Dossier, {});
}

void FenEditConfigurationController::SUPP_ALL_POSTES(QObject*)
{
    fillList(ListKind::Poste, {});
}

void FenEditConfigurationController::SUPP_ALL_BANQUES(QObject*)
{
    fillList(ListKind::Banque, {});
}

void FenEditConfigurationController::SUPP_ALL_COMPTES(QObject*)
{
    fillList(ListKind::Compte, {});
}

#include "app/FenPreferencesController.h"

#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldIntegerN.h"
#include "toolkit/fields/TextFieldIntegerNStar.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDossier.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTri.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/namedcontrols.h"
#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "document/AppliParamTransfer.h"
#include "document/DocContext.h"
#include "document/HelperSVLibraryFolder.h"
#include "engines/POS.h"
#include "foundation/IAppShell.h"
#include "foundation/broadcast.h"
#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "quotes/PortfolioManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum class Tab { General, Listes, Sons, Sauvegardes, Synchro };

struct CheckField {
    const char* outlet;
    bool APPLIPARAM::*member;
    Tab tab;
};

// In the order they are shown on their tab; each outlet's label is "FenPreferences_<outlet>".
const CheckField kChecks[] = {
    {"checkbox_memoriser_fenetres", &APPLIPARAM::doRemind, Tab::General},
    {"checkbox_trucs", &APPLIPARAM::doTruc, Tab::General},
    {"checkbox_aide_contextuelle", &APPLIPARAM::helpOn, Tab::General},
    {"checkbox_regles_import", &APPLIPARAM::reglesImport, Tab::General},
    {"checkbox_regles_manuel", &APPLIPARAM::reglesManuel, Tab::General},
    {"checkbox_animation", &APPLIPARAM::doAnimations, Tab::General},
    {"checkbox_aimanter", &APPLIPARAM::palette_aimant, Tab::General},
    {"checkbox_autoheight", &APPLIPARAM::automaticHeight, Tab::General},
    {"checkbox_flouter", &APPLIPARAM::flouter, Tab::General},
    {"checkbox_inclure_prevision", &APPLIPARAM::aVenirPrev, Tab::Listes},
    {"checkbox_saisie_quick", &APPLIPARAM::optionSaisieQuick, Tab::Listes},
    {"checkbox_sonore", &APPLIPARAM::doSounds, Tab::Sons},
    {"checkbox_sonoreOpen", &APPLIPARAM::doSoundsOpen, Tab::Sons},
    {"checkbox_sonoreClose", &APPLIPARAM::doSoundsClose, Tab::Sons},
    {"checkbox_sonoreAlert", &APPLIPARAM::doSoundsAlert, Tab::Sons},
    {"checkbox_sonoreTransact", &APPLIPARAM::doSoundsTransact, Tab::Sons},
    {"checkbox_notify_save", &APPLIPARAM::notifySauv, Tab::Sauvegardes},
    {"checkbox_save_when_close", &APPLIPARAM::autoSaveWhenQuit, Tab::Sauvegardes},
    {"checkbox_synchro_info", &APPLIPARAM::informSynchro, Tab::Synchro},
    {"checkbox_synchro_accept", &APPLIPARAM::acceptNotSynchro, Tab::Synchro},
};

struct NumberField {
    const char* outlet;
    long APPLIPARAM::*member;
    long (*rule)(long);
};

const NumberField kNumbers[] = {
    {"field_avenir", &APPLIPARAM::aVenir, &APPLIPARAM::aVenirRule},
    {"field_nb_sauv", &APPLIPARAM::nbSauvNew, &APPLIPARAM::nbSauvNewRule},
    {"field_tous_les", &APPLIPARAM::mn, &APPLIPARAM::mnRule},
    {"field_every_days_manual_save", &APPLIPARAM::everyDaysManualSave, &APPLIPARAM::everyDaysManualSaveRule},
};

struct SoundRow {
    const char* check;
    const char* button;
    const char* action;
};

const SoundRow kSoundRows[] = {
    {"checkbox_sonoreOpen", "button_ecouterOpen", "ECOUTER_OPEN:"},
    {"checkbox_sonoreClose", "button_ecouterClose", "ECOUTER_CLOSE:"},
    {"checkbox_sonoreAlert", "button_ecouterAlert", "ECOUTER_ALERT:"},
    {"checkbox_sonoreTransact", "button_ecouterTransact", "ECOUTER_TRANSACT:"},
};

QString label(const QString& outlet)
{
    const QString key = QStringLiteral("FenPreferences_") + outlet;
    return localizedAppl(key);
}

QHBoxLayout* pair(QWidget* field, QWidget* pop)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(pop);
    return row;
}

QComboBox* tagPopup(const char* outlet, const QStringList& keys, QWidget* parent)
{
    auto* popup = named<QComboBox>(outlet, parent);
    for (int tag = 0; tag < keys.size(); ++tag)
        popup->addItem(localizedAppl(keys.at(tag)), tag);
    return popup;
}

long numberOf(const TextFieldIntegerN* field)
{
    bool ok = false;
    const long value = field->toPlainText().trimmed().toLong(&ok);
    return ok ? value : 0;
}

} // namespace

long FenPreferencesController::openPreferences()
{
    return pushModal<FenPreferencesController>(nullptr, makeWindowData(), 0);
}

// =============================================================================================
// Building

QCheckBox* FenPreferencesController::check(const char* outlet, QWidget* parent)
{
    auto* box = named<QCheckBox>(outlet, parent);
    box->setText(label(QString::fromLatin1(outlet)));
    m_checks.insert(QString::fromLatin1(outlet), box);
    return box;
}

TextFieldIntegerN* FenPreferencesController::number(const char* outlet, QWidget* parent)
{
    TextFieldIntegerN* field = qstrcmp(outlet, "field_every_days_manual_save") == 0
        ? named<TextFieldIntegerNStar>(outlet, parent)
        : named<TextFieldIntegerN>(outlet, parent);
    field->setFixedWidth(70);
    m_numbers.insert(QString::fromLatin1(outlet), field);
    return field;
}

void FenPreferencesController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenPreferences"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenPreferences_titre")));
    auto* tabs = named<QTabWidget>("tabs", &window);
    tabs->addTab(buildGeneralTab(tabs), localizedAppl(QStringLiteral("FenPreferences_tab_general")));
    tabs->addTab(buildListesTab(tabs), localizedAppl(QStringLiteral("FenPreferences_tab_listes")));
    tabs->addTab(buildSonsTab(tabs), localizedAppl(QStringLiteral("FenPreferences_tab_sons")));
    tabs->addTab(buildSauvegardesTab(tabs), localizedAppl(QStringLiteral("FenPreferences_tab_sauvegardes")));
    tabs->addTab(buildDocumentTab(tabs), localizedAppl(QStringLiteral("FenPreferences_tab_document")));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(tabs, 1);
    layout->addWidget(buildButtons(&window));
    window.setMinimumWidth(660);
}

QWidget* FenPreferencesController::buildGeneralTab(QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    for (const CheckField& field : kChecks) {
        if (field.tab == Tab::General)
            layout->addWidget(check(field.outlet, page));
    }
    connectAction(m_checks.value(QStringLiteral("checkbox_aide_contextuelle")), QStringLiteral("CHECKBOX_AIDE:"));
    layout->addStretch();
    return page;
}

QWidget* FenPreferencesController::buildListesTab(QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* form = new QFormLayout(page);
    field_tri = named<QLabel>("field_tri", page);
    auto* pop_tri = named<PopTri>("pop_tri", page);
    pop_tri->setCanSelectFirstItem(false);
    form->addRow(label(QStringLiteral("pop_tri")), pair(field_tri, pop_tri));
    form->addRow(label(QStringLiteral("field_avenir")), number("field_avenir", page));
    form->addRow(QString(), check("checkbox_inclure_prevision", page));
    popup_saisie_date = tagPopup(
        "popup_saisie_date",
        {QStringLiteral("FenPreferences_saisie_date0"), QStringLiteral("FenPreferences_saisie_date1")}, page);
    form->addRow(label(QStringLiteral("popup_saisie_date")), popup_saisie_date);
    QStringList rubriques;
    for (int tag = 0; tag <= 4; ++tag)
        rubriques << QStringLiteral("FenPreferences_saisie_rubrique%1").arg(tag);
    popup_saisie_rubrique = tagPopup("popup_saisie_rubrique", rubriques, page);
    form->addRow(label(QStringLiteral("popup_saisie_rubrique")), popup_saisie_rubrique);
    form->addRow(QString(), check("checkbox_saisie_quick", page));
    return page;
}

QWidget* FenPreferencesController::buildSonsTab(QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    QCheckBox* sonore = check("checkbox_sonore", page);
    connectAction(sonore, QStringLiteral("CHECKBOX_SOUND:"));
    layout->addWidget(sonore);
    for (const SoundRow& row : kSoundRows) {
        auto* line = new QHBoxLayout;
        line->setContentsMargins(24, 0, 0, 0);
        line->addWidget(check(row.check, page), 1);
        auto* listen = named<QPushButton>(row.button, page);
        listen->setText(localizedAppl(QStringLiteral("FenPreferences_ecouter")));
        listen->setAutoDefault(false);
        connectAction(listen, QString::fromLatin1(row.action));
        line->addWidget(listen);
        layout->addLayout(line);
    }
    layout->addStretch();
    return page;
}

QWidget* FenPreferencesController::buildSauvegardesTab(QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* form = new QFormLayout;
    for (const NumberField& field : kNumbers) {
        if (qstrcmp(field.outlet, "field_avenir") != 0)
            form->addRow(label(QString::fromLatin1(field.outlet)), number(field.outlet, page));
    }
    auto* synchro = new QGroupBox(localizedAppl(QStringLiteral("FenPreferences_box_synchro")), page);
    auto* synchroLayout = new QVBoxLayout(synchro);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    for (const CheckField& field : kChecks) {
        if (field.tab == Tab::Sauvegardes)
            layout->addWidget(check(field.outlet, page));
        if (field.tab == Tab::Synchro)
            synchroLayout->addWidget(check(field.outlet, synchro));
    }
    layout->addWidget(synchro);
    layout->addWidget(buildCotationsBox(page));
    layout->addStretch();
    return page;
}

QWidget* FenPreferencesController::buildCotationsBox(QWidget* parent)
{
    auto* box = new QGroupBox(localizedAppl(QStringLiteral("FenPreferences_box_cotations")), parent);
    box->setObjectName(QStringLiteral("box_cotations"));
    auto* form = new QFormLayout(box);
    field_service_cotations = named<QLineEdit>("field_service_cotations", box);
    field_service_cotations->setPlaceholderText(localizedAppl(QStringLiteral("FenPreferences_service_cotations_vide")));
    form->addRow(label(QStringLiteral("field_service_cotations")), field_service_cotations);
    return box;
}

QWidget* FenPreferencesController::buildDocumentTab(QWidget* parent)
{
    auto* page = new QWidget(parent);
    box_on = named<QWidget>("box_on", page);
    auto* form = new QFormLayout(box_on);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(label(QStringLiteral("pop_poste")),
                 pair(named<TextViewPoste>("view_poste", box_on), named<PopPoste>("pop_poste", box_on)));
    form->addRow(label(QStringLiteral("pop_dossier")),
                 pair(named<StdTextView>("field_dossier", box_on), named<PopDossier>("pop_dossier", box_on)));
    form->addRow(label(QStringLiteral("pop_compteD")),
                 pair(named<TextViewCompteD>("view_compteD", box_on), named<PopCompte>("pop_compteD", box_on)));
    form->addRow(label(QStringLiteral("pop_compteC")),
                 pair(named<TextViewCompteC>("view_compteC", box_on), named<PopCompte>("pop_compteC", box_on)));
    form->addRow(QString(), check("checkbox_echeancier_actif", box_on));
    label_last_manual_save = named<QLabel>("label_last_manual_save", box_on);
    form->addRow(label(QStringLiteral("label_last_manual_save")), label_last_manual_save);
    box_off = named<QLabel>("box_off", page);
    static_cast<QLabel*>(box_off)->setText(label(QStringLiteral("box_off")));
    box_off->setEnabled(false);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box_on);
    layout->addWidget(box_off, 0, Qt::AlignCenter);
    layout->addStretch();
    return page;
}

QWidget* FenPreferencesController::buildButtons(QWidget* parent)
{
    auto* row = new QWidget(parent);
    QList<QPushButton*> transfers;
    const std::pair<const char*, const char*> titles[]
        = {{"FenPreferences_importer", "IMPORTER:"}, {"FenPreferences_exporter", "EXPORTER:"}};
    for (const auto& [title, action] : titles) {
        auto* button = new QPushButton(localizedAppl(QString::fromLatin1(title)), row);
        button->setAutoDefault(false);
        connectAction(button, QString::fromLatin1(action));
        transfers.append(button);
    }
    QHBoxLayout* layout = cancelOkButtons(*this, *row);
    for (qsizetype i = 0; i < transfers.size(); ++i)
        layout->insertWidget(int(i), transfers.at(i));
    layout->setContentsMargins(0, 0, 0, 0);
    row->setLayout(layout);
    return row;
}

// =============================================================================================
// Filling and reading

void FenPreferencesController::FILL()
{
    fillParameters();
    fillDocument();
    if (isBankOpen())
        StdWindowController::FILL();
}

void FenPreferencesController::fillParameters()
{
    const APPLIPARAM& param = APPLIPARAM::loadAppliParam();
    for (const CheckField& field : kChecks)
        m_checks.value(QString::fromLatin1(field.outlet))->setChecked(param.*field.member);
    for (const NumberField& field : kNumbers)
        m_numbers.value(QString::fromLatin1(field.outlet))->setPlainText(QString::number(param.*field.member));
    fillSort(param.defaultSort);
    popup_saisie_date->setCurrentIndex(std::max(0, popup_saisie_date->findData(param.optionSaisieDate)));
    popup_saisie_rubrique->setCurrentIndex(std::max(0, popup_saisie_rubrique->findData(param.optionSaisieRubrique)));
    field_service_cotations->setText(param.quoteRootPath);
    enableSoundBoxes(param.doSounds);
}

void FenPreferencesController::fillSort(int sort)
{
    m_sort = sort;
    outlet<PopTri>(QStringLiteral("pop_tri"))->setSelectedTag(sort);
    field_tri->setText(Constants::sortToString(ListingSort(sort)));
}

void FenPreferencesController::fillDocument()
{
    const DOCUMENT* doc = isBankOpen() ? currentDocument() : nullptr;
    box_on->setVisible(doc != nullptr);
    box_off->setVisible(doc == nullptr);
    if (!doc)
        return;
    const DOCPARAM& param = *doc->docParam;
    pickers().posteID = param.defaultPoste;
    pickers().dossierID = param.defaultDossier;
    pickers().compteDID = param.defaultCompte;
    pickers().compteCID = param.defaultCompteUser;
    outlet<PopPoste>(QStringLiteral("pop_poste"))->setCanSelectFirstItem(false);
    auto* debit = outlet<PopCompte>(QStringLiteral("pop_compteD"));
    debit->setPOPcompteCFilter(4);
    debit->setCompteDebit(true);
    auto* credit = outlet<PopCompte>(QStringLiteral("pop_compteC"));
    credit->setPOPcompteCFilter(1);
    credit->setCompteDebit(false);
    m_checks.value(QStringLiteral("checkbox_echeancier_actif"))->setChecked(param.echInactive == 0);
    label_last_manual_save->setText(param.lastManualSaveStarted ? dateToStringWithStyles(2, 1, param.lastManualSave)
                                                                : QStringLiteral("-"));
}

void FenPreferencesController::enableSoundBoxes(bool enabled)
{
    for (const SoundRow& row : kSoundRows)
        m_checks.value(QString::fromLatin1(row.check))->setEnabled(enabled);
}

bool FenPreferencesController::READ()
{
    if (!StdWindowController::READ() || !checkServiceAddress())
        return false;
    readParameters();
    if (isBankOpen())
        readDocument();
    APPLIPARAM::saveAppliParam();
    if (IAppShell* shell = appShell())
        shell->setToolTipDelay();
    sendToAllWindowDelegates("preferencesDidChange");
    return true;
}

void FenPreferencesController::readParameters()
{
    APPLIPARAM& param = APPLIPARAM::loadAppliParam();
    for (const CheckField& field : kChecks)
        param.*field.member = m_checks.value(QString::fromLatin1(field.outlet))->isChecked();
    for (const NumberField& field : kNumbers)
        param.*field.member = field.rule(numberOf(m_numbers.value(QString::fromLatin1(field.outlet))));
    param.defaultSort = m_sort;
    param.optionSaisieDate = popup_saisie_date->currentData().toInt();
    param.optionSaisieRubrique = popup_saisie_rubrique->currentData().toInt();
    // In force at once: the next ticker chosen asks the new address.
    param.quoteRootPath = field_service_cotations->text().trimmed();
    PortfolioManager::sharedInstance().setRootPath(param.quoteRootPath);
}

bool FenPreferencesController::checkServiceAddress()
{
    const QString typed = field_service_cotations->text().trimmed();
    const QUrl url(typed, QUrl::StrictMode);
    const bool web = url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    if (typed.isEmpty() || web)
        return true;
    showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_ServiceCotationsInvalide")), typed, QString(), 0);
    field_service_cotations->setFocus();
    return false;
}

void FenPreferencesController::readDocument()
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    DOCPARAM& param = *doc->docParam;
    param.defaultPoste = pickers().posteID;
    param.defaultDossier = pickers().dossierID;
    param.defaultCompte = pickers().compteDID;
    param.defaultCompteUser = pickers().compteCID;
    param.echInactive = m_checks.value(QStringLiteral("checkbox_echeancier_actif"))->isChecked() ? 0 : 1;
}

// =============================================================================================
// Actions

void FenPreferencesController::CHECKBOX_AIDE(QObject*)
{
    showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_needsRestart")), QString(), QString(), 1);
}

void FenPreferencesController::CHECKBOX_SOUND(QObject* sender)
{
    const auto* box = qobject_cast<const QCheckBox*>(sender);
    enableSoundBoxes(box ? box->isChecked() : m_checks.value(QStringLiteral("checkbox_sonore"))->isChecked());
}

void FenPreferencesController::SORT(QObject* sender)
{
    const qint64 tag = StdMenu::tagOf(sender);
    if (tag >= qint64(ListingSort::Date1) && tag <= qint64(ListingSort::NoSort))
        fillSort(int(tag));
}

void FenPreferencesController::ECOUTER_OPEN(QObject*)
{
    SVSoundManager::sharedSVInstance().playSoundOpenWindow();
}

void FenPreferencesController::ECOUTER_CLOSE(QObject*)
{
    SVSoundManager::sharedSVInstance().playSoundCloseWindow();
}

void FenPreferencesController::ECOUTER_ALERT(QObject*)
{
    SVSoundManager::sharedSVInstance().playSoundAlerte();
}

void FenPreferencesController::ECOUTER_TRANSACT(QObject*)
{
    SVSoundManager::sharedSVInstance().playSoundTransact();
}

QString FenPreferencesController::getApplicationPreferenceUrlWithMessage()
{
    QString url;
    if (HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(&url, nullptr) && QFileInfo(url).isFile())
        return url;
    showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_CantFindPreferences")), QString(),
                QStringLiteral("exporter"), 2);
    return QString();
}

void FenPreferencesController::reloadApplicationPreferences()
{
    APPLIPARAM::disposeAppliParam();
    APPLIPARAM::loadAppliParam();
    fillParameters();
}

void FenPreferencesController::IMPORTER(QObject*)
{
    const QString chosen = runOpenPanel(localizedMisc(QStringLiteral("kMisc_OpenTitlePref")),
                                        localizedMisc(QStringLiteral("kMisc_OpenPrompt")), false, {"xml"});
    if (chosen.isEmpty() || getApplicationPreferenceUrlWithMessage().isEmpty())
        return;
    const AppliParamTransferResult result = importAppliParamFrom(chosen);
    showAlertOK(this, localizedDialogue(result.alertKey), QString(), QStringLiteral("exporter"), result.ok ? 1 : 0);
    if (result.ok)
        reloadApplicationPreferences();
}

void FenPreferencesController::EXPORTER(QObject*)
{
    const QString file = getApplicationPreferenceUrlWithMessage();
    if (file.isEmpty())
        return;
    const QString chosen = runSavePanel(QFileInfo(file).completeBaseName(), QStringLiteral("xml"));
    if (chosen.isEmpty())
        return;
    const AppliParamTransferResult result = exportAppliParamTo(chosen);
    showAlertOK(this, localizedDialogue(result.alertKey), QString(), QStringLiteral("exporter"), result.ok ? 1 : 0);
}

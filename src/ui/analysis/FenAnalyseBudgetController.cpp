#include "analysis/FenAnalyseBudgetController.h"

#include "analysis/AnalyseColumns.h"
#include "analysis/BoxAnalyseBudgetTete.h"
#include "analysis/FenEditConfigurationController.h"
#include "analysis/PopAnalyse.h"
#include "analysis/PopPeriode.h"
#include "analysis/TemplateAnalyse.h"
#include "toolkit/dialogs/FenMessageController.h"
#include "toolkit/drawing/geometry.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/popups/PopAutoCompute.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/StdMenu.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "engines/AnalyseRecord.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

FenAnalyseBudgetController::FenAnalyseBudgetController() = default;
FenAnalyseBudgetController::~FenAnalyseBudgetController() = default;

DOCUMENT* FenAnalyseBudgetController::document() const
{
    return currentDocument();
}

AnalyseFilePtr FenAnalyseBudgetController::buildFile(AnalyseConfiguration conf)
{
    DOCUMENT* doc = document();
    if (!doc)
        return nullptr;
    conf.assumeValideConfiguration(doc, this);
    auto file = std::make_shared<AnalyseFile>();
    if (!initAnalyseFileWithConfiguration(*file, *doc, conf, QRectF(UiHost::instance().screen().visibleFrame())))
        return nullptr;
    return file;
}

// ---------------------------------------------------------------------------------------------
// Building

QToolButton* FenAnalyseBudgetController::makeButton(QWidget* parent, const QString& title, const QString& action)
{
    auto* button = new QToolButton(parent);
    button->setText(title);
    button->setObjectName(action.chopped(1));
    connectAction(button, action);
    return button;
}

void FenAnalyseBudgetController::buildInterface(StdWindow& window)
{
    m_popAnalyse = new PopAnalyse(&window);
    m_fieldConfiguration = new QLabel(&window);
    m_fieldConfiguration->setObjectName(QStringLiteral("field_configuration"));
    m_popPeriode = new PopPeriode(&window);
    m_popPeriode->setBudget(m_analyseType == AnalyseType::Budget);
    m_popPeriode->setSyntheseOffered(true);
    m_popupAuto = new PopAutoCompute(&window);
    m_popupAuto->setObjectName(QStringLiteral("popup_auto"));
    m_popFiltrage = new QToolButton(&window);
    m_popFiltrage->setObjectName(QStringLiteral("popFiltrage"));
    m_popFiltrage->setPopupMode(QToolButton::InstantPopup);
    auto* devise = new PopDevise(&window);
    devise->setObjectName(QStringLiteral("pop_devise"));
    fillFiltrage();
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_popAnalyse);
    bar->addWidget(m_fieldConfiguration, 1);
    bar->addWidget(makeButton(&window, localizedAppl(QStringLiteral("FenAnalyse_configurer")),
                              QStringLiteral("EDIT_CONFIGURATION:")));
    bar->addWidget(m_popPeriode);
    bar->addWidget(m_popupAuto);
    bar->addWidget(m_popFiltrage);
    bar->addWidget(devise);
    bar->addWidget(
        makeButton(&window, localizedAppl(QStringLiteral("FenAnalyse_listing")), QStringLiteral("LISTING:")));
    bar->addWidget(
        makeButton(&window, localizedAppl(QStringLiteral("FenAnalyse_camembert")), QStringLiteral("CAMEMBERT:")));
    bar->addWidget(makeExportButton(&window));
    bar->addWidget(makeColourButton(&window));
    m_tete = new BoxAnalyseBudgetTete(headerSubTitles(), &window);
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(analysecolumns::kRowHeight);
    table->setMinimumSize(analysecolumns::totalWidth() + 20, analysecolumns::kRowHeight * 8);
    table->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(6);
    layout->addLayout(bar);
    layout->addWidget(m_tete);
    layout->addWidget(table, 1);
    setView_tete(m_tete);
    setTemplateViews(new TemplateAnalyse([this](int row) { return currentLineKindAtRowIndex(row) == 0; }));
}

QToolButton* FenAnalyseBudgetController::makeExportButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("menuItemCSV"));
    button->setText(localizedAppl(QStringLiteral("FenAnalyse_exporter")));
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    const std::pair<const char*, qint64> formats[] = {{"FenAnalyse_exporterTab", 0}, {"FenAnalyse_exporterCSV", 1}};
    for (const auto& [key, tag] : formats) {
        QAction* item = menu->addAction(localizedAppl(QString::fromLatin1(key)));
        item->setData(QVariant::fromValue<qint64>(tag));
        connectAction(item, QStringLiteral("EXPORTER:"));
    }
    button->setMenu(menu);
    return button;
}

void FenAnalyseBudgetController::fillFiltrage()
{
    auto* menu = new QMenu(m_popFiltrage);
    m_popFiltrage->setMenu(menu);
    m_popFiltrage->setText(localizedAppl(QStringLiteral("FenAnalyse_filtrage")));
    QAction* title = menu->addAction(localizedAppl(QStringLiteral("FenAnalyse_filtrage")));
    title->setEnabled(false);
    const std::pair<const char*, long> items[] = {{"FenAnalyse_montrerVides", 1}, {"FenAnalyse_cacherVides", 2}};
    for (const auto& [key, tag] : items) {
        QAction* item = menu->addAction(localizedAppl(QString::fromLatin1(key)));
        item->setCheckable(true);
        item->setData(QVariant::fromValue<qint64>(tag));
        connectAction(item, QStringLiteral("filtrer:"));
    }
}

CellAnalyseBudget& FenAnalyseBudgetController::cellOfKind(int kind)
{
    static const char* const identifiers[3] = {"ANALYSE_DOSSIER", "ANALYSE_POSTE", "ANALYSE_GLOBAL"};
    const int k = std::clamp(kind, 0, 2);
    if (!m_cells[k])
        m_cells[k] = makeCell(QString::fromLatin1(identifiers[k]));
    return *m_cells[k];
}

std::unique_ptr<CellAnalyseBudget> FenAnalyseBudgetController::makeCell(const QString& identifier) const
{
    return std::make_unique<CellAnalyseBudget>(identifier);
}

void FenAnalyseBudgetController::didAwakeFromNib()
{
    m_currentShowMode = AnalyseShowMode::Classic;
    m_lineClassicEntries.clear();
    m_lineSyntheseEntries.clear();
    m_myAnaFile = getData() ? getData()->value(QStringLiteral("anaFile")).value<AnalyseFilePtr>() : nullptr;
    if (!m_myAnaFile)
        m_myAnaFile = std::make_shared<AnalyseFile>();
    findAnaConfigNamed(getAnaDefHdl(document()), m_myAnaFile->anaDef.nom, &m_myAnaConfigIndex);
    m_popPeriode->setAnaFile(m_myAnaFile.get());
    RESET_PERIODE(m_myAnaFile->initialMonth);
    fillMenuItemCSV();
    initLineEntries();
    FILTER_ANALYSE();
    reloadAll();
    StdWindowWithTableController::didAwakeFromNib();
}

void FenAnalyseBudgetController::reloadAll()
{
    if (table1())
        table1()->reloadData();
}

// ---------------------------------------------------------------------------------------------
// Configuration and period

void FenAnalyseBudgetController::FILL()
{
    StdWindowWithTableController::FILL();
    if (const DOCUMENT* doc = document(); doc && doc->docParam)
        pickers().FILL_DEVISE(doc->docParam->lastAnalyseDevise);
    const bool show = showEmpty();
    const QList<QAction*> items = m_popFiltrage->menu()->actions();
    for (int i = 1; i < items.size(); ++i)
        items.at(i)->setChecked(i == (show ? 1 : 2));
    m_popPeriode->setEnablePeriode(true);
    RESET_TITLE();
    showComputeMode(getPreferenceAutoCompute());
    FILL_CONFIGURATION();
    DRAW_TETE();
}

void FenAnalyseBudgetController::FILL_CONFIGURATION()
{
    m_fieldConfiguration->setText(m_myAnaFile->anaDef.nom);
    m_popAnalyse->setSelectedTag(m_myAnaConfigIndex);
    m_popAnalyse->rebuild();
    m_popAnalyse->setTitle(m_myAnaFile->anaDef.nom);
}

void FenAnalyseBudgetController::CONFIGURATION(QObject* sender)
{
    CONFIGURATION_AT_INDEX(long(StdMenu::tagOf(sender)), false);
}

void FenAnalyseBudgetController::CONFIGURATION_AT_INDEX(long index, bool silent)
{
    DOCUMENT* doc = document();
    const AnalyseConfiguration* stored = anaConfigAtIndex(getAnaDefHdl(doc), index);
    if (!doc || !stored)
        return;
    AnalyseConfiguration conf = copyAnaConfig(*stored);
    anaConfigUpdateDates(doc, conf, false);
    if (doc->docParam)
        doc->docParam->lastConfAnalyse = conf.nom;
    if (AnalyseFilePtr file = buildFile(conf)) {
        m_myAnaFile = file;
        initLineEntries();
        m_myAnaConfigIndex = index;
        RESET_PERIODE(0);
        if (!silent) {
            FILL();
            reloadAll();
            adjustHeight(false);
        }
    } else {
        m_myAnaFile = std::make_shared<AnalyseFile>();
        m_myAnaConfigIndex = 0;
    }
    m_popPeriode->setAnaFile(m_myAnaFile.get());
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        GLOBAL_VIEW(nullptr);
}

void FenAnalyseBudgetController::EDIT_CONFIGURATION(QObject*)
{
    WindowDataPtr data = makeWindowData({{QStringLiteral("pindex"), QVariant::fromValue<qint64>(m_myAnaConfigIndex)},
                                         {QStringLiteral("type"), int(m_analyseType)}});
    if (StdWindowController::pushModal<FenEditConfigurationController>(this, data, devise()) != 1)
        return;
    const long index = long(data->value(QStringLiteral("pindex")).toLongLong());
    CONFIGURATION_AT_INDEX(index, false);
    sendToAllWindowDelegates(Sel::notifyAnalyseChange, QVariant::fromValue<qint64>(index), QVariant());
}

void FenAnalyseBudgetController::RESET_PERIODE(long month)
{
    m_myAnaMonth = month;
    COMPUTE_ANALYSE(month);
    m_popPeriode->setAnaFile(m_myAnaFile.get());
    m_popPeriode->GOTO_TAG(month);
}

void FenAnalyseBudgetController::leaveSynthese()
{
    m_currentShowMode = AnalyseShowMode::Classic;
    CONFIGURATION_AT_INDEX(m_myAnaConfigIndex, true);
    m_oldAnaFile = nullptr;
}

void FenAnalyseBudgetController::PERIODE(QObject* sender)
{
    const long month = long(StdMenu::tagOf(sender));
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        leaveSynthese();
    m_currentShowMode = AnalyseShowMode::Classic;
    m_popPeriode->GOTO_TAG(month);
    m_myAnaMonth = month;
    RECOMPUTE();
    DRAW_TETE();
    if (table1())
        table1()->SMART_RELOAD();
    m_myAnaFile->initialMonth = month;
}

// ---------------------------------------------------------------------------------------------
// Compute mode and empty lines

void FenAnalyseBudgetController::AUTOCOMPUTE(QObject* sender)
{
    const qint64 tag = StdMenu::tagOf(sender);
    if (tag != -1 && tag != 0 && tag != 1)
        return;
    if (tag != -1) {
        savePreferenceAutoCompute(tag == 1);
        showComputeMode(tag == 1);
    }
    // Now, or on choosing automatic computation: the figures must not wait for the next change.
    if (tag != 0) {
        RECOMPUTE();
        DRAW_TETE();
        reloadAll();
    }
}

void FenAnalyseBudgetController::showComputeMode(bool automatic)
{
    m_popupAuto->setSelectedTag(automatic ? 1 : 0);
    m_popupAuto->rebuild();
    m_popupAuto->setTitle(
        localizedAppl(automatic ? QStringLiteral("kAnalyseComputeAuto") : QStringLiteral("kAnalyseComputeManuel")));
}

void FenAnalyseBudgetController::filtrer(QObject* sender)
{
    const bool show = StdMenu::tagOf(sender) == 1;
    const QList<QAction*> items = m_popFiltrage->menu()->actions();
    for (int i = 1; i < items.size(); ++i)
        items.at(i)->setChecked(i == (show ? 1 : 2));
    savePreferenceShowEmpty(show);
    if (m_currentShowMode != AnalyseShowMode::Classic)
        return;
    RECOMPUTE();
    DRAW_TETE();
    reloadAll();
    adjustHeight(false);
}

void FenAnalyseBudgetController::initLineEntries()
{
    m_lineClassicEntries.clear();
    for (long r = 0; r < analyseNumberOfRows(*m_myAnaFile); ++r)
        m_lineClassicEntries.append(r);
}

void FenAnalyseBudgetController::fillMenuItemCSV()
{
    if (auto* item = outlet<QToolButton>(QStringLiteral("menuItemCSV")))
        item->setEnabled(true);
}

void FenAnalyseBudgetController::removeEmptyLines(const AnalyseFile& file)
{
    m_lineClassicEntries.clear();
    for (long r = 0; r < analyseNumberOfRows(file); ++r) {
        const AnalyseData* data = file.getAnalyseDataAtRow(r, m_myAnaMonth);
        if (data && !data->isEmpty())
            m_lineClassicEntries.append(r);
    }
}

void FenAnalyseBudgetController::FILTER_ANALYSE()
{
    if (m_currentShowMode != AnalyseShowMode::Classic)
        return;
    if (!showEmpty())
        removeEmptyLines(*m_myAnaFile);
    else
        initLineEntries();
}

// ---------------------------------------------------------------------------------------------
// Row mapping

int FenAnalyseBudgetController::selectedRow() const
{
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    return rows.empty() ? -1 : int(*rows.begin());
}

const AnalyseData* FenAnalyseBudgetController::currentAnalyseDataAtRowIndex(int row) const
{
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        return row >= 0 && row < m_lineSyntheseEntries.size() ? &m_lineSyntheseEntries.at(row).analyseData : nullptr;
    if (row < 0 || row >= m_lineClassicEntries.size())
        return nullptr;
    return m_myAnaFile->getAnalyseDataAtRow(m_lineClassicEntries.at(row), m_myAnaMonth);
}

QString FenAnalyseBudgetController::currentNameAtRowIndex(int row) const
{
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        return row >= 0 && row < m_lineSyntheseEntries.size() ? m_lineSyntheseEntries.at(row).title : QString();
    const AnalyseRow* r = row >= 0 && row < m_lineClassicEntries.size()
        ? analyseRowAtIndex(*m_myAnaFile, m_lineClassicEntries.at(row))
        : nullptr;
    return r ? r->nom : QString();
}

long FenAnalyseBudgetController::currentIdentAtRowIndex(int row) const
{
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        return row >= 0 && row < m_lineSyntheseEntries.size() ? m_lineSyntheseEntries.at(row).ident : -1;
    const AnalyseRow* r = row >= 0 && row < m_lineClassicEntries.size()
        ? analyseRowAtIndex(*m_myAnaFile, m_lineClassicEntries.at(row))
        : nullptr;
    return r ? r->ident : -1;
}

int FenAnalyseBudgetController::currentLineKindAtRowIndex(int row) const
{
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        return row >= 0 && row < m_lineSyntheseEntries.size() ? int(m_lineSyntheseEntries.at(row).kind) : -1;
    const AnalyseRow* r = row >= 0 && row < m_lineClassicEntries.size()
        ? analyseRowAtIndex(*m_myAnaFile, m_lineClassicEntries.at(row))
        : nullptr;
    return r ? int(r->kind) : -1;
}

long FenAnalyseBudgetController::currentMonthAtRowIndex(int row) const
{
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        return row >= 0 && row < m_lineSyntheseEntries.size() ? m_lineSyntheseEntries.at(row).month : 0;
    return m_myAnaMonth;
}

long FenAnalyseBudgetController::ligToDossier(int row) const
{
    const int count = numberOfRowsInTableView1Const();
    if (row < 0 || row >= count)
        return -1;
    switch (currentLineKindAtRowIndex(row)) {
    case int(LineKind::Dossier):
        return currentIdentAtRowIndex(row);
    case int(LineKind::Poste):
        for (int r = row - 1; r >= 0; --r) {
            if (currentLineKindAtRowIndex(r) == int(LineKind::Dossier))
                return currentIdentAtRowIndex(r);
        }
        return -1;
    default:
        return -1;
    }
}

int FenAnalyseBudgetController::numberOfRowsInTableView1(StdTableView*)
{
    return numberOfRowsInTableView1Const();
}

FenAnalyseBudgetController::AnalyseEntries FenAnalyseBudgetController::currentEntriesArray() const
{
    if (m_currentShowMode == AnalyseShowMode::Synthese)
        return &m_lineSyntheseEntries;
    return &m_lineClassicEntries;
}

int FenAnalyseBudgetController::numberOfRowsInTableView1Const() const
{
    return std::visit([](const auto* entries) { return int(entries->size()); }, currentEntriesArray());
}

QColor FenAnalyseBudgetController::getPatColor1(int)
{
    return QColor();
}

void FenAnalyseBudgetController::setHasSelection1(bool has)
{
    StdWindowWithTableController::setHasSelection1(has);
    const int row = selectedRow();
    if (m_currentShowMode == AnalyseShowMode::Synthese
        && (!has || row < 0 || row >= m_lineSyntheseEntries.size()
            || m_lineSyntheseEntries.at(row).kind == LineKind::Mois)) {
        m_canCamembert = m_canListing = false;
        return;
    }
    m_canCamembert = m_myAnaFile->anaDef.showDossier;
    m_canListing = has;
}

void FenAnalyseBudgetController::didDoubleClick1(QObject* sender)
{
    const int row = selectedRow();
    if (m_currentShowMode != AnalyseShowMode::Synthese) {
        LISTING(sender);
        return;
    }
    if (row < 0 || row >= m_lineSyntheseEntries.size())
        return;
    if (m_lineSyntheseEntries.at(row).kind != LineKind::Mois) {
        LISTING(sender);
        return;
    }
    if (m_lineSyntheseEntries.at(row).opened)
        closeSyntheseAtRowInIndex(row);
    else
        openSyntheseAtRowInIndex(row);
}

// ---------------------------------------------------------------------------------------------
// Currency, broadcasts, memory

void FenAnalyseBudgetController::DEVISE(QObject* item)
{
    pickers().DEVISE(item);
    if (DOCUMENT* doc = document(); doc && doc->docParam)
        doc->docParam->lastAnalyseDevise = devise();
    RECOMPUTE();
    if (table1())
        table1()->SMART_RELOAD();
    DRAW_TETE();
}

void FenAnalyseBudgetController::COMPUTE_ANALYSE_NOTIFICATION()
{
    if (!getPreferenceAutoCompute())
        return;
    RECOMPUTE();
    DRAW_TETE();
    if (table1())
        table1()->SMART_RELOAD();
}

void FenAnalyseBudgetController::notifyNewDay(const QVariant&, const QVariant&)
{
    COMPUTE_ANALYSE_NOTIFICATION();
}

void FenAnalyseBudgetController::newDevisePrincipale(const QVariant& slot, const QVariant& arg2)
{
    StdWindowWithTableController::newDevisePrincipale(slot, arg2);
    if (const DOCUMENT* doc = document())
        m_myAnaFile->devises = doc->deviseHdl;
    RECOMPUTE();
    DRAW_TETE();
    if (table1())
        table1()->SMART_RELOAD();
}

void FenAnalyseBudgetController::notifyAnalyseRename(const QVariant& index, const QVariant&)
{
    if (index.toLongLong() != m_myAnaConfigIndex)
        return;
    if (const AnalyseConfiguration* conf = anaConfigAtIndex(getAnaDefHdl(document()), m_myAnaConfigIndex))
        m_myAnaFile->anaDef.nom = conf->nom;
    FILL_CONFIGURATION();
    RESET_TITLE();
}

void FenAnalyseBudgetController::notifyAnalyseDelete(const QVariant& name, const QVariant&)
{
    // The configurations after the deleted one moved down a place: find ours again by its name,
    // so that later renames and changes, matched by position, reach the right window.
    if (name.toString() == m_myAnaFile->anaDef.nom) {
        CONFIGURATION_AT_INDEX(0, false);
        return;
    }
    long index = 0;
    if (findAnaConfigNamed(getAnaDefHdl(document()), m_myAnaFile->anaDef.nom, &index))
        m_myAnaConfigIndex = index;
    FILL_CONFIGURATION();
}

void FenAnalyseBudgetController::notifyAnalyseChange(const QVariant& index, const QVariant&)
{
    if (index.toLongLong() != m_myAnaConfigIndex)
        return;
    DOCUMENT* doc = document();
    const AnalyseConfiguration* conf = anaConfigAtIndex(getAnaDefHdl(doc), m_myAnaConfigIndex);
    if (!conf)
        return;
    AnalyseConfiguration copy = copyAnaConfig(*conf);
    // The rows and columns stay; the period must still be one the figures can be computed over.
    copy.assumeValideConfiguration(doc, this);
    anaConfigUpdateDates(doc, copy, false);
    m_myAnaFile->anaDef = copy;
    RECOMPUTE();
    DRAW_TETE();
    if (table1())
        table1()->SMART_RELOAD();
}

// ---------------------------------------------------------------------------------------------
// Opening

AnalyseFilePtr prepareAnalyseFile(DOCUMENT& doc, const AnalyseWindowOpening& opening)
{
    const AnalyseConfigList* list = getAnaDefHdl(&doc);
    long index = 0;
    findAnaConfigNamed(list, opening.configurationName, &index);
    const AnalyseConfiguration* stored = anaConfigAtIndex(list, index);
    if (!stored)
        return nullptr;
    AnalyseConfiguration conf = copyAnaConfig(*stored);
    conf.assumeValideConfiguration(&doc);
    auto file = std::make_shared<AnalyseFile>();
    if (!initAnalyseFileWithConfiguration(*file, doc, conf, QRectF(UiHost::instance().screen().visibleFrame())))
        return nullptr;
    const long columns = analyseNumberOfColumns(*file);
    const long month = recordedMonthIn(*file, opening.initialMonth, opening.initialPeriod);
    file->initialMonth = month < 0 || month > columns ? 0 : month;
    return file;
}

void placeAnalyseWindow(FenAnalyseBudgetController* controller, const AnalyseWindowOpening& opening)
{
    // A window given back its frame keeps it to the pixel: fitting its height to its rows would
    // undo what the user left.
    if (opening.frame && opening.frame->isValid() && controller->window())
        controller->window()->setGeometry(fromScreenBottomLeft(*opening.frame));
    else
        controller->adjustHeight(false);
    if (opening.appear)
        controller->orderFront();
}

QList<AnalyseWindowOpening> memorisedAnalyseOpenings(const DOCUMENT& doc, AnalyseType type)
{
    QList<AnalyseWindowOpening> openings;
    QString folder;
    if (!analyseWindowKind(type).memoryFolder(&folder, doc.documentUrl))
        return openings;
    for (const QString& path : memorisedAnalyseRecordPaths(folder)) {
        AnalyseRecord record;
        if (!loadAnalyseRecord(path, &record))
            continue;
        // A configuration gone since reopens on the document's first one.
        QString nom = record.nom;
        if (!findAnaConfigNamed(getAnaDefHdl(&doc), nom, nullptr)) {
            const AnalyseConfiguration* first = anaConfigAtIndex(getAnaDefHdl(&doc), 0);
            if (!first)
                continue;
            nom = first->nom;
        }
        openings.append(
            AnalyseWindowOpening {nom, record.initialMonth, record.frame, true, type, record.initialPeriod});
    }
    return openings;
}

void FenAnalyseBudgetController::COMPUTE_ANALYSE(long month)
{
    DOCUMENT* doc = document();
    if (!doc || !myAnaFile())
        return;
    computeAnalyse(*myAnaFile(), devise(), analyseType(), month, *doc);
    FenMessageController::doClose();
    // Fitted to the rows it shows: those left once the empty ones are filtered out. A window not
    // yet on screen is fitted as it appears: fitted now, it would count as placed, and open over
    // the window opened before it rather than a step aside.
    FILTER_ANALYSE();
    if (const StdWindow* shown = windowIfLoaded(); shown && shown->isVisible())
        adjustHeight(false);
}

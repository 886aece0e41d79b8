#include "import/FenEditImportTABController.h"

#include "import/FenAskImportCompteController.h"
#include "import/FenAskImportDeviseController.h"
#include "import/FenAskImportFiscalController.h"
#include "import/FenAskImportMoyenController.h"
#include "import/FenAskImportPosteController.h"
#include "import/PopImportConfiguration.h"
#include "import/PopImportRubrique.h"
#include "import/PopImportSelectRow.h"
#include "spreadsheet/TableurProtocol.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "document/DocContext.h"
#include "foundation/IAppShell.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "model/DOCUMENT.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using R = ImportRubrique;

const QString kGlobalArray = QStringLiteral("globalArray");
const QString kCompteID = QStringLiteral("cID");
const QString kFormat = QStringLiteral("format");
const QString kEndBlock = QStringLiteral("endBlock");
constexpr double kGridFontSize = 11;

// The list window where the entity is created; none for payment means.
const char* entityWindowAction(ImportNeed need)
{
    switch (need) {
    case ImportNeed::Devise:
        return "DEVISES:";
    case ImportNeed::Compte:
        return "BANQUES:";
    case ImportNeed::Poste:
        return "DOSSIERS:";
    case ImportNeed::Fiscal:
        return "TAXES:";
    case ImportNeed::Moyen:
        return nullptr;
    }
    return nullptr;
}

} // namespace

FenEditImportTABController::FenEditImportTABController() = default;
FenEditImportTABController::~FenEditImportTABController() = default;

// ---------------------------------------------------------------------------------------------
// The window

QWidget* FenEditImportTABController::buildHeader(QWidget& window)
{
    auto* header = new QWidget(&window);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    m_titre = new QLabel(header);
    m_titre->setObjectName(QStringLiteral("titre"));
    m_titre->setStyleSheet(QStringLiteral("font-weight: bold"));
    auto* compte = new PopCompte(header);
    compte->setObjectName(QStringLiteral("pop_compteD"));
    compte->setPOPcompteCFilter(3);
    compte->setCompteDebit(true);
    compte->setCanCreate(false);
    compte->setGraphicsEffect(new QGraphicsOpacityEffect(compte));
    m_popCompte = compte;
    auto* compteName = new QLabel(header);
    compteName->setObjectName(QStringLiteral("view_compteD"));
    m_labelConfiguration = new QLabel(header);
    m_labelConfiguration->setObjectName(QStringLiteral("labelConfiguration"));
    m_popImportConfiguration = new PopImportConfiguration(header);
    m_popImportConfiguration->setObjectName(QStringLiteral("popImportConfiguration"));
    m_popImportConfiguration->setTitle(localizedMisc(QStringLiteral("kImportConfigurations")));
    m_popHelp = new PopHelp(header);
    m_popHelp->setObjectName(QStringLiteral("popHelp"));
    m_buttonImporter = new QPushButton(localizedAppl(QStringLiteral("MENU_IMPORT_IMPORTER")), header);
    m_buttonImporter->setObjectName(QStringLiteral("buttonImporter"));
    m_buttonImporter->setAutoDefault(false);
    connectAction(m_buttonImporter, QStringLiteral("IMPORTER:"));
    row->addWidget(m_titre);
    row->addWidget(compte);
    row->addWidget(compteName);
    row->addStretch(1);
    row->addWidget(m_labelConfiguration);
    row->addWidget(m_popImportConfiguration);
    row->addWidget(m_popHelp);
    row->addWidget(m_buttonImporter);
    return header;
}

void FenEditImportTABController::buildInterface(StdWindow& window)
{
    FenTableurController::buildInterface(window);
    window.setObjectName(nibName());
    auto* layout = qobject_cast<QVBoxLayout*>(window.layout());
    layout->insertWidget(0, buildHeader(window));
    m_info = new QLabel(localizedAppl(QStringLiteral("FenEditImportTAB_info")), &window);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setWordWrap(true);
    layout->insertWidget(1, m_info);
    // The cell menu's lists, never shown themselves.
    const auto hidden = [](StdPopUp* pop, const char* name) {
        pop->setObjectName(QString::fromLatin1(name));
        pop->hide();
        return pop;
    };
    auto* comptes = new PopCompte(&window);
    comptes->setPOPcompteCFilter(7);
    comptes->setCompteDebit(true);
    comptes->setCanCreate(true);
    m_cellPops[size_t(ImportNeed::Devise)] = hidden(new PopDevise(&window), "cellMenuDevise");
    m_cellPops[size_t(ImportNeed::Compte)] = hidden(comptes, "cellMenuCompte");
    m_cellPops[size_t(ImportNeed::Poste)] = hidden(new PopPoste(&window), "cellMenuPoste");
    auto* moyens = new PopMoyen(&window);
    moyens->setFilter(false);
    m_cellPops[size_t(ImportNeed::Moyen)] = hidden(moyens, "cellMenuMoyen");
    m_cellPops[size_t(ImportNeed::Fiscal)] = hidden(new PopTaxe(&window), "cellMenuTaxe");
}

void FenEditImportTABController::didAwakeFromNib()
{
    m_rows = getData()->value(kGlobalArray).value<ImportRows>();
    m_format = getData()->value(kFormat).toInt();
    m_endBlock = getData()->value(kEndBlock).value<ImportEndBlock>();
    m_roles = std::make_unique<ImportTabRoles>(*this, *currentDocument(), devise());
    m_roles->setAsker(this);
    m_popImportConfiguration->setImportDelegate(this);
    m_popHelp->setStringTitle(
        localizedStringForKey(QStringLiteral("HELP_TITLE_IMPORT_TABLEUR"), QStringLiteral("Help")));
    m_popHelp->setStringContent(
        localizedStringForKey(QStringLiteral("HELP_CONTENT_IMPORT_TABLEUR"), QStringLiteral("Help")));
    pickers().compteDID = long(getData()->value(kCompteID).toLongLong());
    FenTableurController::didAwakeFromNib();
}

QString FenEditImportTABController::titleString() const
{
    return QStringLiteral("%1 - %2").arg(localizedMisc(QStringLiteral("kMisc_Import_title")),
                                         ImportManager::getImportFormatName(m_format));
}

void FenEditImportTABController::FILL()
{
    window()->setWindowTitle(titleString());
    if (m_titre)
        m_titre->setText(titleString());
    if (m_labelConfiguration)
        m_labelConfiguration->setText(m_activeConfiguration.isEmpty()
                                          ? localizedMisc(QStringLiteral("NoImportConfiguration"))
                                          : m_activeConfiguration);
    updateButtonImport();
    FenTableurController::FILL();
}

// The grid may have been built again (a rotation): a cell of the old one is no longer there to map.
void FenEditImportTABController::fill()
{
    m_associatedMenuCell = nullptr;
    FenTableurController::fill();
    if (m_roles && m_titre)
        updateButtonImport();
}

void FenEditImportTABController::windowWillClose()
{
    saveCurrentConfiguration();
    m_associatedMenuCell = nullptr;
    m_cellMenu.reset();
    FenTableurController::windowWillClose();
}

void FenEditImportTABController::redraw()
{
    updateButtonImport();
    drawScrollViews();
}

void FenEditImportTABController::updateButtonImport()
{
    if (!m_roles)
        return;
    if (m_buttonImporter)
        m_buttonImporter->setEnabled(m_roles->canImport());
    if (m_popCompte) {
        const bool enabled = m_roles->comptePopUpEnabled();
        m_popCompte->setEnabled(enabled);
        if (auto* effect = qobject_cast<QGraphicsOpacityEffect*>(m_popCompte->graphicsEffect()))
            effect->setOpacity(enabled ? 1.0 : 0.5);
    }
}

// ---------------------------------------------------------------------------------------------
// The grid's data source

long FenEditImportTABController::numberOfRowsInDataSource() const
{
    return long(m_rows.size());
}

long FenEditImportTABController::numberOfColumnsInDataSource() const
{
    return m_rows.empty() ? 0 : long(m_rows.front().size());
}

QString FenEditImportTABController::valueAtRowInDataSource(long row, long column) const
{
    if (row < 0 || row >= long(m_rows.size()) || column < 0 || column >= m_rows[size_t(row)].size())
        return QString();
    return m_rows[size_t(row)][column];
}

QFont FenEditImportTABController::fontForCellAtRowIndex(long row, long column, double) const
{
    const double size = kGridFontSize * (drawWithZone() ? zoneFactor() : 1.0);
    const CellObject* cell = cellAtRow(row, column);
    const ColumnObject* header = columnAtIndex(column);
    const bool understood
        = cell && header && cell->associatedObject().isValid() && header->associatedObject().isValid();
    return understood ? defaultBoldFont(size) : defaultFont(size);
}

unsigned long FenEditImportTABController::alignmentForCellAtRowIndex(long row, long column) const
{
    const CellObject* cell = cellAtRow(row, column);
    const auto kind = m_roles ? m_roles->rubriqueOfColumn(column) : std::nullopt;
    if (!cell || !kind || cell->invalidated() || cell->invalidatedImplicit())
        return kAlignLeft;
    return *kind >= R::MontantSeul && *kind <= R::DateMJA ? kAlignRight : kAlignLeft;
}

// ---------------------------------------------------------------------------------------------
// Menus

StdMenu* FenEditImportTABController::columnMenu(long index)
{
    m_cellMenu = std::make_unique<StdMenu>(QStringLiteral("Rubriques"));
    m_cellMenu->setDelegate(this);
    const auto kind = m_roles->rubriqueOfColumn(index);
    PopImportRubrique::FILL_MENU(m_cellMenu.get(), this, qlonglong(index), qint64(kind ? *kind : R::NotAffected));
    return m_cellMenu.get();
}

StdMenu* FenEditImportTABController::rowMenu(long index)
{
    m_cellMenu = std::make_unique<StdMenu>(QStringLiteral("Row"));
    m_cellMenu->setDelegate(this);
    PopImportSelectRow::FILL_MENU(m_cellMenu.get(), this, qlonglong(index), StdPopUp::kNoTag);
    return m_cellMenu.get();
}

StdPopUp* FenEditImportTABController::cellPopUpFor(ImportRubrique kind) const
{
    const auto need = ImportTabRoles::needOfRubrique(kind);
    return need ? m_cellPops[size_t(*need)].data() : nullptr;
}

StdMenu* FenEditImportTABController::cellMenu(long row, long column)
{
    m_associatedMenuCell = nullptr;
    CellObject* cell = cellAtRow(row, column);
    const RowObject* rowHeader = rowAtIndex(row);
    const ColumnObject* header = columnAtIndex(column);
    const auto kind = m_roles->rubriqueOfColumn(column);
    if (!cell || !cell->invalidated() || cell->initialValue().trimmed().isEmpty() || !rowHeader
        || rowHeader->invalidated() || !kind || header->invalidated())
        return nullptr;
    StdPopUp* pop = cellPopUpFor(*kind);
    if (!pop)
        return nullptr;
    pop->rebuild();
    m_associatedMenuCell = cell;
    return pop->stdMenu();
}

void FenEditImportTABController::showColumnMenuAtIndex(long index, const QPoint& globalPos)
{
    columnMenu(index)->popup(globalPos);
}

void FenEditImportTABController::showRowMenuAtIndex(long index, const QPoint& globalPos)
{
    rowMenu(index)->popup(globalPos);
}

void FenEditImportTABController::showCellMenuAtRowIndex(long row, long column, const QPoint& globalPos)
{
    if (StdMenu* menu = cellMenu(row, column))
        menu->popup(globalPos);
}

// ---------------------------------------------------------------------------------------------
// Roles and rows

void FenEditImportTABController::RUBRIQUE(QObject* item)
{
    const auto kind = importRubriqueFromInt(StdMenu::tagOf(item));
    if (!kind)
        return;
    m_roles->setGlobalStop(false);
    RUBRIQUE(*kind, long(StdMenu::representedObject(item).toLongLong()), true);
}

void FenEditImportTABController::RUBRIQUE(ImportRubrique kind, long columnIndex, bool reactToNeeds)
{
    m_roles->RUBRIQUE(kind, columnIndex, reactToNeeds);
    redraw();
}

void FenEditImportTABController::ACTIVATE_ROW(QObject* item)
{
    const QVariant row = StdMenu::representedObject(item);
    ACTIVATE_SELECTED_ROWS(StdMenu::tagOf(item) == 1, row.isValid() ? long(row.toLongLong()) : -1);
}

// The selected rows, or the row of the menu when it is not among them.
void FenEditImportTABController::ACTIVATE_SELECTED_ROWS(bool activate, long menuRow)
{
    QList<long> rows;
    enumerateCellsInRowsHeader([&rows](RowObject& header, bool&) {
        if (header.state() == CellObject::kStateSelected)
            rows.append(header.rowIndex());
    });
    if (menuRow >= 0 && !rows.contains(menuRow))
        rows = {menuRow};
    m_roles->ACTIVATE_ROWS(activate, rows);
    redraw();
}

// ---------------------------------------------------------------------------------------------
// The cell menu

bool FenEditImportTABController::isCellMenuItem(ImportNeed need, const QObject* item) const
{
    const StdPopUp* pop = m_cellPops[size_t(need)];
    for (const QObject* menu = item ? item->parent() : nullptr; pop && menu; menu = menu->parent())
        if (menu == pop->stdMenu())
            return true;
    return false;
}

bool FenEditImportTABController::mapMenuCell(ImportNeed need, const QObject* item, qint64 value)
{
    if (!isCellMenuItem(need, item))
        return false;
    CellObject* cell = std::exchange(m_associatedMenuCell, nullptr);
    if (!cell)
        return true;
    m_roles->setGlobalStop(false);
    m_roles->mapCell(*cell, need, value);
    redraw();
    return true;
}

void FenEditImportTABController::DEVISE(QObject* item)
{
    if (!mapMenuCell(ImportNeed::Devise, item, StdMenu::tagOf(item)))
        FenTableurController::DEVISE(item);
}

void FenEditImportTABController::DEBIT(QObject* item)
{
    if (!mapMenuCell(ImportNeed::Compte, item, StdMenu::tagOf(item)))
        pickers().DEBIT(item);
}

void FenEditImportTABController::POSTE(QObject* item)
{
    if (!mapMenuCell(ImportNeed::Poste, item, StdMenu::tagOf(item)))
        pickers().POSTE(item);
}

void FenEditImportTABController::MOYEN(QObject* item)
{
    if (!mapMenuCell(ImportNeed::Moyen, item, StdMenu::tagOf(item)))
        pickers().MOYEN(item);
}

void FenEditImportTABController::TAXE(QObject* item)
{
    if (!mapMenuCell(ImportNeed::Fiscal, item, StdMenu::tagOf(item)))
        pickers().TAXE(item);
}

void FenEditImportTABController::CREATE_COMPTED(QObject* item)
{
    CellObject* cell = std::exchange(m_associatedMenuCell, nullptr);
    const long created = appShell() ? appShell()->CREATE_COMPTE(window(), item) : -1;
    if (!cell || created < 0)
        return;
    m_roles->setGlobalStop(false);
    m_roles->mapCell(*cell, ImportNeed::Compte, created);
    redraw();
}

void FenEditImportTABController::CREATE_POSTE(QObject* item)
{
    CellObject* cell = std::exchange(m_associatedMenuCell, nullptr);
    const long created = appShell() ? appShell()->CREATE_POSTE(window(), item) : -1;
    if (!cell || created < 0)
        return;
    m_roles->setGlobalStop(false);
    m_roles->mapCell(*cell, ImportNeed::Poste, created);
    redraw();
}

// ---------------------------------------------------------------------------------------------
// Import

void FenEditImportTABController::IMPORTER(QObject*)
{
    if (!m_roles->canImport())
        return;
    window()->hide();
    m_importArray = buildFinalImportArray();
    ParsedImport parsed;
    parsed.records = m_importArray;
    parsed.compteID = pickers().compteDID;
    // The block runs the review and the import, which may outlive this window: it is taken out
    // first so that closing the window cannot destroy it while it runs.
    ImportEndBlock block = std::move(m_endBlock);
    m_endBlock = nullptr;
    m_imported = true;
    QPointer<FenEditImportTABController> self(this);
    if (block)
        block(std::move(parsed));
    if (self)
        close();
}

// ---------------------------------------------------------------------------------------------
// Questions

template <class Q>
void FenEditImportTABController::askWith(const QString& old, const ImportTabRoles::AskEndBlock& endBlock)
{
    WindowDataPtr data = makeWindowData({{QStringLiteral("old"), old}});
    pushModalWithBlock<Q>(this, data, devise(), [data, endBlock](long code) {
        endBlock(code, code == kAskImportOK ? data->value(QStringLiteral("new")).toLongLong() : -1);
    });
}

void FenEditImportTABController::askForDevise(const QString& old, const ImportTabRoles::AskEndBlock& endBlock)
{
    askWith<FenAskImportDeviseController>(old, endBlock);
}

void FenEditImportTABController::askForCompte(const QString& old, const ImportTabRoles::AskEndBlock& endBlock)
{
    askWith<FenAskImportCompteController>(old, endBlock);
}

void FenEditImportTABController::askForPoste(const QString& old, const ImportTabRoles::AskEndBlock& endBlock)
{
    askWith<FenAskImportPosteController>(old, endBlock);
}

void FenEditImportTABController::askForMoyen(const QString& old, const ImportTabRoles::AskEndBlock& endBlock)
{
    askWith<FenAskImportMoyenController>(old, endBlock);
}

void FenEditImportTABController::askForFiscal(const QString& old, const ImportTabRoles::AskEndBlock& endBlock)
{
    askWith<FenAskImportFiscalController>(old, endBlock);
}

void FenEditImportTABController::openEntityWindow(ImportNeed need)
{
    const char* action = entityWindowAction(need);
    QObject* app = dynamic_cast<QObject*>(windowAppDelegate());
    if (action && app && StdActionDispatcher::answers(app, QString::fromLatin1(action)))
        StdActionDispatcher::invoke(app, QString::fromLatin1(action), this);
}

// ---------------------------------------------------------------------------------------------
// Configurations

QStringList FenEditImportTABController::getAllConfigurations() const
{
    return ImportManager::sharedInstance().allImportConfigurations();
}

ImportConfiguration FenEditImportTABController::makeImportConfigurationDataDictionary() const
{
    return m_roles->makeImportConfigurationDataDictionary();
}

// In a document kept without saving, the active configuration's changes stay with the window.
void FenEditImportTABController::saveCurrentConfiguration()
{
    const DOCUMENT* doc = currentDocument();
    if (m_roles && !m_activeConfiguration.isEmpty() && (!doc || DocContext::mayWriteAt(doc->documentUrl)))
        ImportManager::sharedInstance().saveImportConfigurationWithName(m_activeConfiguration,
                                                                        makeImportConfigurationDataDictionary());
}

void FenEditImportTABController::resetConfiguration()
{
    m_roles->revertAllColumns();
    m_roles->implicitInvalidations();
    m_activeConfiguration.clear();
    m_roles->replacements().resetReplacements();
    redraw();
}

void FenEditImportTABController::ENREGISTRER(QObject*)
{
    if (DocContext::refusesChangeInPackage(this) || !READ())
        return;
    const QString name
        = ImportManager::sharedInstance().saveCurrentImportConfiguration(this, makeImportConfigurationDataDictionary());
    if (name.isEmpty())
        return;
    m_activeConfiguration = name;
    FILL();
}

void FenEditImportTABController::SUPPRIMER(QObject*)
{
    if (DocContext::refusesChangeInPackage(this))
        return;
    ImportManager::sharedInstance().deleteImportConfiguration(this, m_activeConfiguration);
    resetConfiguration();
    FILL();
}

void FenEditImportTABController::NO_CONFIGURATION(QObject*)
{
    saveCurrentConfiguration();
    resetConfiguration();
    FILL();
}

void FenEditImportTABController::CHARGER(QObject* item)
{
    saveCurrentConfiguration();
    resetConfiguration();
    QString name;
    const std::optional<ImportConfiguration> loaded = ImportManager::sharedInstance().loadConfigurationAtIndex(
        long(StdMenu::tagOf(item)), &name, currentDocument());
    if (loaded)
        m_roles->applyConfiguration(*loaded);
    else
        resetConfiguration();
    m_activeConfiguration = loaded ? name : QString();
    FILL();
    m_roles->reactToChangeConfiguration();
    redraw();
}

FenEditImportTABController* openImportTABWindow(const ImportRows& rows, int format, long compteID, long devise,
                                                const ImportEndBlock& endBlock)
{
    if (!currentDocument())
        return nullptr;
    WindowDataPtr data = makeWindowData({{kGlobalArray, QVariant::fromValue(rows)},
                                         {kCompteID, qlonglong(compteID)},
                                         {kFormat, format},
                                         {kEndBlock, QVariant::fromValue(endBlock)}});
    return StdWindowController::push<FenEditImportTABController>(data, devise, true);
}

#include "transactions/FenTransListController.h"

#include "toolkit/tables/CellTransact.h"
#include "transactions/TemplateTransList.h"

#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopImportExport.h"
#include "toolkit/popups/PopTri.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdButton.h"
#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "engines/SearchEngine.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kAllowDepointer = QStringLiteral("allowDepointer");
const QString kSmartGrow = QStringLiteral("smartGrow");
const QString kMode = QStringLiteral("mode");
const QString kListCrit = QStringLiteral("listCrit");
const QString kTitle = QStringLiteral("title");
const QString kTitleCounts = QStringLiteral("titleCounts");

// The listing and document of the list being opened, between openTransListWindow and the new
// window's awakening.
struct PendingOpening {
    std::unique_ptr<LISTING> listing;
    DOCUMENT* doc = nullptr;
};

PendingOpening& pendingOpening()
{
    static PendingOpening pending;
    return pending;
}

// The identifiers a list copies from its window data into its argument block.
struct IdentKey {
    const char* key;
    long SORVARGrec::*field;
};
constexpr IdentKey kIdentKeys[] = {
    {"debitID", &SORVARGrec::debitID},       {"dossierID", &SORVARGrec::dossierID},
    {"posteID", &SORVARGrec::posteID},       {"banqueID", &SORVARGrec::BDebitID},
    {"moyenID", &SORVARGrec::moyenID},       {"synonymeID", &SORVARGrec::synonymeID},
    {"chronoID", &SORVARGrec::chronoID},     {"titreID", &SORVARGrec::titreID},
    {"remunereID", &SORVARGrec::remunereID}, {"empruntID", &SORVARGrec::empruntID},
};

} // namespace

FenTransListController::FenTransListController()
    : FenTransListController(TransExtraKind::Cumul)
{
}

FenTransListController::FenTransListController(TransExtraKind extraKind)
    : m_cell(std::make_unique<CellTransact>(extraKind))
{
}

FenTransListController::~FenTransListController() = default;

WindowDataPtr FenTransListController::prepareOpening(TransListOpening& opening)
{
    const long idents[]
        = {opening.debitID,    opening.dossierID, opening.posteID, opening.banqueID,   opening.moyenID,
           opening.synonymeID, opening.chronoID,  opening.titreID, opening.remunereID, opening.empruntID};
    WindowDataPtr data = makeWindowData();
    for (size_t i = 0; i < std::size(kIdentKeys); ++i)
        data->insert(QString::fromLatin1(kIdentKeys[i].key), qlonglong(idents[i]));
    data->insert(kAllowDepointer, opening.allowDepointer);
    data->insert(kSmartGrow, opening.smartGrow);
    data->insert(kMode, qlonglong(opening.mode));
    data->insert(kListCrit, QVariant::fromValue(opening.critere));
    data->insert(kTitle, opening.title);
    data->insert(kTitleCounts, opening.titleCounts);
    data->montant = opening.report.value_or(MONTANT());
    pendingOpening().listing = std::move(opening.listing);
    pendingOpening().doc = opening.doc;
    return data;
}

// ---------------------------------------------------------------------------------------------
// The window

void FenTransListController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenTransList"));
    setTemplateViews(makeRowTemplate());
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(6);
    m_buttonEdit = toolButton("button_edit", "FenTransList_modifier", &window);
    connectAction(m_buttonEdit, QStringLiteral("EDIT:"));
    m_buttonEffacer = toolButton("button_effacer", "FenTransList_supprimer", &window);
    connectAction(m_buttonEffacer, QStringLiteral("EFFACER:"));
    m_popTri = new PopTri(&window);
    m_popTri->setObjectName(QStringLiteral("pop_tri"));
    m_popTri->setTitle(localizedAppl(QStringLiteral("FenTransList_trier")));
    auto* importExport = new PopImportExport(&window);
    importExport->setObjectName(QStringLiteral("pop_import_export"));
    importExport->setTitle(localizedAppl(QStringLiteral("FenTransList_importExport")));
    auto* devise = new PopDevise(&window);
    devise->setObjectName(QStringLiteral("pop_devise"));
    m_popDevise = devise;
    m_popHelpCritere = new PopHelp(&window);
    m_popHelpCritere->setObjectName(QStringLiteral("pop_help_critere"));
    auto* releve = toolButton("itemRechercherReleve", "FenTransList_releve", &window);
    connectAction(releve, QStringLiteral("RECHERCHER_RELEVE:"));
    m_buttonImprimer = toolButton("button_imprimer", "FenTransList_imprimer", &window);
    connectAction(m_buttonImprimer, QStringLiteral("IMPRIMER:"));
    for (QWidget* control :
         {static_cast<QWidget*>(m_buttonEdit.data()), static_cast<QWidget*>(m_buttonEffacer.data()),
          static_cast<QWidget*>(m_popTri.data()), static_cast<QWidget*>(importExport), static_cast<QWidget*>(devise)})
        toolbar->addWidget(control);
    toolbar->addWidget(releve);
    toolbar->addStretch();
    toolbar->addWidget(m_popHelpCritere);
    toolbar->addWidget(m_buttonImprimer);

    auto* main = new QWidget(&window);
    main->setObjectName(QStringLiteral("main_view"));
    auto* column = new QVBoxLayout(main);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* tete = new QWidget(main);
    tete->setObjectName(QStringLiteral("placeholder_tete"));
    tete->setFixedHeight(TemplateTransList::kTeteHeight);
    auto* table = new StdTableView(main);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellTransact::kHeight);
    table->setFrameShape(QFrame::NoFrame);
    // Narrower than that, a row would draw its columns over each other; a scroll bar beside the
    // rows takes its width from them.
    const int bar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table->verticalScrollBar());
    table->setMinimumSize(m_cell->narrowestWidth() + bar, CellTransact::kHeight * 3);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* pied = new QWidget(main);
    pied->setObjectName(QStringLiteral("placeholder_pied"));
    pied->setFixedHeight(TemplateTransList::kPiedHeight);
    column->addWidget(tete);
    column->addWidget(table, 1);
    column->addWidget(pied);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addLayout(toolbar);
    layout->addWidget(main, 1);
    window.resize(m_cell->preferredWidth() + 40, 560);
    addEditShortcuts(window);
}

TemplateTransList* FenTransListController::makeRowTemplate()
{
    return new TemplateTransList(m_cell->extraKind());
}

// The edit commands' keys, each acting only when the command applies to what has the focus.
void FenTransListController::addEditShortcuts(StdWindow& window)
{
    struct Shortcut {
        QKeySequence::StandardKey key;
        bool (StdWindowController::*applies)() const;
        void (FenTransListController::*command)(QObject*);
    };
    const Shortcut shortcuts[] = {
        {QKeySequence::Copy, &StdWindowController::canCopy, &FenTransListController::copy},
        {QKeySequence::Cut, &StdWindowController::canCut, &FenTransListController::cut},
        {QKeySequence::Paste, &StdWindowController::canPaste, &FenTransListController::paste},
        {QKeySequence::SelectAll, &StdWindowController::canSelectAll, &FenTransListController::selectAll},
    };
    for (const Shortcut& shortcut : shortcuts) {
        auto* action = new QAction(&window);
        action->setShortcut(shortcut.key);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        connect(action, &QAction::triggered, this, [this, shortcut] {
            if ((this->*shortcut.applies)())
                (this->*shortcut.command)(nullptr);
        });
    }
}

// ---------------------------------------------------------------------------------------------
// Waking up and closing

void FenTransListController::didAwakeFromNib()
{
    takeOpening();
    if (StdWindow* shown = windowIfLoaded())
        shown->setWindowTitle(getData() ? getData()->value(kTitle).toString() : QString());
    initRights();
    if (m_popTri) {
        m_popTri->setCanSelectFirstItem(true);
        m_popTri->setSelectedTag(qint64(listingSortKind(m_listing.get())));
    }
    showCritereHelp();
    updateToolbarItems();
    StdWindowWithTableController::didAwakeFromNib();
    // The template's views exist once the base has woken it.
    auto* templ = qobject_cast<TemplateTransList*>(templateViews());
    if (templ) {
        m_fieldNbOperations = templ->field_nb_operations();
        placeViewTete(templ->template_view_tete());
        // A footer of several lines takes the room it needs under the table.
        if (QWidget* pied = templ->template_view_pied(); pied && placeholder_pied())
            placeholder_pied()->setFixedHeight(pied->height());
        placeViewPied(templ->template_view_pied());
    }
    if (StdTableView* table = table1())
        table->viewport()->installEventFilter(this);
    COMPUTE_TOTAUX();
    INVAL_PIED();
    publishRights();
}

// The mode goes first (setArgMode), then the opening amount, the identifiers, the listing and
// the criterion.
void FenTransListController::takeOpening()
{
    const WindowDataPtr data = getData();
    setArgMode(getArg(), data ? long(data->value(kMode).toLongLong()) : 0);
    m_report = data ? data->montant : MONTANT();
    for (const IdentKey& ident : kIdentKeys) {
        const QVariant value = data ? data->value(QString::fromLatin1(ident.key)) : QVariant();
        getArg().*ident.field = value.isValid() ? long(value.toLongLong()) : -1;
    }
    m_allowDepointer = data && data->value(kAllowDepointer).toBool();
    m_smartGrow = data && data->value(kSmartGrow).toBool();
    m_titleCounts = data && data->value(kTitleCounts).toBool();
    PendingOpening& pending = pendingOpening();
    m_listing = std::move(pending.listing);
    m_doc = pending.doc;
    pending.doc = nullptr;
    if (data && data->value(kListCrit).canConvert<Critere>())
        m_listCrit = data->value(kListCrit).value<Critere>();
}

void FenTransListController::initRights()
{
    m_canDepointerTrans = false;
    m_canEffacerTrans = false;
    m_canVoirTrans = false;
    m_canPrintTrans = true;
    m_canDeviseTrans = true;
    m_canCritereTrans = true;
    m_canImportTrans = true;
    m_canRechercherTrans = false;
}

void FenTransListController::showCritereHelp()
{
    if (!m_popHelpCritere)
        return;
    m_popHelpCritere->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_SHOW_CRITERE")));
    const QString text = m_listCrit ? m_listCrit->critereToString(m_doc, false, false) : QString();
    m_popHelpCritere->setStringContent(QString(text).replace(QChar(13), QChar(10)));
}

// Only the problem listing unticks from its toolbar; everywhere else the item is blank.
void FenTransListController::updateToolbarItems()
{
    QAbstractButton* item = itemDepointer();
    if (!item || inherits("FenListingProblemController"))
        return;
    item->setText(QString());
    item->setIcon(QIcon());
    item->setEnabled(false);
}

QAbstractButton* FenTransListController::itemDepointer() const
{
    return outlet<QAbstractButton>(QStringLiteral("itemDepointer"));
}

QAbstractButton* FenTransListController::itemRechercherReleve() const
{
    return outlet<QAbstractButton>(QStringLiteral("itemRechercherReleve"));
}

void FenTransListController::windowWillClose()
{
    disposeListing(m_listing);
    m_saveListing.reset();
    m_listCrit.reset();
    if (getData())
        getData()->values.clear();
    StdWindowWithTableController::windowWillClose();
}

// ---------------------------------------------------------------------------------------------
// Rights

void FenTransListController::tableViewSelectionDidChange1()
{
    StdWindowWithTableController::tableViewSelectionDidChange1();
    const bool selection = hasSelection1();
    m_canDepointerTrans = m_allowDepointer && selection;
    m_canVoirTrans = selection;
    m_canPrintTrans = true;
    m_canDeviseTrans = true;
    m_canCritereTrans = true;
    m_canImportTrans = true;
    m_canEffacerTrans = selection && canDeleteTransSelection(nullptr);
    m_canRechercherTrans = selection && canRechercherReleve();
    publishRights();
}

void FenTransListController::tableDidReloadData(StdTableView* table)
{
    StdWindowWithTableController::tableDidReloadData(table);
    if (table && table == table1())
        tableViewSelectionDidChange1();
}

void FenTransListController::setRight(bool& right, bool can)
{
    right = can;
    publishRights();
}

// The toolbar's controls follow the rights they are bound to.
void FenTransListController::publishRights()
{
    if (m_buttonEdit)
        m_buttonEdit->setEnabled(canVoirTrans() && canEditSelection());
    if (m_buttonEffacer)
        m_buttonEffacer->setEnabled(canEffacerTrans());
    if (m_buttonImprimer)
        m_buttonImprimer->setEnabled(canPrintTrans());
    if (m_popDevise)
        m_popDevise->setEnabled(canDeviseTrans());
    if (m_popHelpCritere)
        m_popHelpCritere->setEnabled(canCritereTrans() && listCrit());
    if (QAbstractButton* item = itemRechercherReleve())
        item->setEnabled(canRechercherTrans());
}

// ---------------------------------------------------------------------------------------------
// Lookups

void FenTransListController::criterePosteValue(long* posteID, long* dossierID) const
{
    long poste = -1;
    long dossier = -1;
    if (m_listCrit)
        m_listCrit->getCriterePosteValue(&poste, &dossier);
    if (posteID)
        *posteID = poste;
    if (dossierID)
        *dossierID = dossier;
}

void FenTransListController::GET_REPORT(MONTANT& amount) const
{
    amount = m_report;
}

TRANSACT* FenTransListController::transactAtRow(long row, long* pk0, long* pk1, StorageKind* storageType)
{
    long first = row;
    long last = row;
    listingTransactLineRange(m_listing.get(), row, &first, &last);
    if (pk0)
        *pk0 = first;
    if (pk1)
        *pk1 = last;
    return listingTransactAtIndex(m_listing.get(), row, m_doc, storageType);
}

long FenTransListController::findTransactIndex(const TRANSACT* transaction) const
{
    const long count = listingCount(m_listing.get());
    for (long row = 0; row < count && transaction; ++row) {
        StorageKind type = StorageKind::Transact;
        const TRANSACT* shown = listingTransactAtIndex(static_cast<const LISTING*>(m_listing.get()), row,
                                                       static_cast<const DOCUMENT*>(m_doc), &type);
        if (type == StorageKind::Transact && shown == transaction)
            return row;
    }
    return -1;
}

QString FenTransListController::getNbOperationsString() const
{
    if (!m_listing)
        return QString();
    return QStringLiteral("%1%2")
        .arg(listingCount(m_listing.get()))
        .arg(localizedMisc(QStringLiteral("kMisc_Nb_Operations")));
}

void FenTransListController::printNbOperations()
{
    if (m_fieldNbOperations && m_listing)
        m_fieldNbOperations->setText(getNbOperationsString());
    if (StdWindow* shown = windowIfLoaded(); shown && m_titleCounts)
        shown->setWindowTitle(countTitle(listingCount(m_listing.get())));
}

QString FenTransListController::countTitle(long rows)
{
    return QStringLiteral("%1 %2").arg(rows).arg(localizedMisc(QStringLiteral("kMisc_Search")));
}

// ---------------------------------------------------------------------------------------------
// Rows

int FenTransListController::numberOfRowsInTableView1(StdTableView*)
{
    return int(listingCount(m_listing.get()));
}

StdCell* FenTransListController::viewForTableColumn1(StdTableView* table, int row)
{
    if (!m_doc || row < 0 || row >= listingCount(m_listing.get()))
        return nullptr;
    RowRequest request;
    request.listing = m_listing.get();
    request.row = row;
    request.tID = getArg().debitID;
    request.bID = getArg().BDebitID;
    criterePosteValue(&request.pID, nullptr);
    request.nb_add_cols = 1;
    request.devise = devise();
    request.devHdl = &m_doc->deviseHdl;
    request.showUnit = false;
    request.extra = m_cell->extraKind();
    m_cell->setTableView(table);
    setFillBackground(m_cell.get(), table, row);
    if (!m_cell->paintTransReleve(this, request, *m_doc))
        return nullptr;
    return m_cell.get();
}

// Transactions grey, schedule occurrences yellow, forecast occurrences pink.
QColor FenTransListController::getPatColor1(int row)
{
    const POS* line = listingPosAtIndex(static_cast<const LISTING*>(m_listing.get()), row);
    if (!line)
        return QColor();
    switch (line->storageType) {
    case StorageKind::Transact:
        return QColor::fromRgbF(250 / 255.0f, 250 / 255.0f, 250 / 255.0f, 1.0f);
    case StorageKind::Echeancier:
        return QColor::fromRgbF(1.0f, 1.0f, 0.8f, 1.0f);
    case StorageKind::Prevision:
        return QColor::fromRgbF(1.0f, 230 / 255.0f, 1.0f, 1.0f);
    }
    return QColor();
}

// Transaction rows alternate their grey with white, occurrence rows their tint with a
// half-lighter one.
double FenTransListController::parityDarknessAtRow1(int row)
{
    const POS* line = listingPosAtIndex(static_cast<const LISTING*>(m_listing.get()), row);
    return line && line->storageType != StorageKind::Transact ? 0.5 : 0.0;
}

// A click on a row's split or forecast-detail button is the button's, not the row's.
bool FenTransListController::eventFilter(QObject* watched, QEvent* event)
{
    StdTableView* table = table1();
    if (table && watched == table->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton && CellTransact::clickInTable(table, press->position().toPoint()))
            return true;
    }
    return StdWindowWithTableController::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Opening an account's list

FenTransListController* openCompteTransList(long compteID, DOCUMENT& doc, bool show)
{
    const TOOL* compte = getTool(kToolCompte, compteID, &doc);
    if (!compte)
        return nullptr;
    if (auto* open = findOpenWindowControllerExact<FenTransListController>(compteID, -1, -1, -1, -1, -1, -1, -1)) {
        if (show)
            showWindowOfController(open->window());
        return open;
    }
    TransListOpening opening;
    opening.debitID = compteID;
    opening.critere = Critere::makeToolCritere(true, compteID, -1, &doc);
    SearchRequest request;
    request.critere = &opening.critere;
    request.futurCritere = &opening.critere;
    request.doEcheanciers = true;
    request.doPrevisions = true;
    request.doc = &doc;
    request.sort = ListingSort::Defaut;
    const auto defaultSort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
    request.defaultSort = defaultSort == ListingSort::Defaut ? ListingSort::Date2 : defaultSort;
    request.devise = compte->devise;
    request.doCumuls = true;
    opening.listing = searchWithCritere(request);
    opening.title = localizedMisc(QStringLiteral("kMisc_TransListCompte")).arg(compte->nom);
    opening.appear = show;
    opening.allowDepointer = true;
    opening.doc = &doc;
    opening.devise = compte->devise;
    return openTransListWindow<FenTransListController>(std::move(opening));
}

#include "transactions/FenReleveController.h"

#include "transactions/StdViewPiedReleve.h"
#include "transactions/TemplateListing.h"

#include "toolkit/tables/CellTransact.h"
#include "toolkit/windows/StdButton.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/palettes/FenPaletteSaisieCoffreController.h"
#include "toolkit/palettes/FenPaletteSaisieUserController.h"
#include "toolkit/palettes/HelperSVPalette.h"
#include "toolkit/tables/ListExporter.h"
#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "engines/SearchEngine.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* releveButton(const char* name, const char* titleKey, QWidget* parent)
{
    auto* button = new QPushButton(localizedAppl(QString::fromLatin1(titleKey)), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

const QColor kSelectedReleveColor(140, 175, 235);

MONTANT difference(const MONTANT& a, const MONTANT& b)
{
    MONTANT result;
    MONTANT::subMontant(a, b, result);
    return result;
}

ListingSort defaultSortOfApplication()
{
    const auto sort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
    return sort == ListingSort::Defaut ? ListingSort::Date2 : sort;
}

} // namespace

FenReleveController::FenReleveController() = default;
// A controller destroyed in tick mode ends the run it is in; the run's caller finds it gone.
FenReleveController::~FenReleveController()
{
    if (m_pointing && windowIfLoaded())
        UiHost::instance().modal().endModal(windowIfLoaded(), 0);
}

TOOL* FenReleveController::compte() const
{
    return document() ? getTool(kToolCompte, getArg().debitID, document()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// The window

void FenReleveController::buildInterface(StdWindow& window)
{
    FenTransListController::buildInterface(window);
    window.setObjectName(QStringLiteral("FenReleve"));
    auto* layout = qobject_cast<QBoxLayout*>(window.layout());
    QWidget* main = main_view();
    if (!layout || !main)
        return;
    auto* body = new QWidget(&window);
    body->setObjectName(QStringLiteral("releve_body"));
    delete layout->replaceWidget(main, body);
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(8);
    columns->addWidget(buildReleveColumn(body));
    columns->addWidget(main, 1);
    window.resize(window.width() + CellReleve::kWidth + 8, window.height());
}

QWidget* FenReleveController::buildReleveColumn(QWidget* parent)
{
    auto* column = new QWidget(parent);
    column->setObjectName(QStringLiteral("releve_column"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(buildReleveToolbar(column));
    auto* table = new StdTableView(column);
    table->setObjectName(QStringLiteral("table2"));
    table->setUniformRowHeight(CellReleve::kHeight);
    table->setFixedWidth(CellReleve::kWidth);
    table->setMinimumHeight(CellReleve::kHeight * 6);
    table->setFrameShape(QFrame::NoFrame);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->viewport()->installEventFilter(this);
    layout->addWidget(table, 1);
    // The indicator stands beside the statements' balance, in the room the balance leaves: shown
    // during an import, it never widens the window (the buttons above set the column's width).
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    m_indicator = new QProgressBar(column);
    m_indicator->setObjectName(QStringLiteral("indicator"));
    m_indicator->setRange(0, 0);
    m_indicator->setMaximumWidth(120);
    m_indicator->setSizePolicy(QSizePolicy::Ignored, m_indicator->sizePolicy().verticalPolicy());
    m_indicator->setFixedHeight(std::min(m_indicator->sizeHint().height(), int(TemplateTransList::kPiedHeight)));
    m_indicator->setTextVisible(false);
    m_indicator->hide();
    bottom->addWidget(m_indicator);
    m_fieldSoldeReleve = new FigureLabel(column);
    m_fieldSoldeReleve->setObjectName(QStringLiteral("field_solde_releve"));
    m_fieldSoldeReleve->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_fieldSoldeReleve->setFixedHeight(TemplateTransList::kPiedHeight);
    bottom->addWidget(m_fieldSoldeReleve);
    layout->addLayout(bottom);
    return column;
}

QLayout* FenReleveController::buildReleveToolbar(QWidget* parent)
{
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(4);
    m_buttonCreer = releveButton("button_creer_releve", "FenReleve_creer", parent);
    connectAction(m_buttonCreer, QStringLiteral("CREER_RELEVE:"));
    m_buttonSupprimer = releveButton("button_supprimer_releve", "FenReleve_supprimer", parent);
    connectAction(m_buttonSupprimer, QStringLiteral("SUPPRIMER_RELEVE:"));
    m_buttonPointer = releveButton("button_releve_pointer", "FenReleve_pointer", parent);
    connectAction(m_buttonPointer, QStringLiteral("POINTER_RELEVE:"));
    m_buttonDepointer = releveButton("itemDepointerReleve", "FenReleve_depointer", parent);
    connectAction(m_buttonDepointer, QStringLiteral("DEPOINTER_TRANSACT:"));
    for (QAbstractButton* button :
         {m_buttonCreer.data(), m_buttonSupprimer.data(), m_buttonPointer.data(), m_buttonDepointer.data()})
        toolbar->addWidget(button);
    toolbar->addStretch();
    return toolbar;
}

// The totals sit in the list's footer, after its line count.
TemplateTransList* FenReleveController::makeRowTemplate()
{
    return new TemplateListing(QStringLiteral("TemplateReleve"), cell().extraKind(), [](QWidget* parent) {
        return new StdViewPiedReleve(StdViewPiedReleve::kReleveOutlets, parent);
    });
}

// The statements' list is as wide as its rows need for the balances of the window's currency.
void FenReleveController::fitReleveColumn()
{
    if (StdTableView* releves = table2(); releves && document())
        releves->setFixedWidth(CellReleve::widthFor(devise(), &document()->deviseHdl));
}

QLabel* FenReleveController::fieldPied(int index) const
{
    return index >= 0 && index < int(m_fieldsPied.size()) ? m_fieldsPied[size_t(index)].data() : nullptr;
}

void FenReleveController::didAwakeFromNib()
{
    m_keepTop = false;
    m_soldeAVenir = MONTANT();
    m_lockFollow = false;
    m_canCreerReleve = false;
    m_canDeleteReleve = false;
    m_canPointerReleve = false;
    FenTransListController::didAwakeFromNib();
    if (auto* pied
        = qobject_cast<StdViewPiedReleve*>(templateViews() ? templateViews()->template_view_pied() : nullptr))
        for (size_t i = 0; i < m_fieldsPied.size(); ++i)
            m_fieldsPied[i] = pied->fieldAt(int(i));
    fitReleveColumn();
    setPointerImage(QStringLiteral("pointer_start"));
}

void FenReleveController::windowDidLoad()
{
    FenTransListController::windowDidLoad();
    COMPUTE_AVENIR();
}

// A window closed in tick mode (by program: the user's close is refused) ends the modal run; the
// run's caller restores what tick mode changed.
void FenReleveController::windowWillClose()
{
    if (m_pointing)
        endModal(0);
    FenTransListController::windowWillClose();
}

bool FenReleveController::windowShouldClose()
{
    if (m_pointing) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_CannotClose")), QString(), QString(), 1);
        return false;
    }
    return FenTransListController::windowShouldClose();
}

void FenReleveController::adjustHeight(bool keepTop)
{
    if (!m_frameSettled)
        FenTransListController::adjustHeight(keepTop);
}

void FenReleveController::didPlacePalette()
{
    StdWindow* shown = windowIfLoaded();
    StdWindowController* entry = palette();
    if (shown && entry && shown->isActiveWindow() && !m_pointing && entry->isWindowLoaded())
        entry->windowIfLoaded()->raise();
}

void FenReleveController::setPointerImage(const QString& name)
{
    if (!m_buttonPointer)
        return;
    m_buttonPointer->setIcon(QIcon(releveImage(name, 16)));
    m_buttonPointer->setProperty("imageName", name);
}

// ---------------------------------------------------------------------------------------------
// Following a row

long FenReleveController::selectedReleveRow() const
{
    const StdTableView* table = table2();
    const IndexSet rows = table ? table->selectedRowIndexes() : IndexSet();
    return rows.empty() ? -1 : *rows.begin();
}

long FenReleveController::followedRow() const
{
    return m_pointing ? kRowNonPointees : selectedReleveRow();
}

bool FenReleveController::isReleveRow(long row) const
{
    const TOOL* account = compte();
    return account && row >= kFirstReleveRow && row < account->nbReleve() + kFirstReleveRow;
}

MONTANT FenReleveController::reportForRow(long row) const
{
    const TOOL* account = compte();
    if (!account || row < 0)
        return MONTANT();
    if (row == kRowAVenir)
        return account->solde;
    // The unticked row carries the newest statement's balance, a statement the next older one's.
    const RELEVE* older = account->releveAtIndex(row - 1);
    return older && row - 1 < account->nbReleve() ? older->solde : MONTANT();
}

// The criterion of the row's list goes back through *critere; an empty listing outside the rows.
std::unique_ptr<LISTING> FenReleveController::listingForRow(long row, Critere* critere) const
{
    const TOOL* account = compte();
    const ListingSort sort = listing() ? listingSortKind(listing()) : ListingSort::Defaut;
    DOCUMENT* doc = document();
    if (!account || row < 0 || row >= account->nbReleve() + kFirstReleveRow)
        return newListing(sort);
    const APPLIPARAM& param = APPLIPARAM::loadAppliParam();
    SearchRequest request;
    if (row == kRowAVenir) {
        *critere = Critere::makeAVenirCritere(account->ident, param.aVenir, doc);
        request.futurCritere = critere;
        request.doEcheanciers = true;
        request.doPrevisions = param.aVenirPrev;
    } else if (row == kRowNonPointees) {
        *critere = Critere::makeNonPointeesCritere(account->ident, doc);
    } else {
        *critere = Critere::makeToolCritere(true, account->ident, account->releveAtIndex(row - 2)->ident, doc);
    }
    request.critere = critere;
    request.doc = doc;
    request.sort = sort;
    request.defaultSort = defaultSortOfApplication();
    request.devise = devise();
    return searchWithCritere(request);
}

void FenReleveController::FOLLOW(long row, bool keepFirst)
{
    StdTableView* table = table1();
    if (m_lockFollow || !compte() || !table)
        return;
    m_lockFollow = true;
    table->clearSelection();
    m_lockFollow = false;
    Critere critere;
    std::unique_ptr<LISTING> fresh = listingForRow(row, &critere);
    replaceListing(std::move(fresh), &critere);
    COMPUTE_TOTAUX();
    table->SMART_RELOAD();
    if (!keepFirst && table->numberOfRows() > 0)
        table->scrollToTop();
    tableViewSelectionDidChange1();
    adjustHeight(m_keepTop);
}

void FenReleveController::FORCE_FOLLOW(long row, bool keepFirst)
{
    const bool locked = m_lockFollow;
    m_lockFollow = false;
    FOLLOW(row, keepFirst);
    m_lockFollow = locked;
}

void FenReleveController::recomputeListing(bool keepFirst)
{
    FORCE_FOLLOW(followedRow(), keepFirst);
}

// ---------------------------------------------------------------------------------------------
// Balances and footer

void FenReleveController::COMPUTE_AVENIR()
{
    m_soldeAVenir = MONTANT();
    const TOOL* account = compte();
    if (!account)
        return;
    const APPLIPARAM& param = APPLIPARAM::loadAppliParam();
    const Critere critere = Critere::makeAVenirCritere(account->ident, param.aVenir, document());
    SearchRequest request;
    request.critere = &critere;
    request.futurCritere = &critere;
    request.doEcheanciers = true;
    request.doPrevisions = param.aVenirPrev;
    request.doc = document();
    request.defaultSort = defaultSortOfApplication();
    request.devise = MONTANT::currentDeviseSlot();
    std::unique_ptr<LISTING> coming = searchWithCritere(request);
    listingSoldeForCompte(coming.get(), account->ident, m_soldeAVenir, document());
}

void FenReleveController::UPDATE_AVENIR()
{
    StdTableView* releves = table2();
    StdTableView* list = table1();
    if (!releves || !list)
        return;
    fitReleveColumn();
    const QList<RowKey> kept = selectedRowKeys();
    const long row = selectedReleveRow();
    COMPUTE_AVENIR();
    COMPUTE_TOTAUX();
    releves->reloadData();
    m_lockFollow = row != kRowAVenir;
    releves->GO(int(row));
    m_lockFollow = false;
    reloadKeeping(kept);
}

void FenReleveController::GET_REPORT(MONTANT& amount) const
{
    amount = m_reportReleve;
}

void FenReleveController::COMPUTE_TOTAUX()
{
    TOTAUX& totaux = MyTotaux();
    totaux = TOTAUX();
    m_reportReleve = MONTANT();
    const long row = followedRow();
    const TOOL* account = compte();
    if (account && row >= 0) {
        const MONTANT report = reportForRow(row);
        TOOL::ReleveRow step {nullptr, nullptr, &report};
        bool counted = false;
        for (long line = 0; line < listingCount(listing()); ++line) {
            const TRANSACT* shown = transactAtRow(line);
            const ListingLine amount = listingLineMontant(listing(), line, shown);
            if (!amount.counts || !shown)
                continue;
            step.transact = shown;
            step.montant = &amount.amount;
            TOOL::computeTotauxLReleve(step, totaux, account->ident, -1, document());
            counted = true;
        }
        if (!counted)
            TOOL::computeTotauxLReleve({nullptr, nullptr, &report}, totaux, account->ident, -1, document());
        m_reportReleve = difference(totaux.total6, totaux.total3);
    }
    computeCumuls();
    PRINT_PIED();
}

void FenReleveController::PRINT_PIED()
{
    printNbOperations();
    paintTransRelevePied2(MyTotaux());
    DRAW_SOLDE();
}

void FenReleveController::paintTransRelevePied2(const TOTAUX& totaux)
{
    const DOCUMENT* doc = document();
    if (!doc)
        return;
    const MONTANT values[] = {totaux.total2, totaux.total5, difference(totaux.total5, totaux.total2),
                              difference(totaux.total6, totaux.total3), difference(totaux.total4, totaux.total1)};
    for (size_t i = 0; i < std::size(values); ++i) {
        if (QLabel* field = m_fieldsPied[i])
            field->setText(montantToStringForDevise(values[i], devise(), &doc->deviseHdl, false));
    }
}

void FenReleveController::DRAW_SOLDE()
{
    const TOOL* account = compte();
    if (!m_fieldSoldeReleve || !account)
        return;
    m_fieldSoldeReleve->setText(
        QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Solde2")),
                                    montantToStringForDevise(account->solde, devise(), &document()->deviseHdl, true)));
}

// Four lines after the list: the totals, the period's balance, the carry-over and the balance,
// each balance on the side it falls on.
void FenReleveController::EXPORTER_PIED(QString& text, int format)
{
    auto label
        = [format](const char* key) { return exportSanitizeField(localizedAppl(QString::fromLatin1(key)), format); };
    const TOTAUX& totaux = MyTotaux();
    TransListExport::appendTotalLine(text, label("EXPORT_RUB_TOTAL"), totaux.total2, totaux.total5, devise(), format);
    const std::pair<const char*, MONTANT> balances[]
        = {{"EXPORT_RUB_SOLDE_PERIODE", difference(totaux.total5, totaux.total2)},
           {"EXPORT_RUB_REPORT", difference(totaux.total6, totaux.total3)},
           {"EXPORT_RUB_SOLDE", difference(totaux.total4, totaux.total1)}};
    for (const auto& [key, x] : balances) {
        if (x.getValueForDevise(devise()) < 0)
            TransListExport::appendTotalLine(text, label(key), difference(MONTANT(), x), MONTANT(), devise(), format);
        else
            TransListExport::appendTotalLine(text, label(key), MONTANT(), x, devise(), format);
    }
}

// ---------------------------------------------------------------------------------------------
// Rights

bool FenReleveController::CAN_POINTER(long row) const
{
    const TOOL* account = compte();
    if (row == -1)
        row = selectedReleveRow();
    if (!account || row < 0 || row >= account->nbReleve() + kFirstReleveRow || row == kRowAVenir)
        return false;
    return row == kRowNonPointees || account->releveCanPointer(row - kFirstReleveRow);
}

void FenReleveController::updateReleveButtons()
{
    const long row = selectedReleveRow();
    const bool statement = isReleveRow(row);
    const bool pointer = CAN_POINTER(row);
    m_canCreerReleve = !m_pointing && compte();
    m_canPointerReleve = statement && pointer;
    m_canDeleteReleve = statement && pointer && !m_pointing;
    if (m_buttonCreer)
        m_buttonCreer->setEnabled(m_canCreerReleve);
    if (m_buttonSupprimer)
        m_buttonSupprimer->setEnabled(m_canDeleteReleve);
    if (m_buttonPointer)
        m_buttonPointer->setEnabled(m_canPointerReleve);
}

void FenReleveController::updateAllButtons()
{
    updateReleveButtons();
    tableViewSelectionDidChange1();
}

void FenReleveController::tableViewSelectionDidChange1()
{
    FenTransListController::tableViewSelectionDidChange1();
    if (m_pointing) {
        setCanEffacerTrans(false);
        setCanVoirTrans(false);
        setCanDepointerTrans(false);
        setCanPrintTrans(false);
        setCanDeviseTrans(false);
        setCanImportTrans(false);
    } else {
        setCanDepointerTrans(selectedReleveRow() >= kFirstReleveRow && canDeleteTransSelection(nullptr)
                             && hasSelection1());
    }
    setCanCritereTrans(!m_pointing);
    if (QAbstractButton* button = itemRechercherReleve())
        button->setEnabled(!m_pointing && canRechercherTrans());
    if (m_buttonDepointer)
        m_buttonDepointer->setEnabled(canDepointerTrans());
}

void FenReleveController::tableViewSelectionDidChange2()
{
    FenTransListController::tableViewSelectionDidChange2();
    if (m_pointing)
        return;
    FOLLOW(selectedReleveRow(), false);
    updateReleveButtons();
}

// ---------------------------------------------------------------------------------------------
// Table 2

QString FenReleveController::nomAVenir() const
{
    return QStringLiteral("%1 (%2 j)")
        .arg(localizedMisc(QStringLiteral("kMisc_AVenir")))
        .arg(APPLIPARAM::loadAppliParam().aVenir);
}

int FenReleveController::numberOfRowsInTableView2(StdTableView*)
{
    const TOOL* account = compte();
    return account ? int(account->nbReleve() + kFirstReleveRow) : 0;
}

StdCell* FenReleveController::viewForTableColumn2(StdTableView* table, int row)
{
    const TOOL* account = compte();
    if (!account || row < 0 || row >= account->nbReleve() + kFirstReleveRow)
        return nullptr;
    m_cellReleve.setTableView(table);
    setFillBackground(&m_cellReleve, table, row);
    const ReleveRowContent content
        = CellReleve::contentForRow(account, row, m_soldeAVenir, CAN_POINTER(row), nomAVenir());
    m_cellReleve.paintDataReleve(content, row, devise(), &document()->deviseHdl);
    return &m_cellReleve;
}

// The selected row of the statements says which transactions the list shows: plainly marked,
// whether or not the panel has the focus, and unlike any row's own tint.
void FenReleveController::setFillBackground(StdCell* cell, StdTableView* table, int row)
{
    FenTransListController::setFillBackground(cell, table, row);
    if (table && table == table2() && table->isRowSelected(row) && cell && cell->getBgbox())
        cell->getBgbox()->setFillColor(kSelectedReleveColor);
}

QColor FenReleveController::getPatColor2(int row)
{
    if (row == kRowAVenir)
        return QColor(255, 200, 255, 128);
    if (row == kRowNonPointees)
        return QColor(225, 225, 255, 128);
    return QColor(255, 255, 230, 128);
}

bool FenReleveController::isRowPair(StdTableView* table, int row)
{
    if (table && table == table2() && row == kRowNonPointees)
        return true;
    return FenTransListController::isRowPair(table, row);
}

// The rows are drawn, not live widgets: a press on a statement's lock is found by its place.
bool FenReleveController::clickOnVerrou(const QPoint& viewportPoint)
{
    StdTableView* table = table2();
    const int row = table ? table->rowAt(viewportPoint.y()) : -1;
    if (!isReleveRow(row) || !viewForTableColumn2(table, row))
        return false;
    const QRect rowRect = table->visualRect(table->model()->index(row, 0));
    if (!m_cellReleve.verrouRectInRow(rowRect.size()).translated(rowRect.topLeft()).contains(viewportPoint))
        return false;
    LOCK_RELEVE(m_cellReleve.button_verrou());
    return true;
}

bool FenReleveController::eventFilter(QObject* watched, QEvent* event)
{
    StdTableView* table = table2();
    if (table && watched == table->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton && clickOnVerrou(press->position().toPoint()))
            return true;
    }
    return FenTransListController::eventFilter(watched, event);
}

void FenReleveController::DEVISE(QObject* sender)
{
    const QList<RowKey> kept = selectedRowKeys();
    FenTransListController::DEVISE(sender);
    fitReleveColumn();
    if (StdTableView* releves = table2())
        releves->SMART_RELOAD();
    reloadKeeping(kept);
}

// ---------------------------------------------------------------------------------------------
// Broadcasts

void FenReleveController::broadcastFromHere(const char* selector)
{
    sendToAllWindowDelegates(selector, QVariant::fromValue<QObject*>(this), QVariant());
}

void FenReleveController::preferencesDidChange(const QVariant& arg1, const QVariant& arg2)
{
    UPDATE_AVENIR();
    FenTransListController::preferencesDidChange(arg1, arg2);
}

void FenReleveController::notifyHardDepointer(const QVariant&, const QVariant&)
{
    UPDATE_AVENIR();
}

void FenReleveController::notifyNewDay(const QVariant&, const QVariant&)
{
    UPDATE_AVENIR();
}

void FenReleveController::didTouchLockReleve(const QVariant& sender, const QVariant&)
{
    if (sender.value<QObject*>() != this)
        UPDATE_AVENIR();
}

void FenReleveController::didChangePointeTransact(const QVariant& sender, const QVariant&)
{
    if (sender.value<QObject*>() == this)
        return;
    // Another window ticked: this account's statements may have moved too.
    if (StdTableView* releves = table2())
        releves->SMART_RELOAD();
    if (StdTableView* list = table1())
        list->SMART_RELOAD();
}

void FenReleveController::didChangeDeviseConfiguration(const QVariant& arg1, const QVariant& arg2)
{
    FenTransListController::didChangeDeviseConfiguration(arg1, arg2);
    UPDATE_AVENIR();
}

void FenReleveController::didAwakeFile(const QVariant&, const QVariant&)
{
    UPDATE_AVENIR();
}

void FenReleveController::chronoDidChange(const QVariant&, const QVariant&)
{
    UPDATE_AVENIR();
}

void FenReleveController::DID_DELETE_CHRONO()
{
    UPDATE_AVENIR();
}

void FenReleveController::DID_CREATE_CHRONO()
{
    UPDATE_AVENIR();
}

void FenReleveController::newDevisePrincipale(const QVariant& slot, const QVariant& arg2)
{
    FenTransListController::newDevisePrincipale(slot, arg2);
    UPDATE_AVENIR();
    FOLLOW(selectedReleveRow(), false);
    updateReleveButtons();
}

void FenReleveController::notifyDidSynchonize(const QVariant&, const QVariant&)
{
    UPDATE_AVENIR();
    FOLLOW(selectedReleveRow(), false);
    updateReleveButtons();
}

// ---------------------------------------------------------------------------------------------
// Opening

FenReleveController* openReleveWindow(long compteID, bool show, long devise, DOCUMENT& doc)
{
    const TOOL* account = getTool(kToolCompte, compteID, &doc);
    if (!account)
        return nullptr;
    if (auto* open = findOpenWindowController<FenReleveController>(compteID, -1, -1, -1, -1, -1, -1, -1)) {
        if (show)
            showWindowOfController(open->window());
        return open;
    }
    TransListOpening opening;
    opening.debitID = compteID;
    opening.mode = 1;
    opening.critere = Critere::makeToolCritere(true, compteID, -1, &doc);
    SearchRequest request;
    request.critere = &opening.critere;
    request.doc = &doc;
    request.defaultSort = defaultSortOfApplication();
    request.devise = devise;
    request.doCumuls = true;
    opening.listing = searchWithCritere(request);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Releve")), account->nom);
    opening.smartGrow = true;
    opening.appear = show;
    opening.allowDepointer = true;
    opening.doc = &doc;
    opening.devise = devise;
    // The entry palette is attached before the window appears, so that the frame the program
    // chooses for it leaves the palette its room beside it.
    auto* window = openTransListWindow<FenReleveController>(std::move(opening), [&](FenReleveController* releve) {
        int bType = -1;
        StdWindowController* entry = account->compteToBType(&bType, &doc) && bType == 0
            ? static_cast<StdWindowController*>(
                openPaletteForWindow<FenPaletteSaisieCoffreController>(releve, compteID))
            : openPaletteForWindow<FenPaletteSaisieUserController>(releve, compteID);
        releve->attachePalette(entry, releve);
    });
    window->getTableReleve()->GO(kRowNonPointees);
    window->settleFrame();
    if (show)
        showWindowOfController(window->window());
    return window;
}

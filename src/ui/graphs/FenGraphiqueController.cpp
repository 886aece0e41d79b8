#include "graphs/FenGraphiqueController.h"

#include "graphs/FenEditGraphiqueController.h"
#include "graphs/TemplateGraphique.h"
#include "graphs/ViewGraphique.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/drawing/geometry.h"
#include "toolkit/popups/PopAutoCompute.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/IWindowDoors.h"

#include "document/DocContext.h"
#include "engines/GraphEngine.h"
#include "engines/SearchEngine.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GraphFile.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr qint64 kMaxGraphFileSize = 999999;

void setFollowed(GRAPH& graph, int mode, long ident)
{
    graph.mode = mode;
    switch (mode) {
    case kGraphModePoste:
        graph.posteID = ident;
        break;
    case kGraphModeBanque:
        graph.banqueID = ident;
        break;
    case kGraphModeDossier:
        graph.dossierID = ident;
        break;
    default:
        graph.compteID = ident;
        break;
    }
}

FenGraphiqueController* pushGraphique(const GRAPHFILE& file, long devise, bool appear)
{
    WindowDataPtr data = makeWindowData({{QStringLiteral("graphfile"), QVariant::fromValue(file)}});
    return StdWindowController::push<FenGraphiqueController>(data, devise, appear);
}

} // namespace

// ---- Opening -------------------------------------------------------------------------------------

FenGraphiqueController* openGraphiqueWindow(StdWindowController* parent, bool useLast, int mode, long ident,
                                            DOCUMENT& doc, long devise)
{
    if (!currentGraph())
        initCurrentGraph(&doc);
    GRAPH& current = *currentGraph();
    long index = -1;
    const QString last = doc.docParam ? doc.docParam->lastGraphique : QString();
    if (useLast && findGraphByName(&doc.graphHdl, last, &index)) {
        current = doc.graphHdl.at(index);
    } else {
        index = -1;
        current.defaultGraphique(&doc);
        setFollowed(current, mode, ident);
    }
    // A saved "this year" must not come back with the year it was saved in.
    adjustGraphDates(&doc, current, false);
    GRAPHFILE file;
    file.header = current;
    if (!editGraphiqueParam<FenEditGraphiqueController>(parent, file.header, index, devise))
        return nullptr;
    current = file.header;
    makeGraphTitle(file, &doc);
    // The editor lets no span through that the engine refuses.
    if (!computeGraph(file, &doc, devise))
        return nullptr;
    return pushGraphique(file, devise, true);
}

void reopenGraphiquesOfDocument(DOCUMENT& doc)
{
    QString folder;
    if (doc.documentUrl.isEmpty() || !getGraphsFolder(&folder, doc.documentUrl))
        return;
    const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        GRAPHFILE file;
        if (entry.size() > kMaxGraphFileSize || !loadGraphFile(entry.filePath(), file, &doc))
            continue;
        FenGraphiqueController* controller = pushGraphique(file, MONTANT::currentDeviseSlot(), false);
        const GRAPH& g = file.header;
        if (StdWindow* window = controller ? controller->window() : nullptr) {
            if (g.right > g.left && g.bottom > g.top)
                window->setGeometry(fromScreenBottomLeft(
                    QRectF(double(g.left), double(g.top), double(g.right - g.left), double(g.bottom - g.top))));
            controller->orderFront();
        }
    }
}

// ---- The window ----------------------------------------------------------------------------------

void FenGraphiqueController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenGraphique"));
    m_popupAuto = new PopAutoCompute(&window);
    m_popupAuto->setObjectName(QStringLiteral("popup_auto"));
    auto* devise = new PopDevise(&window);
    devise->setObjectName(QStringLiteral("pop_devise"));
    auto* format = new QPushButton(localizedAppl(QStringLiteral("FenGraphique_format")), &window);
    format->setObjectName(QStringLiteral("FORMAT"));
    format->setAutoDefault(false);
    connectAction(format, QStringLiteral("FORMAT:"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_popupAuto);
    bar->addWidget(devise);
    bar->addStretch();
    bar->addWidget(format);
    m_view = new ViewGraphique(&window);
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellGraphique::kHeight);
    table->setMinimumHeight(CellGraphique::kHeight * 4);
    auto* splitter = new QSplitter(Qt::Vertical, &window);
    splitter->addWidget(m_view);
    splitter->addWidget(table);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    setTemplateViews(new TemplateGraphique);
    window.resize(833, 560);
}

void FenGraphiqueController::didAwakeFromNib()
{
    m_file = getData()->value(QStringLiteral("graphfile")).value<GRAPHFILE>();
    const DOCUMENT* doc = currentDocument();
    m_view->setGraph_file(&m_file);
    m_view->setDevise(devise());
    m_view->setDevHdl(doc ? &doc->deviseHdl : nullptr);
    windowIfLoaded()->setWindowTitle(
        QStringLiteral("%1 (%2)").arg(localizedAppl(QStringLiteral("FenGraphique_titre")), m_file.header.nom));
    m_duringPrintList = false;
    showComputeMode(getPreferenceAutoCompute());
    makeRoomForFigures();
    StdWindowWithTableController::didAwakeFromNib();
}

void FenGraphiqueController::windowWillClose()
{
    m_view->setGraph_file(nullptr);
    StdWindowWithTableController::windowWillClose();
}

void FenGraphiqueController::redraw()
{
    m_view->setDevise(devise());
    m_view->update();
    makeRoomForFigures();
    if (table1())
        table1()->reloadData();
}

// Every month name in a year, or a day of each month: digits are as wide as one another, so one
// year stands for all.
void FenGraphiqueController::makeRoomForFigures()
{
    StdTableView* table = table1();
    if (!table)
        return;
    QStringList periods {localizedMisc(QStringLiteral("kMisc_Passe"))};
    for (long month = 1; month <= 12; ++month) {
        DATAGRAPH point;
        dmyToDate(28, month, 2024, &point.when);
        periods << periodName(point);
    }
    const DOCUMENT* doc = currentDocument();
    const int row = m_cell.makeRoom(periods, largestAmountText(devise(), doc ? &doc->deviseHdl : nullptr, false));
    table->setMinimumWidth(row + 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width());
}

// ---- Table ---------------------------------------------------------------------------------------

int FenGraphiqueController::numberOfRowsInTableView1(StdTableView*)
{
    return int(graphFileDataCount(m_file)) + 1;
}

QString FenGraphiqueController::periodName(const DATAGRAPH& point) const
{
    if (m_file.header.timeKind == 1)
        return dateToStringWithStyles(1, 0, point.when);
    return QStringLiteral("%1 %2").arg(localizedMonthName(int(dateMonth(point.when)))).arg(dateYear(point.when));
}

StdCell* FenGraphiqueController::viewForTableColumn1(StdTableView*, int row)
{
    const DOCUMENT* doc = currentDocument();
    const DeviseList* devises = doc ? &doc->deviseHdl : nullptr;
    auto amount = [&](const MONTANT& m) { return montantToStringForDevise(m, devise(), devises, false); };
    if (row == 0) {
        m_cell.fill(localizedMisc(QStringLiteral("kMisc_Passe")), QStringLiteral("-"), amount(m_file.header.soldeInit),
                    true);
        return &m_cell;
    }
    const DATAGRAPH* point = graphFileDataAtIndex(row, m_file);
    if (!point)
        return nullptr;
    m_cell.fill(periodName(*point), amount(point->total), amount(point->solde), false);
    return &m_cell;
}

QColor FenGraphiqueController::getPatColor1(int)
{
    return QColor::fromRgbF(1, 0.875f, 0.467f, 0.5f);
}

void FenGraphiqueController::tableViewSelectionDidChange1()
{
    StdWindowWithTableController::tableViewSelectionDidChange1();
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    const long row = rows.size() == 1 ? long(*rows.begin()) : 0;
    double start = 0;
    double end = 0;
    m_file.header.hilite_date = row > 0 && graphPeriodAtRow(m_file, row + 1, &start, &end) ? start : 0;
    m_view->update();
}

void FenGraphiqueController::didDoubleClick1(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    if (!doc || rows.size() != 1)
        return;
    const long row = long(*rows.begin());
    GraphCriteres criteres = makeGraphCriteres(m_file, doc);
    double start = 0;
    double end = 0;
    if (row == 0)
        criteres.critere.setPeriodeInferieurACritere(m_file.header.graph_date1);
    else if (graphPeriodAtRow(m_file, row + 1, &start, &end))
        criteres.critere.setPeriodeCritere(start, end);
    else
        return;
    MONTANT opening;
    if (row == 1)
        opening = m_file.header.soldeInit;
    else if (const DATAGRAPH* previous = row >= 2 ? graphFileDataAtIndex(row - 1, m_file) : nullptr)
        opening = previous->solde;
    SearchRequest request;
    request.critere = &criteres.critere;
    request.futurCritere = &criteres.critere;
    request.doEcheanciers = true;
    request.doPrevisions = m_file.header.simul;
    request.doc = doc;
    request.devise = devise();
    std::unique_ptr<LISTING> listing = searchWithCritere(request);
    const long compte = m_file.header.mode == kGraphModeCompte ? m_file.header.compteID : -1;
    listingComputeCumuls(listing.get(), compte, opening, doc);
    ListingWithCritere opened {.critere = criteres.critere,
                               .listing = std::move(listing),
                               .title = QString(),
                               .mode = 1,
                               .animate = true,
                               .devise = devise(),
                               .report = opening};
    if (IWindowDoors* doors = windowDoors())
        doors->openListingWithCritere(std::move(opened), *doc);
}

// ---- Computing -----------------------------------------------------------------------------------

// A memorised graph of an earlier version can span more than a graph is computed over: it keeps
// the points it was stored with.
void FenGraphiqueController::RECOMPUTE()
{
    if (!recomputeGraph(m_file, currentDocument(), devise())) {
        m_spanRefused = true;
        Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_CannotComputeGraph")), m_file.header.nom,
                       QStringLiteral("graphique"), 1, [](int) {});
        return;
    }
    redraw();
}

// A span refused once is not announced again at each change of the document; asked for, the
// computation still says why it refuses.
void FenGraphiqueController::computeOnChange()
{
    if (!getPreferenceAutoCompute() || (m_spanRefused && !graphSpanFits(m_file.header)))
        return;
    RECOMPUTE();
}

bool FenGraphiqueController::getPreferenceAutoCompute() const
{
    const DOCUMENT* doc = currentDocument();
    return doc && doc->docParam && doc->docParam->autoComputeGraphique;
}

void FenGraphiqueController::savePreferenceAutoCompute(bool automatic)
{
    DOCUMENT* doc = currentDocument();
    if (doc && doc->docParam)
        doc->docParam->autoComputeGraphique = automatic;
}

void FenGraphiqueController::showComputeMode(bool automatic)
{
    m_popupAuto->setSelectedTag(automatic ? 1 : 0);
    m_popupAuto->rebuild();
    m_popupAuto->setTitle(
        localizedAppl(automatic ? QStringLiteral("kAnalyseComputeAuto") : QStringLiteral("kAnalyseComputeManuel")));
}

void FenGraphiqueController::AUTOCOMPUTE(QObject* sender)
{
    const qint64 tag = StdMenu::tagOf(sender);
    if (tag == -1) {
        RECOMPUTE();
        return;
    }
    savePreferenceAutoCompute(tag == 1);
    showComputeMode(tag == 1);
    if (tag == 1)
        RECOMPUTE();
}

void FenGraphiqueController::DEVISE(QObject* item)
{
    pickers().DEVISE(item);
    redraw();
}

void FenGraphiqueController::FORMAT(QObject*)
{
    if (editGraphiqueParam<FenEditGraphiqueParamController>(this, m_file.header, -1, devise()))
        redraw();
}

// ---- Broadcasts ----------------------------------------------------------------------------------

void FenGraphiqueController::DID_CHANGE_TRANSACT()
{
    computeOnChange();
}

void FenGraphiqueController::DID_CREATE_CHRONO()
{
    computeOnChange();
}

void FenGraphiqueController::DID_DELETE_CHRONO()
{
    computeOnChange();
}

void FenGraphiqueController::DID_APPLY_REGLE()
{
    computeOnChange();
}

void FenGraphiqueController::chronoDidChange(const QVariant&, const QVariant&)
{
    computeOnChange();
}

void FenGraphiqueController::willDeleteCompte(const QVariant& compteID, const QVariant&)
{
    if (m_file.header.mode == kGraphModeCompte && m_file.header.compteID == compteID.toLongLong())
        close();
}

void FenGraphiqueController::notifyPosteDeleted(const QVariant& posteID, const QVariant&)
{
    if (m_file.header.mode == kGraphModePoste && m_file.header.posteID == posteID.toLongLong())
        close();
}

// ---- Copy, print, memory -------------------------------------------------------------------------

void FenGraphiqueController::copy(QObject*)
{
    copyViewDrawing(*m_view, [this](QPainter& painter, const QRectF& rect) {
        drawGraph(painter, m_file, m_view->devise(), m_view->devHdl(), nullptr, rect);
    });
}

const QMetaObject* FenGraphiqueController::classForPrinting() const
{
    return m_duringPrintList ? StdWindowWithTableController::classForPrinting() : &PrintViewWithView::staticMetaObject;
}

void FenGraphiqueController::printTheView(QPainter& painter, const QRectF& rect, PrintOperation& operation)
{
    drawGraph(painter, m_file, devise(), m_view->devHdl(), &operation.printInfo(), rect);
}

void FenGraphiqueController::paintPrintTitre()
{
    QWidget* block = viewTitre();
    if (auto* field = block ? block->findChild<QLabel*>(QStringLiteral("field_titre")) : nullptr)
        field->setText(m_file.header.titre);
}

void FenGraphiqueController::IMPRIMER(QObject* sender)
{
    StdWindowWithTableController::IMPRIMER(sender);
    if (m_duringPrintList)
        return;
    int code = 0;
    Dialog::confirmation(this, Dialog::keyString(QStringLiteral("kConfirm_printGraphique")), QString(),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_NON")), QString(), QStringLiteral("imprimante"),
                         1, kAlertSecondButton, [&code](int c) { code = c; });
    if (code != 1000)
        return;
    m_duringPrintList = true;
    StdWindowWithTableController::IMPRIMER(sender);
    m_duringPrintList = false;
}

void FenGraphiqueController::MEMORISE(const QVariant& number, const QString& package)
{
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    GRAPH& g = m_file.header;
    // The content rectangle from the main screen's bottom-left corner: top holds its lower edge.
    const QRect frame = windowIfLoaded() ? toScreenBottomLeft(windowIfLoaded()->geometry()).toRect() : QRect();
    g.left = frame.x();
    g.top = frame.y();
    g.right = frame.x() + frame.width();
    g.bottom = frame.y() + frame.height();
    saveGraphFile(m_file, long(number.toLongLong()), package, doc->deviseHdl);
}

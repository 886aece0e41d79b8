#include "graphs/FenBilanController.h"

#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/fields/textfieldx.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/tables/RowLabel.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/StdImageView.h"

#include "document/DocContext.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"
#include "model/ITransactionWindows.h"
#include "model/TOOL.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPointer<FenBilanController>& openWindow()
{
    static QPointer<FenBilanController> window;
    return window;
}

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

void appendComptes(QList<BilanEntry>& rows, const DOCUMENT& doc)
{
    QList<const TOOL*> comptes;
    for (const TOOL& compte : doc.compteHdl)
        comptes.append(&compte);
    std::stable_sort(comptes.begin(), comptes.end(), [](const TOOL* a, const TOOL* b) {
        return QString::compare(a->nom, b->nom, Qt::CaseInsensitive) < 0;
    });
    for (const int wanted : {kBanqueUser, kBanqueLiquide}) {
        for (const TOOL* compte : comptes) {
            int bType = -1;
            if (compte->compteToBType(&bType, &doc) && bType == wanted)
                rows.append({BilanEntry::Type::Compte, compte->ident, compte->solde});
        }
    }
}

// A header row with the sum of the rows of its kind that follow it.
void appendFinances(QList<BilanEntry>& rows, const FinanceList& list, BilanEntry::Type header, BilanEntry::Type row,
                    bool inverted, MONTANT& total)
{
    BilanEntry head {header, -1, MONTANT()};
    QList<BilanEntry> items;
    for (const FINANCE& finance : list) {
        MONTANT amount = finance.totaux.total6;
        if (inverted)
            empruntTotalInverted(finance, &amount);
        MONTANT::addMontant(head.montant, amount, head.montant);
        items.append({row, finance.ident, amount});
    }
    MONTANT::addMontant(total, head.montant, total);
    rows.append(head);
    rows.append(items);
}

} // namespace

QList<BilanEntry> buildBilanContent(DOCUMENT& doc, MONTANT* total)
{
    QList<BilanEntry> rows;
    MONTANT balance;
    MONTANT actif;
    TOOL::computeBalance(&doc, &balance, &actif);
    *total = actif;
    rows.append({BilanEntry::Type::Dispo, -1, actif});
    appendComptes(rows, doc);
    TOTAUX titres;
    computeAllTitresTotaux(titres, &doc);
    appendFinances(rows, doc.titreHdl, BilanEntry::Type::Titres, BilanEntry::Type::Titre, false, *total);
    TOTAUX emprunts;
    computeAllEmpruntsTotaux(emprunts, &doc);
    appendFinances(rows, doc.empruntHdl, BilanEntry::Type::Emprunts, BilanEntry::Type::Emprunt, true, *total);
    return rows;
}

// ---- The row -------------------------------------------------------------------------------------

CellBilan::CellBilan(QWidget* parent)
    : StdCell(parent)
    , m_icone(new StdImageView(this))
    , m_nom(new RowLabel(this))
    , m_solde(new FigureLabel(this))
{
    m_icone->setObjectName(QStringLiteral("icone"));
    m_icone->setFixedSize(18, 18);
    m_nom->setObjectName(QStringLiteral("label_nom"));
    m_solde->setObjectName(QStringLiteral("label_solde"));
    m_solde->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_nom->setMinimumWidth(40); // the name gives way to the balance
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 8, 0);
    layout->addWidget(m_icone);
    layout->addWidget(m_nom, 1);
    layout->addWidget(m_solde);
    resize(380, kHeight);
}

// ---- The window ----------------------------------------------------------------------------------

FenBilanController* FenBilanController::current()
{
    return stillOpen(openWindow().data());
}

FenBilanController* FenBilanController::openBilan(long devise, bool appear)
{
    if (FenBilanController* open = current()) {
        open->orderFront();
        return open;
    }
    openWindow() = StdWindowController::push<FenBilanController>(nullptr, devise, appear);
    return openWindow();
}

void FenBilanController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenBilan"));
    window.setWindowTitle(appl("FenBilan_titre"));
    m_tete = new QWidget(&window);
    m_tete->setObjectName(QStringLiteral("view_tete"));
    auto* tete = new QHBoxLayout(m_tete);
    tete->setContentsMargins(6, 0, 8, 0);
    m_labelDoc = new QLabel(m_tete);
    m_labelDoc->setObjectName(QStringLiteral("label_doc"));
    QFont bold = m_labelDoc->font();
    bold.setBold(true);
    m_labelDoc->setFont(bold);
    m_labelDate = new QLabel(m_tete);
    m_labelDate->setObjectName(QStringLiteral("label_date"));
    m_labelSolde = new FigureLabel(m_tete);
    m_labelSolde->setObjectName(QStringLiteral("label_solde"));
    m_labelSolde->setFont(bold);
    auto* devise = new PopDevise(m_tete);
    devise->setObjectName(QStringLiteral("pop_devise"));
    tete->addWidget(m_labelDoc);
    tete->addWidget(m_labelDate, 1);
    tete->addWidget(new QLabel(appl("FenBilan_total"), m_tete));
    tete->addWidget(m_labelSolde);
    tete->addWidget(devise);
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellBilan::kHeight);
    table->setMinimumSize(380, CellBilan::kHeight * kMinimumRows);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addWidget(m_tete);
    layout->addWidget(table, 1);
}

void FenBilanController::didAwakeFromNib()
{
    m_contentArray.clear();
    m_montantTotal = MONTANT();
    buildContent();
    StdWindowWithTableController::didAwakeFromNib();
    fitToRows();
}

// The sheet opens tall enough for all its rows; its placement shrinks it to the screen when they
// are too many.
void FenBilanController::fitToRows()
{
    StdWindow* w = windowIfLoaded();
    const int rows = int(m_contentArray.size());
    if (!w || w->isVisible() || rows <= kMinimumRows)
        return;
    w->ensurePolished();
    const QSize least = w->minimumSizeHint();
    w->resize(least.width(), least.height() + (rows - kMinimumRows) * CellBilan::kHeight);
}

void FenBilanController::windowWillClose()
{
    StdWindowWithTableController::windowWillClose();
    if (openWindow() == this)
        openWindow() = nullptr;
}

void FenBilanController::buildContent()
{
    DOCUMENT* doc = currentDocument();
    m_contentArray.clear();
    m_montantTotal = MONTANT();
    if (doc)
        m_contentArray = buildBilanContent(*doc, &m_montantTotal);
    FILL();
    if (table1())
        table1()->reloadData();
}

void FenBilanController::showAmount(QLabel* label, const MONTANT& amount) const
{
    const DOCUMENT* doc = currentDocument();
    label->setText(montantToStringForDevise(amount, devise(), doc ? &doc->deviseHdl : nullptr, true));
    colorizeForMontant(label, amount);
}

void FenBilanController::FILL()
{
    pickers().FILL_DEVISE(devise());
    const DOCUMENT* doc = currentDocument();
    m_labelDate->setText(dateToStringWithStyles(2, 0, dateNow()));
    m_labelDoc->setText(doc ? QFileInfo(doc->getDocLoadName()).completeBaseName() : QString());
    showAmount(m_labelSolde, m_montantTotal);
}

void FenBilanController::DEVISE(QObject* item)
{
    pickers().DEVISE(item);
    buildContent();
}

// ---- Rows ----------------------------------------------------------------------------------------

int FenBilanController::numberOfRowsInTableView1(StdTableView*)
{
    return int(m_contentArray.size());
}

StdCell* FenBilanController::viewForTableColumn1(StdTableView* table, int row)
{
    const DOCUMENT* doc = currentDocument();
    if (!doc || row < 0 || row >= m_contentArray.size())
        return nullptr;
    const BilanEntry& entry = m_contentArray.at(row);
    QString name;
    QIcon icon;
    switch (entry.type) {
    case BilanEntry::Type::Dispo:
        name = appl("FenBilan_dispo");
        break;
    case BilanEntry::Type::Titres:
        name = appl("FenBilan_titres");
        break;
    case BilanEntry::Type::Emprunts:
        name = appl("FenBilan_emprunts");
        break;
    case BilanEntry::Type::Compte:
        if (const TOOL* compte = getTool(kToolCompte, entry.ident, doc)) {
            name = getToolNameNS(kToolCompte, entry.ident, doc);
            icon = PopCompte::getToolImage(*compte, doc);
        }
        break;
    case BilanEntry::Type::Titre:
    case BilanEntry::Type::Emprunt: {
        const FinanceList& list = entry.type == BilanEntry::Type::Titre ? doc->titreHdl : doc->empruntHdl;
        const auto found
            = std::find_if(list.cbegin(), list.cend(), [&entry](const FINANCE& f) { return f.ident == entry.ident; });
        name = found != list.cend() ? found->nom : QString();
        break;
    }
    }
    const bool header = entry.ident < 0;
    QFont font = m_cell.label_nom()->font();
    font.setBold(header);
    m_cell.label_nom()->setFont(font);
    m_cell.label_nom()->setText(header ? name : QStringLiteral("    ") + name);
    m_cell.icone()->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(16, 16));
    showAmount(m_cell.label_solde(), entry.montant);
    m_cell.getBgbox()->setFillColor(header ? QColor::fromRgbF(0.9f, 0.93f, 1, 1) : QColor());
    m_cell.setTableView(table);
    return &m_cell;
}

void FenBilanController::didDoubleClick1(QObject* sender)
{
    OUVRIR(sender);
}

void FenBilanController::OUVRIR(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    if (!doc || rows.size() != 1 || *rows.begin() >= m_contentArray.size())
        return;
    const BilanEntry& entry = m_contentArray.at(*rows.begin());
    switch (entry.type) {
    case BilanEntry::Type::Compte:
        openCompteWindow(entry.ident, true);
        break;
    case BilanEntry::Type::Titre:
        if (IWindowDoors* doors = windowDoors())
            doors->openEntityListing(EntityListing::Titre, *doc, entry.ident, devise(), true);
        break;
    case BilanEntry::Type::Emprunt:
        if (IWindowDoors* doors = windowDoors())
            doors->openEntityListing(EntityListing::Emprunt, *doc, entry.ident, devise(), true);
        break;
    case BilanEntry::Type::Dispo:
    case BilanEntry::Type::Titres:
    case BilanEntry::Type::Emprunts:
        break;
    }
}

// ---- Broadcasts ----------------------------------------------------------------------------------

void FenBilanController::rebuild()
{
    buildContent();
}

void FenBilanController::DID_CHANGE_TRANSACT()
{
    rebuild();
}

void FenBilanController::compteHasBeenCreated(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::compteHasBeenDeleted(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::compteHasBeenEdited(const QVariant&, const QVariant&)
{
    if (table1())
        table1()->SMART_RELOAD();
}

void FenBilanController::titreHasBeenCreated(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::titreHasBeenModified(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::titreHasBeenDeleted(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::empruntHasBeenCreated(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::empruntHasBeenModified(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::empruntHasBeenDeleted(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::didVerifyDocument()
{
    rebuild();
}

void FenBilanController::notifyDidSynchonize(const QVariant&, const QVariant&)
{
    rebuild();
}

void FenBilanController::notifyNewDay(const QVariant&, const QVariant&)
{
    FILL();
}

#include "analysis/FenAmeliorerBudgetController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/fields/textfieldx.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/windows/IWindowDoors.h"

#include "document/DocContext.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

void FenAmeliorerBudgetController::buildInterface(StdWindow& window)
{
    window.setObjectName(windowName());
    window.setWindowTitle(localizedAppl(windowName() + QStringLiteral("_titre")));
    m_titleTotal = new FigureLabel(&window); // the months looked at
    m_titleTotal->setObjectName(QStringLiteral("titleTotal"));
    QFont bold = m_titleTotal->font();
    bold.setBold(true);
    m_titleTotal->setFont(bold);
    m_buttonToutEcrire = new QPushButton(localizedAppl(QStringLiteral("FenAmeliorerBudget_toutEcrire")), &window);
    m_buttonToutEcrire->setObjectName(QStringLiteral("buttonToutEcrire"));
    m_buttonToutEcrire->setAutoDefault(false);
    connectAction(m_buttonToutEcrire, QStringLiteral("TOUT_ECRIRE:"));
    m_popHelp = new PopHelp(&window);
    m_popHelp->setObjectName(QStringLiteral("popHelp"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_titleTotal, 1);
    bar->addWidget(m_buttonToutEcrire);
    bar->addWidget(m_popHelp);
    auto* header = new QWidget(&window);
    int x = 0;
    for (const CellCompleterBudget::Column& column : columns()) {
        auto* title = new QLabel(localizedAppl(QString::fromLatin1(column.titleKey)), header);
        title->setAlignment(column.alignment);
        title->setGeometry(x + 4, 0, column.width - 8, 20);
        x += column.width;
    }
    header->setFixedSize(x + 90, 20);
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellCompleterBudget::kRowHeight);
    table->setMinimumSize(x + 100, CellCompleterBudget::kRowHeight * 5);
    table->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(6);
    layout->addLayout(bar);
    layout->addWidget(header);
    layout->addWidget(table, 1);
}

void FenAmeliorerBudgetController::didAwakeFromNib()
{
    StdWindowWithTableController::didAwakeFromNib();
    m_popHelp->setStringTitle(helpTitle());
    m_popHelp->setStringContent(helpContent());
}

DOCUMENT* FenAmeliorerBudgetController::document() const
{
    return currentDocument();
}

void FenAmeliorerBudgetController::start()
{
    m_titleTotal->setText(QStringLiteral("Total %1 mois").arg(m_nbMonth));
    m_buttonToutEcrire->setEnabled(true);
    if (table1())
        table1()->reloadData();
    adjustHeight(false);
    if (m_entries.isEmpty())
        Dialog::alerte(this, Dialog::keyString(emptyAlertKey()), QString(), QStringLiteral("echeancier_prev"), 1, {});
}

long FenAmeliorerBudgetController::nbEtoile(long nbMonth, long nbOperation)
{
    if (nbOperation < 1 || nbMonth < 1)
        return 1;
    const float r = float(nbOperation) / float(nbMonth);
    if (r >= 1)
        return 5;
    if (r >= 0.5F)
        return 4;
    if (r >= 0.25F)
        return 3;
    return double(r) >= 0.166 ? 2 : 1;
}

// ---------------------------------------------------------------------------------------------
// Rows

const BudgetProposal* FenAmeliorerBudgetController::entryAt(long row) const
{
    return row >= 0 && row < m_entries.size() ? &m_entries.at(row) : nullptr;
}

int FenAmeliorerBudgetController::numberOfRowsInTableView1(StdTableView*)
{
    return int(m_entries.size());
}

StdCell* FenAmeliorerBudgetController::viewForTableColumn1(StdTableView* table, int row)
{
    CellCompleterBudget& cell = fillCell(entryAt(row));
    QPushButton* button = cell.buttonWrite();
    button->setProperty("tag", row);
    button->setEnabled(entryAt(row) != nullptr);
    button->setVisible(table && table->isRowSelected(row));
    cell.getBgbox()->setFillColor(Qt::white);
    setFillBackground(&cell, table, row);
    return &cell;
}

QString FenAmeliorerBudgetController::posteName(long posteID) const
{
    const DOCUMENT* doc = document();
    return doc ? POSTE::getPosteNameNS(posteID, *doc) : QString();
}

void FenAmeliorerBudgetController::showMontant(QLabel* field, const MONTANT& montant) const
{
    const DOCUMENT* doc = document();
    // In the currency's own decimals, as its column's room is made: two decimals would round a
    // currency of thousandths' largest amount up to a figure wider than that room.
    field->setText(doc ? montantToStringForDevise(montant, devise(), &doc->deviseHdl, true) : QString());
    colorizeForMontant(field, montant);
}

// The fields both rows have; a row without a proposal shows question marks and no stars.
void FenAmeliorerBudgetController::fillCommon(CellCompleterBudget& cell, const BudgetProposal* entry) const
{
    if (!entry) {
        for (QLabel* field : {cell.poste(), cell.montant12mois(), cell.montantpropose(), cell.nbOperations()})
            field->setText(QStringLiteral("?"));
        cell.etoiles()->setPixmap(QPixmap());
        return;
    }
    cell.poste()->setText(posteName(entry->posteID));
    showMontant(cell.montant12mois(), entry->montant);
    showMontant(cell.montantpropose(), entry->montantprevision);
    cell.nbOperations()->setText(QString::number(entry->nb));
    cell.etoiles()->setPixmap(CellCompleterBudget::etoilesPicture(nbEtoile(m_nbMonth, entry->nb)));
}

int FenAmeliorerBudgetController::selectedRow() const
{
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    return rows.empty() ? -1 : int(*rows.begin());
}

// The write button is painted with its row, not live: a press on its place, on the selected
// row, presses it.
bool FenAmeliorerBudgetController::eventFilter(QObject* watched, QEvent* event)
{
    StdTableView* table = table1();
    if (event->type() == QEvent::MouseButtonPress && table && watched == table->viewport()) {
        const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
        const int row = table->rowAt(point.y());
        if (row >= 0 && row == selectedRow()) {
            const QRect rowRect = table->visualRect(table->model()->index(row, 0));
            auto* cell = static_cast<CellCompleterBudget*>(viewForTableColumn1(table, row));
            if (cell && cell->buttonRect(rowRect.height()).contains(point - rowRect.topLeft())) {
                ECRIRE(cell->buttonWrite());
                return true;
            }
        }
    }
    return StdWindowWithTableController::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Writing

void FenAmeliorerBudgetController::removeEntry(long row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    m_entries.removeAt(row);
    if (StdTableView* table = table1()) {
        table->GO(-1);
        table->reloadData();
    }
}

void FenAmeliorerBudgetController::showInEcheancier(long ident) const
{
    if (IWindowDoors* doors = windowDoors())
        doors->showPrevisionInEcheanciers(ident);
}

void FenAmeliorerBudgetController::ecrire(long row)
{
    const std::optional<Prevision> written = doEcrire(row, true);
    if (!written)
        return;
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::DID_CREATE_CHRONO);
    Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_didCreatePrevision")), written->name,
                   QStringLiteral("echeancier_prev"), 1, {});
}

void FenAmeliorerBudgetController::ECRIRE(QObject* sender)
{
    if (sender)
        ecrire(sender->property("tag").toLongLong());
}

void FenAmeliorerBudgetController::didDoubleClick1(QObject* sender)
{
    StdWindowWithTableController::didDoubleClick1(sender);
    if (entryAt(selectedRow()))
        ecrire(selectedRow());
}

// Every proposal without the editor, the first row each time; one that cannot be written stops
// the run, and the windows hear of what was written.
void FenAmeliorerBudgetController::TOUT_ECRIRE(QObject*)
{
    int answer = 0;
    Dialog::OKConfirmationWithDictionary(
        {{QStringLiteral("window"), QVariant::fromValue<QObject*>(this)},
         {QStringLiteral("title"), Dialog::keyString(QStringLiteral("kConfirm_createAllPrevision"))},
         {QStringLiteral("imageName"), QStringLiteral("echeancier_prev")},
         {QStringLiteral("escapeButton"), kAlertSecondButton}},
        [&answer](int code) { answer = code; });
    if (answer != kAlertFirstButton)
        return;
    const qsizetype count = m_entries.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (!doEcrire(0, false))
            break;
    }
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::DID_CREATE_CHRONO);
    Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_didCreateAllPrevision")), QString(),
                   QStringLiteral("echeancier_prev"), 1, {});
    m_buttonToutEcrire->setEnabled(false);
}

#include "transactions/FenShowRelevesController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdButton.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const QString kReleves = QStringLiteral("releves");
const QString kChoix = QStringLiteral("choix");

void appendSide(ShowReleveEntries& entries, const TRANSACT& transact, long compteID, long releveID, const DOCUMENT& doc)
{
    const TOOL* compte = releveID >= 0 ? TOOL::getTool(kToolCompte, compteID, &doc) : nullptr;
    long index = -1;
    if (compte && compte->findReleveID(releveID, &index))
        entries.append({*compte, *compte->releveAtIndex(index), index, transact});
}

} // namespace

ShowReleveEntries FenShowRelevesController::entriesForTransact(const TRANSACT& transact, const DOCUMENT& doc)
{
    ShowReleveEntries entries;
    appendSide(entries, transact, transact.who1, transact.releveID1, doc);
    appendSide(entries, transact, transact.who2, transact.releveID2, doc);
    return entries;
}

void FenShowRelevesController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenShowReleves"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenShowReleves_titre")));
    m_entries = getData() ? getData()->value(kReleves).value<ShowReleveEntries>() : ShowReleveEntries();
    auto* info = new QLabel(localizedAppl(QStringLiteral("FenShowReleves_info")), &window);
    info->setObjectName(QStringLiteral("field_info"));
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellShowReleves::kHeight);
    table->setMinimumSize(520, CellShowReleves::kHeight * 3);
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, ok, &QPushButton::click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(info);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
}

int FenShowRelevesController::numberOfRowsInTableView1(StdTableView*)
{
    return int(m_entries.size());
}

StdCell* FenShowRelevesController::viewForTableColumn1(StdTableView*, int row)
{
    if (row < 0 || row >= m_entries.size())
        return nullptr;
    const ShowReleveEntry& entry = m_entries.at(row);
    m_cell.fill(entry.compte.nom, entry.releve, row);
    return &m_cell;
}

QColor FenShowRelevesController::getPatColor1(int)
{
    return QColor(255, 255, 243);
}

void FenShowRelevesController::GOTO_RELEVE(QObject* sender)
{
    const QVariant tag = sender ? sender->property(kCellTag) : QVariant();
    const long row = tag.isValid() ? long(tag.toLongLong()) : -1;
    if (row < 0 || row >= m_entries.size())
        return;
    getData()->insert(kChoix, qlonglong(row));
    endModal(row);
}

void FenShowRelevesController::OUI(QObject*)
{
    endModal(-1);
}

// The rows are drawn, not live widgets: a press on a row's button is found by its place.
bool FenShowRelevesController::clickOnButton(const QPoint& viewportPoint)
{
    StdTableView* table = table1();
    const int row = table ? table->rowAt(viewportPoint.y()) : -1;
    if (row < 0 || !viewForTableColumn1(table, row))
        return false;
    const QRect rowRect = table->visualRect(table->model()->index(row, 0));
    if (!m_cell.buttonRectInRow(rowRect.size()).translated(rowRect.topLeft()).contains(viewportPoint))
        return false;
    GOTO_RELEVE(m_cell.buttonGotoReleve());
    return true;
}

bool FenShowRelevesController::eventFilter(QObject* watched, QEvent* event)
{
    StdTableView* table = table1();
    if (table && watched == table->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && clickOnButton(mouse->position().toPoint()))
            return true;
    }
    return StdWindowWithTableController::eventFilter(watched, event);
}

// The run's own code can't tell the first row from the close box (both 0): the choice is read
// from the window data, which only a row's button writes.
long showRelevesDialog(StdWindowController* parent, const ShowReleveEntries& entries)
{
    const WindowDataPtr data = makeWindowData({{kReleves, QVariant::fromValue(entries)}});
    StdWindowController::pushModal<FenShowRelevesController>(parent, data, MONTANT::currentDeviseSlot());
    return long(data->values.value(kChoix, qlonglong(-1)).toLongLong());
}

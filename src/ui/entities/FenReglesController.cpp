#include "entities/FenReglesController.h"

#include "entities/AskedRecord.h"
#include "entities/FenEditRegleController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "engines/RegleManager.h"
#include "foundation/IDesktop.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QHBoxLayout>

FenReglesController* FenReglesController::current()
{
    return qobject_cast<FenReglesController*>(EntityWindowRegistry::find(staticMetaObject));
}

FenReglesController* showRegles(bool appear)
{
    DOCUMENT* doc = currentDocument();
    if (!FenReglesController::current() && doc && doc->reglesArray.isEmpty())
        doc->reglesArray = RegleManager::sharedRegleManager().computeRegles(doc);
    return openEntityWindow<FenReglesController>(appear);
}

DOCUMENT* FenReglesController::doc() const
{
    return currentDocument();
}

long FenReglesController::regleCount() const
{
    return doc() ? long(doc()->reglesArray.size()) : 0;
}

void FenReglesController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenRegles"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenRegles_titre")));
    StdTableView* table = makeListTable(window, CellRegle::kHeight, 720, 6);
    auto* help = new PopHelp(&window);
    help->setObjectName(QStringLiteral("popHelp"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    addCommandButtons(*this, window, *buttons,
                      {{"FenRegles_monter", "MONTER:"},
                       {"FenRegles_descendre", "DESCENDRE:"},
                       {"FenRegles_supprimer_tout", "SUPPRIMERTOUT:"},
                       {"FenRegles_supprimer", "SUPPRIMER:"},
                       {"FenRegles_modifier", "MODIFIER:"},
                       {"FenRegles_nouveau", "NOUVEAU:"}},
                      true);
    layOutList(window, table, buttons);
}

void FenReglesController::didAwakeFromNib()
{
    EntityListWindow::didAwakeFromNib();
    if (auto* help = outlet<PopHelp>(QStringLiteral("popHelp"))) {
        help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_REGLES")));
        help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_REGLES")));
    }
}

int FenReglesController::numberOfRowsInTableView1(StdTableView*)
{
    return int(regleCount());
}

StdCell* FenReglesController::viewForTableColumn1(StdTableView*, int row)
{
    const REGLE* regle = doc() ? RegleManager::regleAtIndex(doc()->reglesArray, row) : nullptr;
    if (!regle)
        return nullptr;
    m_cell.fill(*regle, row, *doc());
    return &m_cell;
}

QColor FenReglesController::getPatColor1(int)
{
    return QColor::fromRgbF(0.8509804f, 0.9019608f, 0.9764706f, 1.0f);
}

bool FenReglesController::canDeleteSomething() const
{
    return selectedRow(1) >= 0;
}

void FenReglesController::reloadAndSelect(long row)
{
    table1()->reloadData();
    adjustHeight(false);
    if (row >= 0 && row < regleCount())
        table1()->GO(int(row));
    else
        table1()->clearSelection();
}

void FenReglesController::NOUVEAU(QObject*)
{
    if (!doc())
        return;
    REGLE regle = RegleManager::allocNewRegle(doc());
    if (!editRegle(this, regle, *doc()))
        return;
    doc()->reglesArray.prepend(regle);
    reloadAndSelect(0);
}

void FenReglesController::MODIFIER(QObject*)
{
    const int row = selectedRow(1);
    if (row < 0 || row >= regleCount())
        return;
    const REGLE asked = doc()->reglesArray.at(row);
    REGLE copy = asked.copyOfRegle();
    if (!editRegle(this, copy, *doc()))
        return;
    const qsizetype index = doc() ? askedRecordIndex(doc()->reglesArray, asked) : -1;
    if (index < 0)
        return;
    doc()->reglesArray[index] = copy;
    reloadAndSelect(index);
}

bool FenReglesController::confirm(const QString& key)
{
    return showAlert(this, localizedDialogue(key), QString(), localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                     localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), QString(), QStringLiteral("exporter"), 1,
                     kAlertFirstButton)
        == 1001;
}

// A rule has no ident: the answer removes the rules as they were when asked about, so one that an
// import learnt or changed meanwhile stays.
void FenReglesController::SUPPRIMER(QObject*)
{
    const int row = selectedRow(1);
    if (row < 0 || row >= regleCount())
        return;
    const REGLE asked = doc()->reglesArray.at(row);
    if (!confirm(QStringLiteral("kConfirm_SuppRegle")) || !doc())
        return;
    removeAskedRecords(doc()->reglesArray, {asked});
    reloadAndSelect(-1);
}

void FenReglesController::SUPPRIMERTOUT(QObject*)
{
    if (regleCount() == 0) {
        beep();
        return;
    }
    const RegleList asked = doc()->reglesArray;
    if (!confirm(QStringLiteral("kConfirm_SuppAllRegle")) || !doc())
        return;
    removeAskedRecords(doc()->reglesArray, asked);
    reloadAndSelect(-1);
}

void FenReglesController::move(int step)
{
    const int row = selectedRow(1);
    const int target = row + step;
    if (row < 0 || target < 0 || target >= regleCount()) {
        beep();
        return;
    }
    doc()->reglesArray.swapItemsAt(row, target);
    reloadAndSelect(target);
}

void FenReglesController::MONTER(QObject*)
{
    move(-1);
}

void FenReglesController::DESCENDRE(QObject*)
{
    move(1);
}

bool FenReglesController::deleteInTable(int)
{
    SUPPRIMER();
    return true;
}

void FenReglesController::editInTable(int)
{
    MODIFIER();
}

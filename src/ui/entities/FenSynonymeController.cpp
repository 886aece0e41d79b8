#include "entities/FenSynonymeController.h"

#include "entities/AskedRecord.h"
#include "entities/FenEditSynonymeController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/Synonyme.h"

#include <QHBoxLayout>
#include <QPushButton>

FenSynonymeController* FenSynonymeController::current()
{
    return qobject_cast<FenSynonymeController*>(EntityWindowRegistry::find(staticMetaObject));
}

FenSynonymeController* showSynonymes(bool appear)
{
    return openEntityWindow<FenSynonymeController>(appear);
}

DOCUMENT* FenSynonymeController::doc() const
{
    return currentDocument();
}

long FenSynonymeController::synonymeCount() const
{
    return doc() ? long(doc()->synonymeArray.size()) : 0;
}

void FenSynonymeController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenSynonyme"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenSynonyme_titre")));
    StdTableView* table = makeListTable(window, CellSynonyme::kHeight, 400, 6);
    auto* help = new PopHelp(&window);
    help->setObjectName(QStringLiteral("popHelp"));
    auto* nouveau = new PopFamilleSynonyme(&window);
    nouveau->setObjectName(QStringLiteral("pop_moyen"));
    nouveau->setTitle(localizedAppl(QStringLiteral("FenSynonyme_nouveau")));
    nouveau->setCanAutoSelect(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    addCommandButtons(*this, window, *buttons,
                      {{"FenSynonyme_supprimer", "SUPPRIMER:", "buttonSupprimer"},
                       {"FenSynonyme_modifier", "MODIFIER:", "buttonVoir"}});
    buttons->addWidget(nouveau);
    layOutList(window, table, buttons);
}

void FenSynonymeController::windowDidLoad()
{
    EntityListWindow::windowDidLoad();
    if (auto* help = outlet<PopHelp>(QStringLiteral("popHelp"))) {
        help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_SYNONYME")));
        help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_SYNONYME")));
    }
    updateButtons();
}

void FenSynonymeController::updateButtons()
{
    const bool selected = selectedRow(1) >= 0;
    for (const char* name : {"buttonSupprimer", "buttonVoir"}) {
        if (auto* button = outlet<QPushButton>(QString::fromLatin1(name)))
            button->setEnabled(selected);
    }
}

int FenSynonymeController::numberOfRowsInTableView1(StdTableView*)
{
    return int(synonymeCount());
}

StdCell* FenSynonymeController::viewForTableColumn1(StdTableView*, int row)
{
    const Synonyme* synonyme = doc() ? Synonyme::synonymeAtIndex(row, doc()->synonymeArray) : nullptr;
    if (!synonyme)
        return nullptr;
    m_cell.fill(*synonyme, *doc());
    return &m_cell;
}

QColor FenSynonymeController::getPatColor1(int)
{
    return QColor::fromRgbF(0.8509804f, 0.9019608f, 0.9764706f, 1.0f);
}

void FenSynonymeController::tableViewSelectionDidChange1()
{
    EntityListWindow::tableViewSelectionDidChange1();
    updateButtons();
}

bool FenSynonymeController::canDeleteSomething() const
{
    return selectedRow(1) >= 0;
}

void FenSynonymeController::reloadAndSelect(long row)
{
    table1()->reloadData();
    adjustHeight(false);
    if (row >= 0 && row < synonymeCount())
        table1()->GO(int(row));
    else
        table1()->clearSelection();
    updateButtons();
}

void FenSynonymeController::MOYEN(QObject* sender)
{
    if (!doc())
        return;
    Synonyme synonyme(Synonyme::newSynonymeIdent(doc()->synonymeArray));
    synonyme.family = int(StdMenu::tagOf(sender));
    if (!editSynonyme(this, synonyme, *doc()))
        return;
    reloadAndSelect(Synonyme::insertSynonyme(synonyme, doc()->synonymeArray));
}

void FenSynonymeController::MODIFIER(QObject*)
{
    const Synonyme* synonyme = doc() ? Synonyme::synonymeAtIndex(selectedRow(1), doc()->synonymeArray) : nullptr;
    if (!synonyme)
        return;
    const Synonyme asked = *synonyme;
    Synonyme copy = asked.copyOfSynonyme();
    if (!editSynonyme(this, copy, *doc()))
        return;
    const qsizetype row = askedRecordIndex(doc()->synonymeArray, asked);
    if (row < 0)
        return;
    Synonyme::unInsertSynonyme(row, doc()->synonymeArray);
    reloadAndSelect(Synonyme::insertSynonyme(copy, doc()->synonymeArray));
}

void FenSynonymeController::SUPPRIMER(QObject*)
{
    const Synonyme* synonyme = doc() ? Synonyme::synonymeAtIndex(selectedRow(1), doc()->synonymeArray) : nullptr;
    if (!synonyme)
        return;
    const Synonyme asked = *synonyme;
    const int code = showAlert(this, localizedDialogue(QStringLiteral("kConfirm_SuppSynonyme")), asked.nom,
                               localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                               localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), QString(),
                               QStringLiteral("renommer"), 1, kAlertFirstButton);
    const qsizetype row = doc() ? askedRecordIndex(doc()->synonymeArray, asked) : -1;
    if (code != 1001 || row < 0)
        return;
    Synonyme::unInsertSynonyme(row, doc()->synonymeArray);
    reloadAndSelect(-1);
}

bool FenSynonymeController::deleteInTable(int)
{
    SUPPRIMER();
    return true;
}

void FenSynonymeController::editInTable(int)
{
    MODIFIER();
}

#include "entities/FenMacroController.h"

#include "entities/AskedRecord.h"
#include "entities/FenEditMacroController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/tables/selectAfterDelete.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QHBoxLayout>

FenMacroController* FenMacroController::current()
{
    return qobject_cast<FenMacroController*>(EntityWindowRegistry::find(staticMetaObject));
}

FenMacroController* showMacros(bool appear)
{
    return openEntityWindow<FenMacroController>(appear);
}

DOCUMENT* FenMacroController::doc() const
{
    return currentDocument();
}

long FenMacroController::macroTotal() const
{
    return macroCount(getDocMacro(doc()));
}

void FenMacroController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenMacro"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenMacro_titre")));
    StdTableView* table = makeListTable(window, CellMacro::kHeight, 420, 6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addCommandButtons(
        *this, window, *buttons,
        {{"FenMacro_supprimer", "SUPPRIMER:"}, {"FenMacro_edit", "EDIT:"}, {"FenMacro_modifier", "MODIFIER:"}}, true);
    layOutList(window, table, buttons);
}

int FenMacroController::numberOfRowsInTableView1(StdTableView*)
{
    return int(macroTotal());
}

StdCell* FenMacroController::viewForTableColumn1(StdTableView*, int row)
{
    const MACRO* macro = macroAtIndex(getDocMacro(doc()), row);
    if (!macro)
        return nullptr;
    m_cell.fill(*macro, *doc());
    return &m_cell;
}

QColor FenMacroController::getPatColor1(int)
{
    return QColor::fromRgbF(0.8509804f, 0.9019608f, 0.9764706f, 1.0f);
}

bool FenMacroController::canDeleteSomething() const
{
    return selectedRow(1) >= 0;
}

void FenMacroController::reloadAndSelect(long row)
{
    table1()->reloadData();
    if (row >= 0 && row < macroTotal())
        table1()->GO(int(row));
    else
        table1()->clearSelection();
}

void FenMacroController::MODIFIER(QObject*)
{
    const MACRO* macro = macroAtIndex(getDocMacro(doc()), selectedRow(1));
    if (!macro)
        return;
    const MACRO asked = *macro;
    MACRO copy = copyOfMacro(asked);
    if (!editMacro(this, copy, selectedRow(1)))
        return;
    MacroList* macros = getDocMacro(doc());
    const qsizetype row = macros ? askedRecordIndex(*macros, asked) : -1;
    if (row < 0)
        return;
    macros->removeAt(row);
    const long index = findMacroInsertIndex(macros, copy);
    macros->insert(index, copy);
    reloadAndSelect(index);
}

long FenMacroController::saisieCompte(const TRANSACT& model, const DOCUMENT& doc)
{
    if (TOOL::compteIDBelongToUser(model.who1, &doc))
        return model.who1;
    if (TOOL::compteIDBelongToUser(model.who2, &doc))
        return model.who2;
    return -1;
}

// The entry window edits a copy of the template, which goes back to the macro wherever it is then.
void FenMacroController::EDIT(QObject*)
{
    const MACRO* macro = macroAtIndex(getDocMacro(doc()), selectedRow(1));
    if (!macro || !macro->transact)
        return;
    const MACRO asked = *macro;
    TRANSACT model = *asked.transact;
    SaisieRequest request;
    request.fam = model.moyen;
    request.synonymeID = model.synonymeID;
    request.ident = saisieCompte(model, *doc());
    request.editObj = &model;
    request.macro = &asked;
    request.text = asked.nom;
    if (IWindowDoors* doors = windowDoors())
        doors->openSaisie(nullptr, request);
    MacroList* macros = getDocMacro(doc());
    const qsizetype row = macros ? askedRecordIndex(*macros, asked) : -1;
    if (row >= 0)
        (*macros)[row].transact = model;
    reloadAndSelect(row);
}

void FenMacroController::SUPPRIMER(QObject*)
{
    const MACRO* macro = macroAtIndex(getDocMacro(doc()), selectedRow(1));
    if (!macro)
        return;
    const MACRO asked = *macro;
    const int code = showAlert(this, localizedDialogue(QStringLiteral("kConfirm_SuppMacro")), asked.nom,
                               localizedDialogue(QStringLiteral("LIB_BUTTON_NON")),
                               localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")), QString(), QStringLiteral("photo"),
                               1, kAlertFirstButton);
    const MacroList* macros = getDocMacro(doc());
    const qsizetype row = macros ? askedRecordIndex(*macros, asked) : -1;
    if (code != 1001 || row < 0)
        return;
    const int oldCount = int(macroTotal());
    deleteMacroAtIndex(row, doc());
    reloadAndSelect(selectAfterDelete(int(row), oldCount));
}

void FenMacroController::NOTIFY_NEW_MACRO(const QVariant& index, const QVariant&)
{
    table1()->reloadData();
    adjustHeight(false);
    reloadAndSelect(long(index.toLongLong()));
}

bool FenMacroController::deleteInTable(int)
{
    SUPPRIMER();
    return true;
}

void FenMacroController::editInTable(int)
{
    MODIFIER();
}

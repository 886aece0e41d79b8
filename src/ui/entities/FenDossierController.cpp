#include "entities/FenDossierController.h"

#include "entities/FenAskSubstDossierController.h"
#include "entities/FenAskSubstPosteController.h"
#include "entities/FenDossierActions.h"
#include "entities/FenEditPosteController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/tables/selectAfterDelete.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GRAPH.h"
#include "model/ReferencePasses.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QVariant identArg(long ident)
{
    return QVariant::fromValue<qlonglong>(ident);
}

} // namespace

FenDossierController* FenDossierController::current()
{
    return qobject_cast<FenDossierController*>(EntityWindowRegistry::find(staticMetaObject));
}

FenDossierController* showDossiers(bool appear)
{
    return openEntityWindow<FenDossierController>(appear);
}

DOCUMENT* FenDossierController::doc() const
{
    return currentDocument();
}

// ---------------------------------------------------------------------------------------------
// The window

void FenDossierController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenDossier"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenDossier_titre")));
    StdTableView* dossiers = makeListTable(window, CellPoste::kHeight, 300, 8, "table1");
    StdTableView* postes = makeListTable(window, CellPoste::kHeight, 300, 8, "table2");
    postes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto column = [this, &window](StdTableView* table, std::initializer_list<ListCommand> commands) {
        auto* buttons = new QHBoxLayout;
        for (QPushButton* b : addCommandButtons(*this, window, *buttons, commands, true))
            m_buttons.insert(StdActionDispatcher::actionOf(b), b);
        buttons->addStretch();
        auto* box = new QVBoxLayout;
        box->addWidget(table, 1);
        box->addLayout(buttons);
        return box;
    };
    const auto dossierCommands
        = {ListCommand {"FenDossier_creer", "CREER_DOSSIER:"}, ListCommand {"FenDossier_modifier", "VOIR_DOSSIER:"},
           ListCommand {"FenDossier_supprimer", "SUPPRIMER_DOSSIER:"},
           ListCommand {"FenDossier_listing", "LISTING_DOSSIER:"}, ListCommand {"FenDossier_graphique", "GRAPHIQUED:"}};
    const auto posteCommands
        = {ListCommand {"FenDossier_creer", "CREER_POSTE:"}, ListCommand {"FenDossier_modifier", "VOIR_POSTE:"},
           ListCommand {"FenDossier_supprimer", "SUPPRIMER_POSTE:"},
           ListCommand {"FenDossier_listing", "LISTING_POSTE:"}, ListCommand {"FenDossier_graphique", "GRAPHIQUE:"}};
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(column(dossiers, dossierCommands), 1);
    layout->addLayout(column(postes, posteCommands), 1);
}

void FenDossierController::didAwakeFromNib()
{
    _myPosteList.clear();
    EntityListWindow::didAwakeFromNib();
    updateButtons();
}

void FenDossierController::windowWillClose()
{
    _myPosteList.clear();
    EntityListWindow::windowWillClose();
}

void FenDossierController::updateButtons()
{
    const bool dossier = selectedDossierID() >= 0;
    const bool poste = !selectedPosteIDs().isEmpty();
    const std::pair<const char*, bool> enabled[] = {
        {"VOIR_DOSSIER:", dossier}, {"SUPPRIMER_DOSSIER:", dossier}, {"LISTING_DOSSIER:", dossier},
        {"CREER_POSTE:", dossier},  {"VOIR_POSTE:", poste},          {"SUPPRIMER_POSTE:", poste},
        {"LISTING_POSTE:", poste},  {"GRAPHIQUED:", dossier},        {"GRAPHIQUE:", poste},
    };
    for (const auto& [action, on] : enabled) {
        if (QPushButton* b = m_buttons.value(QString::fromLatin1(action)))
            b->setEnabled(on);
    }
}

// ---------------------------------------------------------------------------------------------
// Rows

const DOSSIER* FenDossierController::dossierAtRow(int row) const
{
    return doc() ? DOSSIER::dossierAtIndex(doc()->dossierHdl, row) : nullptr;
}

long FenDossierController::selectedDossierID() const
{
    const DOSSIER* dossier = dossierAtRow(selectedRow(1));
    return dossier ? dossier->ident : -1;
}

QList<long> FenDossierController::selectedPosteIDs() const
{
    QList<long> idents;
    if (!table2())
        return idents;
    for (int row : table2()->selectedRowIndexes()) {
        if (row < _myPosteList.size())
            idents << _myPosteList[row];
    }
    return idents;
}

int FenDossierController::numberOfRowsInTableView1(StdTableView*)
{
    return doc() ? int(doc()->dossierHdl.size()) : 0;
}

int FenDossierController::numberOfRowsInTableView2(StdTableView*)
{
    return int(_myPosteList.size());
}

StdCell* FenDossierController::viewForTableColumn1(StdTableView*, int row)
{
    const DOSSIER* dossier = dossierAtRow(row);
    if (!dossier)
        return nullptr;
    m_cellDossier.fill(dossier->nom, PopPoste::dossierImage(*dossier), dossier->permanent,
                       dossier->ident == DOCPARAM::getDefaultDossier(doc()));
    m_cellDossier.setCount(POSTE::countPosteInDossier(doc()->posteHdl, dossier->ident));
    return &m_cellDossier;
}

StdCell* FenDossierController::viewForTableColumn2(StdTableView*, int row)
{
    if (row < 0 || row >= _myPosteList.size() || !doc())
        return nullptr;
    const POSTE* poste = POSTE::posteWithIdent(_myPosteList[row], *doc());
    if (!poste) {
        m_cellPoste.fill(QStringLiteral("?"), StdPopUp::itemImage(QStringLiteral("poste")), false, false);
        return &m_cellPoste;
    }
    m_cellPoste.fill(poste->nom, PopPoste::posteImage(*poste), poste->permanent,
                     poste->ident == DOCPARAM::getDefaultPoste(doc()));
    return &m_cellPoste;
}

QColor FenDossierController::getPatColor1(int)
{
    return QColor::fromRgbF(1.0f, 0.9372549f, 0.9019608f, 0.5f);
}

QColor FenDossierController::getPatColor2(int)
{
    return QColor::fromRgbF(1.0f, 0.92156863f, 0.95686275f, 1.0f);
}

// ---------------------------------------------------------------------------------------------
// Selection

int FenDossierController::COMPUTE_POSTE(long posteID)
{
    const long dossierID = selectedDossierID();
    _myPosteList = dossierID >= 0 && doc() ? postesOfDossier(dossierID, *doc()) : QList<long>();
    const qsizetype row = _myPosteList.indexOf(posteID);
    return row < 0 ? 0 : int(row);
}

void FenDossierController::tableViewSelectionDidChange1()
{
    EntityListWindow::tableViewSelectionDidChange1();
    if (table2()) {
        table2()->clearSelection();
        COMPUTE_POSTE(0);
        table2()->reloadData();
    }
    adjustHeight(false);
    updateButtons();
}

void FenDossierController::tableViewSelectionDidChange2()
{
    EntityListWindow::tableViewSelectionDidChange2();
    if (selectedPosteIDs().isEmpty() && table1() && table2() && table2()->hasFocus())
        table1()->setFocus();
    updateButtons();
}

void FenDossierController::selectDossierRow(int row)
{
    table1()->reloadData();
    if (row >= 0 && row < numberOfRowsInTableView1(table1()))
        table1()->GO(row);
    else
        table1()->clearSelection();
    tableViewSelectionDidChange1();
}

void FenDossierController::GO_TO_POSTE(long posteID)
{
    const POSTE* poste = doc() ? POSTE::posteWithIdent(posteID, *doc()) : nullptr;
    long dossierRow = 0;
    if (!poste || !DOSSIER::findDossier(poste->dossierID, &dossierRow, doc()->dossierHdl))
        return;
    selectDossierRow(int(dossierRow));
    COMPUTE_POSTE(posteID);
    const qsizetype row = _myPosteList.indexOf(posteID);
    if (row < 0)
        return;
    table2()->reloadData();
    table2()->GO(int(row));
    table2()->setFocus();
}

bool FenDossierController::doChercherPoste(QChar typed)
{
    int row = -1;
    if (!doc() || !chercherPosteRow(typed, _myPosteList, *doc(), &row))
        return false;
    table2()->setFocus();
    if (row >= 0)
        table2()->GO(row);
    else
        table2()->clearSelection();
    return true;
}

bool FenDossierController::didKeyDown1(int key)
{
    return doChercherPoste(QChar(key));
}

bool FenDossierController::didKeyDown2(int key)
{
    return doChercherPoste(QChar(key));
}

bool FenDossierController::canSelectAllSomething() const
{
    return focusedTable() == 2 && !_myPosteList.isEmpty();
}

void FenDossierController::selectAll(QObject*)
{
    if (canSelectAllSomething())
        table2()->selectAll();
}

// ---------------------------------------------------------------------------------------------
// Creating and editing

void FenDossierController::broadcastChange()
{
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::REBUILD_LIST);
}

void FenDossierController::CREER_DOSSIER(QObject*)
{
    long row = -1;
    if (!doc() || createDossierWithDialog(this, *doc(), &row) < 0)
        return;
    selectDossierRow(int(row));
    sendToAllWindowDelegates(Sel::REBUILD_LIST);
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
}

void FenDossierController::CREER_POSTE(QObject*)
{
    const long dossierID = selectedDossierID();
    if (dossierID < 0)
        return;
    const long ident = createPosteWithDialog(this, dossierID, *doc());
    if (ident < 0)
        return;
    table1()->SMART_RELOAD();
    GO_TO_POSTE(ident);
    broadcastChange();
}

void FenDossierController::VOIR_DOSSIER(QObject*)
{
    const DOSSIER* dossier = dossierAtRow(selectedRow(1));
    if (!dossier)
        return;
    DOSSIER copy = dossier->copyOfDossier();
    long index = 0;
    if (!editDossierModal(this, copy, *doc()) || !DOSSIER::findDossier(copy.ident, &index, doc()->dossierHdl))
        return;
    DOSSIER::unInsertDossier(index, doc()->dossierHdl);
    selectDossierRow(int(DOSSIER::insertDossier(copy, doc()->dossierHdl)));
    broadcastChange();
}

void FenDossierController::VOIR_POSTE(QObject*)
{
    const QList<long> idents = selectedPosteIDs();
    long index = 0;
    if (idents.isEmpty() || !POSTE::findPoste(idents.first(), &index, doc()->posteHdl))
        return;
    POSTE copy = doc()->posteHdl.at(index).copyOfPoste();
    if (!editPosteModal(this, copy, *doc()) || !POSTE::findPoste(copy.ident, &index, doc()->posteHdl))
        return;
    POSTE::unInsertPoste(index, doc()->posteHdl);
    POSTE::insertPoste(copy, doc()->posteHdl);
    GO_TO_POSTE(copy.ident);
    sendToAllWindowDelegates(Sel::didChangePoste, identArg(copy.ident));
    broadcastChange();
}

void FenDossierController::LISTING_DOSSIER(QObject*)
{
    const long dossierID = selectedDossierID();
    if (IWindowDoors* doors = windowDoors(); doors && dossierID >= 0)
        doors->openEntityListing(EntityListing::Dossier, *doc(), dossierID, devise(), true);
}

void FenDossierController::LISTING_POSTE(QObject*)
{
    const QList<long> idents = selectedPosteIDs();
    if (IWindowDoors* doors = windowDoors(); doors && !idents.isEmpty())
        doors->openEntityListing(EntityListing::Poste, *doc(), idents.first(), devise(), true);
}

void FenDossierController::GRAPHIQUE(QObject*)
{
    const QList<long> idents = selectedPosteIDs();
    if (IWindowDoors* doors = windowDoors(); doors && !idents.isEmpty())
        doors->openGraphique(this, kGraphModePoste, idents.first(), *doc(), devise());
}

void FenDossierController::GRAPHIQUED(QObject*)
{
    const long dossierID = selectedDossierID();
    if (IWindowDoors* doors = windowDoors(); doors && dossierID >= 0)
        doors->openGraphique(this, kGraphModeDossier, dossierID, *doc(), devise());
}

void FenDossierController::editInTable(int table)
{
    if (table == 1)
        LISTING_DOSSIER();
    else
        LISTING_POSTE();
}

// ---------------------------------------------------------------------------------------------
// Deleting

bool FenDossierController::confirm(const QString& key, const QString& information, const QString& imageName)
{
    bool confirmed = false;
    Dialog::undoConfirmationWithDictionary({{QStringLiteral("window"), QVariant::fromValue<QObject*>(this)},
                                            {QStringLiteral("title"), localizedDialogue(key)},
                                            {QStringLiteral("information"), information},
                                            {QStringLiteral("imageName"), imageName},
                                            {QStringLiteral("escapeButton"), kAlertFirstButton}},
                                           [&confirmed](int code) { confirmed = code != 1000; });
    return confirmed;
}

void FenDossierController::refuse(const char* key, const QString& imageName)
{
    showAlertOK(this, localizedDialogue(QString::fromLatin1(key)), QString(), imageName, 1);
}

void FenDossierController::SUPPRIMER_POSTE(QObject*)
{
    SUPPRIMER_POSTE_NOCONFIRM(false);
}

int FenDossierController::dossierRow(long dossierID) const
{
    long row = -1;
    return doc() && DOSSIER::findDossier(dossierID, &row, doc()->dossierHdl) ? int(row) : -1;
}

bool FenDossierController::refusesPostes(const QList<long>& posteIDs)
{
    if (!posteIDs.contains(DOCPARAM::getDefaultPoste(doc())))
        return false;
    refuse("kAlerte_CannotDeleteDefaultPoste", QStringLiteral("poste"));
    return true;
}

bool FenDossierController::refusesDossier(long dossierID)
{
    const char* refusal = nullptr;
    if (dossierID == DOCPARAM::getDefaultDossier(doc()))
        refusal = "kAlerte_CannotDeleteDefaultDossier";
    else if (POSTE::posteIDBelongsToDossierID(DOCPARAM::getDefaultPoste(doc()), dossierID, *doc()))
        refusal = "kAlerte_CannotDeleteDefaultPosteOwner";
    if (refusal)
        refuse(refusal, QStringLiteral("dossier"));
    return refusal != nullptr;
}

// The categories are taken by ident as the question is asked. The other windows go on while a
// question is up, so after each answer the deletion goes on with those the document still has,
// judged again: refused, or in use and so needing a replacement that must still exist.
void FenDossierController::SUPPRIMER_POSTE_NOCONFIRM(bool noConfirm)
{
    const long dossierID = selectedDossierID();
    QList<long> idents = selectedPosteIDs();
    if (idents.isEmpty() || !doc() || refusesPostes(idents))
        return;
    if (!noConfirm && !confirm(QStringLiteral("kConfirm_SuppPoste"), QString(), QStringLiteral("poste")))
        return;
    idents = existingPostes(idents, *doc());
    if (idents.isEmpty() || refusesPostes(idents))
        return;
    if (anyPosteUsed(idents, *doc())) {
        long replacement = -1;
        if (isClosed() || !askSubstPoste(this, idents, &replacement))
            return;
        idents = existingPostes(idents, *doc());
        if (idents.isEmpty() || idents.contains(replacement) || !POSTE::posteWithIdent(replacement, *doc()))
            return;
        for (long ident : idents)
            replacePosteEverywhere(ident, doc(), replacement, nullptr);
    }
    for (long ident : idents)
        sendToAllWindowDelegates(Sel::notifyPosteDeleted, identArg(ident), QVariant::fromValue<QObject*>(this));
    supprimerPostes(idents, -1, *doc());
    selectDossierRow(dossierRow(dossierID));
    broadcastChange();
}

// A folder that gained a category while the question was up is deleted only once a replacement
// takes it in: the user never asked about that category.
void FenDossierController::SUPPRIMER_DOSSIER(QObject*)
{
    const DOSSIER* found = dossierAtRow(selectedRow(1));
    if (!found || refusesDossier(found->ident))
        return;
    const DOSSIER dossier = *found;
    const QList<long> postesAsked = postesOfDossier(dossier.ident, *doc());
    if (!confirm(QStringLiteral("kConfirm_SuppDossier"), dossier.nom, QStringLiteral("dossier")))
        return;
    if (dossierRow(dossier.ident) < 0 || refusesDossier(dossier.ident))
        return;
    const QList<long> postes = postesOfDossier(dossier.ident, *doc());
    const bool gained = std::any_of(postes.begin(), postes.end(), [&](long p) { return !postesAsked.contains(p); });
    long replacement = -1;
    if (replaceDossierEverywhere(dossier.ident, doc(), -1, nullptr) || gained) {
        if (isClosed() || !askSubstDossier(this, dossier.ident, &replacement))
            return;
    } else {
        for (long ident : postes)
            sendToAllWindowDelegates(Sel::notifyPosteDeleted, identArg(ident), QVariant::fromValue<QObject*>(this));
    }
    const int row = dossierRow(dossier.ident);
    const int oldCount = numberOfRowsInTableView1(table1());
    if (!supprimerDossier(dossier.ident, replacement, *doc()))
        return;
    broadcastChange();
    selectDossierRow(selectAfterDelete(row, oldCount));
}

bool FenDossierController::delete_(QObject*)
{
    if (focusedTable() == 1) {
        SUPPRIMER_DOSSIER();
        return true;
    }
    if (selectedPosteIDs().isEmpty())
        return false;
    SUPPRIMER_POSTE();
    return true;
}

bool FenDossierController::deleteInTable(int table)
{
    if (table == 1)
        SUPPRIMER_DOSSIER();
    else
        SUPPRIMER_POSTE();
    return true;
}

bool FenDossierController::canDeleteSomething() const
{
    return selectedRow(1) >= 0 || selectedRow(2) >= 0;
}

// ---------------------------------------------------------------------------------------------
// Moving categories by drag and drop

bool FenDossierController::validateDrop(long row)
{
    return dossierAtRow(int(row)) != nullptr && !selectedPosteIDs().isEmpty();
}

// Analyses and the schedules list group by folder: they hear of the move as of an edit.
void FenDossierController::dragRowsFromIndexes(const IndexSet& indexes, long toIndex)
{
    const DOSSIER* target = dossierAtRow(int(toIndex));
    if (!target)
        return;
    QList<long> idents;
    for (int row : indexes) {
        if (row < _myPosteList.size())
            idents << _myPosteList[row];
    }
    if (movePostesToDossier(idents, target->ident, *doc()) == 0)
        return;
    selectDossierRow(int(toIndex));
    broadcastChange();
}

// ---------------------------------------------------------------------------------------------
// Broadcasts

void FenDossierController::preferencesDidChange(const QVariant& arg1, const QVariant& arg2)
{
    const int posteRow = selectedRow(2);
    table1()->SMART_RELOAD();
    table2()->reloadData();
    if (posteRow >= 0)
        table2()->GO(posteRow);
    EntityListWindow::preferencesDidChange(arg1, arg2);
}

#include "entities/FenBanqueController.h"

#include "entities/FenBanqueActions.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/popups/PopCategorie.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/tables/selectAfterDelete.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "foundation/IDesktop.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GRAPH.h"
#include "model/ITransactionWindows.h"
#include "model/ReferencePasses.h"
#include "model/TOOL.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The banks a window of any frame shows without scrolling; more scroll.
constexpr int kBanquesAlwaysShown = 8;

QVariant identArg(long ident)
{
    return QVariant::fromValue<qlonglong>(ident);
}

} // namespace

void PopupBanqueDevise::FILL_MENU()
{
    const QString action = QStringLiteral("MULTIDEVISE:");
    addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("kBanqueDeviseDefault")), action, QStringLiteral("devise"),
                  true, 0);
    addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("kBanqueDeviseNative")), action, QStringLiteral("devise"),
                  true, 1);
}

FenBanqueController* FenBanqueController::current()
{
    return qobject_cast<FenBanqueController*>(EntityWindowRegistry::find(staticMetaObject));
}

FenBanqueController* showBanques(bool appear, long devise)
{
    return openEntityWindow<FenBanqueController>(appear, devise);
}

DOCUMENT* FenBanqueController::doc() const
{
    return currentDocument();
}

const ToolNodeList& FenBanqueController::arrayOfBanques() const
{
    return toolTree(doc());
}

const ToolNodeList* FenBanqueController::arrayOfComptes() const
{
    long row = -1;
    if (m_banqueShown < 0 || !findTool(&arrayOfBanques(), m_banqueShown, &row))
        return nullptr;
    return toolIndexToList(&arrayOfBanques(), int(row));
}

// ---------------------------------------------------------------------------------------------
// The window

void FenBanqueController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenBanque"));
    StdTableView* banques = makeListTable(window, CellTool::kHeight, 380, 4, "table1");
    StdTableView* comptes = makeListTable(window, CellTool::kHeight, 380, int(minimumOfVisibleRows()), "table2");
    comptes->setMinimumHeight(comptes->minimumHeight() + 2 * comptes->frameWidth()); // its rows inside its frame
    comptes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto commands = [this, &window](QHBoxLayout& row, std::initializer_list<ListCommand> list) {
        for (QPushButton* b : addCommandButtons(*this, window, row, list, true))
            m_buttons.insert(StdActionDispatcher::actionOf(b), b);
    };
    // Its items are the bank types; it shows no choice, only what it creates.
    m_popCategorieD = new PopCategorie(&window);
    m_popCategorieD->setObjectName(QStringLiteral("pop_categorieD"));
    m_popCategorieD->setTitle(localizedAppl(QStringLiteral("Banques_creer_banque")));
    m_popCategorieD->setCanAutoSelect(false);
    m_butMultidevise = new PopupBanqueDevise(&window);
    m_butMultidevise->setObjectName(QStringLiteral("butMultidevise"));
    m_butMultidevise->setTitle(localizedAppl(QStringLiteral("kBanqueDeviseTitle")));
    auto* bankButtons = new QHBoxLayout;
    bankButtons->addWidget(m_popCategorieD);
    commands(*bankButtons,
             {{"Banques_modifier_banque", "VOIRB:"},
              {"Banques_supprimer_banque", "SUPPRIMERB:"},
              {"Banques_graphique", "GRAPHIQUEB:"}});
    bankButtons->addStretch();
    bankButtons->addWidget(m_butMultidevise);
    auto* accountButtons = new QHBoxLayout;
    commands(*accountButtons,
             {{"Banques_creer_compte", "CREERC:"},
              {"Banques_modifier_compte", "VOIRC:"},
              {"Banques_supprimer_compte", "SUPPRIMERC:"},
              {"Banques_releve", "RELEVE:"},
              {"Banques_solde_initial", "SOLDE_INITIAL:"},
              {"Banques_chequier", "CHEQUIER:"},
              {"Banques_graphique", "GRAPHIQUE:"}});
    accountButtons->addStretch();

    auto named = [](QLabel* l, const char* name) {
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    m_fieldBalance = named(new FigureLabel(&window), "fieldBalance");
    m_titreActif = named(new QLabel(&window), "titreActif");
    m_titreActif->setText(localizedAppl(QStringLiteral("Banques_actif")));
    m_fieldActif = named(new FigureLabel(&window), "fieldActif");
    m_fieldTotalTitle = named(new QLabel(&window), "fieldTotalTitle");
    m_fieldTotalTitle->setText(localizedAppl(QStringLiteral("Banques_total")));
    m_fieldTotal = named(new FigureLabel(&window), "fieldTotal");
    auto* pied = new QGridLayout;
    pied->addWidget(m_fieldBalance, 0, 0, 1, 2);
    pied->addWidget(m_titreActif, 1, 0);
    pied->addWidget(m_fieldActif, 1, 1, Qt::AlignRight);
    pied->addWidget(m_fieldTotalTitle, 2, 0);
    pied->addWidget(m_fieldTotal, 2, 1, Qt::AlignRight);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(bankButtons);
    layout->addWidget(banques, 1);
    layout->addLayout(accountButtons);
    layout->addWidget(comptes, 2);
    layout->addLayout(pied);
}

void FenBanqueController::didAwakeFromNib()
{
    m_banqueShown = -1;
    if (const DOCPARAM* param = getDocParam(doc())) {
        m_butMultidevise->setSelectedTag(param->multidevise ? 1 : 0);
        m_butMultidevise->SELECT_ITEM_WITH_TAG(param->multidevise ? 1 : 0);
    }
    UPDATE_TITLE();
    keepBanquesInSight();
    m_popCategorieD->setSelectedTag(-1);
    m_canInit = m_onUser = false;
    EntityListWindow::didAwakeFromNib();
    INVAL_PIED();
    updateButtons();
    shareHeightAsRowsWant();
}

void FenBanqueController::windowWillClose()
{
    m_banqueShown = -1;
    EntityListWindow::windowWillClose();
}

void FenBanqueController::UPDATE_TITLE()
{
    const DOCUMENT* document = doc();
    const QString name = document ? QFileInfo(document->documentUrl).completeBaseName() : QString();
    if (StdWindow* w = windowIfLoaded())
        w->setWindowTitle(QStringLiteral("%1 (%2)").arg(localizedAppl(QStringLiteral("Banques_title")), name));
}

// ---------------------------------------------------------------------------------------------
// Rows

const TOOL* FenBanqueController::banqueAtRow(int row) const
{
    return toolIndexToTool(&arrayOfBanques(), kToolBanque, row, doc());
}

const TOOL* FenBanqueController::compteAtRow(int row) const
{
    const ToolNodeList* comptes = arrayOfComptes();
    return comptes ? toolIndexToTool(comptes, kToolCompte, row, doc()) : nullptr;
}

long FenBanqueController::selectedBanqueID() const
{
    return toolIndexToIdent(&arrayOfBanques(), selectedRow(1));
}

QList<long> FenBanqueController::selectedCompteIDs() const
{
    QList<long> idents;
    const ToolNodeList* comptes = arrayOfComptes();
    if (!comptes || !table2())
        return idents;
    for (int row : table2()->selectedRowIndexes()) {
        if (const long ident = toolIndexToIdent(comptes, row); ident >= 0)
            idents << ident;
    }
    return idents;
}

int FenBanqueController::numberOfRowsInTableView1(StdTableView*)
{
    return int(nbTools(&arrayOfBanques()));
}

int FenBanqueController::numberOfRowsInTableView2(StdTableView*)
{
    const ToolNodeList* comptes = arrayOfComptes();
    return comptes ? int(nbTools(comptes)) : 0;
}

long FenBanqueController::displayDevise(const TOOL& tool) const
{
    return m_butMultidevise && m_butMultidevise->getSelectedTag() == 1 ? tool.devise : devise();
}

bool FenBanqueController::isLockedCompte(long ident) const
{
    const DOCPARAM* param = getDocParam(doc());
    return ident == kCompteInitialisationID
        || (param && (ident == param->defaultCompte || ident == param->defaultCompteHistorique));
}

StdCell* FenBanqueController::viewForTableColumn1(StdTableView*, int row)
{
    const TOOL* banque = banqueAtRow(row);
    if (!banque)
        return nullptr;
    m_cellBanque.fill(*banque, displayDevise(*banque), *doc());
    return &m_cellBanque;
}

StdCell* FenBanqueController::viewForTableColumn2(StdTableView*, int row)
{
    const TOOL* compte = compteAtRow(row);
    if (!compte)
        return nullptr;
    m_cellCompte.fill(*compte, displayDevise(*compte), *doc());
    m_cellCompte.setLocked(isLockedCompte(compte->ident));
    return &m_cellCompte;
}

QColor FenBanqueController::getPatColor1(int row)
{
    const TOOL* banque = banqueAtRow(row);
    const std::optional<SVColor> pattern = banque ? banque->getToolPattern(doc()) : std::nullopt;
    return pattern ? QColor::fromRgbF(float(pattern->red), float(pattern->green), float(pattern->blue)) : QColor();
}

QColor FenBanqueController::getPatColor2(int row)
{
    const TOOL* compte = compteAtRow(row);
    const std::optional<SVColor> pattern = compte ? compte->getToolPattern(doc()) : std::nullopt;
    return pattern ? QColor::fromRgbF(float(pattern->red), float(pattern->green), float(pattern->blue)) : QColor();
}

// ---------------------------------------------------------------------------------------------
// Selection

void FenBanqueController::showComptesOfSelectedBanque()
{
    const int row = selectedRow(1);
    m_banqueShown = toolIndexToIdent(&arrayOfBanques(), row);
    if (table2()) {
        table2()->clearSelection();
        table2()->reloadData();
    }
    COMPUTE_TOTAL();
    updateButtons();
}

// Whatever frame the window is given back, its banks show (up to a few of them, the rest
// scrolling): the accounts' list, empty until a bank is chosen, gives up its room first.
void FenBanqueController::tableDidReloadData(StdTableView* table)
{
    EntityListWindow::tableDidReloadData(table);
    if (table && table == table1())
        keepBanquesInSight();
}

void FenBanqueController::keepBanquesInSight()
{
    StdTableView* banques = table1();
    const int rows = std::clamp(numberOfRowsInTableView1(banques), int(minimumOfVisibleRows()), kBanquesAlwaysShown);
    banques->setMinimumHeight(rows * banques->uniformRowHeight() + 2 * banques->frameWidth());
}

void FenBanqueController::tableViewSelectionDidChange1()
{
    EntityListWindow::tableViewSelectionDidChange1();
    showComptesOfSelectedBanque();
    adjustHeight(false);
}

void FenBanqueController::tableViewSelectionDidChange2()
{
    EntityListWindow::tableViewSelectionDidChange2();
    const QList<long> idents = selectedCompteIDs();
    const TOOL* compte = idents.size() == 1 ? TOOL::getTool(kToolCompte, idents.first(), doc()) : nullptr;
    if (!compte) {
        if (table1() && table2() && table2()->hasFocus())
            table1()->setFocus();
        m_canInit = m_onUser = false;
        updateButtons();
        return;
    }
    int bType = kBanqueUser;
    compte->compteToBType(&bType, doc());
    m_canInit = !compte->inited && bType != kBanqueTiers;
    m_onUser = bType == kBanqueUser;
    updateButtons();
}

void FenBanqueController::updateButtons()
{
    const bool banque = selectedRow(1) >= 0;
    const bool compte = singleSelectedCompteID() >= 0;
    const std::pair<const char*, bool> enabled[] = {
        {"VOIRB:", banque},
        {"SUPPRIMERB:", banque},
        {"CREERC:", banque},
        {"VOIRC:", compte},
        {"SUPPRIMERC:", !selectedCompteIDs().isEmpty()},
        {"RELEVE:", compte},
        {"SOLDE_INITIAL:", m_canInit},
        {"CHEQUIER:", m_onUser},
        {"GRAPHIQUE:", compte},
        {"GRAPHIQUEB:", banque},
    };
    for (const auto& [action, on] : enabled) {
        if (QPushButton* b = m_buttons.value(QString::fromLatin1(action)))
            b->setEnabled(on);
    }
}

void FenBanqueController::selectBanqueID(long ident)
{
    long row = -1;
    if (!findTool(&arrayOfBanques(), ident, &row))
        row = -1;
    table1()->reloadData();
    if (row >= 0)
        table1()->GO(int(row));
    else
        table1()->clearSelection();
    showComptesOfSelectedBanque();
}

long FenBanqueController::singleSelectedCompteID() const
{
    const QList<long> idents = selectedCompteIDs();
    return idents.size() == 1 ? idents.first() : -1;
}

void FenBanqueController::selectComptesInArray(const QList<long>& compteIDs)
{
    table2()->clearSelection();
    const ToolNodeList* comptes = arrayOfComptes();
    if (!comptes)
        return;
    for (long ident : compteIDs) {
        long row = 0;
        if (findTool(comptes, ident, &row))
            table2()->selectionModel()->select(table2()->model()->index(int(row), 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void FenBanqueController::reloadKeepingComptes()
{
    const QList<long> idents = selectedCompteIDs();
    const long banqueID = selectedBanqueID();
    selectBanqueID(banqueID);
    selectComptesInArray(idents);
    INVAL_PIED();
}

void FenBanqueController::gotoArchive()
{
    const DOCPARAM* param = getDocParam(doc());
    if (param && param->defaultCompteHistorique >= 0)
        selectComptesInArray({param->defaultCompteHistorique});
}

// ---------------------------------------------------------------------------------------------
// Footers

void FenBanqueController::COMPUTE_BALANCE()
{
    if (!m_fieldBalance || !doc())
        return;
    MONTANT balance;
    MONTANT actif;
    TOOL::computeBalance(doc(), &balance, &actif);
    const DeviseList* devises = getDocDevise(doc());
    const QString check = localizedAppl(balance.nullMontant() ? QStringLiteral("Banques_balance_ok")
                                                              : QStringLiteral("Banques_balance_nok"));
    m_fieldBalance->setText(QStringLiteral("%1 = %2 (%3)")
                                .arg(localizedAppl(QStringLiteral("Banques_balance")),
                                     montantToStringForDevise(balance, devise(), devises, true), check));
    m_fieldActif->setText(montantToStringForDevise(actif, devise(), devises, true));
}

void FenBanqueController::COMPUTE_TOTAL()
{
    if (!m_fieldTotal)
        return;
    const long banqueID = selectedBanqueID();
    TOOL::computeBanqueSolde(banqueID, doc());
    const TOOL* banque = TOOL::getTool(kToolBanque, banqueID, doc());
    m_fieldTotal->setVisible(banque != nullptr);
    m_fieldTotalTitle->setVisible(banque != nullptr);
    if (banque)
        m_fieldTotal->setText(montantToStringForDevise(banque->solde, devise(), getDocDevise(doc()), true));
}

void FenBanqueController::INVAL_PIED()
{
    EntityListWindow::INVAL_PIED();
    COMPUTE_BALANCE();
    COMPUTE_TOTAL();
}

// ---------------------------------------------------------------------------------------------
// Commands

bool FenBanqueController::confirm(const QString& key, const TOOL& tool)
{
    bool confirmed = false;
    Dialog::undoConfirmationWithDictionary({{QStringLiteral("window"), QVariant::fromValue<QObject*>(this)},
                                            {QStringLiteral("title"), localizedDialogue(key)},
                                            {QStringLiteral("information"), tool.nom},
                                            {QStringLiteral("imageName"), tool.getToolPictureName(doc())},
                                            {QStringLiteral("escapeButton"), kAlertFirstButton}},
                                           [&confirmed](int code) { confirmed = code != 1000; });
    return confirmed;
}

bool FenBanqueController::refusesBanque(const TOOL& banque)
{
    const ToolList* comptes = TOOL::toolList(kToolCompte, doc());
    if (!comptes
        || std::none_of(comptes->begin(), comptes->end(), [&](const TOOL& c) { return c.ownerID == banque.ident; }))
        return false;
    showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_CantEffacerBanque")), banque.nom,
                banque.getToolPictureName(doc()), 0);
    return true;
}

// The bank is the one asked about, found again by its ident on the answer: one gone meanwhile is
// left gone, one that gained an account meanwhile stays.
void FenBanqueController::SUPPRIMERB(QObject*)
{
    const TOOL* banque = banqueAtRow(selectedRow(1));
    if (!banque) {
        beep();
        return;
    }
    const TOOL asked = *banque;
    if (refusesBanque(asked) || !confirm(QStringLiteral("kConfirm_SuppBanque"), asked))
        return;
    long row = -1;
    if (!findTool(&arrayOfBanques(), asked.ident, &row) || refusesBanque(asked))
        return;
    const int oldCount = int(nbTools(&arrayOfBanques()));
    unInsertDeal(kToolBanque, asked.ident, -1, doc(), false);
    TOOL::suppTool(asked.ident, kToolBanque, doc());
    table1()->reloadData();
    const int next = selectAfterDelete(int(row), oldCount);
    if (next >= 0)
        table1()->GO(next);
    else
        table1()->clearSelection();
    showComptesOfSelectedBanque();
    INVAL_PIED();
}

void FenBanqueController::informCompteIsUsed(const TOOL& compte, const QString& alertKey)
{
    if (alertKey.isEmpty()) {
        beep();
        return;
    }
    showAlertOK(this, localizedDialogue(alertKey), compte.nom, compte.getToolPictureName(doc()), 0);
}

void FenBanqueController::SUPPRIMERC(QObject*)
{
    const QList<long> idents = selectedCompteIDs();
    if (idents.isEmpty() || !TOOL::getTool(kToolCompte, idents.first(), doc())) {
        beep();
        return;
    }
    supprimerCompte(idents.first());
}

// The other windows go on while the question is up: on the answer the account is judged again. One
// gone meanwhile is left gone; when what its deletion would do has changed (it became reserved, or
// gained a use), the user is asked again or told why it stays.
void FenBanqueController::supprimerCompte(long compteID)
{
    const TOOL* found = TOOL::getTool(kToolCompte, compteID, doc());
    if (!found)
        return;
    const TOOL compte = *found;
    if (const QString refusal = reservedCompteAlert(compte.ident, *doc()); !refusal.isEmpty()) {
        showAlertOK(this, localizedDialogue(refusal), compte.nom, compte.getToolPictureName(doc()), 0);
        return;
    }
    const CompteDeletion plan = planCompteDeletion(compte, *doc());
    if (plan.kind == CompteDeletion::Kind::Refuse) {
        informCompteIsUsed(compte, plan.alertKey);
        return;
    }
    const bool archive = plan.kind == CompteDeletion::Kind::Archive;
    if (!confirm(archive ? QStringLiteral("kConfirm_suppTiers") : QStringLiteral("kConfirm_SuppCompte"), compte))
        return;
    const TOOL* now = TOOL::getTool(kToolCompte, compteID, doc());
    if (!now)
        return;
    if (!reservedCompteAlert(compteID, *doc()).isEmpty() || planCompteDeletion(*now, *doc()).kind != plan.kind) {
        if (!isClosed())
            supprimerCompte(compteID);
        return;
    }
    if (archive)
        archiveCompte(compte);
    else
        doSuppCompte(compteID);
}

void FenBanqueController::archiveCompte(const TOOL& compte)
{
    sendToAllWindowDelegates(Sel::willDeleteCompte, identArg(compte.ident));
    if (!archiveAndDeleteCompte(compte.ident, *doc())) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_noHistorique")), compte.nom,
                    QStringLiteral("document"), 2);
        return;
    }
    showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_suppTiersOK")), compte.nom, QStringLiteral("document"),
                1);
    reloadKeepingComptes();
    sendToAllWindowDelegates(Sel::compteHasBeenDeleted, identArg(compte.ident));
    sendToAllWindowDelegates(Sel::compteHasBeenEdited, identArg(compte.ident));
    gotoArchive();
}

void FenBanqueController::doSuppCompte(long compteID)
{
    sendToAllWindowDelegates(Sel::willDeleteCompte, identArg(compteID));
    deleteCompte(compteID, *doc());
    table2()->clearSelection();
    table2()->reloadData();
    table1()->SMART_RELOAD();
    INVAL_PIED();
    sendToAllWindowDelegates(Sel::compteHasBeenDeleted, identArg(compteID));
    sendToAllWindowDelegates(Sel::compteHasBeenEdited, identArg(compteID));
}

void FenBanqueController::RELEVE(QObject*)
{
    const long compteID = singleSelectedCompteID();
    if (compteID < 0) {
        beep();
        return;
    }
    openCompteWindow(compteID, true);
}

// The selected account's graph; the bank's has its own command, so that a bank row graphs its
// bank whichever account was selected before.
void FenBanqueController::GRAPHIQUE(QObject*)
{
    DOCUMENT* document = doc();
    const long compteID = singleSelectedCompteID();
    IWindowDoors* doors = windowDoors();
    if (!document || compteID < 0 || !doors) {
        beep();
        return;
    }
    doors->openGraphique(this, kGraphModeCompte, compteID, *document, devise());
}

void FenBanqueController::GRAPHIQUEB(QObject*)
{
    DOCUMENT* document = doc();
    const long banqueID = selectedBanqueID();
    IWindowDoors* doors = windowDoors();
    if (!document || banqueID < 0 || !doors) {
        beep();
        return;
    }
    doors->openGraphique(this, kGraphModeBanque, banqueID, *document, devise());
}

void FenBanqueController::MULTIDEVISE(QObject* sender)
{
    const qint64 tag = sender ? StdMenu::tagOf(sender) : 0;
    if (DOCPARAM* param = getDocParam(doc()))
        param->multidevise = tag == 1;
    m_butMultidevise->setSelectedTag(tag);
    m_butMultidevise->SELECT_ITEM_WITH_TAG(tag);
    reloadKeepingComptes();
}

bool FenBanqueController::delete_(QObject*)
{
    if (focusedTable() == 1) {
        SUPPRIMERB(nullptr);
        return true;
    }
    if (selectedCompteIDs().isEmpty())
        return false;
    SUPPRIMERC(nullptr);
    return true;
}

bool FenBanqueController::deleteInTable(int table)
{
    if (table == 1)
        SUPPRIMERB(nullptr);
    else
        SUPPRIMERC(nullptr);
    return true;
}

void FenBanqueController::editInTable(int table)
{
    if (table == 1)
        VOIRB(nullptr);
    else
        RELEVE(nullptr);
}

bool FenBanqueController::canDeleteSomething() const
{
    return selectedRow(1) >= 0 || selectedRow(2) >= 0;
}

bool FenBanqueController::canSelectAllSomething() const
{
    const ToolNodeList* comptes = arrayOfComptes();
    return focusedTable() == 2 && comptes && !comptes->isEmpty();
}

bool FenBanqueController::doChercherCompte(QChar typed)
{
    const ToolNodeList* comptes = arrayOfComptes();
    if (!comptes || !doc())
        return false;
    const int row = chercherCompteRow(typed, *comptes, *doc());
    if (row < 0)
        return false;
    table2()->setFocus();
    table2()->GO(row);
    return true;
}

bool FenBanqueController::didKeyDown1(int key)
{
    return doChercherCompte(QChar(key));
}

bool FenBanqueController::didKeyDown2(int key)
{
    return doChercherCompte(QChar(key));
}

// ---------------------------------------------------------------------------------------------
// Moving accounts by drag and drop

bool FenBanqueController::validateDrop(long row)
{
    return canMoveComptesTo(selectedCompteIDs(), toolIndexToIdent(&arrayOfBanques(), row), *doc());
}

void FenBanqueController::dragRowsFromIndexes(const IndexSet& indexes, long toIndex)
{
    QList<long> idents;
    for (int row : indexes) {
        if (const long ident = toolIndexToIdent(arrayOfComptes(), row); ident >= 0)
            idents << ident;
    }
    const long banqueID = toolIndexToIdent(&arrayOfBanques(), toIndex);
    if (moveComptesToBanque(idents, banqueID, *doc()) == 0)
        return;
    selectBanqueID(banqueID);
    selectComptesInArray(idents);
    INVAL_PIED();
    for (long ident : idents)
        sendToAllWindowDelegates(Sel::compteHasBeenEdited, identArg(ident));
}

// ---------------------------------------------------------------------------------------------
// Broadcasts

void FenBanqueController::preferencesDidChange(const QVariant& arg1, const QVariant& arg2)
{
    table2()->SMART_RELOAD();
    EntityListWindow::preferencesDidChange(arg1, arg2);
}

void FenBanqueController::didCreateCompteFromMenu(const QVariant&, const QVariant&)
{
    table2()->SMART_RELOAD();
}

void FenBanqueController::didCreateCompteHistorique(const QVariant& arg1, const QVariant&)
{
    showCompteInTree(long(arg1.toLongLong()), *doc());
    table2()->reloadData();
    gotoArchive();
}

void FenBanqueController::didVerifyDocument()
{
    reloadKeepingComptes();
}

void FenBanqueController::notifyNewDay(const QVariant&, const QVariant&)
{
    reloadKeepingComptes();
}

void FenBanqueController::notifyDidSynchonize(const QVariant&, const QVariant&)
{
    reloadKeepingComptes();
}

#include "investments/FenFinanceTitreController.h"

#include "investments/FenAskSubstFinanceController.h"
#include "investments/FenEditFinanceController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/tables/TemplateFinanceTitre.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/StdButton.h"

#include "document/DocContext.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <QLabel>
#include <QMouseEvent>

// ---------------------------------------------------------------------------------------------
// The rows

QList<TitreRow> buildTitresRows(const DOCUMENT& doc)
{
    QList<TitreRow> rows;
    for (const FINANCE& titre : doc.titreHdl) {
        if (titre.portfolioID == -1)
            rows.append({kRowTitre, titre.ident});
    }
    for (const FINANCE& portfolio : doc.portfolioArray) {
        rows.append({kRowPortfolio, portfolio.ident});
        if (!portfolio.opened)
            continue;
        for (const FINANCE& titre : doc.titreHdl) {
            if (titre.portfolioID == portfolio.ident)
                rows.append({kRowTitre, titre.ident});
        }
    }
    return rows;
}

QList<long> supprimerPortfolio(DOCUMENT& doc, long ident)
{
    long index = 0;
    if (!findPortfolioWithIdent(ident, &index, &doc))
        return {};
    PORTFOLIO::unInsertPortfolio(index, doc);
    QList<long> moved;
    for (FINANCE& titre : doc.titreHdl) {
        if (titre.portfolioID == ident) {
            titre.portfolioID = -1;
            moved.append(titre.ident);
        }
    }
    return moved;
}

// ---------------------------------------------------------------------------------------------
// The window

FenFinanceTitreController::FenFinanceTitreController()
{
    m_cellTitre.hide();
    m_cellPortfolio.hide();
}

FenFinanceTitreController* FenFinanceTitreController::openTitres(bool appear)
{
    return openEntityWindow<FenFinanceTitreController>(appear);
}

QList<std::pair<const char*, const char*>> FenFinanceTitreController::extraCommands() const
{
    return {{"newPortfolio:", "FenFinanceTitre_nouveauPortfolio"}};
}

StdTemplate* FenFinanceTitreController::makeTemplate() const
{
    return new TemplateFinanceTitre;
}

// Portfolios open closed: the list starts with its totals, one line a portfolio.
void FenFinanceTitreController::windowDidLoad()
{
    markPortfoliosOpened(false);
    rebuildRows();
    table1()->viewport()->installEventFilter(this);
    FenFinanceController::windowDidLoad();
}

void FenFinanceTitreController::markPortfoliosOpened(bool opened)
{
    if (DOCUMENT* doc = currentDocument()) {
        for (FINANCE& portfolio : doc->portfolioArray)
            portfolio.opened = opened;
    }
}

void FenFinanceTitreController::openAllPortfolio()
{
    markPortfoliosOpened(true);
}

void FenFinanceTitreController::closeAllPortfolio()
{
    markPortfoliosOpened(false);
}

void FenFinanceTitreController::buildTitresArray()
{
    const DOCUMENT* doc = currentDocument();
    m_titresArray = doc ? buildTitresRows(*doc) : QList<TitreRow>();
}

int FenFinanceTitreController::rowForTitre(long ident) const
{
    return int(m_titresArray.indexOf(TitreRow {kRowTitre, ident}));
}

int FenFinanceTitreController::rowForPortfolio(long ident) const
{
    return int(m_titresArray.indexOf(TitreRow {kRowPortfolio, ident}));
}

int FenFinanceTitreController::selectedTitreRow() const
{
    const int row = selectedRow(1);
    return row >= 0 && row < m_titresArray.size() ? row : -1;
}

void FenFinanceTitreController::rebuildRows()
{
    buildTitresArray();
    table1()->reloadData();
}

int FenFinanceTitreController::numberOfRowsInTableView1(StdTableView*)
{
    return int(m_titresArray.size());
}

StdCell* FenFinanceTitreController::viewForTableColumn1(StdTableView*, int row)
{
    if (row < 0 || row >= m_titresArray.size())
        return nullptr;
    const DOCUMENT* doc = currentDocument();
    const DeviseList* devises = doc ? &doc->deviseHdl : nullptr;
    const TitreRow& line = m_titresArray.at(row);
    if (line.kind == kRowPortfolio) {
        m_cellPortfolio.paintPortfolioListe(line.ident, devise(), devises, doc);
        return &m_cellPortfolio;
    }
    m_cellTitre.paintTitreListe(line.ident, devise(), devises, doc);
    return &m_cellTitre;
}

QColor FenFinanceTitreController::getPatColor1(int row)
{
    if (row >= 0 && row < m_titresArray.size() && m_titresArray.at(row).kind == kRowPortfolio)
        return QColor::fromRgbF(0.784f, 1.0f, 0.784f, 1.0f);
    return FenFinanceController::getPatColor1(row);
}

double FenFinanceTitreController::parityDarknessAtRow1(int row)
{
    const bool portfolio = row >= 0 && row < m_titresArray.size() && m_titresArray.at(row).kind == kRowPortfolio;
    return portfolio ? 0.5 : FenFinanceController::parityDarknessAtRow1(row);
}

void FenFinanceTitreController::windowDidBecomeKey()
{
    FenFinanceController::windowDidBecomeKey();
    table1()->SMART_RELOAD();
}

void FenFinanceTitreController::didUpdateTitres(const QVariant&, const QVariant&)
{
    COMPUTE_TOTAUX();
    table1()->SMART_RELOAD();
}

// ---------------------------------------------------------------------------------------------
// Totals

void FenFinanceTitreController::COMPUTE_TOTAUX()
{
    DOCUMENT* doc = currentDocument();
    computeAllTitresTotaux(MyTotaux(), doc);
    computePortfolioTotaux(doc);
    PRINT_PIED();
}

void FenFinanceTitreController::PRINT_PIED()
{
    const DOCUMENT* doc = currentDocument();
    printNbPlacements(titreCount(doc), QStringLiteral("kMisc_Nb_Titres"));
    paintTitrePied(devise(), doc ? &doc->deviseHdl : nullptr);
}

void FenFinanceTitreController::paintTitrePied(long slot, const DeviseList* devises)
{
    paintPiedFields({{"field_total_liquidite", &MyTotaux().total5},
                     {"field_total_valeur", &MyTotaux().total6},
                     {"field_total_plusvalue", &MyTotaux().total7}},
                    slot, devises, false);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing portfolios

void FenFinanceTitreController::togglePortfolioAtRow(int row)
{
    DOCUMENT* doc = currentDocument();
    if (!doc || row < 0 || row >= m_titresArray.size() || m_titresArray.at(row).kind != kRowPortfolio)
        return;
    const long ident = m_titresArray.at(row).ident;
    if (FINANCE* portfolio = PORTFOLIO::portfolioFromIdent(ident, *doc))
        portfolio->opened = !portfolio->opened;
    rebuildRows();
    table1()->GO(rowForPortfolio(ident));
    adjustHeight(false);
}

void FenFinanceTitreController::openPortfolio(QObject* sender)
{
    const QVariant tag = sender ? sender->property("tag") : QVariant();
    if (tag.isValid())
        togglePortfolioAtRow(tag.toInt());
}

// A click on a portfolio row's disclosure button opens or closes it; elsewhere it selects.
bool FenFinanceTitreController::eventFilter(QObject* watched, QEvent* event)
{
    StdTableView* table = table1();
    if (table && watched == table->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
        const int row = table->rowAt(point.y());
        if (row >= 0 && row < m_titresArray.size() && m_titresArray.at(row).kind == kRowPortfolio) {
            const QRect rowRect = table->visualRect(table->model()->index(row, 0));
            m_cellPortfolio.resize(rowRect.size());
            QWidget* button = m_cellPortfolio.buttonOpen();
            const QRect buttonRect(button->mapTo(&m_cellPortfolio, QPoint(0, 0)), button->size());
            if (buttonRect.adjusted(-3, -3, 3, 3).contains(point - rowRect.topLeft())) {
                togglePortfolioAtRow(row);
                return true;
            }
        }
    }
    return FenFinanceController::eventFilter(watched, event);
}

void FenFinanceTitreController::didDoubleClick1(QObject* sender)
{
    const int row = selectedTitreRow();
    if (row >= 0 && m_titresArray.at(row).kind == kRowPortfolio)
        togglePortfolioAtRow(row);
    else
        LISTING(sender);
}

// ---------------------------------------------------------------------------------------------
// Securities

void FenFinanceTitreController::NOUVEAU(QObject*)
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    FINANCE titre = TITRE::allocNewTitre(*doc);
    if (!editFinanceModal(this, FinanceKind::Titre, titre))
        return;
    TITRE::insertTitre(titre, *doc);
    // A security created in a closed portfolio could not be shown selected.
    if (FINANCE* portfolio = PORTFOLIO::portfolioFromIdent(titre.portfolioID, *doc))
        portfolio->opened = true;
    rebuildRows();
    COMPUTE_TOTAUX();
    adjustHeight(false);
    table1()->GO(rowForTitre(titre.ident));
    sendToAllWindowDelegates(Sel::titreHasBeenCreated, qlonglong(titre.ident));
}

void FenFinanceTitreController::forSelectedLine(const char* command, LineCommand onTitre, LineCommand onPortfolio)
{
    const int row = selectedTitreRow();
    if (row < 0) {
        svLog(QStringLiteral("Ligne invalide (FenFinanceTitre %1) !").arg(QLatin1String(command)));
        return;
    }
    const TitreRow line = m_titresArray.at(row);
    (this->*(line.kind == kRowTitre ? onTitre : onPortfolio))(line.ident);
}

void FenFinanceTitreController::MODIFIER(QObject*)
{
    forSelectedLine("MODIFIER", &FenFinanceTitreController::MODIFIER_TITRE,
                    &FenFinanceTitreController::MODIFIER_PORTFOLIO);
}

void FenFinanceTitreController::MODIFIER_TITRE(long ident)
{
    DOCUMENT* doc = currentDocument();
    const long index = doc ? financeIndexOfIdent(*doc, FinanceKind::Titre, ident) : -1;
    if (index < 0) {
        svLog(QStringLiteral("Titre introuvable !"));
        return;
    }
    FINANCE copy = doc->titreHdl.at(index).copyOfFinance();
    if (!editFinanceModal(this, FinanceKind::Titre, copy)) {
        table1()->GO(rowForTitre(ident));
        return;
    }
    CLOSE_ETAT(ident);
    replaceFinance(*doc, FinanceKind::Titre, index, copy);
    if (FINANCE* portfolio = PORTFOLIO::portfolioFromIdent(copy.portfolioID, *doc))
        portfolio->opened = true;
    rebuildRows();
    table1()->GO(rowForTitre(ident));
    COMPUTE_TOTAUX();
    sendToAllWindowDelegates(Sel::titreHasBeenModified, qlonglong(ident));
}

void FenFinanceTitreController::SUPPRIMER(QObject*)
{
    forSelectedLine("SUPPRIMER", &FenFinanceTitreController::SUPPRIMER_TITRE,
                    &FenFinanceTitreController::SUPPRIMER_PORTFOLIO);
}

void FenFinanceTitreController::SUPPRIMER_TITRE(long ident)
{
    DOCUMENT* doc = currentDocument();
    const FINANCE* titre = doc ? financeWithIdent(*doc, FinanceKind::Titre, ident) : nullptr;
    if (!titre) {
        svLog(QStringLiteral("Titre introuvable (FenFinanceTitre SUPPRIMER) !"));
        return;
    }
    long replacement = -1;
    if (!confirmSuppression(QStringLiteral("kConfirm_SuppFinance"), titre->nom, QStringLiteral("placement"))
        || !askSubstFinance(this, FinanceKind::Titre, ident, &replacement))
        return;
    CLOSE_ETAT(ident);
    supprimerFinance(*doc, FinanceKind::Titre, ident, replacement);
    rebuildRows();
    COMPUTE_TOTAUX();
    adjustHeight(false);
    // Receivers must learn which security went, not which took its transactions.
    sendToAllWindowDelegates(Sel::titreHasBeenDeleted, qlonglong(ident));
}

void FenFinanceTitreController::LISTING(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const int row = selectedTitreRow();
    IWindowDoors* doors = windowDoors();
    if (doors && doc && row >= 0 && m_titresArray.at(row).kind == kRowTitre)
        doors->openEntityListing(EntityListing::Titre, *doc, m_titresArray.at(row).ident, devise(), true);
}

void FenFinanceTitreController::CLOSE_ETAT(long ident)
{
    if (IWindowDoors* doors = windowDoors()) {
        if (StdWindowController* listing = doors->entityListingWindow(EntityListing::Titre, ident))
            listing->close();
    }
}

// ---------------------------------------------------------------------------------------------
// Portfolios

void FenFinanceTitreController::newPortfolio(QObject*)
{
    DOCUMENT* doc = currentDocument();
    QString nom;
    if (!doc
        || !askStringModal(this, QStringLiteral("Veuillez saisir le nom de votre nouveau portefeuille :"),
                           localizedAppl(QStringLiteral("FenFinanceTitre_nouveauPortefeuille")), &nom))
        return;
    FINANCE portfolio = PORTFOLIO::allocNewPortfolio(*doc);
    portfolio.nom = nom;
    portfolio.opened = false;
    PORTFOLIO::insertPortfolio(portfolio, *doc);
    rebuildRows();
    adjustHeight(false);
    table1()->GO(rowForPortfolio(portfolio.ident));
}

void FenFinanceTitreController::MODIFIER_PORTFOLIO(long ident)
{
    DOCUMENT* doc = currentDocument();
    long index = 0;
    if (!doc || !findPortfolioWithIdent(ident, &index, doc))
        return;
    QString nom;
    if (!askStringModal(this, QStringLiteral("Veuillez saisir le nom de votre portefeuille :"),
                        doc->portfolioArray.at(index).nom, &nom)) {
        table1()->GO(rowForPortfolio(ident));
        return;
    }
    FINANCE portfolio = doc->portfolioArray.at(index);
    portfolio.nom = nom;
    PORTFOLIO::unInsertPortfolio(index, *doc);
    PORTFOLIO::insertPortfolio(portfolio, *doc);
    rebuildRows();
    table1()->GO(rowForPortfolio(ident));
}

void FenFinanceTitreController::SUPPRIMER_PORTFOLIO(long ident)
{
    DOCUMENT* doc = currentDocument();
    const FINANCE* portfolio = doc ? PORTFOLIO::portfolioFromIdent(ident, *doc) : nullptr;
    if (!portfolio) {
        svLog(QStringLiteral("Porfolio introuvable (FenFinanceTitre SUPPRIMER) !"));
        return;
    }
    if (!confirmSuppression(QStringLiteral("kConfirm_SuppPortfolio"), portfolio->nom, QStringLiteral("portfolio")))
        return;
    const QList<long> moved = supprimerPortfolio(*doc, ident);
    rebuildRows();
    COMPUTE_TOTAUX();
    // A portfolio's ident in a security's slot could name a real security: the receivers hear
    // of the securities that moved out instead.
    for (const long titreID : moved)
        sendToAllWindowDelegates(Sel::titreHasBeenModified, qlonglong(titreID));
    if (moved.isEmpty())
        sendToAllWindowDelegates(Sel::titreHasBeenModified, qlonglong(-1));
}

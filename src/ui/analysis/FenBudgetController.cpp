#include "analysis/FenBudgetController.h"

#include "analysis/AnalyseColumns.h"
#include "analysis/BoxAnalyseBudgetTete.h"
#include "analysis/CellBudget.h"
#include "analysis/FenBudgetMetadataController.h"
#include "analysis/FenTableurBudgetController.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "document/APPLIPARAM.h"
#include "engines/AnalyseRecord.h"
#include "engines/AnalyseTitles.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>

FenBudgetController::FenBudgetController()
{
    setAnalyseType(AnalyseType::Budget);
}

FenBudgetController* openBudgetWindow(DOCUMENT& doc, const QString& name, long initialMonth,
                                      std::optional<QRectF> frame, bool appear)
{
    return openAnalyseWindow<FenBudgetController>(
        doc, AnalyseWindowOpening {name, initialMonth, frame, appear, AnalyseType::Budget});
}

void reopenBudgetsOfDocument(DOCUMENT& doc)
{
    QString folder;
    if (getBudgetFolderInDocument(&folder, doc.documentUrl))
        reopenMemorisedAnalyses<FenBudgetController>(folder, doc, AnalyseType::Budget);
}

void FenBudgetController::buildInterface(StdWindow& window)
{
    FenAnalyseBudgetController::buildInterface(window);
    window.setObjectName(QStringLiteral("FenBudget"));
    m_popHelp = new PopHelp(&window);
    m_popHelp->setObjectName(QStringLiteral("popHelp"));
    if (QLayoutItem* bar = window.layout() ? window.layout()->itemAt(0) : nullptr; bar && bar->layout())
        bar->layout()->addWidget(m_popHelp);
}

void FenBudgetController::didAwakeFromNib()
{
    m_popHelp->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_BUDGET")));
    m_popHelp->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_BUDGET")));
    FenAnalyseBudgetController::didAwakeFromNib();
}

std::unique_ptr<CellAnalyseBudget> FenBudgetController::makeCell(const QString& identifier) const
{
    return std::make_unique<CellBudget>(identifier);
}

// ---------------------------------------------------------------------------------------------
// Preferences and colours

const FenAnalyseBudgetController::SettingsFields& FenBudgetController::settingsFields() const
{
    static const SettingsFields fields {&APPLIPARAM::colorisatorBudgetTitre,
                                        &APPLIPARAM::colorisatorBudgetDepense,
                                        &APPLIPARAM::colorisatorBudgetRecette,
                                        &APPLIPARAM::colorisatorBudgetSolde,
                                        &Colorizator::defaultColorisatorBudgetTitre,
                                        &Colorizator::defaultColorisatorBudgetDepense,
                                        &Colorizator::defaultColorisatorBudgetRecette,
                                        &Colorizator::defaultColorisatorBudgetSolde,
                                        &DOCPARAM::autoComputeBudget,
                                        &DOCPARAM::budgetShowEmpty};
    return fields;
}

void FenBudgetController::RESET_TITLE()
{
    RESET_TITLE_WITH_KEY(QStringLiteral("kMisc_BudgetMensuel"));
}

QStringList FenBudgetController::headerSubTitles() const
{
    return {localizedMisc(QStringLiteral("kMisc_Budget_reel")), localizedMisc(QStringLiteral("kMisc_Budget_prevu")),
            localizedMisc(QStringLiteral("kMisc_Budget_ecart"))};
}

// ---------------------------------------------------------------------------------------------
// Computing

void FenBudgetController::RECOMPUTE()
{
    DOCUMENT* doc = document();
    if (!doc || !myAnaFile())
        return;
    recomputeAnalyse(*myAnaFile(), myAnaMonth(), *doc, AnalyseType::Budget, devise());
    computeAnalyseTotaux(*myAnaFile(), analyseType(), devise(), myAnaMonth());
    FILTER_ANALYSE();
}

void FenBudgetController::MEMORISE(const QVariant& number)
{
    const DOCUMENT* doc = document();
    QString folder;
    if (doc && getBudgetFolderInDocument(&folder, doc->documentUrl))
        memoriseAnalyseBudget(long(number.toLongLong()), folder, QStringLiteral("budget"));
}

// ---------------------------------------------------------------------------------------------
// Figures

QString FenBudgetController::getTitleForMonth(long month, bool showDevise) const
{
    const AnalyseColumn* column = month >= 1 ? analyseColumnAtIndex(*myAnaFile(), month - 1) : nullptr;
    return budgetColumnTitle(month, *myAnaFile(), devise(), showDevise, column ? column->month : 0);
}

QString FenBudgetController::budgetCellNumberAux(const MONTANT& montant, long devise, const DeviseList& devises,
                                                 bool isDiff, bool colorizeTotal, QColor* colour)
{
    if (montant.nullMontant())
        return QString();
    QString text = montantToStringForDevise(montant, devise, &devises, false);
    if (!isDiff)
        return text;
    const bool negative = montant.negativeMontant();
    if (colorizeTotal && colour)
        *colour = negative ? QColor::fromRgbF(0.5882353F, 0, 0, 1) : QColor::fromRgbF(0, 0.5019608F, 0, 1);
    return negative ? text : QStringLiteral("+%1").arg(text);
}

FenBudgetController::CellTexts FenBudgetController::budgetCellNumber(const AnalyseData& data, long devise,
                                                                     const DeviseList& devises, bool colorizeTotal)
{
    CellTexts cells;
    const MONTANT* values[6]
        = {&data.totDeb, &data.totDebPrev, &data.totDebDiff, &data.totCre, &data.totCrePrev, &data.totCreDiff};
    for (int i = 0; i < 6; ++i) {
        const bool diff = i == 2 || i == 5;
        cells.texts[i] = budgetCellNumberAux(*values[i], devise, devises, diff, colorizeTotal, &cells.colours[i]);
    }
    MONTANT balance;
    MONTANT::subMontant(data.totCre, data.totDeb, balance);
    cells.texts[6] = budgetCellNumberAux(balance, devise, devises, false, colorizeTotal, nullptr);
    return cells;
}

void FenBudgetController::showCellTexts(const CellTexts& cells, QLabel* const labels[7]) const
{
    for (int i = 0; i < 7; ++i) {
        labels[i]->setText(cells.texts[i]);
        if (!cells.colours[i].isValid())
            continue;
        QPalette palette = labels[i]->palette();
        palette.setColor(QPalette::WindowText, cells.colours[i]);
        labels[i]->setPalette(palette);
    }
}

void FenBudgetController::cellNumbers(const AnalyseData& data, CellAnalyseBudget& cell, bool colorizeTotal) const
{
    QLabel* const labels[7] = {cell.getCellData(1), cell.getCellData(2), cell.getCellData(3),    cell.getCellData(4),
                               cell.getCellData(5), cell.getCellData(6), cell.getCellDataSolde()};
    showCellTexts(budgetCellNumber(data, devise(), myAnaFile()->devises, colorizeTotal), labels);
}

void FenBudgetController::DRAW_TETE()
{
    BoxAnalyseBudgetTete* tete = boxTete();
    if (!tete || !myAnaFile())
        return;
    tete->cell_title3()->setText(getTitleForMonth(myAnaMonth(), true));
    QLabel* const labels[7] = {tete->cell_total_dossier(1), tete->cell_total_dossier(2), tete->cell_total_dossier(3),
                               tete->cell_total_dossier(4), tete->cell_total_dossier(5), tete->cell_total_dossier(6),
                               tete->cell_total_solde()};
    if (const AnalyseData* total = myAnaFile()->getAnalyseDataTotalDossierAtMonth(myAnaMonth()))
        showCellTexts(budgetCellNumber(*total, devise(), myAnaFile()->devises, true), labels);
    else
        showCellTexts(CellTexts(), labels);
    colorizeTete(*tete);
}

StdCell* FenBudgetController::viewForTableColumn1(StdTableView* table, int row)
{
    if (currentShowMode() == AnalyseShowMode::Synthese)
        return FenAnalyseBudgetController::viewForTableColumn1(table, row);
    const AnalyseData* data = currentAnalyseDataAtRowIndex(row);
    const int kind = currentLineKindAtRowIndex(row);
    if (!data || (kind != 0 && kind != 1))
        return nullptr;
    auto& cell = static_cast<CellBudget&>(cellOfKind(kind));
    colorizeTableCellViewAtRow(cell, row);
    cell.getBgbox()->setFillColor(Qt::white);
    setFillBackground(&cell, table, row);
    cell.getNom()->setText(currentNameAtRowIndex(row));
    for (int i : {3, 6})
        cell.getCellData(i)->setPalette(QPalette());
    cellNumbers(*data, cell, true);
    if (QToolButton* popup = cell.popup_poste()) {
        const bool selected = table && table->isRowSelected(row);
        popup->setVisible(kind == 1 && selected);
        cell.setMain_delegate(kind == 1 && selected ? this : nullptr);
    }
    return &cell;
}

// ---------------------------------------------------------------------------------------------
// The row menu

// The category's menu is painted with its row, not live: a press on its place, on the selected
// category row, opens it.
bool FenBudgetController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && table1() && watched == table1()->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (clickOnPopupPoste(mouse->position().toPoint(), mouse->globalPosition().toPoint()))
            return true;
    }
    return FenAnalyseBudgetController::eventFilter(watched, event);
}

bool FenBudgetController::clickOnPopupPoste(const QPoint& viewportPoint, const QPoint& globalPoint)
{
    StdTableView* table = table1();
    const int row = table->rowAt(viewportPoint.y());
    if (currentShowMode() != AnalyseShowMode::Classic || row < 0 || !table->isRowSelected(row)
        || currentLineKindAtRowIndex(row) != 1)
        return false;
    const QRect rowRect = table->visualRect(table->model()->index(row, 0));
    if (!CellBudget::popupRect(rowRect.height()).contains(viewportPoint - rowRect.topLeft()))
        return false;
    auto* cell = static_cast<CellBudget*>(viewForTableColumn1(table, row));
    if (!cell || !cell->popup_poste())
        return false;
    cell->popup_poste()->menu()->popup(globalPoint);
    return true;
}

void FenBudgetController::CREER_REEL(QObject*)
{
    creerChrono(false);
}

void FenBudgetController::CREER_PREV(QObject*)
{
    creerChrono(true);
}

void FenBudgetController::creerChrono(bool prevision)
{
    const int row = selectedRow();
    if (currentLineKindAtRowIndex(row) != 1)
        return;
    const long posteID = currentIdentAtRowIndex(row);
    if (auto* app = dynamic_cast<QObject*>(windowAppDelegate()))
        StdActionDispatcher::invoke(app, QStringLiteral("ECHEANCIERS:"), this);
    if (IWindowDoors* doors = windowDoors())
        doors->createChronoInEcheanciers(prevision, posteID);
}

// ---------------------------------------------------------------------------------------------
// Details, currency, synthesis

void FenBudgetController::LISTING(QObject*)
{
    const int row = selectedRow();
    const AnalyseData* data = currentAnalyseDataAtRowIndex(row);
    if (!canListing() || !data)
        return;
    const long month = currentMonthAtRowIndex(row);
    const AnalyseColumn* column = month >= 1 ? analyseColumnAtIndex(*myAnaFile(), month - 1) : nullptr;
    const QString periode = budgetColumnTitle(month, *myAnaFile(), devise(), true, column ? column->month : 0);
    openBudgetPaletteWithMetadataArray(data->metadataArray, periode, currentLineKindAtRowIndex(row),
                                       currentIdentAtRowIndex(row));
}

void FenBudgetController::openBudgetPaletteWithMetadataArray(const AnalyseMetadataList& items, const QString& periode,
                                                             int kind, long ident)
{
    auto* palette = openPaletteWithMetadataArray<FenBudgetMetadataController>({});
    if (!palette)
        return;
    palette->setDocument(document());
    palette->setPeriode(periode);
    palette->setKind(kind);
    palette->setIdent(ident);
    palette->fillWithMetadataArray(items);
}

void FenBudgetController::DEVISE(QObject* item)
{
    FenAnalyseBudgetController::DEVISE(item);
    StdWindowController* palette = paletteMetadata();
    if (!palette)
        return;
    palette->setDevise(devise());
    if (auto* metadata = qobject_cast<FenMetadataController*>(palette); metadata && metadata->table1())
        metadata->table1()->SMART_RELOAD();
}

void FenBudgetController::TABLEAU_SYNTHESE(QObject*)
{
    const DOCUMENT* doc = document();
    if (!doc || !myAnaFile())
        return;
    openTableurBudget(buildTableauSynthese(*myAnaFile(), myAnaMonth(), *doc), *myAnaFile(), devise());
}

// ---------------------------------------------------------------------------------------------
// Export

void FenBudgetController::EXPORTER(QObject* sender)
{
    ListExporter::EXPORTER(*this, *this, sender);
}

long FenBudgetController::EXPORTER_SIZE()
{
    return budgetExporterSize(*myAnaFile());
}

void FenBudgetController::EXPORTER_TETE(QString& text, int format)
{
    budgetExporterTete(*myAnaFile(), myAnaMonth(), devise(), text, format);
}

void FenBudgetController::EXPORTER_LISTE(QString& text, long index, int format)
{
    budgetExporterListe(*myAnaFile(), myAnaMonth(), devise(), index, text, format);
}

void FenBudgetController::EXPORTER_PIED(QString& text, int format)
{
    budgetExporterPied(text, format);
}

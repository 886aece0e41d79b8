#include "analysis/FenBudgetController.h"

#include "analysis/CellBudget.h"
#include "analysis/FenBudgetMetadataController.h"
#include "analysis/FenTableurBudgetController.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "foundation/localized.h"
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
    reopenMemorisedAnalyses<FenBudgetController>(doc, AnalyseType::Budget);
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
// Figures

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

FenAnalyseBudgetController::CellTexts FenBudgetController::figureTexts(const AnalyseData& data,
                                                                       bool colorizeTotal) const
{
    return budgetCellNumber(data, devise(), myAnaFile()->devises, colorizeTotal);
}

// The selected category's row shows its menu.
StdCell* FenBudgetController::viewForTableColumn1(StdTableView* table, int row)
{
    StdCell* cell = FenAnalyseBudgetController::viewForTableColumn1(table, row);
    if (!cell || currentShowMode() != AnalyseShowMode::Classic)
        return cell;
    auto* budgetCell = static_cast<CellBudget*>(cell);
    if (QToolButton* popup = budgetCell->popup_poste()) {
        const bool selected = currentLineKindAtRowIndex(row) == 1 && table && table->isRowSelected(row);
        popup->setVisible(selected);
        budgetCell->setMain_delegate(selected ? this : nullptr);
    }
    return cell;
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
    openBudgetPaletteWithMetadataArray(data->metadataArray, getTitleForMonth(currentMonthAtRowIndex(row), true),
                                       currentLineKindAtRowIndex(row), currentIdentAtRowIndex(row));
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

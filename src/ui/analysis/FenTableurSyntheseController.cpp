#include "analysis/FenTableurSyntheseController.h"

#include "analysis/FenAnalyseBudgetController.h"
#include "spreadsheet/RowObject.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/popups/PopHelp.h"

#include "engines/AnalyseTitles.h"
#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"

#include <QBoxLayout>
#include <QLabel>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The largest amount a household document holds, at the two decimals amountText writes.
constexpr double kLargestAmount = 999999999.99;

// An amount as amountText writes it: an optional minus, groups of three digits, a comma and the
// decimals.
bool isAmountText(const QString& text)
{
    static const QRegularExpression amount(QStringLiteral("^-?\\d{1,3}( \\d{3})*,\\d+$"));
    return amount.match(text).hasMatch();
}

} // namespace

void FenTableurSyntheseController::buildInterface(StdWindow& window)
{
    FenTableurController::buildInterface(window);
    m_fieldConfiguration = new QLabel(&window);
    m_fieldConfiguration->setObjectName(QStringLiteral("fieldConfiguration"));
    QFont bold = m_fieldConfiguration->font();
    bold.setBold(true);
    m_fieldConfiguration->setFont(bold);
    m_fieldDate = new FigureLabel(&window);
    m_fieldDate->setObjectName(QStringLiteral("fieldDate"));
    m_popHelp = new PopHelp(&window);
    m_popHelp->setObjectName(QStringLiteral("popHelp"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_fieldConfiguration, 1);
    bar->addWidget(m_fieldDate);
    bar->addWidget(m_popHelp);
    if (auto* layout = qobject_cast<QBoxLayout*>(window.layout()))
        layout->insertLayout(0, bar);
    window.setWindowTitle(PDFTitle());
}

void FenTableurSyntheseController::takeData(const WindowData& data)
{
    m_anaFile = data.value(QStringLiteral("anaFile")).value<AnalyseFilePtr>();
    m_amountColumns.reset();
    m_largestAmount.reset();
}

// The data is taken before the base builds the grid from it.
void FenTableurSyntheseController::didAwakeFromNib()
{
    if (const WindowDataPtr data = getData())
        takeData(*data);
    FenTableurController::didAwakeFromNib();
}

void FenTableurSyntheseController::windowWillClose()
{
    FenTableurController::windowWillClose();
    m_anaFile.reset();
}

QString FenTableurSyntheseController::configurationTitle() const
{
    if (!m_anaFile)
        return QString();
    return QStringLiteral("%1 (%2)").arg(m_anaFile->anaDef.nom, periodeTitleForAnaDef(m_anaFile->anaDef));
}

void FenTableurSyntheseController::fill()
{
    FenTableurController::fill();
    m_popHelp->setStringTitle(helpTitle());
    m_popHelp->setStringContent(helpContent());
    m_fieldConfiguration->setText(m_anaFile ? configurationTitle() : QStringLiteral("?"));
    m_fieldDate->setText(dateToStringWithStyles(2, 1, SystemClock::now()));
}

QString FenTableurSyntheseController::stringForFooterAtPage(long page, long numberOfPages) const
{
    if (!m_anaFile)
        return FenTableurController::stringForFooterAtPage(page, numberOfPages);
    return QStringLiteral("%1 - %2 - page %3/%4")
        .arg(configurationTitle(), dateToStringWithStyles(2, 1, SystemClock::now()))
        .arg(page)
        .arg(numberOfPages);
}

void FenTableurSyntheseController::applyDevise(long)
{
    for (long r = 0; r < numberOfRows(); ++r) {
        for (long c = 0; c < numberOfColumns(); ++c) {
            if (CellObject* cell = cellAtRow(r, c))
                cell->setValue(valueAtRowInDataSource(dataRow(r, c), dataColumn(r, c)));
        }
    }
}

QString FenTableurSyntheseController::amountText(const std::optional<MONTANT>& montant) const
{
    if (!montant || !m_anaFile)
        return QStringLiteral("-");
    return montant->montantToStringWithDecimales(devise(), &m_anaFile->devises, false, 2, u',');
}

const std::vector<bool>& FenTableurSyntheseController::amountColumns() const
{
    if (!m_amountColumns) {
        const long columns = std::max(0L, numberOfColumnsInDataSource());
        const long rows = numberOfRowsInDataSource();
        m_amountColumns.emplace(size_t(columns), false);
        for (long c = 0; c < columns; ++c) {
            for (long r = 0; r < rows && !(*m_amountColumns)[size_t(c)]; ++r)
                (*m_amountColumns)[size_t(c)] = isAmountText(valueAtRowInDataSource(r, c));
        }
    }
    return *m_amountColumns;
}

QString FenTableurSyntheseController::largestFigureAtRow(long row, long column) const
{
    const long data = dataColumn(row, column);
    const std::vector<bool>& amounts = amountColumns();
    if (data < 0 || size_t(data) >= amounts.size() || !amounts[size_t(data)])
        return QString();
    // Asked of every cell at every paint: written once for the currency shown.
    if (!m_largestAmount || m_largestAmount->first != devise()) {
        MONTANT largest;
        for (long slot = 0; slot < kDeviseSlotCount; ++slot)
            largest.setValueForDevise(slot, -kLargestAmount);
        m_largestAmount.emplace(devise(), amountText(largest));
    }
    return m_largestAmount->second;
}

QColor FenTableurSyntheseController::amountColour(const std::optional<MONTANT>& montant)
{
    if (!montant || montant->nullMontant())
        return QColor(Qt::black);
    return montant->negativeMontant() ? QColor::fromRgbF(0.4F, 0, 0, 1) : QColor::fromRgbF(0, 0.4F, 0, 1);
}

// ---------------------------------------------------------------------------------------------
// Display positions to data positions

QColor FenTableurSyntheseController::cellColour(long, long) const
{
    return QColor(Qt::black);
}

QColor FenTableurSyntheseController::rowTitleBackground(long) const
{
    return QColor();
}

QColor FenTableurSyntheseController::rowTitleForeground(long) const
{
    return QColor();
}

QColor FenTableurSyntheseController::cellBackground(long, long) const
{
    return QColor();
}

QString FenTableurSyntheseController::valueAtRowHeaderInDataSource(long index) const
{
    return isRotated() ? columnTitle(index) : rowTitle(index);
}

QString FenTableurSyntheseController::valueAtColumnHeaderInDataSource(long index) const
{
    return isRotated() ? rowTitle(index) : columnTitle(index);
}

unsigned long FenTableurSyntheseController::alignmentOfRowHeaderInDataSource(long index) const
{
    return isRotated() ? kAlignCenter : rowTitleAlignment(index);
}

unsigned long FenTableurSyntheseController::alignmentOfColumnHeaderInDataSource(long index) const
{
    return isRotated() ? rowTitleAlignment(index) : kAlignCenter;
}

unsigned long FenTableurSyntheseController::alignmentForCellAtRowIndex(long row, long column) const
{
    return cellAlignment(dataRow(row, column), dataColumn(row, column));
}

QFont FenTableurSyntheseController::fontForRowHeaderInDataSource(long index, double size) const
{
    return isRotated() ? defaultBoldFont(size) : rowTitleFont(index, size);
}

QFont FenTableurSyntheseController::fontForColumnHeaderInDataSource(long index, double size) const
{
    return isRotated() ? rowTitleFont(index, size) : defaultBoldFont(size);
}

QFont FenTableurSyntheseController::fontForCellAtRowIndex(long row, long column, double size) const
{
    return cellFont(dataRow(row, column), dataColumn(row, column), size);
}

QColor FenTableurSyntheseController::foregroundColorAtRow(long row, long column) const
{
    return cellColour(dataRow(row, column), dataColumn(row, column));
}

QColor FenTableurSyntheseController::backgroundColorAtRow(long row, long column) const
{
    const QColor own = cellBackground(dataRow(row, column), dataColumn(row, column));
    return own.isValid() ? own : FenTableurController::backgroundColorAtRow(row, column);
}

// A data row's own colours give way to the selection's.
QColor FenTableurSyntheseController::backgroundColorForHeaderAtRow(long row) const
{
    const RowObject* header = rowAtIndex(row);
    const QColor own = isRotated() ? QColor() : rowTitleBackground(row);
    if (own.isValid() && (drawWithZone() || !header || header->state() == CellObject::kStateNormal))
        return own;
    return FenTableurController::backgroundColorForHeaderAtRow(row);
}

QColor FenTableurSyntheseController::backgroundColorForHeaderAtColumn(long column) const
{
    const ColumnObject* header = columnAtIndex(column);
    const QColor own = isRotated() ? rowTitleBackground(column) : QColor();
    if (own.isValid() && (drawWithZone() || !header || header->state() == CellObject::kStateNormal))
        return own;
    return FenTableurController::backgroundColorForHeaderAtColumn(column);
}

QColor FenTableurSyntheseController::foregroundColorForHeaderAtRow(long row) const
{
    const QColor own = isRotated() ? QColor() : rowTitleForeground(row);
    return own.isValid() ? own : FenTableurController::foregroundColorForHeaderAtRow(row);
}

QColor FenTableurSyntheseController::foregroundColorForHeaderAtColumn(long column) const
{
    const QColor own = isRotated() ? rowTitleForeground(column) : QColor();
    return own.isValid() ? own : FenTableurController::foregroundColorForHeaderAtColumn(column);
}

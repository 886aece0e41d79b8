#include "analysis/FenTableurBudgetController.h"

#include "analysis/FenAnalyseBudgetController.h"

#include "foundation/localized.h"

namespace {

enum Column { kDossier = 0, kPoste = 1, kPrevu = 2, kReel = 3, kEcart = 4 };

} // namespace

FenTableurBudgetController* openTableurBudget(BudgetSyntheseList entries, const AnalyseFile& file, long devise)
{
    auto rows = std::make_shared<const BudgetSyntheseList>(std::move(entries));
    auto copy = std::make_shared<AnalyseFile>(file);
    return StdWindowController::push<FenTableurBudgetController>(
        makeWindowData({{QStringLiteral("array"), QVariant::fromValue<BudgetSyntheseListPtr>(rows)},
                        {QStringLiteral("anaFile"), QVariant::fromValue<AnalyseFilePtr>(copy)}}),
        devise, true);
}

void FenTableurBudgetController::takeData(const WindowData& data)
{
    FenTableurSyntheseController::takeData(data);
    if (const BudgetSyntheseListPtr rows = data.value(QStringLiteral("array")).value<BudgetSyntheseListPtr>())
        m_entries = *rows;
}

const BudgetSyntheseEntry* FenTableurBudgetController::metadataAtRow(long row) const
{
    return row >= 0 && row < m_entries.size() ? &m_entries.at(row) : nullptr;
}

// A schedule with split lines spreads over several categories: it has none to show.
QString FenTableurBudgetController::dossierNameAtRowIndex(long row) const
{
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    if (!entry || entry->groupage || entry->dossierName.isEmpty()
        || (entry->kind != BudgetSyntheseKind::Echeancier && entry->kind != BudgetSyntheseKind::Prevision))
        return QStringLiteral("-");
    return entry->dossierName;
}

QString FenTableurBudgetController::posteNameAtRowIndex(long row) const
{
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    if (entry && entry->groupage)
        return QStringLiteral("(groupage)");
    if (!entry || entry->posteName.isEmpty()
        || (entry->kind != BudgetSyntheseKind::Echeancier && entry->kind != BudgetSyntheseKind::Prevision))
        return QStringLiteral("-");
    return entry->posteName;
}

QString FenTableurBudgetController::valueAtRowInDataSource(long row, long column) const
{
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    if (!entry)
        return QStringLiteral("-");
    MONTANT prevu;
    MONTANT reel;
    MONTANT::subMontant(entry->montantPrevuCredit, entry->montantPrevuDebit, prevu);
    MONTANT::subMontant(entry->montantReelCredit, entry->montantReelDebit, reel);
    switch (column) {
    case kDossier:
        return dossierNameAtRowIndex(row);
    case kPoste:
        return posteNameAtRowIndex(row);
    case kPrevu:
        return amountText(prevu);
    case kReel:
        return amountText(reel);
    case kEcart: {
        MONTANT ecart;
        MONTANT::subMontant(reel, prevu, ecart);
        return amountText(ecart);
    }
    default:
        return QStringLiteral("-");
    }
}

QString FenTableurBudgetController::rowTitle(long row) const
{
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    if (!entry)
        return QString();
    switch (entry->kind) {
    case BudgetSyntheseKind::Echeancier:
    case BudgetSyntheseKind::Prevision:
        return entry->name;
    case BudgetSyntheseKind::HorsBudget:
        return QStringLiteral("Hors budget");
    case BudgetSyntheseKind::Total:
        return QStringLiteral("Total");
    }
    return QString();
}

QString FenTableurBudgetController::columnTitle(long column) const
{
    static const char* const titles[5] = {"Dossier", "Poste budgétaire", "Prévu", "Réel", "Écart"};
    return column >= 0 && column < 5 ? QString::fromUtf8(titles[column]) : QString();
}

unsigned long FenTableurBudgetController::cellAlignment(long, long column) const
{
    return column > kPoste ? kAlignRight : kAlignLeft;
}

QFont FenTableurBudgetController::cellFont(long row, long column, double size) const
{
    if (column == kDossier)
        return defaultBoldFont(size);
    if (column == kPoste)
        return defaultFont(size);
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    return entry && entry->kind == BudgetSyntheseKind::Total ? defaultBoldFixedFont(size) : defaultFixedFont(size);
}

QColor FenTableurBudgetController::cellColour(long row, long column) const
{
    const QString value = column > kPoste ? valueAtRowInDataSource(row, column) : QStringLiteral("-");
    if (value == QLatin1String("-"))
        return QColor(Qt::black);
    return value.startsWith(u'-') ? QColor::fromRgbF(0.4F, 0, 0, 1) : QColor::fromRgbF(0, 0.4F, 0, 1);
}

QColor FenTableurBudgetController::cellBackground(long row, long) const
{
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    return entry && entry->kind == BudgetSyntheseKind::Total ? QColor::fromRgbF(0.9F, 0.9F, 0.9F, 1) : QColor();
}

QColor FenTableurBudgetController::rowTitleBackground(long row) const
{
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    if (!entry)
        return QColor();
    switch (entry->kind) {
    case BudgetSyntheseKind::Echeancier:
        return QColor::fromRgbF(1.0F, 0.8F, 0.8F, 0.5F);
    case BudgetSyntheseKind::Prevision:
        return QColor::fromRgbF(1.0F, 0.8F, 1.0F, 0.8F);
    case BudgetSyntheseKind::HorsBudget:
        return QColor::fromRgbF(0.8F, 0.8F, 0.8F, 0.6F);
    case BudgetSyntheseKind::Total:
        return QColor::fromRgbF(0.4F, 0.4F, 0.4F, 1.0F);
    }
    return QColor();
}

QColor FenTableurBudgetController::rowTitleForeground(long row) const
{
    const BudgetSyntheseEntry* entry = metadataAtRow(row);
    if (!entry)
        return QColor();
    switch (entry->kind) {
    case BudgetSyntheseKind::Echeancier:
        return QColor::fromRgbF(0.1F, 0, 0, 1);
    case BudgetSyntheseKind::Prevision:
        return QColor::fromRgbF(0, 0.1F, 0.1F, 1);
    case BudgetSyntheseKind::HorsBudget:
        return QColor::fromRgbF(0.1F, 0.1F, 0.1F, 1);
    case BudgetSyntheseKind::Total:
        return QColor(Qt::white);
    }
    return QColor();
}

QString FenTableurBudgetController::helpTitle() const
{
    return localizedHelp(QStringLiteral("HELP_TITLE_SYNTHESE_BUDGET"));
}

QString FenTableurBudgetController::helpContent() const
{
    return localizedHelp(QStringLiteral("HELP_CONTENT_SYNTHESE_BUDGET"));
}

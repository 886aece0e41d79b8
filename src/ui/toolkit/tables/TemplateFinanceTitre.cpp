#include "toolkit/tables/TemplateFinanceTitre.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/windows/StdBoxNoBorder.h"
#include "toolkit/windows/StdView.h"
#include "toolkit/windows/StdViewTitre.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr std::array<int, TemplateFinanceTitre::kColumns> kLeastWidths {0, 80, 70, 110, 110, 110};
constexpr std::array<bool, TemplateFinanceTitre::kColumns> kAmountColumns {false, true, false, true, true, true};
constexpr int kBandHeight = 22;

// The amount columns hold the largest amount, in the footer's bold as in the rows.
int columnWidth(size_t column)
{
    static const int room = figureRoom(largestAmountText(), makeListFont(true, false, 12));
    return kAmountColumns[column] ? std::max(kLeastWidths[column], room) : kLeastWidths[column];
}

// A heading, or with no text a footer's field: the count or a total, a figure drawn whole.
QLabel* columnLabel(const char* name, QWidget* parent, const QString& text, bool bold, bool amount)
{
    auto* label = text.isEmpty() ? new FigureLabel(parent) : new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(makeListFont(bold, false, 12));
    label->setAlignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return label;
}

} // namespace

TemplateFinanceTitre::TemplateFinanceTitre(QWidget* parent)
    : StdTemplate(parent)
{
    setObjectName(QStringLiteral("TemplateFinanceTitre"));
}

void TemplateFinanceTitre::layOutColumns(QWidget* parent, const std::array<QWidget*, kColumns>& views)
{
    auto* layout = new QHBoxLayout(parent);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(8);
    for (size_t i = 0; i < views.size(); ++i) {
        QWidget* view = views[i] ? views[i] : new QWidget(parent);
        const int width = columnWidth(i);
        if (width > 0)
            view->setFixedWidth(width);
        layout->addWidget(view, width > 0 ? 0 : 1);
    }
}

void TemplateFinanceTitre::loadView()
{
    auto* titre = new StdViewTitre(this);
    titre->resize(kWidth, titre->height());
    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(kWidth, kRowHeight);
    setTemplateViews(titre, buildTete(), liste, buildPied());
}

QWidget* TemplateFinanceTitre::buildTete()
{
    auto* tete = new StdView(this);
    tete->setObjectName(QStringLiteral("template_view_tete"));
    layOutColumns(
        tete,
        {columnLabel("tete_nom", tete, localizedMisc(QStringLiteral("kMisc_TitreNom")), true, false),
         columnLabel("tete_cours", tete, localizedMisc(QStringLiteral("kMisc_TitreCours")), true, true),
         columnLabel("tete_nbtitre", tete, localizedMisc(QStringLiteral("kMisc_TitreNbTitres")), true, true),
         columnLabel("tete_liquidite", tete, localizedMisc(QStringLiteral("kMisc_TitreLiquidite")), true, true),
         columnLabel("tete_valeur", tete, localizedMisc(QStringLiteral("kMisc_TitreValeur")), true, true),
         columnLabel("tete_plusvalue", tete, localizedMisc(QStringLiteral("kMisc_TitrePlusValue")), true, true)});
    tete->resize(kWidth, kBandHeight);
    return tete;
}

QWidget* TemplateFinanceTitre::buildPied()
{
    auto* pied = new StdBoxNoBorder(this);
    pied->setObjectName(QStringLiteral("template_view_pied"));
    layOutColumns(pied,
                  {columnLabel("field_nb_placements", pied, QString(), false, false), nullptr, nullptr,
                   columnLabel("field_total_liquidite", pied, QString(), true, true),
                   columnLabel("field_total_valeur", pied, QString(), true, true),
                   columnLabel("field_total_plusvalue", pied, QString(), true, true)});
    pied->resize(kWidth, kBandHeight);
    return pied;
}

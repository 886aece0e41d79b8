#include "investments/TemplateFinance.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/windows/StdBoxNoBorder.h"
#include "toolkit/windows/StdView.h"
#include "toolkit/windows/StdViewTitre.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr int kAmountWidth = 110;
constexpr int kBandHeight = 22;

// A heading, or with no text a footer's field: the count or a total, a figure drawn whole.
QLabel* columnLabel(const QString& name, QWidget* parent, const QString& text, bool bold, bool amount)
{
    auto* label = text.isEmpty() ? new FigureLabel(parent) : new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(makeListFont(bold, false, 12));
    label->setAlignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return label;
}

} // namespace

TemplateFinance::TemplateFinance(const Columns& columns, QWidget* parent)
    : StdTemplate(parent)
    , m_columns(columns)
{
}

void TemplateFinance::layOutColumns(QWidget* parent, QWidget* nom, const std::array<QWidget*, kAmounts>& amounts)
{
    auto* layout = new QHBoxLayout(parent);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(8);
    layout->addWidget(nom ? nom : new QWidget(parent), 1);
    for (QWidget* view : amounts) {
        QWidget* placed = view ? view : new QWidget(parent);
        placed->setFixedWidth(kAmountWidth);
        layout->addWidget(placed);
    }
}

void TemplateFinance::loadView()
{
    auto* titre = new StdViewTitre(this);
    titre->resize(kWidth, titre->height());
    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(kWidth, kRowHeight);

    auto* tete = new StdView(this);
    tete->setObjectName(QStringLiteral("template_view_tete"));
    std::array<QWidget*, kAmounts> headings {};
    for (int i = 0; i < kAmounts; ++i)
        headings[size_t(i)]
            = columnLabel(QStringLiteral("tete_%1").arg(i + 1), tete,
                          localizedMisc(QString::fromLatin1(m_columns.headingKeys[size_t(i)])), true, true);
    layOutColumns(
        tete,
        columnLabel(QStringLiteral("tete_nom"), tete, localizedMisc(QStringLiteral("kMisc_TitreNom")), true, false),
        headings);
    tete->resize(kWidth, kBandHeight);

    auto* pied = new StdBoxNoBorder(this);
    pied->setObjectName(QStringLiteral("template_view_pied"));
    std::array<QWidget*, kAmounts> totals {};
    for (int i = 0; i < kAmounts; ++i)
        totals[size_t(i)]
            = columnLabel(QString::fromLatin1(m_columns.totalFields[size_t(i)]), pied, QString(), true, true);
    layOutColumns(pied, columnLabel(QStringLiteral("field_nb_placements"), pied, QString(), false, false), totals);
    pied->resize(kWidth, kBandHeight);
    setTemplateViews(titre, tete, liste, pied);
}

TemplateFinanceEmprunt::TemplateFinanceEmprunt(QWidget* parent)
    : TemplateFinance({{"kMisc_EmpruntRembourse", "kMisc_EmpruntPrete", "kMisc_EmpruntInteret", "kMisc_EmpruntCout"},
                       {"field_total_rembourse", "field_total_prete", "field_total_interet", "field_total_cout"}},
                      parent)
{
    setObjectName(QStringLiteral("TemplateFinanceEmprunt"));
}

TemplateFinanceRemunere::TemplateFinanceRemunere(QWidget* parent)
    : TemplateFinance({{"kMisc_RemunereCapital", "kMisc_RemunereInteret", "kMisc_RemunereCout", "kMisc_RemunereSolde"},
                       {"field_total_capital", "field_total_interet", "field_total_cout", "field_total_solde"}},
                      parent)
{
    setObjectName(QStringLiteral("TemplateFinanceRemunere"));
}

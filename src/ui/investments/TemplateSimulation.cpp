#include "investments/TemplateSimulation.h"

#include "investments/BoxSimulationPied.h"
#include "investments/BoxSimulationTitre.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/windows/StdView.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr int kMonthWidth = 40;
constexpr int kAmountWidth = 84;

} // namespace

TemplateSimulation::TemplateSimulation(QWidget* parent)
    : StdTemplate(parent)
{
    setObjectName(QStringLiteral("TemplateSimulation"));
}

void TemplateSimulation::layOutColumns(QWidget* parent, const std::array<QWidget*, kColumns>& views)
{
    auto* layout = new QHBoxLayout(parent);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(4);
    for (size_t i = 0; i < views.size(); ++i) {
        QWidget* view = views[i] ? views[i] : new QWidget(parent);
        view->setFixedWidth(i == 0 ? kMonthWidth : kAmountWidth);
        layout->addWidget(view);
    }
    layout->addStretch(1);
}

void TemplateSimulation::loadView()
{
    auto* titre = new BoxSimulationTitre(this);
    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(kWidth, kRowHeight);
    auto* pied = new BoxSimulationPied(this);
    pied->resize(kWidth, kBandHeight);
    setTemplateViews(titre, buildTete(), liste, pied);
}

QWidget* TemplateSimulation::buildTete()
{
    auto* tete = new StdView(this);
    tete->setObjectName(QStringLiteral("template_view_tete"));
    static const char* const keys[kColumns]
        = {"FenSimulation_mois",          "FenSimulation_remboursement", "FenSimulation_capital",
           "FenSimulation_interet",       "FenSimulation_cout_colonne",  "FenSimulation_cumul_capital",
           "FenSimulation_cumul_interet", "FenSimulation_cumul_cout"};
    std::array<QWidget*, kColumns> labels {};
    for (int i = 0; i < kColumns; ++i) {
        auto* label = new QLabel(localizedAppl(QString::fromLatin1(keys[i])), tete);
        label->setFont(makeListFont(true, false, 10));
        label->setWordWrap(true);
        label->setAlignment((i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        labels[size_t(i)] = label;
    }
    layOutColumns(tete, labels);
    tete->resize(kWidth, 30);
    return tete;
}

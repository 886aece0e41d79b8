#include "investments/TemplateSimulation.h"

#include "investments/BoxSimulationPied.h"
#include "investments/BoxSimulationTitre.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/windows/StdView.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int kMonthWidth = 40;
constexpr int kLeastAmountWidth = 84;
constexpr int kMargin = 8;
constexpr int kSpacing = 4;

} // namespace

TemplateSimulation::TemplateSimulation(QWidget* parent)
    : StdTemplate(parent)
{
    setObjectName(QStringLiteral("TemplateSimulation"));
}

int TemplateSimulation::amountWidth(const QStringList& shown)
{
    const DOCUMENT* doc = currentDocument();
    const QFont bold = makeListFont(true, false, 12);
    int widest = kLeastAmountWidth;
    for (long slot = 0; slot < kDeviseSlotCount; ++slot)
        widest = std::max(widest, figureRoom(largestAmountText(slot, doc ? &doc->deviseHdl : nullptr), bold));
    for (const QString& figure : shown)
        widest = std::max(widest, figureRoom(figure, bold));
    return widest;
}

int TemplateSimulation::width(int amount)
{
    return 2 * kMargin + kMonthWidth + (kColumns - 1) * (kSpacing + amount) + kMargin;
}

void TemplateSimulation::setAmountWidth(QWidget* band, int amount)
{
    QLayout* layout = band ? band->layout() : nullptr;
    if (!layout)
        return;
    for (int i = 1; i < kColumns && i < layout->count(); ++i) {
        if (QWidget* column = layout->itemAt(i)->widget())
            column->setFixedWidth(amount);
    }
    band->resize(width(amount), band->height());
}

void TemplateSimulation::setViewsAmountWidth(int amount)
{
    setAmountWidth(template_view_tete(), amount);
    setAmountWidth(template_view_pied(), amount);
    for (QWidget* view : {template_view_titre(), template_view_liste()}) {
        if (view)
            view->resize(width(amount), view->height());
    }
}

void TemplateSimulation::layOutColumns(QWidget* parent, const std::array<QWidget*, kColumns>& views)
{
    auto* layout = new QHBoxLayout(parent);
    layout->setContentsMargins(kMargin, 0, kMargin, 0);
    layout->setSpacing(kSpacing);
    const int amount = amountWidth();
    for (size_t i = 0; i < views.size(); ++i) {
        QWidget* view = views[i] ? views[i] : new QWidget(parent);
        view->setFixedWidth(i == 0 ? kMonthWidth : amount);
        layout->addWidget(view);
    }
    layout->addStretch(1);
}

void TemplateSimulation::loadView()
{
    auto* titre = new BoxSimulationTitre(this);
    titre->resize(width(), titre->height());
    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(width(), kRowHeight);
    auto* pied = new BoxSimulationPied(this);
    pied->resize(width(), kBandHeight);
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
    tete->resize(width(), 30);
    return tete;
}

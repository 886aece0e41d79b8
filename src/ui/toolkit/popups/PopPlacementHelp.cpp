#include "toolkit/popups/PopPlacementHelp.h"

#include "foundation/localized.h"

#include <QStyle>

#include <array>

namespace {

// Items 1 to 14: two computations for each kind of entry, one for kinds 5 and 6.
constexpr std::array<PopPlacementHelp::ItemRule, PopPlacementHelp::kItemCount> kItemRules = {{
    {1, 1},
    {2, 1},
    {1, 2},
    {2, 2},
    {1, 3},
    {2, 3},
    {1, 4},
    {2, 4},
    {1, 5},
    {1, 6},
    {1, 7},
    {2, 7},
    {1, 8},
    {2, 8},
}};

} // namespace

PopPlacementHelp::PopPlacementHelp(QWidget* parent)
    : StdPopUp(parent)
{
    setImage(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    setAutoRaise(true);
    setShowsMenuIndicator(false);
}

PopPlacementHelp::ItemRule PopPlacementHelp::itemRule(int index)
{
    if (index < 1 || index > kItemCount)
        return {0, -1};
    return kItemRules[size_t(index - 1)];
}

void PopPlacementHelp::FILL_MENU()
{
    QObject* delegate = stdMenu()->delegate();
    if (!delegate)
        return;
    auto* source = dynamic_cast<PlacementCategorieSource*>(delegate);
    const int categorie = source ? source->getPlacementCategorie() : 0;
    for (int index = 1; index <= kItemCount; ++index) {
        const ItemRule rule = itemRule(index);
        PBHelpPlacPOPMENUAux(index, rule.tag, rule.categorie == categorie);
    }
}

QAction* PopPlacementHelp::PBHelpPlacPOPMENUAux(int index, int kind, bool enabled)
{
    const QString title = localizedStringForKey(QStringLiteral("POPUP_PLACEMENT%1").arg(index), QStringLiteral("Appl"));
    return addItemToMenu(stdMenu(), title, QStringLiteral("DEAL_HELP_PLAC:"), QStringLiteral("placement"), enabled,
                         kind);
}

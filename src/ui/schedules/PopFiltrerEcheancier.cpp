#include "schedules/PopFiltrerEcheancier.h"

#include "engines/ChronoManager.h"
#include "foundation/localized.h"

namespace {

struct FilterItem {
    const char* titleKey; // null: a separator
    const char* imageName;
    int tag;
    bool markable; // marked while the tag's bit is set
};

constexpr FilterItem kItems[] = {
    {"POPUP_FILTRE_ALL", "menu_calcul_auto", ChronoManager::kFilterAll, false},
    {"POPUP_FILTRE_NONE", "menu_calcul_auto", ChronoManager::kFilterNone, false},
    {nullptr, nullptr, 0, false},
    {"POPUP_FILTRE_POSTES", "filtrer", ChronoManager::kFilterPostes, true},
    {nullptr, nullptr, 0, false},
    {"POPUP_FILTRE_REEL_ACTIF", "filtrer", ChronoManager::kFilterReelActif, true},
    {"POPUP_FILTRE_REEL_ECHU", "filtrer", ChronoManager::kFilterReelEchu, true},
    {"POPUP_FILTRE_REEL_ALL", "menu_calcul_auto", ChronoManager::kTagReelAll, false},
    {"POPUP_FILTRE_REEL_NONE", "menu_calcul_auto", ChronoManager::kTagReelToggle, false},
    {nullptr, nullptr, 0, false},
    {"POPUP_FILTRE_PREVISION_ACTIF", "filtrer", ChronoManager::kFilterPrevisionActif, true},
    {"POPUP_FILTRE_PREVISION_ECHU", "filtrer", ChronoManager::kFilterPrevisionEchu, true},
    {"POPUP_FILTRE_PREVISION_ALL", "menu_calcul_auto", ChronoManager::kTagPrevisionAll, false},
    {"POPUP_FILTRE_PREVISION_NONE", "menu_calcul_auto", ChronoManager::kTagPrevisionToggle, false},
};

} // namespace

PopFiltrerEcheancier::PopFiltrerEcheancier(QWidget* parent)
    : StdPopUp(parent)
{
    setCanSelectMulti(true);
    setCanAutoSelect(false);
}

bool PopFiltrerEcheancier::showsEverything(int filter)
{
    return (filter & ChronoManager::kFilterAll) == ChronoManager::kFilterAll;
}

void PopFiltrerEcheancier::FILL_MENU()
{
    const int filter = m_filter ? m_filter() : ChronoManager::kFilterAll;
    for (const FilterItem& item : kItems) {
        if (!item.titleKey) {
            stdMenu()->addSeparator();
            continue;
        }
        QAction* action = addItemToMenu(stdMenu(), localizedAppl(QString::fromLatin1(item.titleKey)),
                                        QStringLiteral("FILTER:"), QString::fromLatin1(item.imageName), true, item.tag);
        if (action && item.markable && (filter & item.tag) != 0)
            action->setChecked(true);
    }
}

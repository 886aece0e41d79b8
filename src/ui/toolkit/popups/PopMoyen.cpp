#include "toolkit/popups/PopMoyen.h"

#include "toolkit/popups/PopSynonyme.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/Synonyme.h"
#include "model/TOOL.h"

#include <array>

namespace {

// Cheques and cards first, the most used; family 4 (no payment means) is never offered.
constexpr std::array<int, 12> kFamilyOrder = {9, 10, 11, 12, 5, 6, 7, 8, 2, 3, 1, 0};

// Whether the debit and credit bank types are exactly those.
bool types(int debitTyp, int creditTyp, int debit, int credit)
{
    return debitTyp == debit && creditTyp == credit;
}

} // namespace

PopMoyen::PopMoyen(QWidget* parent)
    : StdPopUp(parent)
{
    setCanAutoSelect(false);
}

void PopMoyen::selectMoyen(long family)
{
    m_selectedMoyen = family;
    m_selectedSynonyme = -1;
}

void PopMoyen::selectSynonyme(long ident)
{
    m_selectedMoyen = -1;
    m_selectedSynonyme = ident;
}

QColor PopMoyen::offColor()
{
    return QColor::fromRgbF(0.6f, 0.0f, 0.0f, 1.0f);
}

bool PopMoyen::conditionOffForFamily(int family, int debitTyp, int creditTyp, bool filter, qint64 filterMoyen)
{
    const int d = debitTyp;
    const int c = creditTyp;
    switch (family) {
    case 1:
        return filter && (c == kBanqueTiers || d == kBanqueTiers);
    case 2:
        return filterMoyen == 1 || (filter && !types(d, c, kBanqueLiquide, kBanqueTiers));
    case 3:
        return filterMoyen == 1 || (filter && !types(d, c, kBanqueTiers, kBanqueLiquide));
    case 5:
        return filterMoyen == 2 || (filter && !types(d, c, kBanqueUser, kBanqueLiquide));
    case 6:
        return filterMoyen == 2 || (filter && !types(d, c, kBanqueLiquide, kBanqueUser));
    case 7:
    case 9:
    case 11:
        return filterMoyen == 2 || (filter && !types(d, c, kBanqueUser, kBanqueTiers));
    case 8:
    case 10:
    case 12:
        return filterMoyen == 2 || (filter && !types(d, c, kBanqueTiers, kBanqueUser));
    default: // 0, 4 and anything outside the families
        return false;
    }
}

void PopMoyen::FILL_MENU()
{
    FILL_MENU(stdMenu());
}

void PopMoyen::FILL_MENU(QMenu* menu)
{
    const DOCUMENT* doc = currentDocument();
    // An account that can't be found counts as one of the user's own, as without the filter.
    int debitTyp = kBanqueUser;
    int creditTyp = kBanqueUser;
    if (m_filter) {
        TOOL::compteIDToBType(long(m_debitID), &debitTyp, doc);
        TOOL::compteIDToBType(long(m_creditID), &creditTyp, doc);
    }
    for (const int family : kFamilyOrder)
        FILL_MENU_AUX(family, m_filter, menu, debitTyp, creditTyp);
    if (!doc || doc->synonymeArray.isEmpty())
        return;
    menu->addSeparator();
    for (const Synonyme& synonyme : doc->synonymeArray)
        FILL_MENU_SYNONYME(synonyme, m_filter, menu, debitTyp, creditTyp);
}

QAction* PopMoyen::FILL_MENU_AUX(int family, bool condOff, QMenu* menu, int debitTyp, int creditTyp)
{
    const bool off = conditionOffForFamily(family, debitTyp, creditTyp, condOff, m_filterMoyen);
    const bool checked = m_selectedMoyen != -1 && family == m_selectedMoyen;
    return addMoyenItem(menu, MOYEN::newMoyenName(family), itemImage(MOYEN::getActionIcone(family)), family, off, {},
                        checked);
}

QAction* PopMoyen::FILL_MENU_SYNONYME(const Synonyme& synonyme, bool condOff, QMenu* menu, int debitTyp, int creditTyp)
{
    const bool off = conditionOffForFamily(synonyme.family, debitTyp, creditTyp, condOff, m_filterMoyen);
    const bool checked = m_selectedSynonyme != -1 && synonyme.ident == m_selectedSynonyme;
    const QVariantMap represented {{QStringLiteral("synonyme"), QVariant::fromValue(synonyme)}};
    return addMoyenItem(menu, synonyme.nom, PopSynonyme::synonymeImage(synonyme), synonyme.family, off, represented,
                        checked);
}

QAction* PopMoyen::addMoyenItem(QMenu* menu, const QString& title, const QIcon& image, int family, bool off,
                                QVariantMap represented, bool checked)
{
    represented.insert(QStringLiteral("need"), off);
    QAction* item = addItemToMenu(menu, title, QStringLiteral("MOYEN:"), stdMenu()->delegate(), represented, QString(),
                                  true, checked, family);
    item->setIcon(image);
    if (off)
        StdMenu::setTitleColor(item, offColor());
    return item;
}

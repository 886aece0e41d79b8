#include "toolkit/popups/PopCategorie.h"

#include "toolkit/drawing/Constants.h"

#include "model/TOOL.h"

void PopCategorie::FILL_MENU()
{
    struct Type {
        int type;
        const char* image;
    };
    static constexpr Type kTypes[]
        = {{kBanqueUser, "banque_user"}, {kBanqueLiquide, "banque_liquide"}, {kBanqueTiers, "banque_contre"}};
    const QString action = getCompteDebit() ? QStringLiteral("CATEGORIED:") : QStringLiteral("CATEGORIEC:");
    for (const Type& type : kTypes)
        addItemToMenu(stdMenu(), Constants::categorieToString(type.type), action, QString::fromLatin1(type.image), true,
                      type.type);
}

#include "toolkit/popups/PopAutoCompute.h"

#include "foundation/localized.h"

#include <QMetaMethod>

bool PopAutoCompute::preferenceAutoCompute(QObject* window)
{
    if (!window)
        return false;
    const QMetaObject* meta = window->metaObject();
    const int index = meta->indexOfMethod("getPreferenceAutoCompute()");
    bool automatic = false;
    if (index >= 0)
        meta->method(index).invoke(window, Qt::DirectConnection, Q_RETURN_ARG(bool, automatic));
    return automatic;
}

void PopAutoCompute::FILL_MENU()
{
    StdMenu* menu = stdMenu();
    const QString action = QStringLiteral("AUTOCOMPUTE:");
    addItemToMenu(menu, localizedAppl(QStringLiteral("kAnalyseComputeNow")), action, QStringLiteral("calcul_auto"),
                  !preferenceAutoCompute(menu->delegate()), -1);
    menu->addSeparator();
    addItemToMenu(menu, localizedAppl(QStringLiteral("kAnalyseComputeManuel")), action, QString(), true, 0);
    addItemToMenu(menu, localizedAppl(QStringLiteral("kAnalyseComputeAuto")), action, QString(), true, 1);
}

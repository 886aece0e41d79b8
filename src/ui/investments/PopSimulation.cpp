#include "investments/PopSimulation.h"

#include "investments/FenSimulationController.h"
#include "toolkit/popups/StdMenu.h"

#include "document/DocContext.h"
#include "foundation/localized.h"

#include <QFileInfo>

PopSimulation::PopSimulation(QWidget* parent)
    : StdPopUp(parent)
{
    setCanSelectFirstItem(false);
    setCanAutoSelect(false);
}

void PopSimulation::setSimulation_delegate(FenSimulationController* delegate)
{
    m_delegate = delegate;
    stdMenu()->setDelegate(delegate);
}

void PopSimulation::FILL_MENU()
{
    QMenu* menu = stdMenu();
    addItemToMenu(menu, localizedAppl(QStringLiteral("kNewEmptySimul")), QStringLiteral("NOUVELLE:"),
                  QStringLiteral("plus"), true, -1);
    const QString name = m_delegate ? m_delegate->getConfiguration() : QString();
    if (!name.isEmpty()) {
        addItemToMenu(menu, QStringLiteral("%1 %2").arg(localizedAppl(QStringLiteral("kNewCopieSimul")), name),
                      QStringLiteral("NOUVELLE_COPIE:"), QStringLiteral("plus"), true, -1);
        addItemToMenu(menu, QStringLiteral("%1 %2").arg(localizedAppl(QStringLiteral("kDeleteSimul")), name),
                      QStringLiteral("SUPPRIMER:"), QStringLiteral("supprimer"), true, -1);
    } else {
        addItemToMenu(menu, localizedAppl(QStringLiteral("kSaveSimulParam")), QStringLiteral("ENREGISTRER:"),
                      QStringLiteral("DD"), true, -1);
    }
    menu->addSeparator();
    const QStringList& list = DocContext::instance().simulationList;
    for (qsizetype position = 0; position < list.size(); ++position) {
        addItemToMenu(menu, QFileInfo(list.at(position)).completeBaseName(), QStringLiteral("CHARGER:"),
                      QStringLiteral("calcul_auto"), true, position);
    }
}

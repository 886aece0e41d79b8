#include "graphs/PopConfiguration.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/GRAPH.h"

PopConfiguration::PopConfiguration(QWidget* parent)
    : StdPopUp(parent)
{
    setObjectName(QStringLiteral("pop_configuration"));
}

void PopConfiguration::FILL_MENU()
{
    const QString action = QStringLiteral("PBCONFIGURATION:");
    addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("POPUP_GRAPH_EMPTY")), action, QStringLiteral("outil_defaut"),
                  true, -1);
    const GraphList* list = getGraphHdl(currentDocument());
    for (long i = 0; i < nbGraph(list); ++i)
        addItemToMenu(stdMenu(), graphAtIndex(list, i)->nom, action, QStringLiteral("outil"), true, i);
}

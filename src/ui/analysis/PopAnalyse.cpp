#include "analysis/PopAnalyse.h"

#include "document/DocContext.h"
#include "model/AnalyseConfiguration.h"
#include "model/DOCUMENT.h"

PopAnalyse::PopAnalyse(QWidget* parent)
    : StdPopUp(parent)
{
    setObjectName(QStringLiteral("pop_analyse"));
}

void PopAnalyse::FILL_MENU()
{
    const AnalyseConfigList* list = getAnaDefHdl(currentDocument());
    for (long i = 0; i < anaConfigListCount(list); ++i)
        addItemToMenu(stdMenu(), anaConfigAtIndex(list, i)->nom, QStringLiteral("CONFIGURATION:"),
                      i == 0 ? QStringLiteral("outil_defaut") : QStringLiteral("outil"), true, i);
}

#include "toolkit/popups/PopCritere.h"

#include "document/DocContext.h"
#include "foundation/localized.h"

#include <QFileInfo>

void PopCritere::FILL_MENU()
{
    const QString action = QStringLiteral("RECHERCHE:");
    if (getCanSelectFirstItem()) {
        addItemToMenu(stdMenu(), localizedMisc(QStringLiteral("kMisc_empty_search")), action,
                      QStringLiteral("supprimer"), true, -1);
        stdMenu()->addSeparator();
    }
    const QStringList& searches = DocContext::instance().savedSearchList;
    for (qsizetype position = 0; position < searches.size(); ++position)
        addItemToMenu(stdMenu(), QFileInfo(searches[position]).completeBaseName(), action, QStringLiteral("loupe"),
                      true, position);
}

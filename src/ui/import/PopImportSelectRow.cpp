#include "import/PopImportSelectRow.h"

#include "foundation/localized.h"

void PopImportSelectRow::FILL_MENU(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag)
{
    const QString image = QStringLiteral("exporter_vert");
    addItemToMenu(menu, localizedAppl(QStringLiteral("kImportActiverLigne")), QStringLiteral("ACTIVATE_ROW:"), target,
                  context, image, true, selectedTag == 1, 1);
    addItemToMenu(menu, localizedAppl(QStringLiteral("kImportDesactiverLigne")), QStringLiteral("ACTIVATE_ROW:"),
                  target, context, image, true, selectedTag == 0, 0);
}

void PopImportSelectRow::FILL_MENU()
{
    FILL_MENU(stdMenu(), stdMenu()->delegate(), QVariant(), kNoTag);
}

#include "toolkit/popups/PopMacro.h"

#include "toolkit/drawing/Constants.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MACRO.h"

#include <QKeySequence>

QString PopMacro::keyEquivalentText(char16_t key)
{
    if (key == 0)
        return QString();
    const QChar upper = QChar(key).toUpper();
    return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(upper.unicode()))).toString(QKeySequence::NativeText);
}

void PopMacro::FILL_MENU()
{
    if (m_canCreate)
        addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("kCreate_macro")), QStringLiteral("CREATE_MACRO:"),
                      QStringLiteral("photo"), true, -1);
    const MacroList* macros = getDocMacro(currentDocument());
    for (long position = 0; position < macroCount(macros); ++position) {
        const MACRO* macro = macroAtIndex(macros, position);
        const TRANSACT* model = macroTransact(*macro);
        const QString image = model ? familyIconName(model->moyen) : QString();
        // A menu shows what follows a tab as the item's key, right-aligned.
        const QString key = keyEquivalentText(macro->ch);
        const QString title = key.isEmpty() ? macro->nom : macro->nom + u'\t' + key;
        addItemToMenu(stdMenu(), title, QStringLiteral("MACRO:"), image, true, position);
    }
    if (m_canManage) {
        stdMenu()->addSeparator();
        addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("MENU_MACROS")), QStringLiteral("MACROS:"),
                      QStringLiteral("photo"), true, kManageTag);
    }
}

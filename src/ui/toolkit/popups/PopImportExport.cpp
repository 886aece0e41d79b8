#include "toolkit/popups/PopImportExport.h"

#include "foundation/localized.h"

QString PopImportExport::formatName(int format)
{
    switch (format) {
    case 0:
        return QStringLiteral("Tableur (Tabulation)");
    case 1:
        return QStringLiteral("Tableur (CSV)");
    case 2:
        return QStringLiteral("QIF");
    case 3:
        return QStringLiteral("OFX");
    default:
        return QStringLiteral("?");
    }
}

bool PopImportExport::windowOffers(QObject* window, const QString& action, qint64 tag)
{
    if (!window || window->metaObject()->indexOfMethod("validateMenuAction(QString,qint64)") < 0)
        return true;
    bool offered = true;
    QMetaObject::invokeMethod(window, "validateMenuAction", Qt::DirectConnection, Q_RETURN_ARG(bool, offered),
                              Q_ARG(QString, action), Q_ARG(qint64, tag));
    return offered;
}

bool PopImportExport::windowCanImport(const QObject* window)
{
    return window && window->inherits("FenReleveController");
}

void PopImportExport::FILL_MENU()
{
    const QString image = QStringLiteral("exporter_vert");
    fillExporter(addSubmenu(localizedAppl(QStringLiteral("MENU_IMPORT_EXPORTER")), image));
    fillImporter(addSubmenu(localizedAppl(QStringLiteral("MENU_IMPORT_IMPORTER")), image));
    fillRegles(addSubmenu(localizedAppl(QStringLiteral("MENU_IMPORT_REGLES")), image));
    stdMenu()->addSeparator();
    addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("MENU_IMPORT_EDITER")), QStringLiteral("EDIT_REGLES:"),
                  QStringLiteral("crayon"), windowOffers(stdMenu()->delegate(), QStringLiteral("EDIT_REGLES:"), -1),
                  -1);
}

StdMenu* PopImportExport::addSubmenu(const QString& title, const QString& imageName)
{
    auto* submenu = new StdMenu(title, stdMenu());
    QAction* item = stdMenu()->addMenu(submenu);
    item->setIcon(itemImage(imageName));
    item->setData(qlonglong(-1));
    item->setCheckable(true);
    return submenu;
}

void PopImportExport::fillExporter(StdMenu* submenu)
{
    // Only the text formats are written; the others are listed so the menus of both directions match.
    for (int format = 0; format < kFormatCount; ++format)
        addItemToMenu(submenu, formatName(format), QStringLiteral("EXPORTER:"), QStringLiteral("exporter_vert"),
                      format <= 1, format);
}

void PopImportExport::fillImporter(StdMenu* submenu)
{
    const bool canImport = windowCanImport(stdMenu()->delegate());
    for (int format = 0; format < kFormatCount; ++format)
        addItemToMenu(submenu, formatName(format), QStringLiteral("IMPORTER:"), QStringLiteral("exporter_vert"),
                      canImport, format);
}

void PopImportExport::fillRegles(StdMenu* submenu)
{
    QObject* window = stdMenu()->delegate();
    const auto add = [this, submenu, window](const QString& title, const char* action, qint64 tag) {
        const QString name = QString::fromLatin1(action);
        addItemToMenu(submenu, title, name, QString(), windowOffers(window, name, tag), tag);
    };
    addItemToMenu(submenu, localizedAppl(QStringLiteral("MENU_IMPORT_ABOUT")), QStringLiteral("ABOUT_REGLES:"),
                  QStringLiteral("information"), windowOffers(window, QStringLiteral("ABOUT_REGLES:"), -1), -1);
    submenu->addSeparator();
    // 0: the imported transactions not yet touched, 1: every imported one, 2: those selected.
    add(localizedAppl(QStringLiteral("MENU_IMPORT_APPLIQUER1")), "APPLY_REGLE:", 0);
    add(localizedAppl(QStringLiteral("MENU_IMPORT_APPLIQUER2")), "APPLY_REGLE:", 1);
    add(localizedAppl(QStringLiteral("MENU_IMPORT_APPLIQUER3")), "APPLY_REGLE:", 2);
    submenu->addSeparator();
    add(localizedAppl(QStringLiteral("MENU_IMPORT_MARQUER_IMPORTE")), "MARK_IMPORT:", -1);
    add(localizedAppl(QStringLiteral("MENU_IMPORT_MARQUER_NON_IMPORTE")), "MARK_NON_IMPORT:", -1);
    add(localizedAppl(QStringLiteral("MENU_IMPORT_MARQUER_TOUCH")), "MARK_TOUCH:", -1);
    add(localizedAppl(QStringLiteral("MENU_IMPORT_MARQUER_NON_TOUCH")), "MARK_NON_TOUCH:", -1);
    submenu->addSeparator();
    add(localizedAppl(QStringLiteral("MENU_IMPORT_CONSOLE")), "PRINT_REGLE:", -1);
}

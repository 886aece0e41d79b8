#include "import/PopImportRubrique.h"

#include "foundation/localized.h"
#include "import/ImportManager.h"

#include <initializer_list>

namespace {

using R = ImportRubrique;

const QString kImage = QStringLiteral("exporter_vert");

void addKind(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag, R kind)
{
    StdPopUp::addItemToMenu(menu, ImportManager::rubriqueToString(long(kind), false), QStringLiteral("RUBRIQUE:"),
                            target, context, kImage, true, selectedTag == qint64(kind), qint64(kind));
}

void addGroup(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag, const char* key,
              std::initializer_list<R> kinds)
{
    auto* submenu = new StdMenu(localizedMisc(QString::fromLatin1(key)), menu);
    bool selected = false;
    for (const R kind : kinds) {
        addKind(submenu, target, context, selectedTag, kind);
        selected = selected || selectedTag == qint64(kind);
    }
    QAction* group = menu->addMenu(submenu);
    group->setIcon(StdPopUp::itemImage(kImage));
    group->setData(qlonglong(0));
    group->setCheckable(true);
    group->setChecked(selected);
}

} // namespace

void PopImportRubrique::FILL_MENU(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag)
{
    addKind(menu, target, context, selectedTag, R::NotAffected);
    addGroup(menu, target, context, selectedTag, "kRub_Date", {R::DateJMA, R::DateAMJ, R::DateMJA});
    addGroup(menu, target, context, selectedTag, "kRub_Montant", {R::MontantSeul, R::MontantDevise});
    addGroup(menu, target, context, selectedTag, "kRub_Montant_debit", {R::MontantDebitSeul, R::MontantDebitDevise});
    addGroup(menu, target, context, selectedTag, "kRub_Montant_credit", {R::MontantCreditSeul, R::MontantCreditDevise});
    for (const R kind :
         {R::Debit, R::Credit, R::Contre, R::Poste, R::Reference, R::Info, R::Moyen, R::Fiscal, R::Devise, R::Invalide})
        addKind(menu, target, context, selectedTag, kind);
}

void PopImportRubrique::FILL_MENU()
{
    FILL_MENU(stdMenu(), stdMenu()->delegate(), QVariant(), kNoTag);
}

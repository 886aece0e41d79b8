#include "entities/FenEditMacroController.h"

#include "entities/AskedRecord.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/fields/TextFieldSingleChar.h"
#include "toolkit/popups/StdPopUp.h"

#include "document/DocContext.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kMacro = QStringLiteral("macro");
const QString kIndex = QStringLiteral("index");

void refuse(FenEditMacroController* window, const char* key, const QString& information = QString())
{
    showAlertOK(window, Dialog::keyString(QString::fromLatin1(key)), information, QStringLiteral("photo"), 1);
}

} // namespace

void FenEditMacroController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditMacro"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditMacro_titre")));
    auto* nom = new StdTextView(&window);
    nom->setObjectName(QStringLiteral("field_nom"));
    nom->setMinimumWidth(240);
    auto* touche = new TextFieldSingleChar(&window);
    touche->setObjectName(QStringLiteral("field_touche"));
    touche->setFixedWidth(40);
    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("image"));
    image->setFixedSize(32, 32);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditMacro_nom")), nom);
    form->addRow(localizedAppl(QStringLiteral("FenEditMacro_touche")), touche);
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(form, 1);
    layOutEditor(*this, window, {top});
}

void FenEditMacroController::FILL()
{
    StdWindowController::FILL();
    const MACRO macro = getData()->value(kMacro).value<MACRO>();
    outlet<StdTextView>(QStringLiteral("field_nom"))->setStoredText(macro.nom);
    outlet<StdTextView>(QStringLiteral("field_touche"))->setStoredText(macro.ch ? QString(QChar(macro.ch)) : QString());
    const QString picture = macro.transact ? familyIconName(macro.transact->moyen) : QStringLiteral("photo");
    outlet<QLabel>(QStringLiteral("image"))->setPixmap(StdPopUp::itemImage(picture).pixmap(32, 32));
}

bool FenEditMacroController::verifMacro(const QString& name, const QString& key, long index)
{
    if (name.trimmed().isEmpty()) {
        refuse(this, "kAlerte_MacroEmptyName");
        return false;
    }
    const MacroList* macros = getDocMacro(currentDocument());
    const char16_t ch = key.isEmpty() ? 0 : key.at(0).unicode();
    for (long position = 0; position < macroCount(macros); ++position) {
        if (position == index)
            continue;
        const MACRO* other = macroAtIndex(macros, position);
        if (other->nom.compare(name, Qt::CaseInsensitive) == 0) {
            refuse(this, "kAlerte_MacroDupName");
            return false;
        }
        if (ch != 0 && ch == other->ch) {
            refuse(this, "kAlerte_MacroDupChar", other->nom);
            return false;
        }
    }
    return true;
}

bool FenEditMacroController::READ()
{
    const QString name = outlet<StdTextView>(QStringLiteral("field_nom"))->storedText();
    const QString key = outlet<StdTextView>(QStringLiteral("field_touche"))->storedText();
    MACRO macro = getData()->value(kMacro).value<MACRO>();
    // Other windows went on while the editor was up: the macro's own place is where it is now.
    const MacroList* macros = getDocMacro(currentDocument());
    const bool inList = getData()->value(kIndex).toLongLong() >= 0 && macros;
    if (!verifMacro(name, key, inList ? long(askedRecordIndex(*macros, macro)) : -1))
        return false;
    macro.nom = name;
    macro.ch = key.isEmpty() ? 0 : key.at(0).unicode();
    getData()->insert(kMacro, QVariant::fromValue(macro));
    return true;
}

bool editMacro(StdWindowController* parent, MACRO& macro, long index)
{
    WindowDataPtr data = makeWindowData({{kMacro, QVariant::fromValue(macro)}, {kIndex, qlonglong(index)}});
    if (StdWindowController::pushModal<FenEditMacroController>(parent, data, 0) != 1)
        return false;
    macro = data->value(kMacro).value<MACRO>();
    return true;
}

bool createMacroFromTransact(StdWindowController* parent, const TRANSACT& trans)
{
    MACRO macro = allocNewMacro();
    if (!editMacro(parent, macro, -1))
        return false;
    TRANSACT model = trans.copyOfTransact();
    model.deleteAttachedDocuments();
    macro.transact = model;
    MacroList* macros = getDocMacro(currentDocument());
    if (!macros)
        return false;
    const long index = findMacroInsertIndex(macros, macro);
    macros->insert(index, macro);
    sendToAllWindowDelegates("NOTIFY_NEW_MACRO", QVariant::fromValue<qlonglong>(index));
    return true;
}

// The menu bar's side of the delegate: which commands can run now, the Edit menu handed to the
// window in front, the guide and the examples, and the macro keys.
#include "ApplicationDelegate.h"
#include "document/favoris.h"
#include "entities/FenAskDeclarationController.h"
#include "foundation/IDesktop.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MACRO.h"
#include "model/MONTANT.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/windowutils.h"
#include "transactions/FenListingTaxeController.h"
#include "transactions/TransactionWindows.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// The commands that need no open document; every other one does.
bool runsWithoutDocument(const QString& action)
{
    static const QStringList free {QStringLiteral("terminate"),   QStringLiteral("PREFERENCES:"),
                                   QStringLiteral("ABOUT:"),      QStringLiteral("ABOUT_REGLES:"),
                                   QStringLiteral("LETTRES:"),    QStringLiteral("FAVORIS:"),
                                   QStringLiteral("CALENDRIER:"), QStringLiteral("CALCULETTE:"),
                                   QStringLiteral("GUIDE:"),      QStringLiteral("EXAMPLES:")};
    return free.contains(action);
}

struct EditSelectors {
    const char* question; // the controller's and the text view's canCopy()...
    const char* textSlot; // the text view's own command, null for delete
    const char* controller; // the controller's command, taking the sender
};

EditSelectors selectorsOf(EditCommand command)
{
    switch (command) {
    case EditCommand::Copy:
        return {"canCopy", "copy", "copy"};
    case EditCommand::Cut:
        return {"canCut", "cut", "cut"};
    case EditCommand::Paste:
        return {"canPaste", "paste", "paste"};
    case EditCommand::SelectAll:
        return {"canSelectAll", "selectAll", "selectAll"};
    case EditCommand::Delete:
        return {"canDelete", nullptr, "delete_"};
    }
    return {"", nullptr, nullptr};
}

bool isTextView(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget)
        || qobject_cast<const QTextEdit*>(widget);
}

// The text view's own command; a deletion removes the selected text.
void runTextCommand(QWidget* view, EditCommand command)
{
    if (command != EditCommand::Delete) {
        QMetaObject::invokeMethod(view, selectorsOf(command).textSlot, Qt::DirectConnection);
        return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(view))
        line->del();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(view))
        plain->textCursor().removeSelectedText();
    else if (auto* rich = qobject_cast<QTextEdit*>(view))
        rich->textCursor().removeSelectedText();
}

// The name of the controller's method that performs the command, empty when it has none. The
// entity lists delete through their SUPPRIMER command, the transaction lists through delete_.
QByteArray controllerMethod(const QObject* controller, EditCommand command)
{
    if (!controller)
        return {};
    const QMetaObject* meta = controller->metaObject();
    if (command == EditCommand::Delete && meta->indexOfMethod("SUPPRIMER(QObject*)") >= 0)
        return QByteArrayLiteral("SUPPRIMER");
    QByteArray name(selectorsOf(command).controller);
    const int index = meta->indexOfMethod(name + "(QObject*)");
    if (index < 0)
        return {};
    // The tables' base delete_ refuses everything: a window that keeps it has no deletion.
    if (command == EditCommand::Delete
        && meta->method(index).enclosingMetaObject()->className() == QByteArrayLiteral("StdWindowWithTableController"))
        return {};
    return name;
}

// A list that selects several rows selects them all by itself when its window has no command.
QAbstractItemView* multiSelectionView(QWidget* focus)
{
    auto* view = qobject_cast<QAbstractItemView*>(focus);
    if (!view || view->selectionMode() == QAbstractItemView::SingleSelection
        || view->selectionMode() == QAbstractItemView::NoSelection)
        return nullptr;
    return view;
}

// Without a browser the desktop can hand it to, the address is given to the user to open.
void openAddress(const QString& address)
{
    if (openURLString(address))
        return;
    Dialog::alerte(nullptr, localizedDialogue(QStringLiteral("kAlerte_CantOpenAddress")), address,
                   QStringLiteral("information"), 0, {});
}

bool hasTarget(QWidget* key, EditCommand command)
{
    QWidget* focus = key->focusWidget();
    if (focus && isTextView(focus))
        return true;
    auto* window = qobject_cast<StdWindow*>(key);
    if (window && !controllerMethod(window->controller(), command).isEmpty())
        return true;
    return command == EditCommand::SelectAll && multiSelectionView(focus);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Validation

bool ApplicationDelegate::validateMenuAction(const QString& action) const
{
    if (action == QLatin1String("IMPRIMER:"))
        return can_imprimer();
    if (action == QLatin1String("IMPORTER:"))
        return m_bankIsOpen && canImporter();
    if (action == QLatin1String("CLOTURE:"))
        return m_bankIsOpen && UiHost::instance().modalDepth() == 0;
    if (action == QLatin1String("performClose:"))
        return keyWindow() != nullptr;
    if (action == QLatin1String("copy:"))
        return canCopy();
    if (action == QLatin1String("cut:"))
        return canCut();
    if (action == QLatin1String("paste:"))
        return canPaste();
    if (action == QLatin1String("selectAll:"))
        return canSelectAll();
    if (action == QLatin1String("delete:"))
        return canDelete();
    return m_bankIsOpen || runsWithoutDocument(action);
}

bool ApplicationDelegate::trySendToWindowDelegate(const char* selector) const
{
    auto* window = qobject_cast<StdWindow*>(keyWindow());
    QObject* controller = window ? window->controller() : nullptr;
    if (!controller)
        return false;
    const QMetaObject* meta = controller->metaObject();
    const int index = meta->indexOfMethod(QByteArray(selector) + "()");
    bool answer = false;
    if (index < 0 || meta->method(index).returnMetaType() != QMetaType::fromType<bool>()
        || !meta->method(index).invoke(controller, Qt::DirectConnection, Q_RETURN_ARG(bool, answer)))
        return false;
    return answer;
}

// A window of the toolkit's own (a file panel) handles the command in its text fields; a window
// of the program answers through its controller, which also says for its text views.
bool ApplicationDelegate::canEdit(EditCommand command) const
{
    QWidget* key = keyWindow();
    if (!key)
        return false;
    if (!qobject_cast<StdWindow*>(key)) {
        QWidget* focus = key->focusWidget();
        return focus && isTextView(focus) && validateEditCommand(key, command, false);
    }
    return trySendToWindowDelegate(selectorsOf(command).question) && hasTarget(key, command);
}

// ---------------------------------------------------------------------------------------------
// The Edit menu's commands

void ApplicationDelegate::performEdit(EditCommand command)
{
    if (!canEdit(command))
        return;
    QWidget* key = keyWindow();
    QWidget* focus = key->focusWidget();
    if (focus && isTextView(focus)) {
        runTextCommand(focus, command);
        return;
    }
    auto* window = qobject_cast<StdWindow*>(key);
    QObject* controller = window ? window->controller() : nullptr;
    const QByteArray method = controllerMethod(controller, command);
    if (!method.isEmpty()) {
        const QMetaObject* meta = controller->metaObject();
        QMetaMethod target = meta->method(meta->indexOfMethod(method + "(QObject*)"));
        target.invoke(controller, Qt::DirectConnection, Q_ARG(QObject*, nullptr));
        return;
    }
    if (QAbstractItemView* view = multiSelectionView(focus); view && command == EditCommand::SelectAll)
        view->selectAll();
}

void ApplicationDelegate::cut(QObject* sender)
{
    Q_UNUSED(sender);
    performEdit(EditCommand::Cut);
}

void ApplicationDelegate::copy(QObject* sender)
{
    Q_UNUSED(sender);
    performEdit(EditCommand::Copy);
}

void ApplicationDelegate::paste(QObject* sender)
{
    Q_UNUSED(sender);
    performEdit(EditCommand::Paste);
}

void ApplicationDelegate::delete_(QObject* sender)
{
    Q_UNUSED(sender);
    performEdit(EditCommand::Delete);
}

void ApplicationDelegate::selectAll(QObject* sender)
{
    Q_UNUSED(sender);
    performEdit(EditCommand::SelectAll);
}

void ApplicationDelegate::performClose(QObject* sender)
{
    Q_UNUSED(sender);
    if (QWidget* window = keyWindow())
        window->close();
}

// ---------------------------------------------------------------------------------------------
// Help and the tax declaration

void ApplicationDelegate::GUIDE(QObject* sender)
{
    Q_UNUSED(sender);
    openAddress(QStringLiteral("%1?code=%2").arg(QString::fromLatin1(kFavoriGuideUrl), QString()));
}

void ApplicationDelegate::EXAMPLES(QObject* sender)
{
    Q_UNUSED(sender);
    int answer = 0;
    Dialog::OKConfirmationWithDictionary(
        {{QStringLiteral("title"), localizedDialogue(QStringLiteral("kConfirm_Examples"))},
         {QStringLiteral("imageName"), QStringLiteral("nav_down")},
         {QStringLiteral("escapeButton"), kAlertSecondButton}},
        [&answer](int code) { answer = code; });
    if (answer == kAlertFirstButton)
        openAddress(QString::fromLatin1(kFavoriSamplesUrl));
}

void ApplicationDelegate::DECLARATION(QObject* sender)
{
    Q_UNUSED(sender);
    DOCUMENT* doc = m_document.get();
    if (!m_bankIsOpen || !doc)
        return;
    const long taxeID = doc->taxeHdl.isEmpty() ? -1 : doc->taxeHdl.constFirst().ident;
    openListingDeclaration(*doc, nullptr, taxeID, MONTANT::currentDeviseSlot(), true, askDeclaration);
}

// ---------------------------------------------------------------------------------------------
// Macro keys

namespace {

// The key as typed without Alt: the base character of the key, upper case with Shift.
char16_t macroKeyOf(const QKeyEvent* event)
{
    const int key = event->key();
    if (key > 0x20 && key <= 0xFF && key != 0x7F) {
        const QChar c(static_cast<char16_t>(key));
        return (event->modifiers() & Qt::ShiftModifier) ? c.toUpper().unicode() : c.toLower().unicode();
    }
    const int code = svKeyCode(event);
    return code > 0 && code <= 0xFFFF ? char16_t(code) : u'\0';
}

} // namespace

// Alt, or Alt and Shift, with any key but Return. The key is taken only when the window in front
// took it or a macro has it: a character the keyboard makes with Alt still reaches its field.
bool ApplicationDelegate::interceptKeyDownEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers != Qt::AltModifier || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return false;
    const char16_t key = macroKeyOf(event);
    if (key == 0 || key == kKeyReturn)
        return false;
    return runMacroKey(key) != MacroKeyOutcome::NotTaken;
}

bool ApplicationDelegate::MACRO_FROM_KEY(char16_t key, bool fromKeyboard)
{
    Q_UNUSED(fromKeyboard);
    return runMacroKey(key) == MacroKeyOutcome::TakenByWindow;
}

ApplicationDelegate::MacroKeyOutcome ApplicationDelegate::runMacroKey(char16_t key)
{
    if (!m_bankIsOpen)
        return MacroKeyOutcome::NotTaken;
    QWidget* key_window = keyWindow();
    auto* stdWindow = qobject_cast<StdWindow*>(key_window);
    if (stdWindow && offerMacroKey(stdWindow->controller(), key))
        return MacroKeyOutcome::TakenByWindow;
    if (key_window && isModalWindow(key_window))
        return MacroKeyOutcome::NotTaken;
    long index = -1;
    if (!findMacroWithKey(char16_t(key & 0xFF), &index, m_document.get()))
        return MacroKeyOutcome::NotTaken;
    MACRO(index);
    return MacroKeyOutcome::RanMacro;
}

void ApplicationDelegate::MACRO(long index)
{
    m_transactionWindows->openSaisieForMacro(macroAtIndex(getDocMacro(m_document.get()), index));
}

// The controller's answer to an offered macro key, when it takes such offers.
bool ApplicationDelegate::offerMacroKey(QObject* controller, char16_t key)
{
    if (!controller)
        return false;
    const QMetaObject* meta = controller->metaObject();
    const int index = meta->indexOfMethod("MACRO_FROM_KEY_NUM(QVariant)");
    if (index < 0)
        return false;
    bool taken = false;
    meta->method(index).invoke(controller, Qt::DirectConnection, Q_RETURN_ARG(bool, taken),
                               Q_ARG(QVariant, QVariant::fromValue<int>(key)));
    return taken;
}

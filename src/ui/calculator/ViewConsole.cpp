#include "calculator/ViewConsole.h"

#include "calculator/FenCalculetteController.h"
#include "toolkit/windows/StdWindow.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>

namespace {

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

ViewConsole::ViewConsole(FenCalculetteController* delegate, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_calculetteDelegate(delegate)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(14);
    setFont(font);
    // Undoing would bring back or take away lines the calculator has already answered.
    setUndoRedoEnabled(false);
    // A drop that moves text would take it out of an earlier line.
    setAcceptDrops(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

FenCalculetteController* ViewConsole::calculette_delegate() const
{
    return m_calculetteDelegate;
}

qint64 ViewConsole::promptPosition() const
{
    return m_calculetteDelegate ? m_calculetteDelegate->lastPrompt() : 0;
}

bool ViewConsole::canDeleteBackward() const
{
    const QTextCursor cursor = textCursor();
    return cursor.hasSelection() ? cursor.selectionStart() >= promptPosition() : cursor.position() > promptPosition();
}

bool ViewConsole::canDeleteForward() const
{
    return textCursor().selectionStart() >= promptPosition();
}

bool ViewConsole::canCut() const
{
    const QTextCursor cursor = textCursor();
    return cursor.hasSelection() && cursor.selectionStart() >= promptPosition();
}

void ViewConsole::cut()
{
    if (canCut())
        QPlainTextEdit::cut();
}

void ViewConsole::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cut();
        event->accept();
        return;
    }
    if (isNavigationKey(event->key()) || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste)
        || event->matches(QKeySequence::SelectAll) || event->key() == Qt::Key_Escape) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // The other editing shortcuts (delete a word or a line, undo) would reach earlier lines.
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        event->accept();
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        if (key == Qt::Key_Backspace ? canDeleteBackward() : canDeleteForward())
            QPlainTextEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        enterCharacters(QStringLiteral("\r"));
        event->accept();
        return;
    }
    if (enterCharacters(event->text()))
        event->accept();
    else
        QPlainTextEdit::keyPressEvent(event);
}

bool ViewConsole::enterCharacters(const QString& text)
{
    if (!m_calculetteDelegate)
        return false;
    bool handled = false;
    for (const char32_t c : text.toUcs4()) {
        const bool printable = c >= 0x20 && c != 0x7F;
        handled = printable || c == u'\t' || c == u'\r';
        if (!handled)
            continue;
        ERRORrec err;
        m_calculetteDelegate->enterCalculette(c == U'=' ? U'\r' : c, err);
    }
    return handled;
}

// Only text goes in: Qt's own paste ends the program on a clipboard that offers nothing at all
// (its owner gone, or a fresh session), and an image or a page means nothing to the calculator.
void ViewConsole::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    if (cursor.selectionStart() <= promptPosition())
        cursor.movePosition(QTextCursor::End);
    cursor.insertText(source->text());
    setTextCursor(cursor);
    ensureCursorVisible();
}

void ViewConsole::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty() || !m_calculetteDelegate) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    enterCharacters(event->commitString());
    QInputMethodEvent preedit(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&preedit);
    event->accept();
}

// The standard menu, its cut and delete bound by the same rules as the keys.
void ViewConsole::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu(event->pos());
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-cut")) {
            action->disconnect();
            action->setEnabled(canCut());
            connect(action, &QAction::triggered, this, &ViewConsole::cut);
        } else if (action->objectName() == QLatin1String("edit-delete")) {
            action->setEnabled(action->isEnabled() && canDeleteForward());
        }
    }
    menu->exec(event->globalPos());
    delete menu;
}

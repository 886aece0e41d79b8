#include "transactions/TextFieldNote.h"

#include "transactions/ViewSaisieNote.h"

#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>

TextFieldNote::TextFieldNote(QWidget* parent)
    : StdTextView(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFrameShape(QFrame::NoFrame);
}

// A note is many lines: the plain editor's size, not the one-line field's.
QSize TextFieldNote::sizeHint() const
{
    return QPlainTextEdit::sizeHint(); // NOLINT(bugprone-parent-virtual-call): the one-line size is skipped
}

void TextFieldNote::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    if (m_note && m_note->didKeyDown(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers typed = event->modifiers() & ~Qt::KeypadModifier;
    if (typed == Qt::AltModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        insertPlainText(QStringLiteral("\n"));
    else if (typed == Qt::AltModifier && event->key() == Qt::Key_Tab)
        insertPlainText(QStringLiteral("\t"));
    else
        QPlainTextEdit::keyPressEvent(event); // NOLINT(bugprone-parent-virtual-call): Return is a new line here
    if (m_note)
        m_note->didType(event->modifiers());
}

bool TextFieldNote::focusNextPrevChild(bool next)
{
    Q_UNUSED(next);
    if (m_note)
        m_note->closeNote(nullptr);
    return true;
}

bool TextFieldNote::shouldResignFistResponder()
{
    if (m_note)
        m_note->closeNote(nullptr);
    return true;
}

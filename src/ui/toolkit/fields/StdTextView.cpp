#include "toolkit/fields/StdTextView.h"

#include "toolkit/fields/shownorder.h"

#include "document/APPLIPARAM.h"
#include "foundation/SystemClock.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdWindow.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kFallbackFontSize = 13.0;
constexpr double kDocumentMargin = 2.0;

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

} // namespace

StdTextView::StdTextView(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    document()->setDocumentMargin(kDocumentMargin);
    setCursorWidth(0);
    setFont(systemFontOfSize(kFallbackFontSize));
    setEnabled(true);
}

QObject* StdTextView::delegate() const
{
    if (m_delegate)
        return m_delegate;
    const auto* stdWindow = qobject_cast<const StdWindow*>(window());
    return stdWindow ? stdWindow->controller() : nullptr;
}

double StdTextView::defaultFontSize() const
{
    QObject* target = delegate();
    if (!target)
        return kFallbackFontSize;
    const QMetaObject* meta = target->metaObject();
    const int index = meta->indexOfMethod("defaultFontSize()");
    if (index < 0)
        return kFallbackFontSize;
    const QMetaMethod method = meta->method(index);
    if (!method.returnMetaType().isValid() || method.returnMetaType() == QMetaType::fromType<void>())
        return kFallbackFontSize;
    QVariant answer;
    bool invoked = false;
    if (method.returnMetaType() == QMetaType::fromType<QVariant>()) {
        invoked = method.invoke(target, Qt::DirectConnection, Q_RETURN_ARG(QVariant, answer));
    } else {
        answer = QVariant(method.returnMetaType());
        invoked = method.invoke(target, Qt::DirectConnection, QGenericReturnArgument(method.typeName(), answer.data()));
    }
    if (!invoked)
        return kFallbackFontSize;
    bool ok = false;
    const double size = answer.toDouble(&ok);
    return ok && std::isfinite(size) ? size : kFallbackFontSize;
}

QFont StdTextView::systemFontOfSize(double size)
{
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, int(std::lround(std::clamp(size, 1.0, 500.0)))));
    return font;
}

void StdTextView::setStoredText(const QString& text)
{
    setPlainText(text);
    m_stored.show(text, toPlainText());
}

QString StdTextView::storedText() const
{
    const QString shown = toPlainText();
    return m_stored.untouched(shown).value_or(shown);
}

void StdTextView::setEnabled(bool flag)
{
    setReadOnly(!flag);
    setTextInteractionFlags(flag ? Qt::TextEditorInteraction : Qt::NoTextInteraction);
    setFocusPolicy(flag ? Qt::StrongFocus : Qt::NoFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, flag ? QColor(Qt::black) : QColor::fromRgbF(1.0 / 3, 1.0 / 3, 1.0 / 3));
    setPalette(colours);
}

// Without quick entry, only a selection (or caret) that ends before the end of the text is
// selected whole first; after typing, with the caret at the end, Return goes on at once to the
// window's default button.
void StdTextView::dealWithNotTreatedCR(QKeyEvent* event)
{
    const QTextCursor cursor = textCursor();
    if (!APPLIPARAM::loadAppliParam().optionSaisieQuick && cursor.selectionEnd() < toPlainText().size()) {
        selectForTyping();
        event->accept();
        return;
    }
    event->ignore();
}

QSize StdTextView::sizeHint() const
{
    const int margins = 2 * (frameWidth() + int(std::ceil(document()->documentMargin())));
    return {fontMetrics().averageCharWidth() * 16 + margins, fontMetrics().height() + margins};
}

QSize StdTextView::minimumSizeHint() const
{
    const QSize hint = sizeHint();
    return {fontMetrics().averageCharWidth() * 2, hint.height()};
}

// ---------------------------------------------------------------------------------------------
// Keys

void StdTextView::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    standardKeyDown(event);
}

void StdTextView::standardKeyDown(QKeyEvent* event)
{
    if (svKeyCode(event) == kKeyReturn) {
        dealWithNotTreatedCR(event);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool StdTextView::isEditCommand(const QKeyEvent* event)
{
    for (QKeySequence::StandardKey command : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
                                              QKeySequence::SelectAll, QKeySequence::Undo, QKeySequence::Redo}) {
        if (event->matches(command))
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// First responder

void StdTextView::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    if (!m_isFirstResponder)
        becomeFirstResponder();
}

void StdTextView::focusOutEvent(QFocusEvent* event)
{
    if (m_isFirstResponder) {
        m_leftAnchor = textCursor().anchor();
        m_leftPosition = textCursor().position();
    }
    QPlainTextEdit::focusOutEvent(event);
    // The window going to the background, or a menu opening, leaves the view the field of its
    // window.
    const bool staysInWindow
        = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (m_isFirstResponder && !staysInWindow)
        resignFirstResponder();
}

void StdTextView::becomeFirstResponder()
{
    m_isFirstResponder = true;
    m_timeWhenBecomesFirstResponder = SystemClock::now();
    m_textShouldDrawInsertionPoint = true;
    setCursorWidth(1);
    // Corrected on resigning, the text may have got shorter since.
    if (std::exchange(m_takingBack, false) && m_leftPosition >= 0) {
        const int size = int(toPlainText().size());
        QTextCursor cursor(document());
        cursor.setPosition(std::clamp(m_leftAnchor, 0, size));
        cursor.setPosition(std::clamp(m_leftPosition, 0, size), QTextCursor::KeepAnchor);
        setTextCursor(cursor);
        return;
    }
    selectForTyping();
}

void StdTextView::takeKeyboardBack()
{
    if (hasFocus())
        return;
    m_takingBack = true;
    setFocus(Qt::OtherFocusReason);
}

void StdTextView::giveKeyboardBack(QWidget* widget)
{
    if (auto* view = qobject_cast<StdTextView*>(widget))
        view->takeKeyboardBack();
    else if (widget && !widget->hasFocus())
        widget->setFocus(Qt::OtherFocusReason);
}

void StdTextView::takeKeyboardForTyping()
{
    m_takingBack = false;
    setFocus(Qt::TabFocusReason);
    selectForTyping();
    m_leftAnchor = textCursor().anchor();
    m_leftPosition = textCursor().position();
}

void StdTextView::selectForTyping()
{
    if (holdsLines() || hasLineBreak(toPlainText()))
        moveCursor(QTextCursor::End);
    else
        selectAll();
}

bool StdTextView::hasLineBreak(const QString& text)
{
    return std::any_of(text.begin(), text.end(), isLineBreak);
}

void StdTextView::resignFirstResponder()
{
    m_isFirstResponder = false;
    if (!shouldResignFistResponder())
        return;
    m_timeWhenBecomesFirstResponder = 0;
    m_textShouldDrawInsertionPoint = false;
    setCursorWidth(0);
    selectRange(0, 0);
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool StdTextView::isFocusingClick() const
{
    return m_isFirstResponder && SystemClock::now() - m_timeWhenBecomesFirstResponder < kFocusClickDelay;
}

void StdTextView::mousePressEvent(QMouseEvent* event)
{
    m_ignoringClick = isFocusingClick();
    if (m_ignoringClick) {
        event->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
}

void StdTextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_ignoringClick = isFocusingClick();
    if (m_ignoringClick) {
        event->accept();
        return;
    }
    QPlainTextEdit::mouseDoubleClickEvent(event);
}

void StdTextView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_ignoringClick) {
        event->accept();
        return;
    }
    QPlainTextEdit::mouseMoveEvent(event);
}

void StdTextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_ignoringClick) {
        m_ignoringClick = false;
        event->accept();
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Editing helpers

// Only text goes in: an image or a page has no place in a field, and Qt's own paste ends the
// program on a clipboard that offers nothing at all (its owner gone, or a fresh session).
void StdTextView::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(pastedText(source->text()));
    setTextCursor(cursor);
    ensureCursorVisible();
}

QString StdTextView::withoutLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : text) {
        if (isLineBreak(c))
            c = u' ';
    }
    return text;
}

void StdTextView::replaceText(const QString& text)
{
    if (toPlainText() == text)
        return;
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.insertText(text);
}

void StdTextView::selectRange(int start, int length)
{
    const int size = int(toPlainText().size());
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, size));
    cursor.setPosition(std::clamp(start + length, 0, size), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// A date goes on typing: after its year, the field after the date rather than its calendar button.
QWidget* StdTextView::nextValidKeyView() const
{
    if (isDatePart()) {
        if (QWidget* field = nextShownStop(this, takesTypedText))
            return field;
    }
    return nextShownStop(this);
}

void StdTextView::sendToDelegate(const QString& action, qint64 tag)
{
    QObject* target = delegate();
    if (!target)
        return;
    QAction item;
    item.setData(tag);
    StdActionDispatcher::setAction(&item, action);
    StdActionDispatcher::send(target, action, &item);
}

#include "toolkit/fields/TextFieldWithFilter.h"

#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>
#include <climits>

TextFieldWithFilter::TextFieldWithFilter(QWidget* parent)
    : StdTextView(parent)
{
}

bool TextFieldWithFilter::allowCharacter(char16_t c) const
{
    Q_UNUSED(c);
    return true;
}

QString TextFieldWithFilter::createCleanValueFromDirtyValue(const QString& text)
{
    return text;
}

void TextFieldWithFilter::cleanActualContent()
{
    const int start = textCursor().selectionStart();
    m_focusMoveRequested = false;
    const QString clean = createCleanValueFromDirtyValue(toPlainText());
    replaceText(clean);
    setFont(systemFontOfSize(defaultFontSize()));
    selectRange(std::min(start, int(clean.size())), 0);
    if (!m_focusMoveRequested)
        return;
    m_focusMoveRequested = false;
    if (QWidget* next = nextValidKeyView())
        next->setFocus(Qt::TabFocusReason);
}

void TextFieldWithFilter::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    filterKeyDown(event);
}

void TextFieldWithFilter::filterKeyDown(QKeyEvent* event)
{
    // The Edit menu's commands are not typing.
    if (isEditCommand(event)) {
        standardKeyDown(event);
        return;
    }
    const int key = svKeyCode(event);
    switch (key) {
    case kKeyTab:
    case kKeyBacktab:
    case kKeyEscape:
    case kKeyDelete:
    case kKeyReturn:
        standardKeyDown(event);
        return;
    default:
        break;
    }
    event->accept();
    if (endsAtDateSeparator() && isDateSeparator(key)) {
        moveOnAfterSeparator();
        return;
    }
    if (!allowCharacter(char16_t(key)))
        return;
    standardKeyDown(event);
    cleanActualContent();
}

bool TextFieldWithFilter::isDateSeparator(int key)
{
    return key == u'/' || key == u'.' || key == u'-' || key == u' ';
}

// Only a separator that follows what was typed in the field moves on: in a field just entered (its
// whole content selected, or empty), it is dropped, so that "31/12/2026", whose day moved on by
// itself, doesn't skip the month.
void TextFieldWithFilter::moveOnAfterSeparator()
{
    const QTextCursor cursor = textCursor();
    const QString text = toPlainText();
    if (text.isEmpty() || (cursor.selectionStart() == 0 && cursor.selectionEnd() == text.size()))
        return;
    if (QWidget* next = nextValidKeyView())
        next->setFocus(Qt::TabFocusReason);
}

void TextFieldWithFilter::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        pasteText(source->text());
}

void TextFieldWithFilter::pasteText(const QString& text)
{
    if (text.isEmpty())
        return;
    QString kept;
    for (QChar c : withoutLineBreaks(text)) {
        if (allowCharacter(c.unicode()))
            kept.append(c);
    }
    QTextCursor cursor = textCursor();
    cursor.insertText(kept);
    setTextCursor(cursor);
    cleanActualContent();
    selectAll();
}

long TextFieldWithFilter::integerValue(const QString& digits)
{
    qsizetype i = 0;
    while (i < digits.size() && digits[i].isSpace())
        ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == u'-' || digits[i] == u'+'))
        negative = digits[i++] == u'-';
    long value = 0;
    for (; i < digits.size() && digits[i] >= u'0' && digits[i] <= u'9'; ++i) {
        const long digit = digits[i].unicode() - u'0';
        if (value > (LONG_MAX - digit) / 10)
            return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

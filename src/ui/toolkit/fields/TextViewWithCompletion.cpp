#include "toolkit/fields/TextViewWithCompletion.h"

#include "foundation/IDesktop.h"
#include "foundation/textfold.h"
#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

void TextViewWithCompletion::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    if (isEditCommand(event)) {
        if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste))
            event->accept();
        else
            standardKeyDown(event);
        return;
    }
    const int key = svKeyCode(event);
    // A key without a character (a modifier alone, a function key) types nothing.
    if (key == 0 || !makeCompletionList() || completionCount() <= 0) {
        standardKeyDown(event);
        return;
    }
    completionKeyDown(event, key);
}

void TextViewWithCompletion::completionKeyDown(QKeyEvent* event, int key)
{
    switch (key) {
    case kKeyUpArrow:
        choose(0);
        break;
    case kKeyDownArrow:
        choose(completionCount() - 1);
        break;
    case kKeyLeftArrow:
        chooseBeside(-1);
        break;
    case kKeyRightArrow:
        chooseBeside(1);
        break;
    case kKeyTab:
    case kKeyBacktab:
    case kKeyReturn:
        standardKeyDown(event);
        return;
    default:
        typeKey(key);
        break;
    }
    event->accept();
}

void TextViewWithCompletion::chooseBeside(int step)
{
    const long index = completionSearch(toPlainText()) + step;
    if (index < 0 || index >= completionCount()) {
        beep();
        return;
    }
    choose(index);
}

void TextViewWithCompletion::typeKey(int key)
{
    const QTextCursor cursor = textCursor();
    const QString text = toPlainText();
    // The typed part is the selected start of the name shown; anything else starts afresh.
    QString prefix;
    if (cursor.selectionStart() == 0 && cursor.selectionEnd() < text.size())
        prefix = text.left(cursor.selectionEnd());
    if (key == kKeyDelete)
        prefix.chop(1);
    else
        prefix.append(QChar(char16_t(key)));

    const long index = completionSearch(prefix);
    if (index < 0 || index >= completionCount()) {
        beep();
        return;
    }
    const QString name = completionName(index);
    const qsizetype typed = std::min(prefix.size(), name.size());
    if (foldStringForSearch(name).left(typed) != foldStringForSearch(prefix)) {
        beep();
        return;
    }
    choose(index);
    selectRange(0, int(typed));
}

void TextViewWithCompletion::choose(long index)
{
    setPlainText(completionName(index));
    completionChoose(index);
}

// ---------------------------------------------------------------------------------------------
// Mouse and clipboard

void TextViewWithCompletion::mousePressEvent(QMouseEvent* event)
{
    selectAll();
    event->accept();
}

void TextViewWithCompletion::mouseDoubleClickEvent(QMouseEvent* event)
{
    selectAll();
    event->accept();
}

void TextViewWithCompletion::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void TextViewWithCompletion::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

bool TextViewWithCompletion::canInsertFromMimeData(const QMimeData* source) const
{
    Q_UNUSED(source);
    return false;
}

void TextViewWithCompletion::insertFromMimeData(const QMimeData* source)
{
    Q_UNUSED(source);
}

#include "toolkit/fields/editvalidation.h"

#include <QLineEdit>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <optional>

namespace {

// What a text view says of the command by itself (its own canCopy...); none when it has no
// such question.
std::optional<bool> ownEditAnswer(QWidget* view, EditCommand command)
{
    const char* question = nullptr;
    switch (command) {
    case EditCommand::Copy:
        question = "canCopy()";
        break;
    case EditCommand::Paste:
        question = "canPaste()";
        break;
    case EditCommand::Cut:
        question = "canCut()";
        break;
    case EditCommand::SelectAll:
        question = "canSelectAll()";
        break;
    case EditCommand::Delete:
        question = "canDelete()";
        break;
    }
    const QMetaObject* meta = view->metaObject();
    const int index = meta->indexOfMethod(question);
    bool answer = false;
    if (index < 0 || meta->method(index).returnMetaType() != QMetaType::fromType<bool>()
        || !meta->method(index).invoke(view, Qt::DirectConnection, Q_RETURN_ARG(bool, answer)))
        return std::nullopt;
    return answer;
}

// The command on a text view, by its text and selection; none for a widget that is no text view.
std::optional<bool> textEditAnswer(QWidget* view, EditCommand command)
{
    bool hasSelection = false;
    bool hasText = false;
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(view)) {
        hasSelection = plain->textCursor().hasSelection();
        hasText = !plain->document()->isEmpty();
    } else if (const auto* rich = qobject_cast<const QTextEdit*>(view)) {
        hasSelection = rich->textCursor().hasSelection();
        hasText = !rich->document()->isEmpty();
    } else if (const auto* line = qobject_cast<const QLineEdit*>(view)) {
        hasSelection = line->hasSelectedText();
        hasText = !line->text().isEmpty();
    } else {
        return std::nullopt;
    }
    if (const std::optional<bool> own = ownEditAnswer(view, command))
        return own;
    switch (command) {
    case EditCommand::Paste:
        return true;
    case EditCommand::SelectAll:
        return hasText;
    case EditCommand::Copy:
    case EditCommand::Cut:
    case EditCommand::Delete:
        return hasSelection;
    }
    return false;
}

} // namespace

bool validateEditCommand(const QWidget* window, EditCommand command, bool otherwise)
{
    if (!window)
        return false;
    QWidget* responder = window->focusWidget();
    return (responder ? textEditAnswer(responder, command) : std::nullopt).value_or(otherwise);
}

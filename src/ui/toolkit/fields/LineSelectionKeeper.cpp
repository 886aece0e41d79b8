#include "toolkit/fields/LineSelectionKeeper.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

namespace {

// The text, anchor and caret as the window lost the keyboard.
const char* const kLeft = "sv_selectionLeft";
const char* const kKept = "sv_selectionKept";

} // namespace

void LineSelectionKeeper::keep(QLineEdit* line)
{
    // Owned by the application: another application object (a test's) gets one of its own.
    static QPointer<LineSelectionKeeper> keeper;
    if (!line || line->property(kKept).toBool())
        return;
    if (!keeper)
        keeper = new LineSelectionKeeper(QCoreApplication::instance());
    line->setProperty(kKept, true);
    line->installEventFilter(keeper);
}

bool LineSelectionKeeper::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusOut && type != QEvent::FocusIn)
        return false;
    if (static_cast<const QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
        return false;
    auto* line = qobject_cast<QLineEdit*>(watched);
    if (!line)
        return false;
    if (type == QEvent::FocusOut) {
        const int start = line->selectionStart();
        const int position = line->cursorPosition();
        const int end = start + int(line->selectedText().size());
        const int anchor = start < 0 ? position : position == start ? end : start;
        line->setProperty(kLeft, QVariantList {line->text(), anchor, position});
        return false;
    }
    const QVariantList left = line->property(kLeft).toList();
    line->setProperty(kLeft, QVariant());
    if (left.size() == 3 && left.at(0).toString() == line->text()) {
        const int anchor = left.at(1).toInt();
        line->setSelection(anchor, left.at(2).toInt() - anchor);
    }
    return false;
}

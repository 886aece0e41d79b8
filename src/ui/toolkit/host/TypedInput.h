#pragma once
// What the user can have put into a window: the texts of its fields, the choices of its boxes and
// pop-ups, the lines of its lists. Read as a window's run opens and again when a quit or a
// document's close arrives, it tells whether the window now holds something the user typed or
// chose there: such a window is never ended without the user's word (UiHost). A text the program
// keeps to itself (read-only) is not the user's; a control made after the reading holds nothing
// the user typed before it.
#include <QPointer>
#include <QVariant>

#include <vector>

class QWidget;

class TypedInput {
public:
    TypedInput() = default;
    // What the window's controls hold now; nothing for no window.
    explicit TypedInput(const QWidget* window);

    // Whether a control read then holds something else now.
    bool changedSince() const;

private:
    struct Held {
        QPointer<const QWidget> control;
        QVariant value;
    };
    // What the control holds that the user may have put there; invalid for a control that holds
    // nothing of the user's.
    static QVariant valueOf(const QWidget& control);

    std::vector<Held> m_held;
};

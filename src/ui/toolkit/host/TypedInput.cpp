#include "toolkit/host/TypedInput.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

TypedInput::TypedInput(const QWidget* window)
{
    if (!window)
        return;
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (const QWidget* control : controls) {
        QVariant value = valueOf(*control);
        if (value.isValid())
            m_held.push_back({control, std::move(value)});
    }
}

bool TypedInput::changedSince() const
{
    return std::any_of(m_held.begin(), m_held.end(),
                       [](const Held& held) { return held.control && valueOf(*held.control) != held.value; });
}

// A spin box or an editable combo box types into a line edit of its own, read as any other.
QVariant TypedInput::valueOf(const QWidget& control)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(&control))
        return line->isReadOnly() ? QVariant() : QVariant(line->text());
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(&control))
        return plain->isReadOnly() ? QVariant() : QVariant(plain->toPlainText());
    if (const auto* rich = qobject_cast<const QTextEdit*>(&control))
        return rich->isReadOnly() ? QVariant() : QVariant(rich->toPlainText());
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return combo->currentIndex();
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(&control))
        return slider->value();
    if (const auto* list = qobject_cast<const QAbstractItemView*>(&control))
        return list->model() ? QVariant(list->model()->rowCount()) : QVariant();
    // A pop-up's face is the title of the item chosen.
    if (const auto* popUp = qobject_cast<const QToolButton*>(&control); popUp && popUp->menu())
        return popUp->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control); button && button->isCheckable())
        return button->isChecked();
    return {};
}

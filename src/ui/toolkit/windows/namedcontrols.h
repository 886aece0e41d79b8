#pragma once
// Building a window's controls in code: every control carries its outlet name as its object name,
// so the window's own code and the tests find it by that name.
#include <QString>
#include <QWidget>

#include <initializer_list>

class QHBoxLayout;
class QPushButton;

// A new control of class W in parent, named name.
template <class W> W* named(const char* name, QWidget* parent)
{
    auto* control = new W(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A named push button that sends the action (as "OUI:") to its window's controller; Return never
// presses it.
QPushButton* namedActionButton(const char* name, const QString& text, const char* action, QWidget* parent);
// The controls side by side, 6 points apart, then a stretch when asked.
QHBoxLayout* controlRow(std::initializer_list<QWidget*> widgets, bool stretch);

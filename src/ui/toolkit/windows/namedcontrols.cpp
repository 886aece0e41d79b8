#include "toolkit/windows/namedcontrols.h"

#include "toolkit/windows/StdActionDispatcher.h"

#include <QHBoxLayout>
#include <QPushButton>

QPushButton* namedActionButton(const char* name, const QString& text, const char* action, QWidget* parent)
{
    auto* button = named<QPushButton>(name, parent);
    button->setText(text);
    StdActionDispatcher::setAction(button, QString::fromLatin1(action));
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* controlRow(std::initializer_list<QWidget*> widgets, bool stretch)
{
    auto* layout = new QHBoxLayout;
    layout->setSpacing(6);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    if (stretch)
        layout->addStretch();
    return layout;
}

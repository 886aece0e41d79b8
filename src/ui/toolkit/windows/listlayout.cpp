#include "toolkit/windows/listlayout.h"

#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/StdWindowController.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* band(QWidget& parent, const char* name, int height)
{
    auto* placeholder = new QWidget(&parent);
    placeholder->setObjectName(QString::fromLatin1(name));
    placeholder->setFixedHeight(height);
    return placeholder;
}

} // namespace

StdTableView* makeListTable(QWidget& parent, int rowHeight, int width, int rows, const char* name)
{
    auto* table = new StdTableView(&parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setUniformRowHeight(rowHeight);
    table->setMinimumSize(width, rowHeight * rows);
    return table;
}

QWidget* makeBandedList(QWidget& parent, int teteHeight, int rowHeight, int piedHeight, StdTableView** table)
{
    auto* main = new QWidget(&parent);
    main->setObjectName(QStringLiteral("main_view"));
    auto* column = new QVBoxLayout(main);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(band(*main, "placeholder_tete", teteHeight));
    auto* list = new StdTableView(main);
    list->setObjectName(QStringLiteral("table1"));
    list->setUniformRowHeight(rowHeight);
    list->setFrameShape(QFrame::NoFrame);
    column->addWidget(list, 1);
    column->addWidget(band(*main, "placeholder_pied", piedHeight));
    if (table)
        *table = list;
    return main;
}

QList<QPushButton*> addCommandButtons(StdWindowController& controller, QWidget& parent, QHBoxLayout& row,
                                      std::initializer_list<ListCommand> commands, bool namedAfterActions)
{
    QList<QPushButton*> buttons;
    for (const ListCommand& command : commands) {
        auto* button = new QPushButton(localizedAppl(QString::fromLatin1(command.title)), &parent);
        if (command.name || namedAfterActions)
            button->setObjectName(QString::fromLatin1(command.name ? command.name : command.action));
        button->setAutoDefault(false);
        controller.connectAction(button, QString::fromLatin1(command.action));
        row.addWidget(button);
        buttons << button;
    }
    return buttons;
}

QVBoxLayout* layOutList(StdWindow& window, StdTableView* table, QHBoxLayout* commands, QHBoxLayout* above)
{
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    if (above)
        layout->addLayout(above);
    layout->addWidget(table, 1);
    layout->addLayout(commands);
    return layout;
}

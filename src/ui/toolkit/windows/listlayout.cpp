#include "toolkit/windows/listlayout.h"

#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/StdWindowController.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

StdTableView* makeListTable(QWidget& parent, int rowHeight, int width, int rows)
{
    auto* table = new StdTableView(&parent);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(rowHeight);
    table->setMinimumSize(width, rowHeight * rows);
    return table;
}

void addCommandButtons(StdWindowController& controller, QWidget& parent, QHBoxLayout& row,
                       std::initializer_list<ListCommand> commands)
{
    for (const ListCommand& command : commands) {
        auto* button = new QPushButton(localizedAppl(QString::fromLatin1(command.title)), &parent);
        if (command.name)
            button->setObjectName(QString::fromLatin1(command.name));
        button->setAutoDefault(false);
        controller.connectAction(button, QString::fromLatin1(command.action));
        row.addWidget(button);
    }
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

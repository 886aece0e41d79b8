#include "entities/ViewDeviseTicker.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

ViewDeviseTicker::ViewDeviseTicker(const QString& code, const QString& nom, long index, QAction* menuItem,
                                   QWidget* parent)
    : TickerRow(index, 44, 260, parent)
    , m_menuItem(menuItem)
{
    field_ticker()->setText(code);
    field_name()->setText(nom);
}

QString ViewDeviseTicker::code() const
{
    return field_ticker()->text();
}

void ViewDeviseTicker::choose()
{
    if (!m_menuItem)
        return;
    // The menu closes first: the choice may open an alert or refill the editor.
    for (QWidget* menu = parentWidget(); menu; menu = menu->parentWidget()) {
        if (auto* asMenu = qobject_cast<QMenu*>(menu)) {
            asMenu->close();
            break;
        }
    }
    m_menuItem->trigger();
}

#include "investments/ViewTicker.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

ViewTickerController::ViewTickerController(const TickerEntry& ticker, QMenu* tickerMenu, long index, QAction* menuItem)
    : QObject(menuItem)
    , m_ticker(ticker)
    , m_tickerMenu(tickerMenu)
    , m_index(index)
    , m_menuItem(menuItem)
    , m_view(new ViewTicker(this))
{
    fill();
}

void ViewTickerController::fill()
{
    m_view->field_ticker()->setText(m_ticker.symbol);
    m_view->field_name()->setText(m_ticker.name);
}

void ViewTickerController::choose()
{
    // The menu closes first: the choice may sound an alert or refill the editor.
    if (m_tickerMenu)
        m_tickerMenu->close();
    if (m_menuItem)
        m_menuItem->trigger();
}

ViewTicker::ViewTicker(ViewTickerController* controller)
    : TickerRow(controller->index(), 90, 320)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("ViewTicker"));
}

void ViewTicker::choose()
{
    m_controller->choose();
}

#pragma once
// One row of the ticker pop-up's menu: the symbol and the name of a known ticker. Its controller
// keeps the ticker, the menu and the row; a click chooses the row (the menu's delegate hears
// CHOOSE_TICKER: from the row's menu item) and closes the menu.
#include "quotes/PortfolioManager.h"
#include "toolkit/popups/TickerRow.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class ViewTicker;

class ViewTickerController : public QObject {
    Q_OBJECT
public:
    ViewTickerController(const TickerEntry& ticker, QMenu* tickerMenu, long index, QAction* menuItem);

    const TickerEntry& ticker() const { return m_ticker; }
    long index() const { return m_index; }
    ViewTicker* view() const { return m_view; }

    void fill();
    void choose();

private:
    TickerEntry m_ticker;
    QPointer<QMenu> m_tickerMenu;
    long m_index;
    QPointer<QAction> m_menuItem;
    ViewTicker* m_view;
};

class ViewTicker : public TickerRow {
    Q_OBJECT
public:
    explicit ViewTicker(ViewTickerController* controller);

    ViewTickerController* controller() const { return m_controller; }

protected:
    void choose() override;

private:
    ViewTickerController* m_controller;
};

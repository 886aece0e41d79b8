#pragma once
// One row of the ticker pop-up's menu: the symbol and the name of a known ticker, on a background
// that alternates by position and lights up under the mouse. Its controller keeps the ticker, the
// menu and the row; a click chooses the row (the menu's delegate hears CHOOSE_TICKER: from the
// row's menu item) and closes the menu.
#include "quotes/PortfolioManager.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
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

class ViewTicker : public QWidget {
    Q_OBJECT
public:
    explicit ViewTicker(ViewTickerController* controller);

    ViewTickerController* controller() const { return m_controller; }
    QLabel* field_ticker() const { return m_field_ticker; }
    QLabel* field_name() const { return m_field_name; }
    static QColor backgroundColor(long index, bool highlighted);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ViewTickerController* m_controller;
    QLabel* m_field_ticker;
    QLabel* m_field_name;
    bool m_highlighted = false;
};

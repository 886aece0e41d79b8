#pragma once
// One row of the currency-ticker menu: the code and the name of a known currency. A click chooses
// the row's menu item.
#include "toolkit/popups/TickerRow.h"

class QAction;

class ViewDeviseTicker : public TickerRow {
    Q_OBJECT
public:
    ViewDeviseTicker(const QString& code, const QString& nom, long index, QAction* menuItem, QWidget* parent = nullptr);

    QString code() const;

protected:
    void choose() override;

private:
    QAction* m_menuItem;
};

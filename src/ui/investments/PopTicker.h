#pragma once
// The known tickers matching the security editor's search text, at most a hundred, one drawn row
// each; choosing one sends CHOOSE_TICKER: with the item, whose tag is its row in found(). When
// nothing matches, the menu's delegate hears NO_TICKER: instead, with the pop-up.
#include "quotes/PortfolioManager.h"
#include "toolkit/popups/StdPopUp.h"

#include <QPointer>

class QLineEdit;

class PopTicker : public StdPopUp {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 100;

    explicit PopTicker(QWidget* parent = nullptr);

    QLineEdit* fieldSearch() const { return m_fieldSearch; }
    void setFieldSearch(QLineEdit* field) { m_fieldSearch = field; }
    // The tickers of the last menu built, in row order.
    const TickerList& found() const { return m_found; }

    void FILL_MENU() override;

private:
    QPointer<QLineEdit> m_fieldSearch;
    TickerList m_found;
};

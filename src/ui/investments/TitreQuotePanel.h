#pragma once
// The online side of the security editor: the search field and its pop-up of known tickers, the
// button that forgets the ticker, the quote provider's page, the period of the history and the
// history graph. Choosing a ticker (or typing one nobody knows) asks the quote service for the
// security's quote; success refills the editor and asks for the history. A ticker the service
// doesn't know sounds the alert and is forgotten, leaving the quote manual; without a service, or
// when it doesn't answer, the user is told so and the ticker stays. Answers that come after the editor closed, or
// for an earlier history request, are dropped.
#include "investments/InvestmentWindows.h"
#include "investments/ViewHistory.h"
#include "quotes/PortfolioManager.h"

#include <QJsonArray>
#include <QPointer>
#include <QWidget>

class PopTicker;
class QComboBox;
class QLineEdit;
class QPushButton;

class TitreQuotePanel : public QWidget {
    Q_OBJECT
public:
    TitreQuotePanel(StdWindowController& editor, DOCUMENT* doc, const TitreQuoteHooks& hooks, QWidget* parent);

    QLineEdit* field_search() const { return m_fieldSearch; }
    PopTicker* pop_ticker() const { return m_popTicker; }
    QPushButton* button_supprimer() const { return m_buttonSupprimer; }
    QPushButton* button_logo() const { return m_buttonLogo; }
    QComboBox* pop_periode() const { return m_popPeriode; }
    ViewHistory* view_history() const { return m_viewHistory; }

    long nbMonth() const { return m_nbMonth; }
    const HistoryPoints& graphArray() const { return m_viewHistory->graphArray(); }

    // Shows the ticker's state: the forget button only with a ticker.
    void FILL();

    Q_INVOKABLE void CHOOSE_TICKER(QObject* sender);
    Q_INVOKABLE void NO_TICKER(QObject* sender);
    Q_INVOKABLE void supprimer(QObject* sender);
    Q_INVOKABLE void logo(QObject* sender);
    Q_INVOKABLE void periode(QObject* sender);
    // Asks for the closes of the last nbMonth months; nothing without a ticker.
    void historique();
    void showHistory(const QJsonArray& quotes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTickerRow();
    void buildPeriodRow();
    FINANCE* titre() const;
    void fillEditor();
    // Asks for the quote of the security's ticker and waits for the answer.
    void updateTitre();
    void failedUpdate(QuoteFailure why);

    QPointer<StdWindowController> m_editor;
    DOCUMENT* m_doc;
    TitreQuoteHooks m_hooks;
    QLineEdit* m_fieldSearch = nullptr;
    PopTicker* m_popTicker = nullptr;
    QPushButton* m_buttonSupprimer = nullptr;
    QPushButton* m_buttonLogo = nullptr;
    QComboBox* m_popPeriode = nullptr;
    ViewHistory* m_viewHistory = nullptr;
    long m_nbMonth = 1;
    long m_historyRequest = 0; // the number of the latest history request: older answers are dropped
};

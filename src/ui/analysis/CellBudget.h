#pragma once
// The row view of the budget table. Its category rows carry a small menu (popup_poste) shown on
// the selected row only: the details of the figure, a new schedule or a new forecast of that
// category, each sent to the window that shows the row (main_delegate, set while its row is
// selected). Without a window the items do nothing.
#include "analysis/CellAnalyseBudget.h"

#include <QPointer>

class FenBudgetController;

class CellBudget : public CellAnalyseBudget {
    Q_OBJECT
public:
    explicit CellBudget(const QString& identifier, QWidget* parent = nullptr);

    QToolButton* popup_poste() const override { return m_popupPoste; }
    // Where the menu sits in a category row of that height.
    static QRect popupRect(int height);
    FenBudgetController* main_delegate() const { return m_mainDelegate; }
    void setMain_delegate(FenBudgetController* controller) { m_mainDelegate = controller; }

    Q_INVOKABLE void VOIR_DETAIL(QObject* sender);
    Q_INVOKABLE void CREER_REEL(QObject* sender);
    Q_INVOKABLE void CREER_PREV(QObject* sender);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_popupPoste = nullptr;
    QPointer<FenBudgetController> m_mainDelegate;
};

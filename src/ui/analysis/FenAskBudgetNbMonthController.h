#pragma once
// The question before a budget proposal: over how many years of past transactions to look. The
// window data holds the year counts offered ("years", a list of numbers); the run ends with the
// number of months chosen, or 0 when cancelled. The completion and the update ask it with their
// own help.
#include "toolkit/windows/StdWindowController.h"

class PopHelp;
class QComboBox;

class FenAskBudgetNbMonthController : public StdWindowController {
    Q_OBJECT
public:
    long currentNbYear() const { return m_currentNbYear; }
    QComboBox* popupYears() const { return m_popupYears; }
    PopHelp* popHelp() const { return m_popHelp; }

    void FILL() override;
    bool READ() override;
    void fillPopupYears();
    // The year count of the item chosen.
    Q_INVOKABLE void chooseNbMonth(QObject* sender);
    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void NON(QObject* sender) override;

protected:
    void buildInterface(StdWindow& window) override;
    virtual QString helpTitle() const = 0;
    virtual QString helpContent() const = 0;

private:
    long m_currentNbYear = 1;
    QComboBox* m_popupYears = nullptr;
    PopHelp* m_popHelp = nullptr;
};

class FenAskCompleterBudgetNbMonthController : public FenAskBudgetNbMonthController {
    Q_OBJECT

protected:
    QString helpTitle() const override;
    QString helpContent() const override;
};

class FenAskActualiserBudgetNbMonthController : public FenAskBudgetNbMonthController {
    Q_OBJECT

protected:
    QString helpTitle() const override;
    QString helpContent() const override;
};

// Runs the question modally on the window with the year counts offered; the block gets the
// months chosen, 0 when cancelled.
void askCompleterBudgetNbMonth(StdWindowController* window, const QList<long>& years,
                               const std::function<void(long)>& block);
void askActualiserBudgetNbMonth(StdWindowController* window, const QList<long>& years,
                                const std::function<void(long)>& block);

#pragma once
// The question before a pie chart: expenses or income, of every folder or of one folder's
// categories, for the period shown. Window data: "periode" (the period's title), "montant" (0
// expenses, 1 income) and "dossier" (-1 every folder), both written back on OK.
#include "analysis/Camembert.h"
#include "toolkit/windows/StdWindowController.h"

#include <optional>

class AnalyseFile;
class FenAnalyseBudgetController;
class PopDossier;
class QComboBox;
class QLabel;

class FenAskCamembertController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;
    void willAwakeFromNib() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QComboBox* m_popupMontant = nullptr;
    QLabel* m_fieldPeriode = nullptr;
    PopDossier* m_popDossier = nullptr;
};

// Asks, then builds the chart from the window's analysis; none when the question is cancelled.
std::optional<Camembert> askCamembertData(FenAnalyseBudgetController* window, const AnalyseFile& file, long dossierID,
                                          long month);

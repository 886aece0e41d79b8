#pragma once
// The schedule editor: the schedule's name, its template transaction (the regular occurrence,
// edited in the entry window), its recurrence in the planner pane, and the way to its custom
// occurrences. It edits the schedule of its window data in place; whoever opened it decides what
// OK means for the document (ScheduleEditors.h).
//
// Window data: "echeancier" the ECHEANCIER edited and "document" its document.
#include "toolkit/windows/StdWindowWithTableController.h"

#include <memory>

class CellTransact;
class DOCUMENT;
class ECHEANCIER;
class TRANSACT;
class QLineEdit;
class QPushButton;
class ViewPlanificatorController;

class FenEditEcheancierController : public StdWindowWithTableController {
    Q_OBJECT
public:
    FenEditEcheancierController();
    ~FenEditEcheancierController() override;

    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;
    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void NON(QObject* sender) override;
    // Edits the regular occurrence in the entry window, on a copy.
    Q_INVOKABLE void MODIFIER(QObject* sender);
    // Opens the custom occurrences shortly after, so the click has ended first.
    Q_INVOKABLE void PERSO(QObject* sender);
    void updateLabelPerso();

    ECHEANCIER& echeancier() const;
    DOCUMENT& document() const;
    ViewPlanificatorController* planificator_controller() const { return m_planificator; }

    // The regular occurrence's running total: its amount, negative when it debits one of the
    // user's accounts, positive when it credits one (both: nothing).
    static MONTANT cumulOfTransact(const TRANSACT& trans, const DOCUMENT& doc);

    int numberOfRowsInTableView1(StdTableView*) override { return 1; }
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int) override { return {250, 250, 250}; }
    void didDoubleClick1(QObject* sender) override { MODIFIER(sender); }
    bool canAdjustHeight() const override { return false; }
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLayout* buildButtons(StdWindow& window);

    QLineEdit* field_nom = nullptr;
    QPushButton* title_perso = nullptr;
    QPushButton* m_ok = nullptr;
    ViewPlanificatorController* m_planificator = nullptr;
    std::unique_ptr<CellTransact> m_cell;
};

// The window data of a schedule editor, and the schedule it edits.
WindowDataPtr echeancierEditorData(ECHEANCIER& echeancier, DOCUMENT& doc);
ECHEANCIER& editedEcheancier(const WindowData& data);

#pragma once
// The planner pane of the schedule and forecast editors: the controls of one recurrence rule
// (repetition, renewal, a forecast's first date and validity, a schedule's write date and
// advance, the budget shift) over the year grid of its planned dates. The pane edits the host's
// rule in place: every change of a control reads the whole pane back into the rule and rebuilds
// the grid from the planner timeline, and the host's OK button stays disabled while the rule is
// inconsistent. The rule's type decides which controls show.
#include "engines/PlannerTimeline.h"
#include "toolkit/tables/StdTableModel.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class CellPlanificator;
class PopHelp;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class StdTableView;
class StdTextView;
class StdWindowController;
class TextFieldIntegerN;
class TextFieldIntegerNStar;
class TextFieldJour;
class TextFieldMois;
class TextFieldAnnee;
class ViewPlanificatorTitle;

class ViewPlanificatorController : public QWidget, public IStdTableSource {
    Q_OBJECT
public:
    // The pane shows the controls of that type of rule (Planificator::kTypeEcheancier or
    // kTypePrevision).
    explicit ViewPlanificatorController(int32_t type, QWidget* parent = nullptr);
    ~ViewPlanificatorController() override;

    // The host's rule, edited in place; it must outlive the pane's use of it.
    Planificator* planificator() const { return m_planificator; }
    void setPlanificator(Planificator* planificator) { m_planificator = planificator; }
    // The editor hosting the pane: the window for sheets and the default font size.
    StdWindowController* delegate() const;
    void setDelegate(StdWindowController* delegate);
    QAbstractButton* button_OK() const;
    void setButton_OK(QAbstractButton* button);

    void FILL_PLANIFICATOR();
    void READ_PLANIFICATOR();
    // A forecast's first date naming a day its month lacks: said on the window, and true.
    bool refuseImpossibleFirstDate(QObject* window) const;
    // The last check of the editor's OK: a first day after the 28th, unless written at the end
    // of the month, asks whether to go on. The block gets the answer before the call returns.
    void validatePlanification(const std::function<void(bool)>& block);
    // The host's template transaction changed (a schedule's first date): recompute.
    void didChangeTransact() { computeElements(); }
    void cleanUp();

    // READ_PLANIFICATOR, then the horizon, the consistency and the planned dates; the grid redraws.
    void computeElements();
    void computeDuration();
    void computeLastDate();
    void computeDates();

    bool isPrevision() const;
    // What the grid's row of that year draws (PlannerTimeline::spansOfYear); none before a rule.
    QList<PlannedSpan> spansOfYear(long year) const;
    long numberOfYears() const { return m_timeline ? m_timeline->numberOfYears() : 0; }
    double maxDate() const { return m_timeline ? m_timeline->maxDate() : 0; }
    long firstYear() const { return m_timeline ? m_timeline->firstYear() : 0; }

    // ---- Actions of the controls.
    Q_INVOKABLE void TOUSLES(QObject* sender);
    Q_INVOKABLE void PERMANENT(QObject* sender);
    Q_INVOKABLE void RECONDUCTION(QObject* sender);
    Q_INVOKABLE void RECONDUCTION_TOUSLES(QObject* sender);
    Q_INVOKABLE void RECONDUCTION_PERMANENT(QObject* sender);
    Q_INVOKABLE void VALIDITE(QObject* sender);
    Q_INVOKABLE void VALIDE_TOUSLES(QObject* sender);
    Q_INVOKABLE void DATE_ECRITURE(QObject* sender);
    Q_INVOKABLE void BUDGET_SHIFT(QObject* sender);
    Q_INVOKABLE void BUDGET_SHIFT_REFERENCE(QObject* sender);
    Q_INVOKABLE void CALENDRIER1(QObject* sender);
    // Any field of the pane changed: recompute.
    void textDidEndEditing(QObject* field);

    // ---- The year grid.
    StdTableView* table() const { return m_table; }
    ViewPlanificatorTitle* view_title() const { return m_viewTitle; }
    int numberOfRows(StdTableView* table) override;
    StdCell* cellForRow(StdTableView* table, int row) override;

private:
    struct Controls;

    void buildRepetition(QGridLayout& grid, int row);
    void buildReconduction(QGridLayout& grid, int row);
    void buildValidite(QGridLayout& grid, int row);
    void buildEcriture(QGridLayout& grid, int row);
    void buildBudget(QGridLayout& grid, int row);
    PopHelp* helpButton(const char* name, const char* titleKey, const char* contentKey);
    QComboBox* popup(const char* name, const QList<std::pair<QString, long>>& items,
                     void (ViewPlanificatorController::*action)(QObject*));
    template <class F> F* field(const char* name, int width);
    void fillFrequence();
    void fillReconduction();
    void fillValidite();
    void fillEcriture();
    void fillBudget();
    void updateFrequenceControls();
    void updateReconductionControls();
    void updateValiditeControls();
    void enableEcritureFinDeMois(bool enabled);
    double readFirstDate() const;

    int32_t m_type;
    Planificator* m_planificator = nullptr;
    QPointer<StdWindowController> m_delegate;
    QPointer<QAbstractButton> m_buttonOK;
    std::unique_ptr<Controls> m_c;
    StdTableView* m_table = nullptr;
    ViewPlanificatorTitle* m_viewTitle = nullptr;
    std::unique_ptr<CellPlanificator> m_cell;
    std::optional<PlannerTimeline> m_timeline;
    bool m_filling = false;
};

#pragma once
// The row template of the planner's year grid: one year row view, filled by the planner pane for
// each row before it is drawn.
#include "schedules/ViewPlanificator.h"

#include "toolkit/tables/StdCell.h"

#include <QVBoxLayout>

class CellPlanificator : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 24;

    explicit CellPlanificator(QWidget* parent = nullptr)
        : StdCell(parent)
        , m_view(new ViewPlanificator(this))
    {
        setObjectName(QStringLiteral("PLANIFICATOR"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        resize(670, kHeight);
    }

    ViewPlanificator* viewPlanificator() const { return m_view; }

private:
    ViewPlanificator* m_view;
};

#include "ModelChecks.h"

#include "toolkit/tables/StdTableView.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>

namespace {

constexpr char kWatchedProperty[] = "sv_model_tester";

void watch(QAbstractItemModel* model)
{
    if (!model || model->property(kWatchedProperty).toBool())
        return;
    model->setProperty(kWatchedProperty, true);
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::Fatal, model);
}

} // namespace

ModelChecks::ModelChecks()
{
    QCoreApplication::instance()->installEventFilter(this);
}

ModelChecks::~ModelChecks()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ModelChecks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Polish) {
        if (auto* view = qobject_cast<QAbstractItemView*>(watched))
            watch(qobject_cast<StdTableModel*>(view->model()));
    }
    return QObject::eventFilter(watched, event);
}

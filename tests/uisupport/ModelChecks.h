#pragma once
// While it lives, every table model (StdTableModel) a UI test's views show is watched by
// QAbstractItemModelTester in fatal mode: a model that breaks the item-model contract (rows
// announced but not inserted, an index of another model, a parent for a table row) stops the
// test there. A model is found when a view showing it is polished, and watched until it goes.
#include <QObject>

class ModelChecks : public QObject {
public:
    ModelChecks();
    ~ModelChecks() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

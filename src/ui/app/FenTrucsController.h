#pragma once
// The tips shown when a document opens: one tip at a time, chosen at random among the tip documents
// of the program ("trucs" in the information folder). "Another tip" shows another one and keeps
// the window; OK closes it.
#include "app/FenRTFController.h"

#include <QStringList>

class FenTrucsController : public FenRTFController {
    Q_OBJECT
public:
    void willAwakeFromNib() override;

    // Shows a tip drawn uniformly among the tip documents; nothing when there are none.
    void NEXT();
    Q_INVOKABLE void NON(QObject* sender) override;

    const QStringList& trucs() const { return _trucs; }
    // The tip documents (".rtfd" bundles) of the information folder, in name order.
    static QStringList trucsFiles();

protected:
    void buildInterface(StdWindow& window) override;

private:
    QStringList _trucs;
};

// Runs the tips window modally; answers its result (1).
long showTips();

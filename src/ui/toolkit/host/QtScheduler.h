#pragma once
// Timers on QTimer with the run-loop rule the windows rely on: a Default-mode call that comes due
// during a modal run is held and runs, once, after the outermost run has ended. A plain QTimer
// would fire inside every nested loop.
#include "toolkit/host/UiHost.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <vector>

class QTimer;

class QtScheduler : public QObject, public IScheduler {
    Q_OBJECT
public:
    Handle after(int ms, Mode mode, std::function<void()> fn, QObject* context = nullptr) override;
    Handle every(int ms, Mode mode, std::function<void()> fn, QObject* context = nullptr) override;
    void cancel(Handle handle) override;
    bool isActive(Handle handle) const override { return m_entries.count(handle) != 0; }
    void setModalDepth(int depth) override;

private:
    struct Entry {
        QTimer* timer = nullptr;
        Mode mode = Mode::Default;
        std::function<void()> fn;
        QPointer<QObject> context;
        bool hasContext = false;
        bool repeats = false;
        bool held = false;
    };

    Handle add(int ms, Mode mode, std::function<void()> fn, QObject* context, bool repeats);
    void timeout(Handle handle);
    void fire(Handle handle);
    void releaseHeld();

    std::map<Handle, Entry> m_entries;
    std::vector<Handle> m_held; // in the order they came due
    int m_depth = 0;
    bool m_releasePosted = false;
};

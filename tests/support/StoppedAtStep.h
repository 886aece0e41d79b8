#pragma once
// Every file-system step from the n-th on fails, as in a process killed there: nothing it does
// afterwards reaches the disk. Or, not killed, the n-th step alone fails.
#include "support/KilledAtStep.h"

class StoppedAtStep : public KilledAtStep {
public:
    explicit StoppedAtStep(int step, bool killed = true)
        : KilledAtStep(step)
        , m_killed(killed)
    {
    }
    bool makeFolder(const QString& p, int* e) override { return go(e) && FileSystemOps::makeFolder(p, e); }
    bool removeItem(const QString& p, int* e) override { return go(e) && FileSystemOps::removeItem(p, e); }
    bool moveItem(const QString& f, const QString& t, int* e) override
    {
        return go(e) && FileSystemOps::moveItem(f, t, e);
    }
    bool copyItem(const QString& f, const QString& t, int* e) override
    {
        return go(e) && FileSystemOps::copyItem(f, t, e);
    }
    bool cloneItem(const QString& f, const QString& t, const CloneOptions& o, int* e) override
    {
        return go(e) && FileSystemOps::cloneItem(f, t, o, e);
    }

private:
    bool go(int* error)
    {
        const bool failsNow = diesNow();
        const bool alive = pass(error);
        return m_killed ? alive : !failsNow;
    }
    bool m_killed;
};

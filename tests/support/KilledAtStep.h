#pragma once
// File-system steps that fail from the n-th on, as in a process killed there; the steps a test
// counts are the operations its subclass passes through pass().
#include "document/FileSystemOps.h"

#include <cerrno>

class KilledAtStep : public FileSystemOps {
public:
    explicit KilledAtStep(int step)
        : m_deadFrom(step)
    {
        FileSystemOps::install(this);
    }
    ~KilledAtStep() override { FileSystemOps::install(nullptr); }
    KilledAtStep(const KilledAtStep&) = delete;
    KilledAtStep& operator=(const KilledAtStep&) = delete;

    int steps = 0;

protected:
    // Counts a step; false (with EIO) once the process is dead.
    bool pass(int* error)
    {
        const bool alive = steps++ < m_deadFrom;
        if (!alive && error)
            *error = EIO;
        return alive;
    }
    bool diesNow() const { return steps == m_deadFrom; }

private:
    int m_deadFrom;
};

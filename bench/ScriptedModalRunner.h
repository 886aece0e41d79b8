#pragma once
// The user of the modal windows in the benchmarks of real windows: each window is built and
// filled, the benchmark's script plays it at once, and the run ends with the code its button gave.
#include "toolkit/host/UiHost.h"
#include "toolkit/windows/StdWindowController.h"

#include <functional>

class ScriptedModalRunner : public IModalRunner {
public:
    std::function<void(StdWindowController&)> user;

    int run(const ModalRequest& request) override
    {
        m_code = 0;
        ++m_depth;
        if (auto* controller = qobject_cast<StdWindowController*>(request.controller); controller && user)
            user(*controller);
        --m_depth;
        return m_code;
    }
    void endModal(QWidget*, int code) override { m_code = code; }
    int depth() const override { return m_depth; }
    QWidget* modalWindow() const override { return nullptr; }

private:
    int m_code = 0;
    int m_depth = 0;
};

#pragma once
// The small window shown during a long operation: a message and a progress bar, moving on its
// own until told how far the work has gone. At most one is open; opening another closes it.
// Window data: the message under "message", already localised.
#include "toolkit/windows/StdWindowController.h"

#include <QPointer>

class QLabel;
class QProgressBar;

class FenMessageController : public StdWindowController {
    Q_OBJECT
public:
    ~FenMessageController() override;

    // The progress window open now, else null.
    static FenMessageController* sharedInstance();
    // Closes the progress window when one is open.
    static void doClose();

    // Shows how far the work has gone, the bar now measuring rather than moving on its own.
    void setJauge(double minValue, double maxValue, double value);
    bool isDeterminate() const { return m_determinate; }
    double jaugeValue() const { return m_value; }
    double jaugeMin() const { return m_min; }
    double jaugeMax() const { return m_max; }

    void willAwakeFromNib() override;
    void windowWillClose() override;

    static constexpr int kJaugeSteps = 1000;

protected:
    void buildInterface(StdWindow& window) override;
    void windowDidLoad() override;

private:
    QLabel* m_message = nullptr;
    QProgressBar* m_indicator = nullptr;
    bool m_determinate = false;
    double m_min = 0;
    double m_max = 0;
    double m_value = 0;
};

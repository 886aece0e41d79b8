#include "toolkit/dialogs/FenMessageController.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QPointer<FenMessageController> g_instance;

} // namespace

FenMessageController::~FenMessageController()
{
    if (g_instance == this)
        g_instance = nullptr;
}

FenMessageController* FenMessageController::sharedInstance()
{
    return g_instance;
}

void FenMessageController::doClose()
{
    if (g_instance)
        g_instance->close();
}

void FenMessageController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenMessage"));
    m_message = new QLabel(&window);
    m_message->setObjectName(QStringLiteral("text_message"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_indicator = new QProgressBar(&window);
    m_indicator->setObjectName(QStringLiteral("indicator"));
    m_indicator->setTextVisible(false);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 16, 20, 18);
    layout->setSpacing(10);
    layout->addWidget(m_message);
    layout->addWidget(m_indicator);
    window.setFixedWidth(360);
}

void FenMessageController::willAwakeFromNib()
{
    const WindowDataPtr data = getData();
    m_message->setText(data ? data->value(QStringLiteral("message")).toString() : QString());
}

// The bar moves on its own (an empty range) until setJauge says how far the work has gone.
void FenMessageController::windowDidLoad()
{
    StdWindowController::windowDidLoad();
    if (g_instance && g_instance != this)
        g_instance->close();
    g_instance = this;
    m_indicator->setRange(0, 0);
}

// The long operation holds the event loop: the window is drawn here, not when Qt next gets to it.
void FenMessageController::setJauge(double minValue, double maxValue, double value)
{
    QProgressBar* bar = m_indicator;
    if (!bar)
        return;
    const bool first = !m_determinate;
    m_determinate = true;
    m_min = minValue;
    m_max = maxValue;
    m_value = value;
    bar->setRange(0, kJaugeSteps);
    const double span = maxValue - minValue;
    const double fraction = span > 0 ? std::clamp((value - minValue) / span, 0.0, 1.0) : 0.0;
    bar->setValue(int(std::lround(fraction * kJaugeSteps)));
    if (first && windowIfLoaded() && windowIfLoaded()->isVisible())
        windowIfLoaded()->repaint();
}

void FenMessageController::windowWillClose()
{
    if (m_indicator)
        m_indicator->setRange(0, 1);
    if (g_instance == this)
        g_instance = nullptr;
    StdWindowController::windowWillClose();
}

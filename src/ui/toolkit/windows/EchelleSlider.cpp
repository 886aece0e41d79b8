#include "toolkit/windows/EchelleSlider.h"

#include "toolkit/print/PrintAccessoryViewController.h"

EchelleSlider::EchelleSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
{
    connect(this, &QSlider::sliderReleased, this, &EchelleSlider::didEndTracking);
    // A move by the keyboard or the wheel has no release: it ends at once.
    connect(this, &QSlider::actionTriggered, this, [this](int action) {
        if (action != SliderMove && !isSliderDown())
            QMetaObject::invokeMethod(this, &EchelleSlider::didEndTracking, Qt::QueuedConnection);
    });
}

PrintAccessoryViewController* EchelleSlider::delegate() const
{
    return m_delegate;
}

void EchelleSlider::setDelegate(PrintAccessoryViewController* delegate)
{
    m_delegate = delegate;
}

void EchelleSlider::didEndTracking()
{
    if (m_delegate)
        m_delegate->didEndTrackingSlider(this);
}

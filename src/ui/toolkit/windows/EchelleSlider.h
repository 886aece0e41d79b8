#pragma once
// The scale slider of the print options: the panel follows it while it moves and takes its value
// when the user lets go of it (or moves it with the keyboard or the wheel).
#include <QPointer>
#include <QSlider>

class PrintAccessoryViewController;

class EchelleSlider : public QSlider {
    Q_OBJECT
public:
    explicit EchelleSlider(QWidget* parent = nullptr);

    PrintAccessoryViewController* delegate() const;
    void setDelegate(PrintAccessoryViewController* delegate);

private:
    void didEndTracking();

    QPointer<PrintAccessoryViewController> m_delegate;
};

#pragma once
// The OK and Cancel buttons under the colour panel. Either button hands its delegate, through
// exitColorPanelWithCode (invoked by name, so any window may be the delegate), a result holding
// "code" (true for OK), "controller" (this accessory), "panel", "color" (the panel's colour at
// the click) and "tag" (the caller's number, saying what the colour is for).
#include <QObject>
#include <QPointer>
#include <QVariantMap>

class IColorPanel;
class QPushButton;
class QWidget;

class ColorAccessoryViewController : public QObject {
    Q_OBJECT
public:
    // The delegate is not owned; the view is built at once.
    ColorAccessoryViewController(QObject* delegate, IColorPanel* panel, qint64 tag, QObject* parent = nullptr);
    ~ColorAccessoryViewController() override;

    QObject* delegate() const { return m_delegate; }
    IColorPanel* panel() const { return m_panel; }
    qint64 tag() const { return m_tag; }
    // Shown in the panel while it is open; null once the panel's window took it down with it.
    QWidget* view() const { return m_view; }
    QPushButton* button_ok() const { return m_buttonOk; }
    QPushButton* button_nok() const { return m_buttonNok; }

    Q_INVOKABLE void clickOK(QObject* sender = nullptr);
    Q_INVOKABLE void clickNOK(QObject* sender = nullptr);
    QVariantMap returnDictionnaryWithCode(bool code);

private:
    void exitWithCode(bool code);

    QPointer<QObject> m_delegate;
    IColorPanel* m_panel = nullptr;
    qint64 m_tag = 0;
    QPointer<QWidget> m_view;
    QPushButton* m_buttonOk = nullptr;
    QPushButton* m_buttonNok = nullptr;
};

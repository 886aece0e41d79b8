#pragma once
// The colour panel of the program: Qt's colour chooser without its own buttons, with the
// caller's accessory under it, shown window-modal on the caller's window. One panel at a time:
// showing it again cancels the one shown.
#include "toolkit/host/UiHost.h"

#include <QPointer>

class QColorDialog;
class QDialog;

class QtColorPanel : public IColorPanel {
public:
    ~QtColorPanel() override;
    void show(const ColorPanelRequest& request) override;
    QColor color() const override;
    void close() override;
    bool isVisible() const override;

private:
    QPointer<QDialog> m_dialog;
    QPointer<QColorDialog> m_chooser;
    QPointer<QWidget> m_accessory;
    std::function<void()> m_dismissed;
};

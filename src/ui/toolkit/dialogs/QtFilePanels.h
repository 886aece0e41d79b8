#pragma once
// Open and save panels on QFileDialog, run modally over the active window.
#include "toolkit/host/UiHost.h"

class QtFilePanels : public IFilePanels {
public:
    QString save(const QString& defaultName, const QString& allowedType) override;
    QString open(const OpenPanelRequest& request) override;
};

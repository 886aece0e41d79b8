#pragma once
// Opening files, folders and addresses with the desktop's default applications.
#include "foundation/IDesktop.h"

class QtDesktop : public IDesktop {
public:
    bool openFile(const QString& path) override;
    // Opens the folder holding the file: the desktop has no common way to select it there.
    bool revealFile(const QString& path) override;
    bool openURL(const QString& url) override;
    void beep() override;
};

#pragma once
// A shell for tests: answers bankIsOpen as told and counts what it was asked.
#include "foundation/IAppShell.h"

class FakeAppShell : public IAppShell {
public:
    bool open = false;
    int toolTipDelayCalls = 0;
    int copyCalls = 0;
    int actualizeCalls = 0;

    bool bankIsOpen() const override { return open; }
    void setToolTipDelay() override { ++toolTipDelayCalls; }
    void ENREGISTRER_COPIE() override { ++copyCalls; }
    void actualizeExternalData() override { ++actualizeCalls; }
};

// Installs a fake shell for the length of a scope.
class ScopedAppShell {
public:
    explicit ScopedAppShell(IAppShell* shell) { installAppShell(shell); }
    ~ScopedAppShell() { installAppShell(nullptr); }
    ScopedAppShell(const ScopedAppShell&) = delete;
    ScopedAppShell& operator=(const ScopedAppShell&) = delete;
};

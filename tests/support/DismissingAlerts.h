#pragma once
// Answers every alert with its first button, for tests that look at what is left on the disk.
#include "foundation/IAlerts.h"

class DismissingAlerts : public IAlerts {
public:
    DismissingAlerts() { installAlerts(this); }
    ~DismissingAlerts() override { installAlerts(nullptr); }
    DismissingAlerts(const DismissingAlerts&) = delete;
    DismissingAlerts& operator=(const DismissingAlerts&) = delete;
    int run(const AlertRequest&) override { return kAlertFirstButton; }
};

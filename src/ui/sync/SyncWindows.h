#pragma once
// The sync server's questions and messages as the program's alerts (through the host's alert
// seam), and the transactions just received as a listing window, installed by the application at
// start-up.
#include "sync/ISyncWindows.h"

class SyncWindows : public ISyncWindows {
public:
    bool confirmPhone(const PhoneQuestion& question) override;
    void informPhone(const QString& dialogueKey, int style) override;
    void showSyncListing(const Critere& critere, std::unique_ptr<LISTING> listing, const QString& title,
                         DOCUMENT& doc) override;
};

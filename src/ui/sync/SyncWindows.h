#pragma once
// The sync server's questions and messages as the program's alerts (through the host's alert
// seam), installed by the application at start-up. The printable listing of received
// transactions is not built yet: asked for it, the program logs and beeps, and the transactions
// stay in the document, where the search finds them by their sync mark.
#include "sync/ISyncWindows.h"

class SyncWindows : public ISyncWindows {
public:
    bool confirmPhone(const QString& dialogueKey, const QString& deviceName) override;
    void informPhone(const QString& dialogueKey, int style) override;
    void showSyncListing(const Critere& critere, std::unique_ptr<LISTING> listing, const QString& title,
                         DOCUMENT& doc) override;
};

#pragma once
// What the sync server asks of the window layer: its questions, its messages and the listing of
// what the phone sent. The window layer installs one at start-up; core tests install a fake.
// With none installed every question is answered no: nothing leaves or enters the document
// without the user's word.
#include <QString>

#include <memory>

class Critere;
class DOCUMENT;
class LISTING;

class ISyncWindows {
public:
    virtual ~ISyncWindows() = default;
    // The application-modal question whose message is the text of that key of table "Dialogue",
    // with the phone's name (or its address) as information, shown as it is spelt,
    // "LIB_BUTTON_OUI" and "LIB_BUTTON_NON", the image "iSorvanta" and the warning style: true
    // for yes.
    virtual bool confirmPhone(const QString& dialogueKey, const QString& deviceName) = 0;
    // The application-modal message of that key of table "Dialogue" with one OK button and the
    // image "iSorvanta", in that style (0 warning, 1 informational); returns once it is closed.
    virtual void informPhone(const QString& dialogueKey, int style) = 0;
    // Opens the printable listing of the transactions just received from the phone, with the
    // criterion that selects them and the listing it gave, under the title, on the document in the
    // current currency slot.
    virtual void showSyncListing(const Critere& critere, std::unique_ptr<LISTING> listing, const QString& title,
                                 DOCUMENT& doc)
        = 0;
};

// The installed windows, or null. They outlive every caller; uninstall before deleting them.
ISyncWindows* syncWindows();
void installSyncWindows(ISyncWindows* windows);

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

// A question about a phone: what it wants, what it calls itself and where it asks from.
struct PhoneQuestion {
    QString dialogueKey; // of table "Dialogue"
    QString deviceName; // as the phone sent it; empty when it gave none or one too long to show
    QString address;
    bool accepted = false; // the user already agreed to this address since the document opened
};

// The question's information: the address the request came from, then the name the phone gave,
// on one line (line breaks, control characters and marks that reorder text become spaces), so
// that nothing a phone sends can pass for the program's own lines or hide where it comes from.
QString phoneQuestionInformation(const PhoneQuestion& question);

class ISyncWindows {
public:
    virtual ~ISyncWindows() = default;
    // The application-modal question whose message is the text of its key, with
    // phoneQuestionInformation() as information, shown as it is spelt, "LIB_BUTTON_OUI" and
    // "LIB_BUTTON_NON", the image "iSorvanta" and the warning style: true for yes. Return answers
    // no unless the address was accepted already.
    virtual bool confirmPhone(const PhoneQuestion& question) = 0;
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

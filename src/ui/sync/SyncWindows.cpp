#include "SyncWindows.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/IWindowDoors.h"

#include "engines/LISTING.h"
#include "foundation/localized.h"

namespace {

const QString kPhoneImage = QStringLiteral("iSorvanta");
constexpr int kStyleWarning = 0;

} // namespace

// Return hands the document out only to an address the user already said yes to.
bool SyncWindows::confirmPhone(const PhoneQuestion& question)
{
    AlertRequest request;
    request.message = localizedDialogue(question.dialogueKey);
    request.information = phoneQuestionInformation(question);
    request.button1 = localizedDialogue(QStringLiteral("LIB_BUTTON_OUI"));
    request.button2 = localizedDialogue(QStringLiteral("LIB_BUTTON_NON"));
    request.imageName = kPhoneImage;
    request.style = kStyleWarning;
    request.defaultButton = question.accepted ? kAlertFirstButton : kAlertSecondButton;
    request.escapeButton = kAlertSecondButton; // the phone is refused, the document left as it is
    return showAlert(request) == kAlertFirstButton;
}

void SyncWindows::informPhone(const QString& dialogueKey, int style)
{
    showAlertOK(nullptr, localizedDialogue(dialogueKey), QString(), kPhoneImage, style);
}

void SyncWindows::showSyncListing(const Critere& critere, std::unique_ptr<LISTING> listing, const QString& title,
                                  DOCUMENT& doc)
{
    ListingWithCritere request;
    request.critere = critere;
    request.listing = std::move(listing);
    request.title = title;
    request.devise = MONTANT::currentDeviseSlot();
    if (IWindowDoors* doors = windowDoors())
        doors->openListingWithCritere(std::move(request), doc);
}

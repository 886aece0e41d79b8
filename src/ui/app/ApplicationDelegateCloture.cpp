// Closing a financial year from the menu: the questions, the closing date and the new document's
// name, then the closing itself and the offer to go on in the new document.
#include "ApplicationDelegate.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/host/UiHost.h"

#include "document/Cloture.h"
#include "document/DocContext.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"

#include <QFileInfo>

namespace {

// Each explanation of the closing is read through before the next: only Continue goes on.
bool askToGoOn(const char* resName)
{
    long answer = 0;
    askPoursuivre(nullptr, QString::fromLatin1(resName), QString(), true, false,
                  [&answer](long given) { answer = given; });
    return answer == 1;
}

// The calendar starts on the date given and writes the day chosen back into it. The whole day
// chosen belongs to the closed year: a statement or a transaction dated on it, whatever its hour,
// is closed with it.
bool pickClotureDate(double* date)
{
    const WindowDataPtr data = makeWindowData();
    data->date = *date;
    if (StdWindowController::pushModal<FenCalendrierController2>(nullptr, data, MONTANT::currentDeviseSlot()) != 1)
        return false;
    *date = endOfDay(data->date);
    return true;
}

// A name free in the document's own storage, the default one proposed.
bool askClotureName(int fileSystemTag, QString* name)
{
    bool named = false;
    FenAskStringController::askForAvailableRecentName(nullptr, QStringLiteral("kAskString_ClotureDocument"),
                                                      localizedMisc(QStringLiteral("kMisc_DefaultClotureName")), name,
                                                      true, fileSystemTag, [&named](bool ok) { named = ok; });
    return named;
}

bool askToOpenNewExercice(const QString& newUrl)
{
    int answer = 0;
    Dialog::OKConfirmationWithDictionary(
        {{QStringLiteral("title"), localizedDialogue(QStringLiteral("kConfirm_openNewExercice"))},
         {QStringLiteral("information"), QFileInfo(newUrl).completeBaseName()},
         {QStringLiteral("imageName"), QStringLiteral("cloture")},
         {QStringLiteral("escapeButton"), kAlertSecondButton}},
        [&answer](int code) { answer = code; });
    return answer == kAlertFirstButton;
}

} // namespace

void ApplicationDelegate::CLOTURE(QObject* sender)
{
    Q_UNUSED(sender);
    DOCUMENT* doc = m_document.get();
    if (!doc)
        return;
    if (UiHost::instance().modalDepth() > 0) {
        UiHost::instance().desktop().beep();
        return;
    }
    // The closed year is marked in its own package once the new one is whole: a package that
    // is not written is refused before the user answers any of the questions.
    if (DocContext::refusesChangeInPackage())
        return;
    const int fileSystemTag = doc->fileSystemTag;
    double dateCloture = SystemClock::now();
    QString newName;
    if (!askToGoOn("ASSIST100") || !askToGoOn("ASSIST110") || !pickClotureDate(&dateCloture) || !askToGoOn("ASSIST120")
        || !askClotureName(fileSystemTag, &newName))
        return;
    QString newUrl;
    clotureDocument(doc, newName, dateCloture, [&newUrl](const QString& url) { newUrl = url; });
    if (newUrl.isEmpty()) {
        Dialog::alerte(nullptr, localizedDialogue(QStringLiteral("kAlerte_ClotureFailure")), QString(),
                       QStringLiteral("cloture"), 2, {});
        return;
    }
    if (!askToOpenNewExercice(newUrl))
        return;
    // The closed year was saved by the closing itself. Should the new year not open (its
    // password refused, say), the user is not left without a window.
    doCloseDocument(false);
    if (openSorvFile(newUrl, fileSystemTag))
        return;
    if (StdWindowController* browser = openRecentWindow(true))
        browser->adjustHeight(false);
}

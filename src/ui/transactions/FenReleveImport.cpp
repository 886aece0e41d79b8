// The statement window's import of a bank file into its account.
#include "transactions/FenReleveController.h"

#include "transactions/FenListingController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"

#include "document/APPLIPARAM.h"
#include "document/SVWorkspaceManager.h"
#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "model/DOCUMENT.h"

#include <QFileInfo>
#include <QSettings>

namespace {

constexpr int kImportDelayMs = 1000;
constexpr char kLastImportFolderKey[] = "SVLastImportFolder";

// Bank files usually come one after the other from one download folder: the panel opens where the
// last one was chosen, in the user's documents until then or once that folder is gone.
QString importStartFolder()
{
    QString last = QSettings().value(QLatin1String(kLastImportFolderKey)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    QString documents;
    SVWorkspaceManager::getRecentFolderUrl(&documents, kFileSystemLocal);
    return documents;
}

// The extensions banks give their statements (QIF, OFX and its Quicken form, CSV and tab text),
// and every file for a bank that names them otherwise.
QStringList importFilters()
{
    return {localizedMisc(QStringLiteral("kMisc_OpenImportBankFiles"))
                + QStringLiteral(" (*.qif *.ofx *.qfx *.csv *.txt *.tab *.tsv)"),
            localizedMisc(QStringLiteral("kMisc_OpenImportAllFiles")) + QStringLiteral(" (*)")};
}

} // namespace

void FenReleveController::IMPORTER(QObject* sender)
{
    const int format = int(StdMenu::tagOf(sender));
    QPointer<FenReleveController> self(this);
    UiHost::instance().scheduler().after(
        kImportDelayMs, IScheduler::Mode::Default,
        [self, format] {
            if (self)
                self->IMPORTER_WITH_FORMAT(format);
        },
        this);
}

void FenReleveController::IMPORTER_WITH_FORMAT(int format)
{
    if (!document() || !compte())
        return;
    OpenPanelRequest request;
    request.title = localizedMisc(QStringLiteral("kMisc_OpenImportTitle"));
    request.prompt = localizedMisc(QStringLiteral("kMisc_OpenImportPrompt"));
    request.startFolder = importStartFolder();
    request.filters = importFilters();
    const QString path = UiHost::instance().panels().open(request);
    if (path.isEmpty())
        return;
    QSettings().setValue(QLatin1String(kLastImportFolderKey), QFileInfo(path).absolutePath());
    const APPLIPARAM& param = APPLIPARAM::loadAppliParam();
    ImportSettings settings;
    settings.reglesImport = param.reglesImport;
    settings.reglesManuel = param.reglesManuel;
    // The manager calls the block only while this window is open.
    QPointer<FenReleveController> self(this);
    ImportManager::sharedInstance().importURLWithFormat(this, path, format, getArg().debitID, int(devise()), document(),
                                                        settings, [self] {
                                                            if (!self)
                                                                return;
                                                            self->setImportRunning(false);
                                                            self->selectMarkedTransact();
                                                            self->showDoublons();
                                                        });
}

void FenReleveController::setImportRunning(bool running)
{
    if (m_indicator)
        m_indicator->setVisible(running);
}

// The listing shown is made once the user said yes: transactions made or deleted while the
// question was up have moved the ones found before it.
void FenReleveController::showDoublons()
{
    DOCUMENT* doc = document();
    if (!doc)
        return;
    Critere critere = Critere::makeImportCritere(CritereImport::ImportedDoublon, doc);
    if (listingCount(searchListing(critere, *doc, devise()).get()) == 0)
        return;
    const int answer
        = showAlert(this, Dialog::keyString(QStringLiteral("kConfirm_ShowDoublons")), QString(), Dialog::yesString(),
                    Dialog::noString(), QString(), QStringLiteral("exporter"), 1, kAlertSecondButton);
    if (answer != kAlertFirstButton)
        return;
    std::unique_ptr<LISTING> listing = searchListing(critere, *doc, devise());
    if (listingCount(listing.get()) == 0)
        return;
    ListingWithCritere request;
    request.critere = std::move(critere);
    request.listing = std::move(listing);
    request.title = localizedMisc(QStringLiteral("kMisc_Doublons"));
    request.mode = 1;
    request.devise = devise();
    openListingWithCritere(std::move(request), *doc);
}

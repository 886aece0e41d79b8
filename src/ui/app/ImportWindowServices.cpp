#include "app/ImportWindowServices.h"

#include "import/FenEditImportController.h"
#include "import/FenEditImportTABController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/host/UiHost.h"
#include "transactions/FenReleveController.h"
#include "transactions/SaisieRoutine.h"

#include "model/TRANSACT.h"

namespace {

StdWindowController* controllerOf(QObject* window)
{
    return qobject_cast<StdWindowController*>(window);
}

} // namespace

void ImportWindowServices::openTabImportEditor(const ImportRows& rows, int format, long compteID, int devise,
                                               const QString&, ImportEndBlock endBlock)
{
    openImportTABWindow(rows, format, compteID, devise, endBlock);
}

bool ImportWindowServices::validateParsedArray(QObject* window, const ImportRecords& records, int format, long compteID,
                                               int devise)
{
    return openImportReviewWindow(controllerOf(window), records, format, compteID, devise);
}

void ImportWindowServices::setProgressRunning(QObject* window, bool running)
{
    if (auto* releve = qobject_cast<FenReleveController*>(window))
        releve->setImportRunning(running);
}

int ImportWindowServices::askPoursuivre(QObject* window, const QString& resource, const QString& otherButton,
                                        bool showNo, bool noIsDefault)
{
    long answer = 0;
    ::askPoursuivre(controllerOf(window), resource, otherButton, showNo, noIsDefault,
                    [&answer](long code) { answer = code; });
    return int(answer);
}

bool ImportWindowServices::askStringModal(QObject* window, const QString& promptKey, const QString& initialText,
                                          QString* answer)
{
    return ::askStringModal(controllerOf(window), promptKey, initialText, answer);
}

int ImportWindowServices::openSaisieTransact(QObject* window, TRANSACT& trans, long compteID, bool reuseFrame)
{
    return ::openSaisieTransact(controllerOf(window), trans.moyen, trans.synonymeID, compteID, -1, &trans, nullptr,
                                false, false, true, reuseFrame, false);
}

IImportScheduler::Handle ImportWindowServices::after(int ms, std::function<void()> fn)
{
    return UiHost::instance().scheduler().after(ms, IScheduler::Mode::Default, std::move(fn));
}

void ImportWindowServices::cancel(Handle handle)
{
    UiHost::instance().scheduler().cancel(handle);
}

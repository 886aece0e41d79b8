#include "transactions/SaisieRoutine.h"

#include "transactions/FenEditSaisieController.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "model/ITransactionWindows.h"

namespace {
const QString kSaisie = QStringLiteral("saisie");
}

WindowDataPtr makeSaisieWindowData(const SaisieDataPtr& data)
{
    WindowDataPtr window = makeWindowData();
    window->insert(kSaisie, QVariant::fromValue(data));
    return window;
}

SaisieData* saisieDataOf(const WindowDataPtr& data)
{
    return data ? data->value(kSaisie).value<SaisieDataPtr>().get() : nullptr;
}

QRect& rememberedSaisieFrame()
{
    static QRect frame;
    return frame;
}

int openSaisieTransact(StdWindowController* window, const SaisieRequest& request)
{
    DOCUMENT* doc = currentDocument();
    std::optional<SaisieData> made = makeSaisieData(request, doc, APPLIPARAM::loadAppliParam().optionSaisieDate,
                                                    DocContext::instance().lastEnteredDate);
    if (!made)
        return kSaisieCancel;
    // The window keeps the data shared; it is released with the window data, whatever happens.
    const SaisieDataPtr data = std::make_shared<SaisieData>(std::move(*made));
    const long status = StdWindowController::pushModal<FenEditSaisieController>(window, makeSaisieWindowData(data),
                                                                                MONTANT::currentDeviseSlot());
    storeSaisieResult(int(status), *data, request.editObj, doc);
    return int(status);
}

int openSaisieTransact(StdWindowController* window, int fam, long synonymeID, long ident, long pos, TRANSACT* editObj,
                       const MACRO* macro, bool forReal, bool forSimul, bool forImport, bool reuseFrame, bool repeat)
{
    SaisieRequest request;
    request.fam = fam;
    request.synonymeID = synonymeID;
    request.ident = ident;
    request.pos = pos;
    request.editObj = editObj;
    request.macro = macro;
    request.forReal = forReal;
    request.forSimul = forSimul;
    request.forImport = forImport;
    request.reuseFrame = reuseFrame;
    request.repeat = repeat;
    return openSaisieTransact(window, request);
}

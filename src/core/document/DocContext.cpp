#include "DocContext.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentMark.h"
#include "document/SavePlace.h"
#include "foundation/IAlerts.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"

DocContext& DocContext::instance()
{
    static DocContext context;
    return context;
}

void DocContext::reset()
{
    instance() = DocContext();
    MONTANT::startMontant();
}

bool DocContext::mayWriteAt(const QString& place)
{
    const DocContext& context = instance();
    if (!context.keptWithoutSaving || !context.m_document || place.isEmpty())
        return true;
    return !isSameOrInsideFolder(place, context.m_document->documentUrl);
}

void DocContext::alertNotWritten(const QString& dialogueKey, QObject* window)
{
    const DOCUMENT* doc = instance().m_document;
    const QString unwritable = doc ? unwritablePlaceForSave(doc->documentUrl) : QString();
    alertKeyWithInformation(dialogueKey, unwritable.isEmpty() ? QString() : unwritablePlaceInformation(unwritable),
                            window, 2, QStringLiteral("document"));
}

bool DocContext::refusesChangeInPackage(QObject* window)
{
    const DOCUMENT* doc = instance().m_document;
    if (!doc || mayWriteAt(doc->documentUrl))
        return false;
    alertNotWritten(QStringLiteral("kAlerte_CannotChangeDoc_ReadOnly"), window);
    return true;
}

void transactLibDidOpenDocument()
{
    DocContext::instance().lastEnteredDate = SystemClock::now();
}

double dateForNewTransact()
{
    if (APPLIPARAM::loadAppliParam().optionSaisieDate == 1)
        return DocContext::instance().lastEnteredDate;
    return SystemClock::now();
}

#include "ApplicationDelegate.h"
#include "app/FenNotifySauvegardeController.h"
#include "app/WindowMemory.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "document/SVDocumentManager.h"
#include "engines/ChronoManager.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"
#include "model/ReleveCompute.h"

#include <algorithm>

// The main timer: the automatic save, the windows kept on screen and the new day.

namespace {

// The clock ticks sixty times a second.
constexpr uint64_t kTicksPerMinute = 3600;

} // namespace

void ApplicationDelegate::DURING_()
{
    if (m_inDuring)
        return;
    m_inDuring = true;
    if (m_bankIsOpen)
        periodicAction();
    m_inDuring = false;
}

void ApplicationDelegate::periodicAction()
{
    sauvegardeReguliere(m_document.get());
    assumeWindowOnScreen();
    detectNewDay();
    sendToAllWindowDelegates(Sel::periodicAction);
}

// Ticks are unsigned and the wait strictly longer than the period. After a failed save the
// next try waits a whole period too, rather than alerting the user every second.
bool ApplicationDelegate::automaticSaveIsDue(DOCUMENT* doc) const
{
    const long minutes = APPLIPARAM::loadAppliParam().mn;
    // The user was told at opening that this one can't be saved where it is.
    if (!doc || minutes <= 0 || !DocContext::mayWriteAt(doc->documentUrl))
        return false;
    const uint64_t since = std::max(doc->lastSave, m_failedAutoSaveTick);
    return SystemClock::ticks() > since + uint64_t(minutes) * kTicksPerMinute;
}

void ApplicationDelegate::sauvegardeReguliere(DOCUMENT* doc)
{
    if (!automaticSaveIsDue(doc))
        return;
    const bool notify = APPLIPARAM::loadAppliParam().notifySauv;
    // The notice shows itself as its window is made, without taking the keyboard from the user.
    if (notify) {
        auto* notice
            = StdWindowController::push<FenNotifySauvegardeController>(nullptr, MONTANT::currentDeviseSlot(), false);
        notice->window();
        m_notifySauvegarde = notice;
    }
    bool saved = false;
    SVDocumentManager::defaultManager().saveDocument(doc, doc->documentUrl, {.useTempFolder = true, .doMessage = false},
                                                     [&saved] { saved = true; }, {});
    if (!saved)
        m_failedAutoSaveTick = SystemClock::ticks();
    if (auto* notice = qobject_cast<FenNotifySauvegardeController*>(m_notifySauvegarde.data()))
        notice->closeSliding();
    m_notifySauvegarde = nullptr;
}

void ApplicationDelegate::assumeWindowOnScreen()
{
    FenPaletteToolController* palette = FenPaletteToolController::paletteOutils();
    for (QObject* object : registeredWindowControllers()) {
        auto* controller = qobject_cast<StdWindowController*>(object);
        if (controller && controller != palette)
            return;
    }
    if (palette) {
        if (StdWindow* window = palette->window()) {
            window->show();
            window->raise();
        }
        return;
    }
    showAlertOK(nullptr, localizedDialogue(QStringLiteral("kAlerte_NoWindow")), QString(), QString(), 0);
    openPaletteOutils(true);
    WindowMemory::openStandardPalettes(true);
}

void ApplicationDelegate::detectNewDay()
{
    const double now = SystemClock::now();
    // Once a second, the time is only compared with the bounds of the day last seen; the calendar
    // is asked only once they are crossed (or the clock was set back).
    if (m_dayBoundsOf != m_startedTime) {
        m_dayBoundsOf = m_startedTime;
        m_dayBegins = startOfDay(m_startedTime);
        m_dayEnds = endOfDay(m_startedTime) + 1;
    }
    if (now >= m_dayBegins && now < m_dayEnds)
        return;
    long d1 = 0, m1 = 0, y1 = 0, d2 = 0, m2 = 0, y2 = 0;
    dateToDMY(&d1, &m1, &y1, m_startedTime);
    dateToDMY(&d2, &m2, &y2, now);
    if (d1 == d2 && m1 == m2 && y1 == y2)
        return;
    const double previous = m_startedTime;
    m_startedTime = now;
    recomputeAllReleves(m_document.get(), QStringLiteral("kMessage_ComputeNewDay"));
    sendToAllWindowDelegates(Sel::notifyNewDay, QVariant(previous));
    collectAwakeOccurrences(nullptr, m_document.get(), nullptr, QString(), nullptr);
}

// =============================================================================================
// Windows and keys

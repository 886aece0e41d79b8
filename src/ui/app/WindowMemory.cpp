#include "WindowMemory.h"

#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "graphs/FenGraphiqueController.h"

#include "toolkit/drawing/geometry.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/APPLIPARAM.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GraphFile.h"
#include "model/MONTANT.h"

#include <QHash>
#include <QMetaMethod>
#include <QPointer>

#include <algorithm>
#include <array>

namespace {

struct Registration {
    WindowMemory::Opener opener;
    bool placed = true;
};

QHash<QString, Registration>& registry()
{
    static QHash<QString, Registration> classes;
    return classes;
}

// The identifiers a window of each listing class is opened again on, as ID1, ID2, ID3.
struct RecordedIdentifiers {
    const char* fenclass;
    std::array<long SORVARGrec::*, 3> fields;
};

constexpr RecordedIdentifiers kRecordedIdentifiers[] = {
    {"FenListingDossierController", {&SORVARGrec::dossierID, nullptr, nullptr}},
    {"FenListingPosteController", {&SORVARGrec::posteID, nullptr, nullptr}},
    {"FenListingTiersController", {&SORVARGrec::debitID, nullptr, nullptr}},
    {"FenListingChronoController", {&SORVARGrec::chronoID, nullptr, nullptr}},
    {"FenListingMoyenController", {&SORVARGrec::moyenID, &SORVARGrec::debitID, &SORVARGrec::synonymeID}},
    {"FenReleveController", {&SORVARGrec::debitID, nullptr, nullptr}},
    {"FenListingTitreController", {&SORVARGrec::titreID, nullptr, nullptr}},
    {"FenListingRemunereController", {&SORVARGrec::remunereID, nullptr, nullptr}},
    {"FenListingEmpruntController", {&SORVARGrec::empruntID, nullptr, nullptr}},
};

// These write themselves into the document's folders rather than into its window list.
bool memorisesItself(const StdWindowController& controller)
{
    static const QStringList classes {QStringLiteral("FenAnalyseController"), QStringLiteral("FenBudgetController"),
                                      QStringLiteral("FenGraphiqueController")};
    return classes.contains(QString::fromLatin1(controller.metaObject()->className()));
}

void sendMemorise(StdWindowController& controller, long position, const QString& package)
{
    const QMetaObject* meta = controller.metaObject();
    const int index = meta->indexOfMethod("MEMORISE(QVariant,QString)");
    if (index >= 0)
        meta->method(index).invoke(&controller, Qt::DirectConnection,
                                   Q_ARG(QVariant, QVariant::fromValue<qlonglong>(position)), Q_ARG(QString, package));
}

// A package's folders of memorised windows, there even when no such window is open.
void makeMemoryFolders(const QString& package)
{
    QString folder;
    for (bool (*make)(QString*, const QString&) :
         {&getGraphsFolder, &getAnalyseFolderInDocument, &getBudgetFolderInDocument}) {
        if (!make(&folder, package))
            svLog(QStringLiteral("Dossier des fenêtres mémorisées non créé dans %1").arg(package));
    }
}

// The open window controllers, front to back as the application orders its windows.
QList<StdWindowController*> openControllers()
{
    QList<StdWindowController*> controllers;
    for (QObject* object : registeredWindowControllers()) {
        if (auto* controller = qobject_cast<StdWindowController*>(object))
            controllers.append(controller);
    }
    return controllers;
}

PARAMFEN recordOfWindow(const StdWindowController& controller)
{
    PARAMFEN record;
    record.fenclass = QString::fromLatin1(controller.metaObject()->className());
    record.ID1 = record.ID2 = record.ID3 = -1;
    record.devise = controller.devise();
    if (const StdWindow* window = controller.windowIfLoaded())
        WindowMemory::storeFrame(record, window->geometry());
    return record;
}

bool hasCloseBox(const QWidget* window)
{
    const Qt::WindowFlags flags = window->windowFlags();
    if (flags.testFlag(Qt::FramelessWindowHint))
        return false;
    return !flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::WindowCloseButtonHint);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The registry

void WindowMemory::registerWindowClass(const QString& fenclass, Opener opener, bool placed)
{
    registry().insert(fenclass, Registration {std::move(opener), placed});
}

void WindowMemory::unregisterWindowClass(const QString& fenclass)
{
    registry().remove(fenclass);
}

bool WindowMemory::hasWindowClass(const QString& fenclass)
{
    return registry().contains(fenclass);
}

StdWindowController* WindowMemory::openWindow(const PARAMFEN& record, bool appear)
{
    const auto found = registry().constFind(record.fenclass);
    if (found == registry().constEnd() || !found->opener)
        return nullptr;
    // The opener may register or unregister classes: call a copy.
    const Opener opener = found->opener;
    return opener(record, appear);
}

PARAMFEN WindowMemory::recordForClass(const QString& fenclass)
{
    PARAMFEN record;
    record.fenclass = fenclass;
    record.ID1 = record.ID2 = record.ID3 = -1;
    record.devise = MONTANT::currentDeviseSlot();
    return record;
}

// ---------------------------------------------------------------------------------------------
// Recording

bool WindowMemory::isRememberedWindow(const StdWindowController* controller, bool application)
{
    if (!APPLIPARAM::loadAppliParam().doRemind || !controller || !controller->windowIfLoaded())
        return false;
    return application == controller->belongsToApplication();
}

void WindowMemory::recordIdentifiers(PARAMFEN& record, const StdWindowController& controller)
{
    const QByteArray className(controller.metaObject()->className());
    const SORVARGrec& arg = controller.getArg();
    for (const RecordedIdentifiers& entry : kRecordedIdentifiers) {
        if (className != entry.fenclass)
            continue;
        long* ids[] = {&record.ID1, &record.ID2, &record.ID3};
        for (size_t i = 0; i < entry.fields.size(); ++i) {
            if (entry.fields[i])
                *ids[i] = arg.*entry.fields[i];
        }
    }
}

WindowMemory::PackageWriter WindowMemory::memoriseDocumentWindows(DOCUMENT* doc)
{
    if (!doc || !doc->docParam)
        return {};
    ParamFenList& windows = doc->docParam->documentWindows;
    windows.clear();
    QList<std::pair<QPointer<StdWindowController>, long>> memorising;
    const QList<StdWindowController*> controllers = openControllers();
    long n = 1;
    for (auto it = controllers.crbegin(); it != controllers.crend(); ++it, ++n) {
        StdWindowController& controller = **it;
        if (memorisesItself(controller)) {
            memorising.append({&controller, n});
            continue;
        }
        if (windows.size() >= kMaxRememberedWindows || !isRememberedWindow(&controller, false))
            continue;
        PARAMFEN record = recordOfWindow(controller);
        recordIdentifiers(record, controller);
        windows.append(record);
    }
    return [memorising](const QString& package) {
        makeMemoryFolders(package);
        for (const auto& [controller, position] : memorising) {
            if (controller)
                sendMemorise(*controller, position, package);
        }
    };
}

void WindowMemory::memoriseApplicationWindows()
{
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.applicationWindows.clear();
    const QList<StdWindowController*> controllers = openControllers();
    for (auto it = controllers.crbegin(); it != controllers.crend(); ++it) {
        if (parameters.applicationWindows.size() >= kMaxRememberedWindows)
            break;
        if (isRememberedWindow(*it, true))
            parameters.applicationWindows.append(recordOfWindow(**it));
    }
}

// ---------------------------------------------------------------------------------------------
// Reopening

void WindowMemory::restoreDocumentWindows(DOCUMENT* doc)
{
    if (!doc || !doc->docParam)
        return;
    // Without window memory nothing memorised comes back: the standard windows open instead.
    if (!APPLIPARAM::loadAppliParam().doRemind) {
        openStandardPalettes(false);
        return;
    }
    restoreListedWindows(*doc);
    reopenAnalysesOfDocument(*doc);
    reopenBudgetsOfDocument(*doc);
    reopenGraphiquesOfDocument(*doc);
}

void WindowMemory::restoreListedWindows(const DOCUMENT& doc)
{
    const ParamFenList windows = doc.docParam->documentWindows;
    if (windows.isEmpty()) {
        openStandardPalettes(false);
        return;
    }
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        const auto found = registry().constFind(it->fenclass);
        if (found == registry().constEnd())
            continue;
        if (!found->placed) {
            openWindow(*it, true);
            continue;
        }
        setWindowFrameAndAppear(openWindow(*it, false), screenFrameOf(*it));
    }
}

void WindowMemory::openStandardPalettes(bool banksOnly)
{
    if (!banksOnly) {
        openPaletteOutils(true);
        openWindow(recordForClass(QStringLiteral("FenFavoriController")), true);
        openWindow(recordForClass(QStringLiteral("FenBilanController")), true);
    }
    openWindow(recordForClass(QStringLiteral("FenBanqueController")), true);
}

void WindowMemory::setWindowFrameAndAppear(StdWindowController* controller, const QRect& frame)
{
    StdWindow* window = controller ? controller->window() : nullptr;
    if (!window)
        return;
    // A window opened and left hidden would still count as open (and be recorded again, empty).
    if (frame.width() > 0 && frame.height() > 0)
        StdWindowPlacement::setFrame(window, frame);
    controller->appearWindowAnimated(false, {});
}

void WindowMemory::closeDocumentWindows()
{
    // A window may close others as it closes (its palette), or run a question meanwhile.
    QList<QPointer<StdWindowController>> controllers;
    for (StdWindowController* controller : openControllers())
        controllers.append(controller);
    for (const QPointer<StdWindowController>& controller : controllers) {
        StdWindow* window = controller ? controller->windowIfLoaded() : nullptr;
        if (window && hasCloseBox(window) && !isRememberedWindow(controller, true))
            window->close();
    }
}

// ---------------------------------------------------------------------------------------------
// Frames

QRect WindowMemory::screenFrameOf(const PARAMFEN& record)
{
    return fromScreenBottomLeft(QRectF(record.x, record.y, record.width, record.height));
}

void WindowMemory::storeFrame(PARAMFEN& record, const QRect& screenFrame)
{
    const QRectF stored = toScreenBottomLeft(screenFrame);
    record.x = float(stored.x());
    record.y = float(stored.y());
    record.width = float(stored.width());
    record.height = float(stored.height());
}

#pragma once
// Which windows are open on a document, kept in the document when it is closed with saving and
// opened again, at the same place, when it is opened; the same for the windows that belong to
// the application itself, kept in the application parameters.
//
// Windows are opened again by the class name of their controller, through a registry that each
// window class fills with its opener. A record of a class nobody registered is skipped.
//
// The frames stored in the records are content rectangles counted from the bottom-left corner
// of the main screen's whole frame, y growing upward, as stored documents have them; storeFrame
// and screenFrameOf convert them to and from Qt's screen coordinates.
#include "model/PARAMFEN.h"

#include <QRect>
#include <QString>

#include <functional>

class DOCUMENT;
class StdWindowController;

class WindowMemory {
public:
    // Opens the window of the record's class on the record's identifiers (ID1..ID3) and currency
    // slot, shown when appear is set; answers its controller (null when it opened none, or ran
    // modally and is closed already).
    using Opener = std::function<StdWindowController*(const PARAMFEN& record, bool appear)>;

    // With placed, a reopened window is put back where it was and then shown; without, the
    // opener shows it where it goes by itself.
    static void registerWindowClass(const QString& fenclass, Opener opener, bool placed = true);
    static void unregisterWindowClass(const QString& fenclass);
    // The statement window, the listings, the calendar and the single windows of the document's
    // entities (currencies, taxes, macros, synonyms, folders).
    static void registerDocumentWindowClasses();
    static bool hasWindowClass(const QString& fenclass);
    // Opens a window of a registered class; null when the class is not registered.
    static StdWindowController* openWindow(const PARAMFEN& record, bool appear);
    // A record of the class with no identifiers (-1) in the current currency slot.
    static PARAMFEN recordForClass(const QString& fenclass);

    // Whether the controller's window is remembered: never when "doRemind" is off; with
    // application, the windows that belong to the application; without, the others.
    static bool isRememberedWindow(const StdWindowController* controller, bool application);

    // What a save writes into the package it builds, given its URL (SaveOptions::memoriseWindows).
    using PackageWriter = std::function<void(const QString& package)>;

    // Records the document's windows into its parameters (at most kMaxRememberedWindows) and
    // answers what the save that follows is to write with the package: the analysis, budget and
    // graph windows, each through its invokable MEMORISE(QVariant, QString) with its position
    // from the front, into the "analyse", "budget" and "graphs" folders of the package being
    // written, which hold only them. Nothing is written into the document's package here: a save
    // that fails leaves its memorised windows as they were.
    static PackageWriter memoriseDocumentWindows(DOCUMENT* doc);
    // Opens the document's recorded windows, the last recorded first (the standard windows when
    // there are none), then the analysis, budget and graph windows memorised in the document's
    // folders. With "doRemind" off, the standard windows alone.
    static void restoreDocumentWindows(DOCUMENT* doc);
    // Records the application's own windows into the application parameters.
    static void memoriseApplicationWindows();
    // Closes every window that has a close box, except the application's remembered ones.
    static void closeDocumentWindows();
    // The tool palette, the favourites, the balance sheet and the banks window; with banksOnly,
    // the banks window alone.
    static void openStandardPalettes(bool banksOnly);
    // Puts the window at that frame (Qt's screen coordinates) and shows it without animation; a
    // frame without width or height shows it where it opened, never leaving it open unseen.
    static void setWindowFrameAndAppear(StdWindowController* controller, const QRect& frame);

    // The record's frame in Qt's screen coordinates, and a window's frame as records keep it.
    static QRect screenFrameOf(const PARAMFEN& record);
    static void storeFrame(PARAMFEN& record, const QRect& screenFrame);

private:
    static void restoreListedWindows(const DOCUMENT& doc);
    static void recordIdentifiers(PARAMFEN& record, const StdWindowController& controller);
};

#pragma once
// The base of the palettes attached to a window: the entry palette beside a statement window and
// the details palettes of the list windows. A palette is a small floating panel, dragged by its
// background, that never takes the keyboard from its window; it is opened for its window with
// openPaletteForWindow (window data {"fen": the window's controller, "ident": the account it
// works on}), attached to it with attachePalette, shown only while that window is active and
// closed with it. When it closes it tells the controller it belongs to (parentDelegate).
//
// Where the window manager tiles the windows, the window fills its tile and a palette beside it
// would lie over it: the palette is a dock along the bottom of the screen (StdPaletteDock places
// it), whose room the manager keeps clear of the tiles while it shows; hidden (its window no
// longer key, or closed), it gives the room back. It is not dragged.
#include "toolkit/palettes/PalettePanel.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QPointer>

class FenPaletteController : public StdWindowWithTableController {
    Q_OBJECT
    // Set by attachePalette; the controller is not owned.
    Q_PROPERTY(QObject* parentDelegate READ parentDelegateObject WRITE setParentDelegateObject)

public:
    StdWindowController* parentDelegate() const { return m_parentDelegate; }
    void setParentDelegate(StdWindowController* controller) { m_parentDelegate = controller; }
    QObject* parentDelegateObject() const;
    void setParentDelegateObject(QObject* controller);

    // The window controller the palette was opened for (data "fen"); null when none.
    StdWindowController* fen() const { return m_fen; }
    // The account the palette works on (data "ident"); -1 when none.
    long ident() const;
    // The drag by the background; null until the window is built.
    PalettePanel* panel() const { return m_panel; }

    void willAwakeFromNib() override;
    void didAwakeFromNib() override;
    void windowWillClose() override;
    // Given the keyboard (by a window manager that gives it to each window it maps), the palette
    // hands it back to the window it belongs to.
    void windowDidBecomeKey() override;

    // Whether the palette is a dock along the bottom of the screen (the manager tiles the windows).
    bool docked() const { return m_docked; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<StdWindowController> m_parentDelegate;
    QPointer<StdWindowController> m_fen;
    QPointer<PalettePanel> m_panel;
    bool m_docked = false;
};

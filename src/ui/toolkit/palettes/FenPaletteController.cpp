#include "toolkit/palettes/FenPaletteController.h"

#include "toolkit/host/UiHost.h"

#include <QEvent>

QObject* FenPaletteController::parentDelegateObject() const
{
    return m_parentDelegate;
}

void FenPaletteController::setParentDelegateObject(QObject* controller)
{
    m_parentDelegate = qobject_cast<StdWindowController*>(controller);
}

long FenPaletteController::ident() const
{
    const WindowDataPtr data = getData();
    if (!data)
        return -1;
    bool ok = false;
    const long value = long(data->value(QStringLiteral("ident")).toLongLong(&ok));
    return ok ? value : -1;
}

// The window the palette belongs to owns it (it closes the palette when it closes), so it is
// alive while the palette reads it.
void FenPaletteController::willAwakeFromNib()
{
    StdWindowWithTableController::willAwakeFromNib();
    if (const WindowDataPtr data = getData())
        m_fen = qobject_cast<StdWindowController*>(data->value(QStringLiteral("fen")).value<QObject*>());
}

// A floating panel that never becomes the active window: clicking its buttons leaves the window
// it belongs to active, so the palette stays shown (it is shown only while that window is).
void FenPaletteController::didAwakeFromNib()
{
    if (StdWindow* panelWindow = windowIfLoaded()) {
        panelWindow->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
        panelWindow->setAttribute(Qt::WA_ShowWithoutActivating);
        if (!m_panel)
            m_panel = new PalettePanel(panelWindow);
        m_docked = UiHost::instance().screen().managerTilesWindows();
        m_panel->setDocked(m_docked);
    }
    StdWindowWithTableController::didAwakeFromNib();
}

void FenPaletteController::windowWillClose()
{
    StdWindowWithTableController::windowWillClose();
    if (m_parentDelegate)
        m_parentDelegate->paletteWillClose();
}

void FenPaletteController::windowDidBecomeKey()
{
    StdWindowWithTableController::windowDidBecomeKey();
    StdWindowController* owner = m_parentDelegate ? m_parentDelegate.data() : m_fen.data();
    StdWindow* ownerWindow = owner ? owner->windowIfLoaded() : nullptr;
    if (ownerWindow && ownerWindow->isVisible())
        ownerWindow->activateWindow();
}

// A dock is told its room before it maps, and again when the manager gives it another frame (one
// as wide as the screen); hidden, it gives the room back.
bool FenPaletteController::eventFilter(QObject* watched, QEvent* event)
{
    StdWindow* palette = windowIfLoaded();
    if (m_docked && watched == palette) {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || ((type == QEvent::Move || type == QEvent::Resize) && palette->isVisible()))
            UiHost::instance().screen().reserveBottomStrip(palette);
        else if (type == QEvent::Hide)
            UiHost::instance().screen().releaseStrip(palette);
    }
    return StdWindowWithTableController::eventFilter(watched, event);
}

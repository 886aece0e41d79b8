#pragma once
// What the windows tell the application delegate and ask of it. The application installs one;
// without one the notifications go nowhere and there is no tool palette.
#include <QtGlobal>

class QObject;
class StdWindow;
class StdWindowController;

class IWindowAppDelegate {
public:
    virtual ~IWindowAppDelegate() = default;
    virtual void windowDidBecomeMain(StdWindow* window) = 0;
    virtual void windowDidResignMain(StdWindow* window) = 0;
    // The tool palette while it is open, else null.
    virtual StdWindowController* getPaletteTool() = 0;
    // Edits the conversions of the amount the item stands for (its represented object), for the
    // window.
    virtual void EDIT_CONVERSION(StdWindow* window, QObject* item)
    {
        Q_UNUSED(window);
        Q_UNUSED(item);
    }
    // Whether the user is ticking transactions against a statement: one flag for the whole
    // application, so that at most one statement window ticks at a time. No tick mode without a
    // delegate.
    bool _isDuringPointe() const { return m_duringPointe; }
    void _setDuringPointe(bool during) { m_duringPointe = during; }
    // Whether the document and its windows are being closed: windows then leave to the close
    // what they would close themselves.
    virtual bool duringCloseDocument() const { return false; }
    // The hidden chord (Control, Option and Command held on a click in a window's background).
    virtual void doAuteur(StdWindow* window) { Q_UNUSED(window); }

private:
    bool m_duringPointe = false;
};
void setWindowAppDelegate(IWindowAppDelegate* delegate);
IWindowAppDelegate* windowAppDelegate();

#pragma once
// The application's tool palette: a floating strip at the top-left corner of the screen with the
// main commands (a new transaction, the macros, the listings of a category or folder, the
// windows of the accounts, the search, the analysis, the budget, the calendar, the calculator,
// the favourites and the guide), in as many rows as the screen's width needs, so that each
// control shows whole on a narrow screen. There is one at most; the other windows keep clear of it
// (ASSUME_BOUND) once it stands at its place. It slides in from the left edge of the screen when
// it opens, and out again when it closes from there. Like every palette it never takes the
// keyboard: keys and shortcuts typed after a click on it go to the window that had them; its
// pop-ups' menus, once open, take the arrow keys and Return; a window opened from it takes them.
//
// Where the window manager tiles the windows, the palette is a dock in the top-left corner whose
// room the manager keeps clear of the tiles: it neither slides nor is dragged, and the manager
// holds it there each time it shows again.
#include "toolkit/palettes/PalettePanel.h"
#include "toolkit/windows/StdWindowController.h"

#include <QPointer>

class PopCompte;
class PopMacro;
class PopPoste;
class QWindow;

class FenPaletteToolController : public StdWindowController {
    Q_OBJECT
public:
    // The open tool palette, null when none is open.
    static FenPaletteToolController* paletteOutils();

    PopMacro* pop_macro() const;
    PopPoste* pop_poste() const;
    PopCompte* pop_compteD() const;
    PalettePanel* panel() const { return m_panel; }

    // Closes the palette (closeSliding).
    Q_INVOKABLE void BUTTON_CLOSE(QObject* sender);
    // A new transaction of the general family, with no synonym and no account, again and again
    // as long as the user confirms each.
    Q_INVOKABLE void BUTTON_OPERATION(QObject* sender);
    // The entry of a new transaction from the document's macro at the sender's tag.
    Q_INVOKABLE void MACRO(QObject* sender);
    // The listing of the folder, or of the category, of the sender's tag.
    Q_INVOKABLE void CHOOSE_DOSSIER(QObject* sender);
    Q_INVOKABLE void POSTE(QObject* sender);
    Q_INVOKABLE void CREATE_POSTE(QObject* sender);
    // The application's categories-and-folders and macros windows, from the ends of the pop-ups.
    Q_INVOKABLE void DOSSIERS(QObject* sender);
    Q_INVOKABLE void MACROS(QObject* sender);
    // The window of the account of the sender's tag.
    Q_INVOKABLE void DEBIT(QObject* sender);
    Q_INVOKABLE void CREATE_COMPTED(QObject* sender);
    // The application's commands of the same names.
    Q_INVOKABLE void RECHERCHE(QObject* sender);
    Q_INVOKABLE void ANALYSE(QObject* sender);
    Q_INVOKABLE void BUDGET(QObject* sender);
    Q_INVOKABLE void GRAPHIQUE(QObject* sender);
    // The calendar window; no relation to the date pickers' CALENDRIER1 and CALENDRIER2.
    Q_INVOKABLE void CALENDRIER(QObject* sender); // NOLINT(bugprone-virtual-near-miss)
    Q_INVOKABLE void CALCULETTE(QObject* sender);
    Q_INVOKABLE void FAVORIS(QObject* sender);
    Q_INVOKABLE void GUIDE(QObject* sender);

    // Moves the palette, animated, to the top-left corner of the visible screen.
    void PLACE_PALETTE_TOOLS();
    void didChangeScreen() override;
    // The frame the palette has in the top-left corner of the visible screen.
    QRect cornerFrame() const;

    bool animatesWhenAppear() const override { return false; }
    bool animatesWhenClose() const override { return false; }
    void didAwakeFromNib() override;
    void windowWillClose() override;
    void windowDidBecomeKey() override;

    // Closes the palette, sliding it out when it sits at the screen's left edge.
    void closeSliding();

protected:
    void buildInterface(StdWindow& window) override;
    // However the palette is shown again (a window become main, the palette asked for again), it
    // stands wholly on the screen.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void slideIn();
    // Shows the palette in its corner as a dock.
    void dockInCorner();
    // Tells the windows to keep clear of the palette, once it has stopped sliding.
    void didReachPlace();
    // Moves the palette, animated, to the frame; then closes it when close is set, else keeps it
    // on the screen.
    void slideTo(const QRect& frame, bool close);
    void setMenuItemTicked(bool ticked);
    void setUpPopUps();
    // Remembers the window the keyboard belongs to: the last to have had it or, since, to have
    // shown to take it, that may have it (neither a palette nor a pop-up's menu).
    void followKeyWindow();
    void windowShown(QWidget* shown);

    QPointer<PalettePanel> m_panel;
    QPointer<QWindow> m_keyBefore;
    bool m_docked = false;
    QPointer<PopMacro> m_popMacro;
    QPointer<PopPoste> m_popPoste;
    QPointer<PopCompte> m_popCompteD;
};

// Opens the tool palette (shown when appear is set) and remembers it, or brings the open one to
// the front; answers it.
FenPaletteToolController* openPaletteOutils(bool appear);
// Closes the tool palette when it is open.
void closePaletteOutils();

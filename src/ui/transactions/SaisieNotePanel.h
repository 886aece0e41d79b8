#pragma once
// The note of the transaction being entered, in a panel that slides in over the general tab from
// its left edge and stops 50 points in, 5 above the tab's bottom; it grows upward with its text
// and never gets smaller than it was made. Closing it reads its text into the transaction; every
// way of closing the window closes it first.
#include "transactions/ViewSaisieNoteController.h"

#include <QPointer>

#include <functional>

class FenEditSaisieController;
class QString;

class SaisieNotePanel {
public:
    explicit SaisieNotePanel(FenEditSaisieController& window);
    ~SaisieNotePanel();

    bool isShown() const { return m_controller != nullptr; }
    ViewSaisieNoteController* controller() const { return m_controller; }

    // The panel shown, or hidden when it is already (the note button).
    void showNote(std::function<void()> completion);
    void hideNote(std::function<void()> completion);
    void fillNote();
    void readNote();
    void clearNote();
    void adjustNoteHeightForString(const QString& text);
    void didKeyDownOnNote();

private:
    // The panel's frame in the general tab, from its bottom-left corner.
    void placeAt(double x, int height);

    FenEditSaisieController& m_window;
    QPointer<ViewSaisieNoteController> m_controller;
};

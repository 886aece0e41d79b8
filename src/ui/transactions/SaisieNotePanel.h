#pragma once
// The note of the transaction being entered, in a panel that slides in over the general tab from
// its left edge and stops 50 points in, 5 above the tab's bottom; it grows upward with its text
// and never gets smaller than it was made. Closing it reads its text into the transaction; every
// way of closing the window closes it first.
//
// The panel's place counts from the tab's bottom edge, which moves as the window is laid out or
// resized: the panel follows it, and a panel opened while the window is still being filled
// slides in once the tab shows.
//
// While it shows, the fields whose text it hides are out of Tab's path: Tab and Backtab pass them
// by. The keyboard is never passed on to another field: a field that has it under the panel (the
// window's first field, a refill) keeps it, and the panel steps aside before a key lands there, so
// that what is typed shows. A click is the user's own choice: the field clicked, even one the panel
// covers in part, takes the keyboard and the panel steps aside. When the note that took the
// keyboard closes, the field it took it from gets it back, caret and selection as left.
#include "transactions/ViewSaisieNoteController.h"

#include <QObject>
#include <QPointer>
#include <QRectF>

#include <functional>
#include <vector>

class FenEditSaisieController;
class QKeyEvent;
class QString;

class SaisieNotePanel : public QObject {
public:
    explicit SaisieNotePanel(FenEditSaisieController& window);
    ~SaisieNotePanel() override;
    SaisieNotePanel(const SaisieNotePanel&) = delete;
    SaisieNotePanel& operator=(const SaisieNotePanel&) = delete;

    bool isShown() const { return m_controller != nullptr; }
    ViewSaisieNoteController* controller() const { return m_controller; }

    // Whether the note takes the keyboard once in: when the user opens it, not when the window
    // opens with it (the window's first field keeps the focus).
    enum class Focus { Keep, Take };
    // The panel shown, or hidden when it is already (the note button).
    void showNote(std::function<void()> completion, Focus focus = Focus::Keep);
    void hideNote(std::function<void()> completion);
    void fillNote();
    void readNote();
    void clearNote();
    void adjustNoteHeightForString(const QString& text);
    void didKeyDownOnNote();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The panel's frame in the general tab, from its bottom-left corner, counted from where the
    // tab's bottom edge was when the panel was last placed.
    QRectF frame() const;
    void setFrame(const QRectF& frame);
    void placeAt(double x, int height);
    // The panel's geometry in the tab at that distance from its left edge, as it is placed now.
    QRect geometryAt(double x) const;
    void slideIn();
    // The fields under the panel where it stops, as it is placed now.
    void coverFields();
    void uncoverFields();
    bool isCovered(const QWidget* field) const;
    static bool landsInField(const QKeyEvent& key);
    void noteFocusChanged(QWidget* old, QWidget* now);
    // Whether the panel's frame hides the text of the field's frame.
    static bool hidesText(const QRect& panel, const QRect& field);
    // The field under the panel that watched is, or is part of; null when none.
    QWidget* fieldUnder(const QObject* watched) const;
    void giveNoteTheKeyboard();
    // The next (or previous) field that shows in the keyboard's path, the window's first one that
    // shows when from is null.
    QWidget* fieldThatShows(QWidget* from, bool forward) const;
    // Tab or Backtab reached a covered field: on to the next one that shows.
    void passFocusOn(QWidget* covered, Qt::FocusReason reason);

    FenEditSaisieController& m_window;
    QPointer<ViewSaisieNoteController> m_controller;
    // Until the panel has slid in: what to do then, and whether the slide waits for the tab.
    std::function<void()> m_completion;
    Focus m_focus = Focus::Keep;
    bool m_waitsForTab = false;
    bool m_sliding = false;
    int m_placedInHeight = 0; // the tab's height when the panel was last placed
    struct Under {
        QPointer<QWidget> field;
        bool hidden; // its text cannot be read
    };
    std::vector<Under> m_under;
    QPointer<QWidget> m_returnTo; // the field the note took the keyboard from
    QMetaObject::Connection m_focusWatch;
};

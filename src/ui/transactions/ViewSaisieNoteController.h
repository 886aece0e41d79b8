#pragma once
// Provides the note panel each time the entry window shows it: one ViewSaisieNote, its delegate
// the window, with the frames it was made with (the panel's and its text field's), from which
// the panel's height is fitted to the text.
#include "transactions/ViewSaisieNote.h"

#include <QObject>
#include <QPointer>
#include <QRect>

class FenEditSaisieController;

class ViewSaisieNoteController : public QObject {
    Q_OBJECT
public:
    // The panel as made, before it is fitted.
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 86;

    ViewSaisieNoteController(FenEditSaisieController& window, QWidget* parent);

    ViewSaisieNote* view() const { return m_view; }
    QRect originalNoteFrame() const { return m_originalNoteFrame; }
    QRect originalNoteTextFrame() const { return m_originalNoteTextFrame; }

    // The panel's height for the text: as made, plus what the text needs beyond the text field's
    // own height; never below as made.
    int heightForString(const QString& text) const;
    // The same computation on plain numbers.
    static double noteHeight(double panelHeight, double textFieldHeight, double needed);

private:
    QPointer<ViewSaisieNote> m_view;
    QRect m_originalNoteFrame;
    QRect m_originalNoteTextFrame;
};

#pragma once
// The note panel of the entry window: a small sheet of paper holding the note's text, with a
// button that clears the note and one that closes the panel. Its delegate is the entry window,
// which reads the text back into the transaction when the panel closes.
#include <QFrame>

class FenEditSaisieController;
class TextFieldNote;

class ViewSaisieNote : public QFrame {
    Q_OBJECT
public:
    explicit ViewSaisieNote(QWidget* parent = nullptr);

    TextFieldNote* field_texte() const { return m_field; }
    // The window, which outlives the panel.
    FenEditSaisieController* delegate() const { return m_delegate; }
    void setDelegate(FenEditSaisieController* delegate) { m_delegate = delegate; }

    // The window is told to hide the panel (its text is read first), or to clear the note.
    Q_INVOKABLE void closeNote(QObject* sender);
    Q_INVOKABLE void clearNote(QObject* sender);
    // Tab, Return and Backtab close the panel unless Option alone is held (they are typed then);
    // true when the key was taken.
    bool didKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A key was typed: the window fits the panel to the text.
    void didType(Qt::KeyboardModifiers modifiers);

private:
    TextFieldNote* m_field;
    FenEditSaisieController* m_delegate = nullptr;
};

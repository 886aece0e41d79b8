#pragma once
// The text of a transaction's note: several lines. Tab, Return and Backtab close the note panel
// (Option with them types them instead); every other key is typed and then told to the panel,
// which fits its height to the text. Leaving the field closes the panel too.
#include "toolkit/fields/StdTextView.h"

class ViewSaisieNote;

class TextFieldNote : public StdTextView {
    Q_OBJECT
public:
    explicit TextFieldNote(QWidget* parent = nullptr);

    ViewSaisieNote* noteDelegate() const { return m_note; }
    void setNoteDelegate(ViewSaisieNote* note) { m_note = note; }

    QSize sizeHint() const override;
    bool shouldResignFistResponder() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // A note keeps the lines pasted into it, and no key replaces them unselected.
    bool holdsLines() const override { return true; }

private:
    ViewSaisieNote* m_note = nullptr;
};

#pragma once
// The base of the entry fields that take only some characters: digits, a day, a month, a year,
// a decimal number, an amount. Every key and every paste is filtered by allowCharacter, and after
// each accepted key the whole content is cleaned (createCleanValueFromDirtyValue), so that a key
// typed anywhere in the field still brings the value back within its rules. A subclass may ask,
// while cleaning, that the focus move on to the next field once the cleaned text is in place
// (a complete day or year).
#include "toolkit/fields/StdTextView.h"

class TextFieldWithFilter : public StdTextView {
    Q_OBJECT
public:
    explicit TextFieldWithFilter(QWidget* parent = nullptr);

    // Whether the key (the program's key code: a character, or an arrow 0xF700..0xF703) may be
    // typed; the base takes every key.
    virtual bool allowCharacter(char16_t c) const;
    // The content as it should be; the base keeps it.
    virtual QString createCleanValueFromDirtyValue(const QString& text);
    // Replaces the content by its clean value (keeping the caret where it was, or at the end
    // when the text got shorter) and sets the font back to the field's size.
    void cleanActualContent();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Every paste and drop: the text's allowed characters replace the selection, the content is
    // cleaned and then all selected.
    void insertFromMimeData(const QMimeData* source) override;
    virtual void pasteText(const QString& text);

    // The key as the filter treats it, once the application has let it through.
    void filterKeyDown(QKeyEvent* event);
    // Whether a date separator ("/", ".", "-" or a space) typed here ends the field: the day and
    // the month of a date typed in one go, "1/1/26". The base: no, the separator is a refused key.
    virtual bool endsAtDateSeparator() const { return false; }
    // Asked by createCleanValueFromDirtyValue; once the cleaned text is in place, the focus
    // moves to the field's next valid key view.
    void requestFocusMove() { m_focusMoveRequested = true; }

    // The integer value of a text of digits, as large as a long goes for a longer one.
    static long integerValue(const QString& digits);

private:
    static bool isDateSeparator(int key);
    void moveOnAfterSeparator();

    bool m_focusMoveRequested = false;
};

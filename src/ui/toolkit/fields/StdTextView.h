#pragma once
// The entry field of every window: a one-line text view. It selects all of its text when it gets
// the focus and ignores the click that gave it the focus, so a click into a field never loses
// what the user wanted to replace; a text of several lines (a note, or lines a file brought) gets
// the caret at its end instead, as one key must never replace lines the user did not select.
// Every key is offered to the application first (the macro keys); Return either selects the
// whole text or goes on to the window (its default button).
//
// "First responder" is this program's notion of the field that has the keyboard: it changes when
// the focus moves to another widget of the window, not when the window itself is deactivated
// (an alert, a menu, another window), so the text is not reselected or corrected then.
//
// A text a document holds is shown with setStoredText and read back with storedText: the view
// keeps lines its own way (a carriage return, a line or paragraph separator read back as a line
// feed, a non-breaking space as a space), so a text the user left as it showed comes back as it
// was stored.
//
// The view is never disabled in Qt's sense: setEnabled makes it read-only, unselectable and out
// of the focus chain, and shows its text in dark grey. Call it through a StdTextView pointer, as
// it hides QWidget's own.
#include "toolkit/fields/ShownValue.h"

#include <QPlainTextEdit>
#include <QPointer>

class StdTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit StdTextView(QWidget* parent = nullptr);

    // The object the view tells of choices and asks its font size: the one set, else the window
    // controller of the view's window. Null when there is none.
    QObject* delegate() const;
    void setDelegate(QObject* delegate) { m_delegate = delegate; }

    // The delegate's defaultFontSize (a method answering anything readable as a number) when it
    // has one, else 13.
    double defaultFontSize() const;
    // The system's font at that size, in pixels as the toolkit draws.
    static QFont systemFontOfSize(double size);

    // Shows a stored text, remembering it as it was given.
    void setStoredText(const QString& text);
    // The text given to setStoredText while the view still shows it as it did then; otherwise
    // the text the view shows.
    QString storedText() const;
    // Whether the view still shows the text given to setStoredText as it did then.
    bool showsStoredText() const { return m_stored.untouched(toPlainText()).has_value(); }

    virtual void setEnabled(bool flag); // NOLINT(bugprone-derived-method-shadowing-base-method)
    bool isEnabled() const { return !isReadOnly(); } // NOLINT(bugprone-derived-method-shadowing-base-method)

    bool textShouldDrawInsertionPoint() const { return m_textShouldDrawInsertionPoint; }
    // When the view last became first responder (absolute time, seconds); 0 while it is not.
    double timeWhenBecomesFirstResponder() const { return m_timeWhenBecomesFirstResponder; }
    bool isFirstResponder() const { return m_isFirstResponder; }

    // Asked when the view stops being first responder; subclasses correct their content here.
    // Qt can't keep the focus from moving, so the answer only decides whether the view lets go
    // of its caret and selection.
    virtual bool shouldResignFistResponder() { return true; }
    // A day, month or year field of a date: the keys leave it in the order the window shows.
    virtual bool isDatePart() const { return false; }

    // As the view becomes first responder: its whole text selected, or the caret at the end of a
    // text of several lines.
    void selectForTyping();
    // The keyboard back to the view once what took it from the view (the note, an alert, a modal
    // window) has closed: the caret and selection are those it had when it lost the keyboard, not
    // those of a field the user enters anew, so no key replaces what the user was typing. When the
    // window is inactive, they come back as it is activated.
    void takeKeyboardBack();
    // The same for any widget: a text view as above, any other simply takes the focus.
    static void giveKeyboardBack(QWidget* widget);
    // The keyboard to the view as a Tab gives it, whether or not the view has it already: its text
    // selected for typing (selectForTyping). The selection is what the view gets back when the
    // window is activated again or a closed window gives the keyboard back.
    void takeKeyboardForTyping();
    // Whether a text holds a line break of any kind.
    static bool hasLineBreak(const QString& text);

    // A Return the view does not use itself. With quick entry off and part of the text left out
    // of the selection, it selects all and the key stops there; otherwise the key goes on to the
    // window, whose default button takes it.
    void dealWithNotTreatedCR(QKeyEvent* event);

    // The single-line height for the view's font.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // A click within this time of becoming first responder is the one that gave the focus.
    static constexpr double kFocusClickDelay = 0.1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

    void becomeFirstResponder();
    void resignFirstResponder();
    // The key as a text view handles it without this program's rules; Return still goes through
    // dealWithNotTreatedCR, as a one-line view holds no line break.
    void standardKeyDown(QKeyEvent* event);
    // Whether the key is one of the Edit menu's commands (copy, cut, paste, select all, undo,
    // redo), which the menu, not the typing rules, decides on.
    static bool isEditCommand(const QKeyEvent* event);
    // A one-line view holds no line break: pasted or dropped lines are joined with spaces.
    static QString withoutLineBreaks(QString text);
    // Whether the view is made for several lines (a note), whatever it shows now.
    virtual bool holdsLines() const { return false; }
    // What a paste or a drop of that text puts in the view: its lines joined, unless the view holds
    // several lines.
    QString pastedText(const QString& text) const { return holdsLines() ? text : withoutLineBreaks(text); }
    // Replaces the whole text, as one edit.
    void replaceText(const QString& text);
    // Selects length characters from start (an empty selection puts the caret there).
    void selectRange(int start, int length);
    // The Tab stop that follows the view in its window's shown order (its focus chain); from a
    // field of a date, the next that takes typing when there is one. Null at the end of the order.
    QWidget* nextValidKeyView() const;
    // Sends the action ("POSTE:") to the delegate with a new menu item tagged with the value, as
    // choosing that entry in the matching pop-up would.
    void sendToDelegate(const QString& action, qint64 tag);

private:
    bool isFocusingClick() const;

    QPointer<QObject> m_delegate;
    ShownValue<QString> m_stored;
    bool m_textShouldDrawInsertionPoint = false;
    double m_timeWhenBecomesFirstResponder = 0;
    bool m_isFirstResponder = false;
    bool m_ignoringClick = false; // the press of the focusing click was ignored; so is the rest of it
    // The caret and selection as the view lost the keyboard, and whether the next focus gives
    // them back.
    int m_leftAnchor = -1;
    int m_leftPosition = -1;
    bool m_takingBack = false;
};

#pragma once
// A field that completes names as the user types, over a sorted list of the document's entities
// (categories, accounts). Each key looks the typed prefix up in the list: the first entry whose
// name begins with it (accents and case ignored) is chosen and shown, with the typed part
// selected; a prefix no name begins with beeps and changes nothing. Up and Down choose the first
// and last entries, Left and Right the entries beside the current one. With no list the field is
// a plain text view.
//
// The Edit menu's cut, paste and delete stay off in these fields, and a click only selects all.
#include "toolkit/fields/StdTextView.h"

class TextViewWithCompletion : public StdTextView {
    Q_OBJECT
public:
    using StdTextView::StdTextView;

    // Asked by the window's Edit menu.
    Q_INVOKABLE bool canDelete() const { return false; }
    Q_INVOKABLE bool canCut() const { return false; }
    // Found by name: QPlainTextEdit's own is not virtual.
    Q_INVOKABLE bool canPaste() const { return false; } // NOLINT(bugprone-derived-method-shadowing-base-method)

protected:
    // Makes the list for the key being handled; false when there is no document to make it from.
    virtual bool makeCompletionList() = 0;
    virtual long completionCount() const = 0;
    // Where an entry of that name would stand in the list.
    virtual long completionSearch(const QString& text) const = 0;
    virtual QString completionName(long index) const = 0;
    // Tells the window of the entry chosen; the field shows the entry's name first.
    virtual void completionChoose(long index) = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void completionKeyDown(QKeyEvent* event, int key);
    void chooseBeside(int step);
    void typeKey(int key);
    void choose(long index);
};

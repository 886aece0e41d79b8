#pragma once
// The calculator's console: a text view in which only the line after the last prompt can change.
// Printable characters and Return go to the calculator (which inserts them at the end of the
// console when the insertion point is in an earlier line); '=' runs the line as Return does;
// navigation, selection and copying stay the text view's own. Delete, cut and paste never touch
// what lies before the prompt: a paste there goes to the end, a cut or a delete there does nothing.
#include <QPlainTextEdit>
#include <QPointer>

class FenCalculetteController;

class ViewConsole : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ViewConsole(FenCalculetteController* delegate, QWidget* parent = nullptr);

    FenCalculetteController* calculette_delegate() const;

    // Cuts the selection when it begins at or after the prompt; otherwise nothing. The keys and the
    // menu call this one: QPlainTextEdit's is not virtual.
    void cut(); // NOLINT(bugprone-derived-method-shadowing-base-method)
    bool canCut() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    // What an input method commits is typed as the keys are; its preedit text is shown as usual.
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    qint64 promptPosition() const;
    // Whether deleting backward (forward) would leave the prompt's line untouched.
    bool canDeleteBackward() const;
    bool canDeleteForward() const;
    // Hands each character to the calculator; false when the last one was left to the view.
    bool enterCharacters(const QString& text);

    QPointer<FenCalculetteController> m_calculetteDelegate;
};

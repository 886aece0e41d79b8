#pragma once
// A line edit keeps its caret and selection while its window is in the background, as a text view
// does: Qt drops the selection of a line edit whose window loses the keyboard, so that coming
// back to the window (another window in front for a moment, a window manager passing the keyboard
// round as windows open) the first key typed would no longer replace the text that was selected.
// What the user changed meanwhile stands: a text that changed keeps its own caret.
#include <QObject>

class QLineEdit;

class LineSelectionKeeper : public QObject {
    Q_OBJECT
public:
    // Watches the line edit from now on; later calls do nothing more.
    static void keep(QLineEdit* line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

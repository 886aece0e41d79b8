#pragma once
// Drives a window as a user would, by the names its code gives: clicks the button or menu item
// carrying an action ("OUI:"), types into a field found by its objectName, reads what a label or
// field shows, and saves a picture of the window for a person to look at. A control that is
// missing, or a click on a disabled one, fails the test.
#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>

class QWidget;
class StdWindowController;

class WindowDriver {
public:
    explicit WindowDriver(QWidget* window);
    // The controller's window, built when it is not yet.
    explicit WindowDriver(StdWindowController& controller);

    // Clicks the enabled control carrying that action; false (and a failure) when there is none.
    bool click(const QString& action);
    // Replaces the text of the field (line edit or text edit) by typing the text into it, key by
    // key, as the user would.
    void type(const QString& name, const QString& text);
    // The text a label, field or button shows; empty (and a failure) when there is none.
    QString text(const QString& name) const;
    QWidget* widget(const QString& name) const;

    // Shows the window and gives it the keyboard, as it opens; false (and a failure) when no
    // control of it has the keyboard then.
    bool takeKeyboard();
    // Gives the window the keyboard and checks that Tab goes round each of its Tab stops once and
    // Shift+Tab the same way back. Answers the round of Tab, from the control that has the
    // keyboard.
    QList<QWidget*> keyRound();

    // A picture of the window, also saved as <fileName> under the test output folder when a name
    // is given.
    QImage grab(const QString& fileName = QString());

private:
    QPointer<QWidget> m_window;
};

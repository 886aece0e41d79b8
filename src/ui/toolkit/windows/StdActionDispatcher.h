#pragma once
// How a window's buttons and menu items reach the code that answers them. A control carries the
// name of its action ("OUI:", "CREER:"), which tests also click by; choosing the control performs
// the action: the receiver's slot or Q_INVOKABLE method of that name without its colon, taking
// the sender (QObject*) or nothing. What the receiver does not answer goes to its helpers, asked
// in the order they were added (a window controller's pickers), so a receiver that defines an
// action of a helper's name takes it over.
//
// The action is read from the control at the click: a control whose action changes needs no new
// connection.
#include <QList>
#include <QPointer>
#include <QString>

class QKeyEvent;
class QObject;
class QWidget;

class StdActionDispatcher {
public:
    explicit StdActionDispatcher(QObject& receiver);

    // The action a button or menu item carries; empty when it carries none.
    static void setAction(QObject* control, const QString& action);
    static QString actionOf(const QObject* control);
    // Whether the target has a method for the action (with or without its colon).
    static bool answers(const QObject* target, const QString& action);
    // Calls the target's method of the action's name with the sender; false when it has none.
    static bool invoke(QObject* target, const QString& action, QObject* sender);
    // Sends the action to the target: through its own dispatch when the target is a window
    // controller, else straight to its method. Logs an action that no one answers.
    static bool send(QObject* target, const QString& action, QObject* sender);

    void addHelper(QObject* helper);
    // Performs the action on the receiver, else on the first helper that answers it; logs and
    // answers false when none does.
    bool perform(const QString& action, QObject* sender) const;
    // Gives a button or a menu item (QAbstractButton or QAction) its action and connects it, once.
    void connectControl(QObject* control, const QString& action);
    // Makes choosing the button or menu item send its action to the target (send), once.
    static void connectToTarget(QObject* control, QObject* target);
    // Connects every button and menu item of the window that carries an action.
    void connectAll(const QWidget& window);

    // Return or Enter without modifiers presses the window's enabled default button, as in any
    // dialog; true when one was pressed.
    static bool clickDefaultButton(const QWidget& window, const QKeyEvent& event);

private:
    QObject& m_receiver;
    QList<QPointer<QObject>> m_helpers;
};

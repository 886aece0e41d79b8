#pragma once
// The one way a change reaches the windows: a named operation sent, synchronously and in window
// order, to every registered window controller that defines it.
#include <QObject>
#include <QVariant>

// Window controllers register when their window is made and leave when it goes; registration
// order is the application's window order.
void registerWindowController(QObject* controller);
void unregisterWindowController(QObject* controller);
QList<QObject*> registeredWindowControllers();

// Invokes `selector` (a name from selectors.h) with the arguments the controller's method takes:
// (QVariant, QVariant), (QVariant) or none. The controllers are taken once, at the call; one
// destroyed by an earlier handler is skipped, one that lacks the method is skipped silently.
void sendToAllWindowDelegates(const char* selector, const QVariant& object1 = QVariant(),
                              const QVariant& object2 = QVariant());

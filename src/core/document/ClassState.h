#pragma once
// The class-level state of the model, set up once before any document can be opened and
// released at quit, in a fixed order (later set-ups read what earlier ones made).
#include <QStringList>

class ClassState {
public:
    // Runs every set-up once, in order; a second call does nothing until shutdown().
    static void startup();
    // Saves and releases in the reverse dependencies' order; a second call does nothing.
    static void shutdown();
    static bool isStarted();

    // The names of the steps run so far, in order (start-up, then shutdown), for diagnostics.
    static const QStringList& trace();
    static void clearTrace();
};

#pragma once
// Which of the program's windows the user sees in front. The screen's own stacking order where
// there is one to ask (X11); elsewhere (the headless platform) the order in which the windows
// were last shown or raised, the order a screen stacks them in. Being given the keyboard does not
// bring a window to front: a manager that chooses where the keyboard goes when a window closes
// leaves the windows where they lie.
//
// Only the windows the user types into count: a palette, a menu or a tip never takes the
// keyboard, and lying over a window it does not hide it.
#include <QList>
#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

class WindowOrder : public QObject {
public:
    // Follows the windows from now on; later calls do nothing.
    static void ensureTracking();

    // A window the user can type into: not a menu, a tip or a palette that refuses the keyboard.
    static bool takesKeyboard(const QWidget& window);
    // The windows shown that take the keyboard, the one in front first.
    static QList<QWidget*> frontToBack();
    // The first of them; null when none shows.
    static QWidget* front();
    // Whether the window shows and no other of them lies over any part of it.
    static bool isInFront(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static WindowOrder* shared();
    void moveToFront(QWidget* window);
    // The windows given, the most recently brought to front first.
    QList<QWidget*> byRecency(QList<QWidget*> windows) const;

    std::vector<QPointer<QWidget>> m_recent; // the most recent first
};

// How actions find their code: the receiver first, then its helpers in order, by name with or
// without the colon and with or without the sender; a control connected twice still acts once;
// Return presses only an enabled default button and only without modifiers.
#include "toolkit/windows/StdActionDispatcher.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class Receiver : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void OUI(QObject* sender) { calls << "receiver OUI " + (sender ? sender->objectName() : "-"); }
    Q_INVOKABLE void POSTE(QObject*) { calls << "receiver POSTE"; }
    QStringList calls;
};

class Helper : public QObject {
    Q_OBJECT
public:
    explicit Helper(QString name, QStringList& calls)
        : m_name(std::move(name))
        , m_calls(calls)
    {
    }
    Q_INVOKABLE void POSTE(QObject*) { m_calls << m_name + " POSTE"; }
    Q_INVOKABLE void DOSSIER(QObject*) { m_calls << m_name + " DOSSIER"; }
    Q_INVOKABLE void CALENDRIER1() { m_calls << m_name + " CALENDRIER1"; }

private:
    QString m_name;
    QStringList& m_calls;
};

TEST(ActionDispatcherTest, TheReceiverAnswersFirstThenItsHelpersInOrder)
{
    Receiver receiver;
    Helper first("first", receiver.calls);
    Helper second("second", receiver.calls);
    StdActionDispatcher dispatcher(receiver);
    dispatcher.addHelper(&first);
    dispatcher.addHelper(&second);
    QObject sender;
    sender.setObjectName("item");

    const struct {
        const char* action;
        bool answered;
        const char* call;
    } cases[] = {
        {"OUI:", true, "receiver OUI item"},         {"OUI", true, "receiver OUI item"},
        {"POSTE:", true, "receiver POSTE"},          {"DOSSIER:", true, "first DOSSIER"},
        {"CALENDRIER1:", true, "first CALENDRIER1"}, {"PAS_UNE_ACTION:", false, nullptr},
    };
    for (const auto& c : cases) {
        receiver.calls.clear();
        EXPECT_EQ(dispatcher.perform(c.action, &sender), c.answered) << c.action;
        EXPECT_EQ(receiver.calls, c.call ? QStringList {c.call} : QStringList {}) << c.action;
    }
}

TEST(ActionDispatcherTest, AControlConnectedTwiceActsOnceWithTheActionItCarriesAtTheClick)
{
    Receiver receiver;
    StdActionDispatcher dispatcher(receiver);
    QPushButton button;
    button.setObjectName("ok");
    dispatcher.connectControl(&button, "POSTE:");
    dispatcher.connectControl(&button, "OUI:");
    button.click();
    EXPECT_EQ(receiver.calls, QStringList {"receiver OUI ok"});
    EXPECT_EQ(StdActionDispatcher::actionOf(&button), "OUI:");

    QAction item;
    StdActionDispatcher::setAction(&item, "POSTE:");
    StdActionDispatcher::connectToTarget(&item, &receiver);
    item.trigger();
    EXPECT_EQ(receiver.calls.last(), "receiver POSTE");
}

TEST(ActionDispatcherTest, ReturnPressesOnlyAnEnabledDefaultButtonWithoutModifiers)
{
    QWidget window;
    auto* plain = new QPushButton("Annuler", &window);
    auto* ok = new QPushButton("OK", &window);
    ok->setDefault(true);
    int okClicks = 0;
    int plainClicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++okClicks; });
    QObject::connect(plain, &QPushButton::clicked, [&] { ++plainClicks; });

    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool enabled;
        bool pressed;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, true, true},     {Qt::Key_Enter, Qt::KeypadModifier, true, true},
        {Qt::Key_Return, Qt::ShiftModifier, true, false}, {Qt::Key_Return, Qt::NoModifier, false, false},
        {Qt::Key_Escape, Qt::NoModifier, true, false},
    };
    for (const auto& c : cases) {
        ok->setEnabled(c.enabled);
        okClicks = 0;
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(StdActionDispatcher::clickDefaultButton(window, event), c.pressed) << c.key << " " << c.enabled;
        EXPECT_EQ(okClicks, c.pressed ? 1 : 0);
    }
    EXPECT_EQ(plainClicks, 0);
}

} // namespace

#include "ActionDispatcherTest.moc"

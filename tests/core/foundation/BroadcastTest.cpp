#include "foundation/broadcast.h"
#include "foundation/selectors.h"

#include <gtest/gtest.h>

namespace {

QStringList g_calls;

class Listener : public QObject {
    Q_OBJECT
public:
    explicit Listener(QString name)
        : name_(std::move(name))
    {
        registerWindowController(this);
    }
    ~Listener() override { unregisterWindowController(this); }
    Listener* victim = nullptr;

    Q_INVOKABLE void MAKE_TRANSACT(const QVariant& index, const QVariant& isLast)
    {
        g_calls << QStringLiteral("%1:%2:%3").arg(name_).arg(index.toLongLong()).arg(isLast.toBool());
        if (victim) {
            delete victim;
            victim = nullptr;
        }
    }
    Q_INVOKABLE void UPDATE_AVENIR() { g_calls << name_ + QStringLiteral(":avenir"); }
    Q_INVOKABLE void notifyNewDay(const QVariant& day) { g_calls << name_ + QStringLiteral(":day:") + day.toString(); }

private:
    QString name_;
};

class Silent : public QObject {
public:
    Silent() { registerWindowController(this); }
    ~Silent() override { unregisterWindowController(this); }
};

} // namespace

TEST(Broadcast, ReachesEveryControllerDefiningTheOperationInWindowOrder)
{
    g_calls.clear();
    sendToAllWindowDelegates(Sel::UPDATE_AVENIR);
    EXPECT_TRUE(g_calls.isEmpty());

    Listener a(QStringLiteral("a"));
    Silent s;
    Listener b(QStringLiteral("b"));
    sendToAllWindowDelegates(Sel::MAKE_TRANSACT, 7, true);
    sendToAllWindowDelegates(Sel::UPDATE_AVENIR);
    sendToAllWindowDelegates(Sel::notifyNewDay, QStringLiteral("lundi"));
    sendToAllWindowDelegates(Sel::periodicAction);
    EXPECT_EQ(g_calls,
              (QStringList {QStringLiteral("a:7:1"), QStringLiteral("b:7:1"), QStringLiteral("a:avenir"),
                            QStringLiteral("b:avenir"), QStringLiteral("a:day:lundi"), QStringLiteral("b:day:lundi")}));
}

TEST(Broadcast, SkipsAControllerDestroyedByAnEarlierHandler)
{
    g_calls.clear();
    Listener first(QStringLiteral("first"));
    auto* closed = new Listener(QStringLiteral("closed"));
    Listener last(QStringLiteral("last"));
    first.victim = closed;
    sendToAllWindowDelegates(Sel::MAKE_TRANSACT, 1, false);
    EXPECT_EQ(g_calls, (QStringList {QStringLiteral("first:1:0"), QStringLiteral("last:1:0")}));
    EXPECT_EQ(registeredWindowControllers().size(), 2);
}

#include "BroadcastTest.moc"

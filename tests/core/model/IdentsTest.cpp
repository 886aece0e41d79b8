#include "model/idents.h"

#include <QList>
#include <QSet>
#include <gtest/gtest.h>

TEST(Idents, RandomIdentsAvoidFixedAndUsedOnesAndNeverLoop)
{
    QSet<long> used;
    for (int i = 0; i < 500; ++i) {
        const long id = newRandomIdent([&](long v) { return used.contains(v); });
        ASSERT_GT(id, kLastFixedIdent);
        ASSERT_LE(id, kMaxRandomIdent);
        ASSERT_FALSE(used.contains(id));
        used.insert(id);
    }
    // Everything but one ident is taken: the fallback finds it.
    EXPECT_EQ(newRandomIdent([](long v) { return v != 20000; }), 20000);
    EXPECT_EQ(newRandomIdent([](long) { return true; }), -1);
}

TEST(Idents, MaxIdentStartsAtTwo)
{
    const auto id = [](long v) { return v; };
    EXPECT_EQ(newMaxIdent(QList<long> {}, id), 2);
    EXPECT_EQ(newMaxIdent(QList<long> {-1, 0}, id), 2);
    EXPECT_EQ(newMaxIdent(QList<long> {4, 9, 3}, id), 10);
}

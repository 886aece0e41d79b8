#include "model/TOTAUX.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testenv::amount;

TOTAUX filled()
{
    TOTAUX t;
    t.n = 5'000'000'000LL;
    t.nTitre = 1.5;
    int k = 1;
    for (MONTANT TOTAUX::*total : TOTAUX::kTotals)
        t.*total = amount(10.0 * k++, 1.25);
    return t;
}

} // namespace

TEST(Totaux, OpeningAmountGoesToItsSideAndAddingKeepsTheSource)
{
    TOTAUX t = filled();
    const MONTANT plus = amount(120, 18.29), minus = amount(-120, -18.29), nothing;
    defaultTotaux(t, &plus);
    EXPECT_EQ(t.n, 0);
    EXPECT_EQ(t.total4, plus);
    EXPECT_EQ(t.total6, plus);
    EXPECT_EQ(t.total1, MONTANT::zero());
    t.defaultTotaux(&minus);
    EXPECT_EQ(t.total1, plus);
    EXPECT_EQ(t.total3, plus);
    EXPECT_EQ(t.total6, MONTANT::zero());
    t = filled();
    t.defaultTotaux(&nothing);
    for (MONTANT TOTAUX::*total : TOTAUX::kTotals)
        EXPECT_EQ(t.*total, MONTANT::zero());

    const TOTAUX a = filled();
    t.setFromTotaux(a);
    TOTAUX::addTotaux(a, t);
    EXPECT_EQ(t.n, 10'000'000'000LL);
    EXPECT_EQ(t.total7, amount(140, 2.5));
    EXPECT_EQ(a.total7, amount(70, 1.25));
}

TEST(Totaux, XmlRecord)
{
    pugi::xml_node root;
    XmlDocPtr doc = xmlCreateDocument(QStringLiteral("record"), &root);
    ASSERT_TRUE(XML_append_totaux(root, "totaux", filled(), Devise::defaultDevises()));
    EXPECT_STREQ(root.child("totaux").child("nTitre").text().get(), "1.500000");
    TOTAUX back;
    EXPECT_TRUE(XML_load_totaux(root, "totaux", back));
    EXPECT_EQ(back.n, 5'000'000'000LL);
    EXPECT_EQ(back.total3, amount(30, 1.25));

    // A missing total reads as zero and the answer is false; the others still read.
    root.child("totaux").remove_child("total7");
    back.total2 = MONTANT::zero();
    EXPECT_FALSE(XML_load_totaux(root, "totaux", back));
    EXPECT_EQ(back.total7, MONTANT::zero());
    EXPECT_EQ(back.total2, amount(20, 1.25));
    // A missing key resets the whole record.
    EXPECT_FALSE(XML_load_totaux(root, "ailleurs", back));
    EXPECT_EQ(back.n, 0);
    EXPECT_EQ(back.total2, MONTANT::zero());
}

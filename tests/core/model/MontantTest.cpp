#include "model/MONTANT.h"
#include "document/DocumentSession.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

MONTANT amount(double v0, double v1 = 0, double v2 = 0, double v3 = 0, double v4 = 0)
{
    MONTANT m;
    m.values = {v0, v1, v2, v3, v4};
    return m;
}

XmlDocPtr docWithRoot(pugi::xml_node* root)
{
    return xmlCreateDocument(QStringLiteral("record"), root);
}

} // namespace

TEST(Montant, NullSignAndOrderLookAtSlotZero)
{
    EXPECT_TRUE(amount(0.004).nullMontant());
    EXPECT_FALSE(amount(0.004).negativeMontant());
    EXPECT_TRUE(amount(-0.004).nullMontant());
    EXPECT_TRUE(amount(-0.004).negativeMontant());
    EXPECT_FALSE(amount(0.005).nullMontant());
    EXPECT_TRUE(amount(0, 500).nullMontant());

    EXPECT_TRUE(MONTANT::supMontant(amount(1.001), amount(1.0)));
    EXPECT_FALSE(MONTANT::infMontant(amount(1.0), amount(1.0)));
    const DeviseList devises = Devise::defaultDevises();
    EXPECT_TRUE(MONTANT::sameMontant(amount(1.001), amount(1.0), true, devises));
    // Slot 2 is not in use: a difference there does not count.
    EXPECT_TRUE(MONTANT::sameMontant(amount(1, 2, 3), amount(1, 2, 99), true, devises));
    EXPECT_FALSE(MONTANT::sameMontant(amount(1, 2), amount(1, 2.5), true, devises));
    DocumentSession::close();
    EXPECT_TRUE(MONTANT::sameMontant(amount(1, 2), amount(1, 2.5), false, devises));
}

TEST(Montant, ConversionThroughTheSlotsRates)
{
    const DeviseList devises = Devise::defaultDevises();
    MONTANT m;
    m.makeMontant(1, 100.0, devises);
    EXPECT_DOUBLE_EQ(m.values[0], 15.24490172374104);
    EXPECT_DOUBLE_EQ(m.values[1], 100.0);
    // Unused slots have a rate of 0: they get 0, never an infinity that would poison sums.
    EXPECT_EQ(m.values[2], 0.0);
    EXPECT_TRUE(std::isfinite(m.values[4]));

    MONTANT r;
    MONTANT::divMontant(m, 0.0, r);
    EXPECT_EQ(r, MONTANT());
    MONTANT::addMontant(m, m, r);
    EXPECT_DOUBLE_EQ(r.values[1], 200.0);
    MONTANT::subMontant(r, m, r);
    EXPECT_DOUBLE_EQ(r.values[1], 100.0);
    MONTANT::invertMontant(r);
    EXPECT_DOUBLE_EQ(r.values[1], -100.0);

    MONTANT c = amount(30.0, 0);
    convertMontantSlot(c, 1, devises);
    EXPECT_NEAR(c.values[1], 30.0 / 0.1524490172374104, 1e-9);
}

TEST(Montant, FormattingGroupsDigitsByThree)
{
    EXPECT_EQ(MONTANT::formatMontant(QStringLiteral("123"), 0, u','), "123");
    EXPECT_EQ(MONTANT::formatMontant(QStringLiteral("123456"), 0, u','), "123 456");
    EXPECT_EQ(MONTANT::formatMontant(QStringLiteral("-12.30"), 2, u','), "-12,30");
    EXPECT_EQ(MONTANT::formatMontant(QStringLiteral("-1234"), 0, u','), "-1 234");
    EXPECT_EQ(MONTANT::montantToStringFromDouble(1234567.891, 2, u','), "1 234 567,89");
    EXPECT_EQ(MONTANT::montantToStringFromDouble(NAN, 3, u','), "0");
    EXPECT_EQ(MONTANT::formatMontant(QStringLiteral("5"), 3, u','), "5");

    const DeviseList devises = Devise::defaultDevises();
    EXPECT_EQ(montantToStringForDevise(amount(0.004), 0, &devises, true), "-");
    EXPECT_EQ(montantToStringForDevise(amount(-1234.5), 0, &devises, true), QStringLiteral("-1 234,50 €"));
    EXPECT_EQ(montantToStringForDevise(amount(12), 0, nullptr, true), "12,00");

    EXPECT_EQ(trimMontantZeros(QStringLiteral("12,5000"), 0, devises), "12,50");
    EXPECT_EQ(trimMontantZeros(QStringLiteral("12,50"), 0, devises), "12,50");
    EXPECT_EQ(trimMontantZeros(QStringLiteral("1200"), 0, devises), "1200");
}

TEST(Montant, XmlFormHasFiveValuesAndUnusedSlotsAreZero)
{
    const DeviseList devises = Devise::defaultDevises();
    pugi::xml_node root;
    XmlDocPtr doc = docWithRoot(&root);
    ASSERT_TRUE(amount(12.5, 82, 7, 9, 0).XML_append_montant(root, "montant", devises));
    const pugi::xml_node el = root.child("montant");
    QStringList texts;
    for (pugi::xml_node v : el.children("v"))
        texts << QString::fromUtf8(v.text().get());
    EXPECT_EQ(texts, (QStringList {"12.50", "82.00", "0", "0", "0"}));

    MONTANT back = amount(1, 1, 1, 1, 1);
    EXPECT_TRUE(loadMontantFromXML(root, "montant", back));
    EXPECT_EQ(back, amount(12.5, 82));

    pugi::xml_node one = root.append_child("single");
    one.append_child("whatever").text().set("12.5");
    EXPECT_TRUE(loadMontantFromXML(root, "single", back));
    EXPECT_EQ(back, amount(12.5));

    root.append_child("empty");
    EXPECT_FALSE(loadMontantFromXML(root, "empty", back));
    EXPECT_EQ(back, MONTANT());
    back = amount(3);
    EXPECT_FALSE(loadMontantFromXML(root, "absent", back));
    EXPECT_EQ(back, MONTANT());
}

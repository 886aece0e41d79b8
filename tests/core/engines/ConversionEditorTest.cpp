// The conversion editor shows each used slot with two decimals and writes back only what the
// user edited, so an untouched value keeps its precision.
#include "engines/ConversionEditor.h"

#include <gtest/gtest.h>

namespace {

DeviseList devises()
{
    DeviseList list = Devise::defaultDevises();
    list[2].used = true;
    list[2].unit = QStringLiteral("KWD");
    list[2].decimale = 3;
    return list;
}

MONTANT sample()
{
    MONTANT m;
    m.values = {100.0, 655.957, 30.7125, 0.0, 0.0};
    return m;
}

} // namespace

TEST(ConversionEditor, ShowsUsedSlotsWithTwoDecimals)
{
    const DeviseList list = devises();
    const ConversionEditor editor(sample(), list, false);
    const char* texts[] = {"100.00", "655.96", "30.71", "-", "-"};
    for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
        EXPECT_EQ(editor.text(slot), QString::fromLatin1(texts[slot])) << slot;
        EXPECT_EQ(editor.editable(slot), slot <= 2) << slot;
    }
    EXPECT_EQ(editor.unit(2), QStringLiteral("KWD"));
    EXPECT_TRUE(editor.unit(3).isEmpty());
}

TEST(ConversionEditor, WritesBackOnlyTheEditedSlots)
{
    const DeviseList list = devises();
    struct Edit {
        const char* name;
        long slot;
        const char* text;
        bool ok;
        std::array<double, 5> expected;
    };
    const Edit edits[] = {
        {"nothing touched keeps every digit", -1, "", true, {100.0, 655.957, 30.7125, 0, 0}},
        {"the text typed again as shown", 1, "655.96", true, {100.0, 655.957, 30.7125, 0, 0}},
        {"an edited slot alone", 1, "650", true, {100.0, 650.0, 30.7125, 0, 0}},
        {"a comma reads as the point", 0, "99,5", true, {99.5, 655.957, 30.7125, 0, 0}},
        {"an unused slot is never written", 3, "12", true, {100.0, 655.957, 30.7125, 0, 0}},
        {"a text that is not a number", 0, "-", false, {100.0, 655.957, 30.7125, 0, 0}},
        {"a number too large for a double", 0, "1e400", false, {100.0, 655.957, 30.7125, 0, 0}},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.name);
        ConversionEditor editor(sample(), list, false);
        if (e.slot >= 0)
            editor.setText(e.slot, QString::fromLatin1(e.text));
        MONTANT m = sample();
        EXPECT_EQ(editor.READ(m), e.ok);
        EXPECT_EQ(m.values, e.expected);
    }
}

TEST(ConversionEditor, AReadOnlyAmountChangesNothing)
{
    const DeviseList list = devises();
    ConversionEditor editor(sample(), list, true);
    for (long slot = 0; slot < kDeviseSlotCount; ++slot)
        EXPECT_FALSE(editor.editable(slot));
    editor.setText(0, QStringLiteral("1"));
    MONTANT m = sample();
    EXPECT_TRUE(editor.READ(m));
    EXPECT_EQ(m, sample());
}

#include "model/MACRO.h"
#include "foundation/LoadIssues.h"
#include "model/DOCUMENT.h"
#include "model/MacroFile.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

MACRO macro(const QString& nom, char16_t ch)
{
    MACRO m = allocNewMacro();
    m.nom = nom;
    m.ch = ch;
    return m;
}

TRANSACT templateTicked()
{
    TRANSACT trans;
    trans.who2 = 8;
    trans.releveID1 = 41;
    trans.releveID2 = 42;
    trans.why = QStringLiteral("Loyer");
    trans.note = QStringLiteral("ligne 1\nligne 2");
    trans.solde.setValueForDevise(0, 650.5);
    return trans;
}

} // namespace

TEST(Macro, LoadSortsByNameAndFlagsARecordWithoutTemplate)
{
    const QString package = testenv::package(QStringLiteral("macro"));
    MacroList list
        = {macro(QStringLiteral("b"), u'b'), macro(QStringLiteral("A"), u'A'), macro(QStringLiteral("c <d>"), 0)};
    for (MACRO& m : list)
        m.transact = templateTicked();
    bool error = true;
    const XmlDocPtr xml = makeDocMacroXML(list, Devise::defaultDevises(), &error);
    ASSERT_TRUE(xml && !error);
    // The second record loses its template and gets a key beyond 16 bits (0x10041).
    pugi::xml_node second = xml->document_element().first_child().next_sibling();
    second.remove_child("transact");
    second.child("ch").text().set("65601");
    ASSERT_TRUE(saveXMLInPackage(package, xml.get(), QStringLiteral("macro.xml")));

    LoadIssues issues;
    const MacroList loaded = loadMacro(package, &issues);
    ASSERT_EQ(loaded.size(), 3);
    EXPECT_EQ(loaded[0].nom, QStringLiteral("A"));
    EXPECT_EQ(loaded[1].nom, QStringLiteral("b"));
    EXPECT_EQ(loaded[2].nom, QStringLiteral("c <d>"));
    EXPECT_EQ(loaded[0].ch, u'A');
    EXPECT_FALSE(loaded[0].transact.has_value());
    ASSERT_TRUE(loaded[1].transact.has_value() && loaded[2].transact.has_value());
    EXPECT_EQ(loaded[2].transact->note, QStringLiteral("ligne 1\nligne 2"));
    EXPECT_DOUBLE_EQ(loaded[2].transact->solde.getValueForDevise(0), 650.5);
    EXPECT_FALSE(issues.isEmpty());

    issues = LoadIssues();
    EXPECT_TRUE(loadMacro(testenv::freshDir(QStringLiteral("macro-none")), &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());
}

TEST(Macro, KeysMatchTheWholeCharacter)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.macroHdl = {macro(QStringLiteral("A"), u'A'), macro(QStringLiteral("aucune"), 0),
                    macro(QStringLiteral("B"), u'B'), macro(QStringLiteral("bis"), u'B')};
    long index = -1;
    EXPECT_TRUE(findMacroWithKey(u'B', &index, &doc));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(findMacroWithKey(0, &index, &doc)); // a macro without key is never typed
    EXPECT_FALSE(findMacroWithKey(u'\u0141', &index, &doc)); // low byte 0x41 is "A"
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(findMacroWithKey(u'A', &index, nullptr));
    EXPECT_EQ(index, 0);
}

TEST(MacroEntry, NewTransactIsUntickedAndDatedAsAsked)
{
    MACRO m = macro(QStringLiteral("Loyer"), u'L');
    EXPECT_FALSE(newTransactFromMacro(m, 5000).has_value());
    m.transact = templateTicked();
    m.transact->mark = true;

    std::optional<TRANSACT> trans = newTransactFromMacro(m, 5000);
    ASSERT_TRUE(trans.has_value());
    EXPECT_TRUE(trans->releveID1 == -1 && trans->releveID2 == -1 && !trans->mark);
    EXPECT_EQ(trans->when, 5000);
    EXPECT_TRUE(trans->why == QStringLiteral("Loyer") && trans->who2 == 8);
    EXPECT_EQ(m.transact->releveID1, 41); // the template itself is untouched
}

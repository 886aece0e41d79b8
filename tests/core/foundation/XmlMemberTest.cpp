#include "foundation/xmlmember.h"
#include "foundation/pstr.h"
#include "support/Fields.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

using testenv::fields;
using testenv::readFile;
using testenv::writeFile;

// The record as a file on disk, loaded back: every value crosses the writer and the parser.
pugi::xml_node roundTrip(const XmlDocPtr& document, const QString& path, XmlDocPtr* loaded)
{
    EXPECT_TRUE(writeXMLToURL(path, document.get()));
    return loadXMLRootFromURL(path, loaded).child("record");
}

pugi::xml_node parseRecord(const char* xml, XmlDocPtr* holder)
{
    const QString path = testenv::freshDir(QStringLiteral("xmlparse")) + QStringLiteral("/m.xml");
    writeFile(path, xml);
    return loadXMLRootFromURL(path, holder);
}

Str255 pstr(const char* text)
{
    Str255 p {};
    p[0] = static_cast<unsigned char>(std::strlen(text));
    std::memcpy(p.data() + 1, text, p[0]);
    return p;
}

} // namespace

TEST(XmlMember, StringsRoundTripThroughAFile)
{
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("list"), &root);
    ASSERT_TRUE(document);
    pugi::xml_node record = xmlAppendElement(root, "record");
    EXPECT_EQ(xmlAppendString(record, "plain", QStringLiteral("Épargne")).first_child().type(), pugi::node_pcdata);
    EXPECT_EQ(xmlAppendString(record, "lt", QStringLiteral("a<b")).first_child().type(), pugi::node_cdata);
    for (const char* special : {"\"", "&", "'", "<", ">"}) // each alone is enough
        EXPECT_EQ(xmlAppendString(record, "special", QString::fromLatin1(special)).first_child().type(),
                  pugi::node_cdata)
            << special;
    const std::pair<const char*, QString> written[]
        = {{"end", "x]]>y & z"}, {"crText", "l1\rl2\r\n"}, {"crCdata", "\r<\r]]\r>\r"}, {"space", " "}, {"empty", ""}};
    for (const auto& [name, value] : written)
        xmlAppendString(record, name, value);
    const QString path = testenv::freshDir(QStringLiteral("xmlstrings")) + QStringLiteral("/m.xml");

    XmlDocPtr loaded;
    const pugi::xml_node read = roundTrip(document, path, &loaded);
    ASSERT_TRUE(read);
    EXPECT_EQ(xmlGetMutableString(read, "plain"), QStringLiteral("Épargne"));
    EXPECT_EQ(xmlGetMutableString(read, "lt"), QStringLiteral("a<b"));
    for (const auto& [name, value] : written)
        EXPECT_EQ(xmlGetMutableString(read, name), value) << name;
    // No raw CR reaches the file, so readers that normalise line ends keep it too.
    EXPECT_FALSE(readFile(path).contains('\r'));
    EXPECT_TRUE(readFile(path).startsWith(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><list>)"));

    QString value = QStringLiteral("stale");
    EXPECT_FALSE(xmlChildObjectValue(read, "empty", &value));
    EXPECT_TRUE(value.isNull());
    EXPECT_TRUE(xmlChildObjectValue(read, "lt", &value));
    EXPECT_EQ(value, QStringLiteral("a<b"));
}

TEST(XmlMember, NumbersAreWrittenInTheirFixedForms)
{
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    const auto text = [](pugi::xml_node element) { return element.first_child().value(); };
    EXPECT_EQ(fields(text(xmlAppendDouble(root, "z", 2, 0.0)), text(xmlAppendDouble(root, "nz", 5, -0.0)),
                     text(xmlAppendDouble(root, "d", 2, 1234.5)), text(xmlAppendDouble(root, "small", 2, -0.004)),
                     text(xmlAppendDouble(root, "whole", 0, 2.5)), text(xmlAppendDouble(root, "nan", 2, std::nan(""))),
                     text(xmlAppendDouble(root, "inf", 2, -HUGE_VAL)), text(xmlAppendFloat(root, "f", 3, 0.5f))),
              "0 0 1234.50 -0.00 2 0 0 0.500");
    EXPECT_EQ(fields(text(xmlAppendInt(root, "i", -2147483647 - 1)),
                     text(xmlAppendLong(root, "l", std::numeric_limits<int64_t>::max())),
                     text(xmlAppendBool(root, "t", true)), text(xmlAppendBool(root, "f", false))),
              "-2147483648 9223372036854775807 1 0");

    EXPECT_EQ(fields(xmlGetDouble(root, "d", -1), xmlGetInt(root, "i", 0), xmlGetLong(root, "l", 0),
                     xmlGetBool(root, "t", false), xmlGetBool(root, "f", true)),
              "1234.5 -2147483648 9223372036854775807 true false");
}

TEST(XmlMember, ReadersTakeTheLeadingValueOrTheDefault)
{
    XmlDocPtr holder;
    const pugi::xml_node r = parseRecord("<record><a> -42xyz</a><a>7</a><none>abc</none><empty/><blank></blank>"
                                         "<big>99999999999</big><huge>-99999999999999999999</huge>"
                                         "<d> +12.5e1x</d><comma>1,5</comma><hex>0x10</hex><inf>inf</inf>"
                                         "<nan>nan</nan><over>1e999</over><fl>1e300</fl>"
                                         "<when> 697201200.5 </when><y1>-63100857600</y1><y0>-63132393600</y0>"
                                         "<y9999>252405504000</y9999><y10000>252437126400</y10000></record>",
                                         &holder);
    ASSERT_TRUE(r);
    EXPECT_EQ(fields(xmlGetInt(r, "a", 0), xmlGetInt(r, "none", 5), xmlGetInt(r, "empty", 5), xmlGetLong(r, "blank", 6),
                     xmlGetInt(r, "missing", 7), xmlNodeIntegerValue(xmlFirstChild(r, "a"), 0),
                     xmlNodeIntegerValue(xmlFirstChild(r, "a").first_child(), 0)),
              "-42 0 5 6 7 -42 -42");
    // Out of range: clamped to the type's limits.
    EXPECT_EQ(
        fields(xmlGetInt(r, "big", 0), xmlGetInt32(r, "big", 0), xmlGetLong(r, "big", 0), xmlGetLong(r, "huge", 0)),
        "2147483647 2147483647 99999999999 -9223372036854775808");
    // Not finite: the default.
    EXPECT_EQ(fields(xmlGetDouble(r, "d", 0), xmlGetDouble(r, "comma", 0), xmlGetDouble(r, "hex", 3),
                     xmlGetDouble(r, "inf", 3), xmlGetDouble(r, "nan", 3), xmlGetDouble(r, "over", 3),
                     xmlGetDouble(r, "empty", 3), xmlGetFloat(r, "fl", 2.0f), xmlGetFloat(r, "d", 0.0f)),
              "125 1 0 3 3 3 3 2 125");
    // Dates: one number whole, within the years 1 to 9999 (1 June of years 0, 1, 9999 and 10000).
    EXPECT_EQ(fields(xmlGetDate(r, "when", 0), xmlGetDate(r, "y1", 1) < 0, xmlGetDate(r, "y9999", 1) > 1,
                     xmlGetDate(r, "y0", 1), xmlGetDate(r, "y10000", 1), xmlGetDate(r, "fl", 1), xmlGetDate(r, "d", 1),
                     xmlGetDate(r, "hex", 1), xmlGetDate(r, "empty", 1)),
              "697201200.5 true true 1 1 1 1 1 1");
}

TEST(XmlMember, BooleansFollowTheirFirstSignificantCharacter)
{
    XmlDocPtr holder;
    const pugi::xml_node r = parseRecord("<record><a>1</a><b>0</b><c>yes</c><d>T</d><e>no</e><f> +007</f>"
                                         "<g>-000</g><h>false</h><i></i></record>",
                                         &holder);
    // Read with false, then with true as the default: a value read gives the same twice.
    QStringList read;
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"})
        read << QStringLiteral("%1%2").arg(xmlGetBool(r, name, false)).arg(xmlGetBool(r, name, true));
    EXPECT_EQ(read.join(u' '), "11 00 11 11 00 11 00 00");
    EXPECT_TRUE(xmlGetBool(r, "i", true));
}

TEST(XmlMember, PascalStringsConvertOrFallBackToTheDefault)
{
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    const Str255 name = pstr("Caf\x8e"); // "Café" in MacRoman
    xmlAppendPascalString(root, "name", name.data());
    xmlAppendString(root, "foreign", QStringLiteral("日本"));
    EXPECT_EQ(xmlGetMutableString(root, "name"), QStringLiteral("Café"));

    Str255 buffer = pstr("old");
    xmlGetPascalString(root, "name", buffer.data(), 256, nullptr);
    EXPECT_EQ(buffer, name);
    unsigned char small[4];
    xmlGetPascalString(root, "name", small, sizeof small, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(small + 1), small[0]), "Caf");

    // The default may be the buffer itself: it must survive a failed conversion.
    buffer = pstr("keep");
    xmlGetPascalString(root, "foreign", buffer.data(), 256, buffer.data());
    EXPECT_EQ(buffer, pstr("keep"));
    xmlNodePascalString(xmlFirstChild(root, "missing"), buffer.data(), 3, pstr("default").data());
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.data() + 1), buffer[0]), "de");
}

TEST(XmlMember, TolerantLoadingKeepsWhatWasReadable)
{
    XmlDocPtr holder;
    // Only the first of duplicate fields counts; a nameless processing instruction at the end is fine.
    pugi::xml_node root = parseRecord("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                                      "<list><record><n>1</n><n>9</n></record><record><n>2</n></record></list><?"
                                      "?>",
                                      &holder);
    ASSERT_TRUE(root);
    EXPECT_EQ(std::distance(root.children("record").begin(), root.children("record").end()), 2);
    EXPECT_EQ(xmlGetInt(root.child("record"), "n", 0), 1);

    root = parseRecord("<list><record><n>1</n></record><record><n>2</n></record><record><n>3", &holder);
    ASSERT_TRUE(root);
    pugi::xml_node second = root.child("record").next_sibling("record");
    EXPECT_EQ(xmlGetInt(second, "n", 0), 2);

    EXPECT_FALSE(parseRecord("not xml at all", &holder));
    EXPECT_FALSE(holder);
    EXPECT_FALSE(loadXMLDocumentFromURL(testenv::freshDir(QStringLiteral("xmlnone")) + "/absent.xml", &holder));
    EXPECT_FALSE(holder);
}

TEST(XmlMember, PackageFilesAreReplacedWhole)
{
    const QString package = testenv::freshDir(QStringLiteral("xmlpkg")) + QStringLiteral("/Doc.sorv");
    QString resources;
    int error = -1;
    EXPECT_FALSE(createPackageResources(package, &resources, &error) || error != ENOENT);
    ASSERT_TRUE(QDir().mkdir(package));
    ASSERT_TRUE(createPackageResources(package, &resources, &error) && error == 0);
    EXPECT_EQ(resources, package + QStringLiteral("/Contents/Resources"));
    EXPECT_TRUE(createPackageResources(package, nullptr, nullptr));
    EXPECT_FALSE(packageResourcesURL(QString(), &resources));

    pugi::xml_node root;
    XmlDocPtr longDocument = xmlCreateDocument(QStringLiteral("list"), &root);
    for (int i = 0; i < 500; ++i)
        xmlAppendInt(xmlAppendElement(root, "record"), "n", i);
    ASSERT_TRUE(saveXMLInPackage(package, longDocument.get(), QStringLiteral("taxes.xml")));
    XmlDocPtr shortDocument = xmlCreateDocument(QStringLiteral("list"), &root);
    xmlAppendInt(xmlAppendElement(root, "record"), "n", 42);
    ASSERT_TRUE(saveXMLInPackage(package, shortDocument.get(), QStringLiteral("taxes.xml")));

    EXPECT_EQ(QDir(package + "/Contents/Resources").entryList(QDir::Files | QDir::Hidden), QStringList {"taxes.xml"});
    EXPECT_TRUE(
        readFile(package + "/Contents/Resources/taxes.xml").endsWith("<list><record><n>42</n></record></list>"));
    XmlDocPtr holder;
    root = loadXMLFromPackage(package, QStringLiteral("taxes.xml"), &holder);
    EXPECT_EQ(xmlGetInt(root.child("record"), "n", 0), 42);

    EXPECT_FALSE(saveXMLInPackage(QString(), shortDocument.get(), QStringLiteral("taxes.xml")));
    EXPECT_FALSE(saveXMLInPackage(package, nullptr, QStringLiteral("taxes.xml")));
    EXPECT_FALSE(writeXMLToURL(package + "/missing/folder.xml", shortDocument.get()));
    EXPECT_FALSE(loadXMLFromPackage(QString(), QStringLiteral("taxes.xml"), &holder));
}

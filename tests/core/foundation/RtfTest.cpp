// Reading letters written by word processors: the text of every construct they use, the look of
// the runs, alignment, and input that is not RTF or nests without end.
#include "foundation/rtf.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* rtf;
    const char16_t* text;
};

const TextCase kTextCases[] = {
    {R"({\rtf1\ansi\ansicpg1252{\fonttbl\f0\fswiss Helvetica;}{\colortbl;\red255\green0\blue0;}\f0\fs24 Bonjour\par Monde})",
     u"Bonjour\nMonde"},
    {R"({\rtf1 a\{b\}c\\d})", u"a{b}c\\d"},
    {R"({\rtf1 caf\'e9 \'80 \'92})", u"café € ’"},
    {R"({\rtf1\uc1 \u8364? et \u233?t\u-257?})", u"€ et ét\uFEFF"},
    {R"({\rtf1\uc0 \u233 t\'e9})", u"été"},
    {R"({\rtf1 a\tab b\line c})", u"a\tb\nc"},
    {R"({\rtf1 {\*\generator Traitement 1.0;}{\info{\title Lettre}}Texte})", u"Texte"},
    {R"({\rtf1 a\par\par b\par})", u"a\n\nb"},
    {R"({\rtf1 N\~12\emdash fin})", u"N\u00A012\u2014fin"},
    {"{\\rtf1 ligne\r\ncoup\xE9"
     "e}",
     u"lignecoupée"},
    {R"({\rtf1 {\b gras)", u"gras"}, // unbalanced: what was read stands
};

TEST(Rtf, TextOfEveryConstruct)
{
    for (const TextCase& c : kTextCases) {
        const RtfDocument doc = readRtf(QByteArray(c.rtf));
        EXPECT_TRUE(doc.ok) << c.rtf;
        EXPECT_EQ(doc.plainText(), QString::fromUtf16(c.text)) << c.rtf;
    }
}

TEST(Rtf, RunsKeepTheirLookAndParagraphsTheirAlignment)
{
    const RtfDocument doc = readRtf(R"({\rtf1\fs28 N{\b gras}{\i ital}{\ul sous}{\ul x\ulnone y}\plain p})");
    ASSERT_EQ(doc.paragraphs.size(), 1);
    const QList<RtfRun>& runs = doc.paragraphs[0].runs;
    const auto run = [](const char* text, bool b, bool i, bool u, double size) {
        return RtfRun {QString::fromUtf8(text), b, i, u, size};
    };
    EXPECT_EQ(runs,
              (QList<RtfRun> {run("N", false, false, false, 14), run("gras", true, false, false, 14),
                              run("ital", false, true, false, 14), run("sousx", false, false, true, 14),
                              run("y", false, false, false, 14), run("p", false, false, false, 12)}));

    const RtfDocument aligned
        = readRtf(R"({\rtf1\qr\li400\sa120 droite\par\pard gauche\par\qc centre\par\qj justifié})");
    ASSERT_EQ(aligned.paragraphs.size(), 4);
    EXPECT_EQ(aligned.paragraphs[0].alignment, RtfAlignment::Right);
    EXPECT_EQ(aligned.paragraphs[0].leftIndent, 20);
    EXPECT_EQ(aligned.paragraphs[0].spaceAfter, 6);
    EXPECT_EQ(aligned.paragraphs[1].leftIndent, 0); // \pard starts afresh
    EXPECT_EQ(aligned.paragraphs[1].alignment, RtfAlignment::Left);
    EXPECT_EQ(aligned.paragraphs[2].alignment, RtfAlignment::Center);
    EXPECT_EQ(aligned.paragraphs[3].alignment, RtfAlignment::Justified);
}

TEST(Rtf, WhatIsNotRtfOrNestsWithoutEndIsRefused)
{
    for (const char* bytes : {"", "<html><body>Lettre</body></html>", "rtf1 {\\rtf1 x}"}) {
        const RtfDocument doc = readRtf(bytes);
        EXPECT_FALSE(doc.ok) << bytes;
        EXPECT_FALSE(doc.error.isEmpty());
        EXPECT_TRUE(doc.paragraphs.isEmpty());
    }
    const RtfDocument deep = readRtf("{\\rtf1 x" + QByteArray(100000, '{') + "y");
    EXPECT_FALSE(deep.ok);
    EXPECT_FALSE(deep.error.isEmpty());
    // A control word or a \' cut off by the end of the file ends the text quietly.
    EXPECT_EQ(readRtf("{\\rtf1 ab\\'e").plainText(), "ab");
    EXPECT_EQ(readRtf("{\\rtf1 ab\\").plainText(), "ab");
}

} // namespace

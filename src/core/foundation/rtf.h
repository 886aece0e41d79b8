#pragma once
// Reading the rich text that word processors write for letters: the shipped letters, tips and rules
// help, and any letter a user drops beside them. Only what such documents use is kept: paragraphs
// with their alignment, indents and spacing, line breaks, tabs, bold, italic, underline and font sizes; characters
// given as \'xx (Windows-1252) or \uN. Font and colour tables, pictures, styles and every other destination are
// skipped, so a richer document still shows its text.
#include <QByteArray>
#include <QList>
#include <QString>

struct RtfRun {
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double pointSize = 12;
    bool operator==(const RtfRun&) const = default;
    bool sameLook(const RtfRun& other) const
    {
        return bold == other.bold && italic == other.italic && underline == other.underline
            && pointSize == other.pointSize;
    }
};

enum class RtfAlignment { Left, Right, Center, Justified };

struct RtfParagraph {
    QList<RtfRun> runs;
    RtfAlignment alignment = RtfAlignment::Left;
    // In points (the file gives twentieths of a point).
    double leftIndent = 0;
    double firstLineIndent = 0;
    double spaceBefore = 0;
    double spaceAfter = 0;
    QString text() const;
};

struct RtfDocument {
    QList<RtfParagraph> paragraphs;
    bool ok = false;
    QString error; // why the bytes could not be read, when they couldn't
    QString plainText() const; // paragraphs joined by "\n"
};

// The document read from the bytes of an RTF file. Bytes that don't start as RTF give no
// paragraph and an error; unbalanced braces are forgiven (the text read so far is kept).
RtfDocument readRtf(const QByteArray& bytes);

#pragma once
// What the member-file writer and reader and the long-list reader and writer share; not for other
// callers.
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

#include <array>
#include <cstddef>
#include <string>

class LoadIssues;

// Line ends stay as written: a CR inside a note is part of the note. A lone white-space text is a
// value (" "), white space between elements is not.
inline constexpr unsigned kLoadOptions = (pugi::parse_default | pugi::parse_cdata | pugi::parse_declaration
                                          | pugi::parse_pi | pugi::parse_ws_pcdata_single)
    & ~pugi::parse_eol;

// What pugixml prints, appended to a string.
class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out)
        : m_out(out)
    {
    }
    void write(const void* data, size_t size) override { m_out.append(static_cast<const char*>(data), size); }

private:
    std::string& m_out;
};

// A text written as a CDATA section rather than escaped: it holds markup characters.
bool needsCdata(const QString& text);

// Every digit of a double's exact expansion fits in 1074 decimals, after at most 309 integer digits.
inline constexpr int kMaxDecimals = 1074;
using FixedBuffer = std::array<char, kMaxDecimals + 330>;
// printf "%.nf" without the locale; answers the length written into buffer.
size_t fixedText(double value, int decimals, FixedBuffer& buffer);

// Serialised markup appended to out with each CR in text written as a character reference, which
// no reader normalises away.
void appendEscapingCr(std::string& out, const char* bytes, size_t size);

// The node as it appears in a file written without indentation, CRs escaped, appended to out.
void appendSerialised(pugi::xml_node node, std::string& scratch, std::string& out);

// Just after the element whose '<' is at p and all it holds; null when it is cut short or holds
// what a plain scan doesn't know. The byte at end must be readable (a NUL).
const char* xmlElementEnd(const char* p, const char* end);

// Notes on issues, at that record, where pugixml stopped reading the file's bytes (offset) and why.
void noteXmlDamage(LoadIssues* issues, long record, const QByteArray& bytes, std::ptrdiff_t offset,
                   pugi::xml_parse_status status);

// Notes on issues, at that record, that the file's bytes hold something other than UTF-8 at offset.
void noteInvalidUtf8(LoadIssues* issues, long record, const QByteArray& bytes, std::ptrdiff_t offset);

// The bytes of a member file, when it is a regular file that could be read; a file that is there
// but is no regular file or can't be read is noted on issues. A missing file notes nothing.
bool readMemberFile(const QString& path, QByteArray* bytes, LoadIssues* issues);

// What xmlLastWriteError answers next.
void setXmlLastWriteError(int error);
// 0 when a member file may be written at path; otherwise why not: a link or a folder is at its
// place (never written through), or a test made it fail.
int refusedWriteTarget(const QString& path);

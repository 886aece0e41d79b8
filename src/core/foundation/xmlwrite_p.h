#pragma once
// What the member-file writer and reader and the long-list reader and writer share; not for other
// callers.
#include <QByteArray>
#include <pugixml.hpp>

#include <cstddef>
#include <string>

class LoadIssues;

// Line ends stay as written: a CR inside a note is part of the note. A lone white-space text is a
// value (" "), white space between elements is not.
inline constexpr unsigned kLoadOptions = (pugi::parse_default | pugi::parse_cdata | pugi::parse_declaration
                                          | pugi::parse_pi | pugi::parse_ws_pcdata_single)
    & ~pugi::parse_eol;

// The node as it appears in a file written without indentation, CRs escaped, appended to out.
void appendSerialised(pugi::xml_node node, std::string& scratch, std::string& out);

// Just after the element whose '<' is at p and all it holds; null when it is cut short or holds
// what a plain scan doesn't know. The byte at end must be readable (a NUL).
const char* xmlElementEnd(const char* p, const char* end);

// Notes on issues, at that record, where pugixml stopped reading the file's bytes (offset) and why.
void noteXmlDamage(LoadIssues* issues, long record, const QByteArray& bytes, std::ptrdiff_t offset,
                   pugi::xml_parse_status status);

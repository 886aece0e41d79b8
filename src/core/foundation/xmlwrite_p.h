#pragma once
// What the member-file writer and the long-list reader and writer share; not for other callers.
#include <pugixml.hpp>
#include <string>

// Line ends stay as written: a CR inside a note is part of the note. A lone white-space text is a
// value (" "), white space between elements is not.
inline constexpr unsigned kLoadOptions
    = (pugi::parse_default | pugi::parse_cdata | pugi::parse_declaration | pugi::parse_pi
          | pugi::parse_ws_pcdata_single)
    & ~pugi::parse_eol;

// The node as it appears in a file written without indentation, CRs escaped, appended to out.
void appendSerialised(pugi::xml_node node, std::string& scratch, std::string& out);

#pragma once
// A document built in memory, open for the length of a scope through the program's own opening
// and closing (DocumentSession::adopt and close): the state an opening builds is there, and a
// test that stops early leaves nothing open behind it.
#include "document/DocumentSession.h"

class DOCUMENT;

namespace testenv {

class OpenDocument {
public:
    explicit OpenDocument(DOCUMENT& doc) { DocumentSession::adopt(doc); }
    ~OpenDocument() { DocumentSession::close(); }
    OpenDocument(const OpenDocument&) = delete;
    OpenDocument& operator=(const OpenDocument&) = delete;
};

} // namespace testenv

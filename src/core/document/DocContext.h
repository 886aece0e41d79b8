#pragma once
// The process-wide state that an open document brings: built when a document opens, reset when
// it closes, so two documents never mix and every test starts clean.
class DOCUMENT;

class DocContext {
public:
    static DocContext& instance();
    // Forgets the document and everything derived from it.
    static void reset();

    DOCUMENT* document = nullptr; // the open document, owned by whoever opened it
    int currentDeviseSlot = 0;    // the currency slot windows open in (0..4)
};

// Shorthands for the open document and its currency slot.
inline DOCUMENT* currentDocument() { return DocContext::instance().document; }

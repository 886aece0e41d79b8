#pragma once
// The process-wide state that an open document brings: built when a document opens, reset when
// it closes, so two documents never mix and every test starts clean.
#include "model/ToolTree.h"

class DOCUMENT;

class DocContext {
public:
    static DocContext& instance();
    // Forgets the document and everything derived from it.
    static void reset();

    DOCUMENT* document = nullptr; // the open document, owned by whoever opened it
    int currentDeviseSlot = 0;    // the currency slot windows open in (0..4)
    ToolNodeList toolTree;        // banks and their accounts as the windows show them
    // The accounts of the bank last taken out of the tree, for its reinsertion under a new name.
    ToolNodeList savedToolSubList;
};

// Shorthands for the open document and its currency slot.
inline DOCUMENT* currentDocument() { return DocContext::instance().document; }

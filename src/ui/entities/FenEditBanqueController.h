#pragma once
// The bank editor: the shared tool editor with the texts of the bank's type.
#include "entities/FenEditToolController.h"

class FenEditBanqueController : public FenEditToolController {
    Q_OBJECT
public:
    void FILL() override;
};

// Edits the bank modally (on the parent's window when given); 1 after OK, 0 after Cancel. The
// bank may be the document's own: it changes only on OK, but for its logo.
long editBanqueDialog(StdWindowController* parent, TOOL& banque, DOCUMENT& doc);

// Creates a bank of that type in the editor (empty name, the current currency slot); on OK adds
// it to the document and the tree, *index (may be null) getting its place in the tree, and offers
// to create its accounts one after the other. False when the editor was cancelled.
bool createBanqueWithDialog(StdWindowController* parent, int bType, long* index, DOCUMENT& doc);

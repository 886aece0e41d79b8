#pragma once
// An opening with nobody at the screen: no password given, nothing shown.
#include "document/DocumentSession.h"

class SilentOpeningShell : public IOpeningShell {
public:
    bool askDocumentPassword(const BEFOREPARAM&, const QString&) override { return false; }
    void showOpenedDocument(DOCUMENT&, bool) override { }
};

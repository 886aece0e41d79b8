#pragma once
// The macros of the document by name, each shown with the icon of its template's payment means
// and its key (typed with Alt); optionally headed by an item that creates a macro (CREATE_MACRO:).
// An item's tag is the macro's position in the document's list; items send MACRO:.
//
// The key is shown beside the title only: typing it is handled for every window by the
// application's key interception, not by this menu.
#include "toolkit/popups/StdPopUp.h"

class PopMacro : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    bool getCan_create() const { return m_canCreate; }
    void setCan_create(bool canCreate) { m_canCreate = canCreate; }
    // Whether the menu ends with an item opening the macros window (MACROS:).
    void setCanManage(bool canManage) { m_canManage = canManage; }

    void FILL_MENU() override;

    // The key as a menu shows it ("Alt+A"); empty for no key.
    static QString keyEquivalentText(char16_t key);

private:
    bool m_canCreate = false;
    bool m_canManage = false;
};

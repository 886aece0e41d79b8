#pragma once
// The account pop-up: the banks of the document's tree (user banks, then cash, then third
// parties, each by name). With an account filter, each bank that passes it carries a submenu of
// its accounts in the tree's order, headed by an item that creates an account in that bank; the
// other banks are shown disabled. Without one, the banks themselves are chosen, those that pass
// the bank filter enabled. Filters are masks of bank types: 1 the user's own banks, 2 cash, 4
// payees, 0 every bank.
//
// The pop-up serves either side of a transaction: its items send DEBIT:, BDEBIT: and
// CREATE_COMPTED: when compteDebit is set, CREDIT:, BCREDIT: and CREATE_COMPTEC: otherwise.
#include "toolkit/popups/StdPopUp.h"

class DOCUMENT;
class TOOL;
struct ToolNode;

class PopCompte : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    qint32 getPOPcompteBFilter() const { return m_bFilter; }
    void setPOPcompteBFilter(qint32 filter) { m_bFilter = filter; }
    qint32 getPOPcompteCFilter() const { return m_cFilter; }
    void setPOPcompteCFilter(qint32 filter) { m_cFilter = filter; }
    bool getCanCreate() const { return m_canCreate; }
    void setCanCreate(bool canCreate) { m_canCreate = canCreate; }

    void FILL_MENU() override;
    void FILL_MENU(QMenu* menu);

    // The tool's picture: its logo when it names one (null when that logo or its file is gone),
    // else the picture of its type.
    static QIcon getToolImage(const TOOL& tool, const DOCUMENT* doc);
    // The same by ident. No account shows the special account picture; no bank shows nothing.
    static QIcon getCompteImage(long ident, const DOCUMENT* doc);
    static QIcon getBanqueImage(long ident, const DOCUMENT* doc);

private:
    void addBanqueItem(QMenu* menu, const TOOL& banque, bool enabled);
    void addBanqueSubmenu(QMenu* menu, const TOOL& banque, const ToolNode& node, const DOCUMENT* doc);

    qint32 m_bFilter = 0;
    qint32 m_cFilter = 0;
    bool m_canCreate = true;
};

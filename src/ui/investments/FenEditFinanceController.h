#pragma once
// The editors of one investment: a security, a loan or a savings item. An editor works on the
// item it is given (a new one, or a copy of a stored one) and hands it back only on OK; the list
// window stores it. OK is refused while another item of the same kind bears the typed name,
// compared ignoring case; the item's own name is always accepted, and so is an empty one.
//
// Window data: "finance" the FINANCE edited, written back on OK.
#include "investments/FinanceKind.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class QFormLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

class FenEditFinanceController : public StdWindowController {
    Q_OBJECT
public:
    // The item as edited so far.
    FINANCE& finance() { return m_finance; }
    virtual FinanceKind kind() const = 0;

    // The name check: false, after telling the user, when the typed name is taken.
    virtual bool VALIDE();
    void OUI(QObject* sender) override;
    void willAwakeFromNib() override;

    QLineEdit* field_nom() const { return m_fieldNom; }

protected:
    // The name, then the rows the editor adds to the form, then Cancel and OK.
    void buildInterface(StdWindow& window) override;
    virtual QString interfaceName() const = 0;
    virtual QString titleKey() const = 0;
    virtual void addRows(QFormLayout& form, QWidget& parent) = 0;
    // Rows under the form; none by default.
    virtual void addBelow(QVBoxLayout& layout, QWidget& parent)
    {
        Q_UNUSED(layout)
        Q_UNUSED(parent)
    }
    // Puts the item back into the window data.
    void storeFinance();

private:
    FINANCE m_finance;
    QLineEdit* m_fieldNom = nullptr;
};

Q_DECLARE_METATYPE(FINANCE)

// Runs the kind's editor on the item, modally on the parent's window; true on OK, the item then
// holding what was typed.
bool editFinanceModal(StdWindowController* parent, FinanceKind kind, FINANCE& item);

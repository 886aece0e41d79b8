#pragma once
// Which item of the same kind takes the transactions of an investment being deleted: another
// item, or none. Choosing the deleted item itself is refused and the dialog stays open; Cancel
// leaves the ident as it was.
//
// Window data: "ident" the item to replace; on OK the replacement's ident, -1 for none.
#include "investments/FinanceKind.h"
#include "toolkit/windows/StdWindowController.h"

class FenAskSubstFinanceController : public StdWindowController {
    Q_OBJECT
public:
    virtual FinanceKind kind() const = 0;
    void willAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    long oldIdent() const;
    // The pickers' chosen item of the kind.
    long& chosen();
};

class FenAskSubstFinanceTitreController : public FenAskSubstFinanceController {
    Q_OBJECT
public:
    FinanceKind kind() const override { return FinanceKind::Titre; }
};

class FenAskSubstFinanceEmpruntController : public FenAskSubstFinanceController {
    Q_OBJECT
public:
    FinanceKind kind() const override { return FinanceKind::Emprunt; }
};

class FenAskSubstFinanceRemunereController : public FenAskSubstFinanceController {
    Q_OBJECT
public:
    FinanceKind kind() const override { return FinanceKind::Remunere; }
};

// Asks, modally on the parent's window, for the replacement of the item; false when cancelled,
// else true with the replacement (-1 none) in replacement.
bool askSubstFinance(StdWindowController* parent, FinanceKind kind, long ident, long* replacement);

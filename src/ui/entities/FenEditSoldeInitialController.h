#pragma once
// The initial balance of an account: the amount it held before its first transaction in the
// document, typed in any currency of the document. Window data: "tool" the account's ident,
// "document", and the typed amount in the data's amount (montant). Result 1 after OK, 0 after
// Cancel.
#include "toolkit/windows/StdWindowController.h"

class DOCUMENT;
class QLabel;
class TextFieldMontant;

class FenEditSoldeInitialController : public StdWindowController {
    Q_OBJECT
public:
    void didAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

    Q_INVOKABLE void DEVISE(QObject* item);
    void FILL_DEVISE(long slot);

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLabel* m_compte = nullptr;
    QLabel* m_image = nullptr;
    TextFieldMontant* m_solde = nullptr;
};

// Asks for the account's initial balance (on the parent's window when given) and records a
// non-null one as an initialisation transaction between the account and account 5, dated now;
// the account is then initialised. False, with nothing changed, when cancelled, for a null
// amount, an unknown account or a transaction that could not be stored.
bool askSoldeInitial(StdWindowController* parent, long compteID, DOCUMENT& doc);

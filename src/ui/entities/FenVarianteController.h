#pragma once
// The cheque books and cards of an account, in two lists edited on copies: nothing reaches the
// account's payment means before the window is confirmed, by OK (result 1) or by one of the
// listing commands (2 the cheques, 3 the card payments); Cancel (0) drops every change.
//
// Window data: "hdl1" and "hdl2" the copies of the cheque books and the cards, "ident" the
// account, "canMoyen" whether the listing commands are offered, and "document".
#include "model/VARIANTE.h"
#include "toolkit/windows/StdWindowController.h"

class DOCUMENT;
class QLabel;
class QPushButton;
class QTableWidget;

class FenVarianteController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override { return true; }
    bool canAdjustHeight() const override { return false; }
    bool canDeleteSomething() const override;

    Q_INVOKABLE void CREER1() { creer(1); }
    Q_INVOKABLE void CREER2() { creer(2); }
    Q_INVOKABLE void OUVRIR1() { ouvrir(1); }
    Q_INVOKABLE void OUVRIR2() { ouvrir(2); }
    Q_INVOKABLE void SUPPRIMER1() { supprimer(1); }
    Q_INVOKABLE void SUPPRIMER2() { supprimer(2); }
    Q_INVOKABLE void RELEVE1();
    Q_INVOKABLE void RELEVE2();
    // The Delete key: the cheque books when their table has the focus, else the selected card.
    void deleteKey();

    VarianteList& hdl(int table) const;
    QTableWidget* table(int table) const { return table == 1 ? m_table1 : m_table2; }

protected:
    void buildInterface(StdWindow& window) override;

private:
    void creer(int table);
    void ouvrir(int table);
    void supprimer(int table);
    void reload(int table);
    void selectRow(int table, int row);
    void showDeleteButtons(int table);
    DOCUMENT& document() const;

    QLabel* m_compte = nullptr;
    QPushButton* m_listingCheque = nullptr;
    QPushButton* m_listingCarte = nullptr;
    QTableWidget* m_table1 = nullptr;
    QTableWidget* m_table2 = nullptr;
};

// Shows the account's cheque books and cards (on the parent's window when given) and, on any
// result but Cancel, gives the account's means the edited lists; result 2 then opens the listing
// of the account's cheques, 3 that of its card payments. False when nothing was stored, and with
// an alert ("kCriticalVarianteProblem") for an account that has no cheque or no card means.
bool editVariantesOfCompte(StdWindowController* parent, long compteID, bool canMoyen, DOCUMENT& doc);

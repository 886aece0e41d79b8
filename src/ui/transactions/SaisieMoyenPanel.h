#pragma once
// The payment means of the entry window and what follows from it: the titles and account
// pickers of the family, the accounts rebuilt for a new family when the user agrees, the cheque
// book or card and its numbering, and the category and tax an account brings.
#include <QString>

class FenEditSaisieController;
class QObject;

class SaisieMoyenPanel {
public:
    explicit SaisieMoyenPanel(FenEditSaisieController& window);

    void fillMoyenWithFamily(int family, long synonymeID);
    QString transactTitle() const;
    void addUserFantasia(bool accountsRebuilt);

    // A means chosen from the pop-up: see FenEditSaisieController::MOYEN.
    void MOYEN(QObject* item);
    // A new transaction for the family on the window's starting account gives both accounts.
    void modifyComptesForFamily(int family);

    void FILL_TRANS_VARIANTE();
    void VARIANTE_WITH_ID(long varianteID);
    bool needsNewNumber() const;
    void NEW_NUMBER();
    void memoriseVariante();

    // The account's category (or the document's default one) and tax become the window's.
    void setAutoImputationsForCompteID(long compteID);

private:
    bool askChangeMoyen(int family);
    void chooseVarianteForFamily(int family);

    FenEditSaisieController& m_window;
};

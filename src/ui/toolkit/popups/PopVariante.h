#pragma once
// The cheque books or cards an entry of that family on that account offers, in creation order.
// Items send VARIANTE: with the variant's ident.
#include "toolkit/popups/StdPopUp.h"

class PopVariante : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    qint64 getCompteID() const { return m_compteID; }
    void setCompteID(qint64 compteID) { m_compteID = compteID; }
    qint32 getFamily() const { return m_family; }
    void setFamily(qint32 family) { m_family = family; }

    // Opening the menu makes the account's record of cheque books or cards when it has none yet,
    // as the entry of that family does.
    void FILL_MENU() override;

private:
    qint64 m_compteID = 0;
    qint32 m_family = 0;
};

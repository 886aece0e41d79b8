#pragma once
// The debit account field: the account chosen goes to the window as DEBIT:, as the debit account
// pop-up sends it.
#include "toolkit/fields/TextViewCompte.h"

class TextViewCompteD : public TextViewCompte {
    Q_OBJECT
public:
    using TextViewCompte::TextViewCompte;

    void ACTION(qint64 ident) override;
};

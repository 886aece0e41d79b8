#pragma once
// The credit account field: the account chosen goes to the window as CREDIT:, as the credit account
// pop-up sends it.
#include "toolkit/fields/TextViewCompte.h"

class TextViewCompteC : public TextViewCompte {
    Q_OBJECT
public:
    using TextViewCompte::TextViewCompte;

    void ACTION(qint64 ident) override;
};

#pragma once
// A bank statement of an account. An account keeps its statements newest first; its
// transactions are ticked off against them by ident, which is unique within the account.
#include "model/Devise.h"
#include "model/MONTANT.h"

#include <QList>
#include <QString>

class LoadIssues;

class TOOL;

class RELEVE {
public:
    QString nom_v3; // empty: the statement is shown by its date
    MONTANT solde; // balance at the end of the statement
    MONTANT Rsolde; // movement of the statement: credits minus debits
    long ident = -1;
    double date = 0; // 0 = none

    void initDefault() { *this = RELEVE(); }
    // The defaults, dated at the account's proposed next statement date (now without an account).
    void initForCompte(const TOOL* compte);
    void setFromReleve(const RELEVE& other) { *this = other; }

    // Appends a "releve" element: "nom_v3", "ident", "date" (six decimals), "solde", "Rsolde".
    // False when the element or one of its amounts can't be made.
    bool appendReleveXML(pugi::xml_node parent, const DeviseList& devises) const;
    // A statement read from a "releve" element. A missing name is empty, a missing ident -1, a
    // missing date the time of reading; a missing amount is zero and is noted on issues (may be
    // null) at their current place. A date that can't be read is the time of reading too, until
    // the account's reader, which knows the statements around it, settles and notes it.
    static RELEVE loadReleveXML(pugi::xml_node element, LoadIssues* issues);
};
using ReleveList = QList<RELEVE>;

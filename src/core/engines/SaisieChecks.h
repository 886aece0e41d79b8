#pragma once
// The checks the entry window runs on OK, once its controls are read into the working
// transaction, in this order; the first refusal keeps the window open:
//   1. balance: the amount equals its tax split and its investment split;
//   2. a split transaction has no single line;
//   3. a ticked transaction is not dated in the future;
//   4. validity for the document: for a real entry the whole goodTransact with the cheque-book
//      and card end alerts; for anything else the document will store (an edit from the details
//      palette, an import record) the amount and the two accounts; templates and simulation rows
//      stay unchecked;
//   5. for a real entry only: the zero-amount or changed-amount question, the far-date question
//      and the statement question, the ticks carried over to the accounts that keep them.
// Refusals and questions go through a SaisieDialogs, so the sequence runs without a window.
#include "engines/SaisieData.h"

class DOCUMENT;
class VARIANTE;

// The window's messages. Keys are of table "Dialogue"; an image name may be empty.
class SaisieDialogs {
public:
    // Which of a question's two answers changes nothing: the one Escape gives.
    enum class Safe { First, Second };

    virtual ~SaisieDialogs() = default;
    // An alert with the one button "LIB_BUTTON_OK"; beep first when asked.
    virtual void refuse(const QString& key, const QString& imageName, bool beep) = 0;
    // A question with two buttons (keys of "Dialogue"); true when the first one was chosen.
    virtual bool ask(const QString& key, const QString& firstButton, const QString& secondButton,
                     const QString& imageName, Safe safe)
        = 0;
};

// What the window shows besides rec when OK is pressed.
struct SaisieWindowState {
    long devise = 0; // the slot amounts are shown and compared in
    MONTANT montant; // the amount field
    long taxeID = -1;
    MONTANT montantHT; // the two tax fields
    MONTANT montantTaxe;
    long titreID = -1;
    long remunereID = -1;
    long empruntID = -1;
    MONTANT capital; // the three investment fields
    MONTANT interets;
    MONTANT frais;
    int moyen = 0; // the family chosen
    bool annulee = false; // the cancelled box
    double now = 0;

    bool hasTaxe() const { return taxeID >= 0; }
    bool hasPlacement() const { return titreID >= 0 || remunereID >= 0 || empruntID >= 0; }
};

class SaisieChecks {
public:
    SaisieChecks(SaisieData& data, const SaisieWindowState& state, DOCUMENT* doc, SaisieDialogs& dialogs);

    // Every check in order; true when OK may close the window.
    bool CHECK_GLOBAL();

    bool CHECK_BALANCE();
    bool CHECK_GROUPEE();
    bool CHECK_DATE_RELEVE();
    // goodTransact with the means record of cheques and cards, then their end alerts.
    bool CHECK_TRANS();
    // For what the document stores without a real entry's checks: a number for the amount and
    // two existing, different accounts.
    bool checkStoredValidity();
    // The zero and changed-amount questions.
    bool checkMontantQuestions();
    // Dates five years or more from today are asked about.
    bool checkFarDate();
    // The statement question, then the ticks carried over.
    bool checkReleves();

    // The end-of-book and end-of-card questions; true for the first button. "No" marks the
    // variant's alert as given so it is not asked again.
    bool doAlerteCheque(VARIANTE& variante);
    bool doAlerteCarte(VARIANTE& variante);

    // The statements rec keeps: each new side takes the tick of the old side that had its
    // account, else none.
    static void carryReleves(const TRANSACT& old, TRANSACT& rec);
    // Whether an old ticked side lost its account.
    static bool losesReleve(const TRANSACT& old, const TRANSACT& rec);
    // Whether two dates are five calendar years apart or more.
    static bool isFarDate(double date, double today);

private:
    void refuseTrans(int code);
    void endAlerts(long moyenIndex);

    SaisieData& m_data;
    const SaisieWindowState& m_state;
    DOCUMENT* m_doc;
    SaisieDialogs& m_dialogs;
};

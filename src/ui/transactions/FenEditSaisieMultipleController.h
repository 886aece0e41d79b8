#pragma once
// The entry window made to edit several stored transactions at once (openSaisieMultiple). Each
// field shows the value the transactions share, or "-" where they differ; a field left at "-"
// keeps each transaction's own value, a field given a value gives it to all of them. The payment
// means, macros, split lines, investment and attached files can't change here; the accounts and
// the amount are locked when the selection can't take one value for all (SaisieMultiple).
//
// Window data: "saisie" (a SaisieData whose rec is a default transaction, shown for its currency)
// and "multiple" (the SaisieMultipleData the window reads and writes).
#include "transactions/FenEditSaisieController.h"
#include "transactions/SaisieRoutine.h"

#include "engines/SaisieMultiple.h"

#include <QMetaType>
#include <QSet>

#include <memory>
#include <optional>

class QPlainTextEdit;

struct SaisieMultipleData {
    DOCUMENT* doc = nullptr;
    long referenceID = -1; // the list's account, -1 for none
    SaisieMultipleSelection selection;
    SaisieMultipleEntries entries; // what OK gives every transaction
    std::optional<bool> doublonMark; // the import-duplicate marks as found: all, none, or mixed
    bool lockAlertShown = false;
};
using SaisieMultipleDataPtr = std::shared_ptr<SaisieMultipleData>;
Q_DECLARE_METATYPE(SaisieMultipleDataPtr)

class FenEditSaisieMultipleController : public FenEditSaisieController {
    Q_OBJECT
public:
    static WindowDataPtr multipleWindowData(const SaisieDataPtr& saisie, const SaisieMultipleDataPtr& multiple);

    SaisieMultipleData& multiple() const { return *m_multiple; }
    SaisieMultipleEntries& entries() const { return m_multiple->entries; }

    bool isTransactLocked() const override { return m_multiple->selection.comptesLocked; }
    bool isMontantLocked() const override { return m_multiple->selection.montantLocked; }
    bool isMoyenLocked() const override { return true; }
    bool isMacroLocked() const override { return true; }
    bool shouldSetAutoImputations() const override { return false; }

    // The lock alert, once per opening, half a second after the window first becomes key.
    void windowDidBecomeKey() override;
    void fireTimerForLockedAlert();
    void _fireTimerForLockedAlert();

    QString transactTitle() const override;
    void fillPopHelp() override;

    // ---- Filling, in the order FILL runs them.

    void FILL() override;
    void FILL_TRANS_MACRO() override;
    void FILL_TRANS_DATE() override;
    void FILL_TRANS_MONTANT() override;
    void FILL_TRANS_COMPTES() override;
    void FILL_TRANS_REFERENCE() override;
    void FILL_TRANS_INFORMATION() override;
    void FILL_TRANS_VARIANTE() override;
    void FILL_TRANS_ANNULATION() override;
    void FILL_TRANS_DOUBLON() override;
    void FILL_TRANS_GROUPEE() override;
    void FILL_TRANS_POSTE() override;
    void FILL_TRANS_TAXE() override;
    void FILL_TRANS_PLACEMENT() override;
    QWidget* firstSelectedObject() const override;
    void setLayoutSaisieVariante();
    // The account pickers offer the banks of the first transaction's types.
    void setLayoutSaisieCompte();
    // The account filter of a bank type: own banks 1, cash 2, payees 4; 0 (every bank) otherwise.
    static int banqueTypeToBanqueFilter(int bType);
    bool canComputeTaxe() const { return entries().taxeID.has_value(); }

    // Reads the typed values into the entries and refuses what can't be stored.
    bool READ() override;

    // ---- Actions: each choice becomes the entry of its field.

    Q_INVOKABLE void CALENDRIER1(QObject* sender);
    Q_INVOKABLE void DEBIT(QObject* sender) override;
    Q_INVOKABLE void CREDIT(QObject* sender) override;
    Q_INVOKABLE void POSTE(QObject* sender);
    Q_INVOKABLE void TAXE(QObject* sender) override;
    Q_INVOKABLE void DEVISE(QObject* sender) override;
    Q_INVOKABLE void ANNULEE(QObject* sender) override;
    Q_INVOKABLE void DOUBLON(QObject* sender) override;
    Q_INVOKABLE void controlTextDidEndEditing(QObject* field);
    Q_INVOKABLE void fieldMontantDidChange(QObject* field) override;
    Q_INVOKABLE void NON(QObject* sender) override;

    int numberOfRowsInTableView2(StdTableView* table) override;

protected:
    void buildInterface(StdWindow& window) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showKept(QWidget* field) const;
    void followKeepMarker(QPlainTextEdit* field);
    // Whether the event puts something into the field it reaches.
    static bool startsInput(QEvent* event);
    bool readDate();
    bool readMontant();
    bool checkEntries();

    SaisieMultipleData* m_multiple = nullptr;
    SaisieMultipleData m_none; // the data of a window opened without any
    bool m_filling = false;
    bool m_montantTyped = false;
    QSet<QObject*> m_keepMarkerShown; // the fields showing "-", which keeps each transaction's own
};

#pragma once
// The transactions copied from a list, held until they are pasted into a document as new
// transactions. Each copy is prepared so that pasting it anywhere yields a fresh transaction: in
// no statement, not imported, not synchronised, without attached files. The clipboard keeps its
// content after a paste, so the same content can be pasted again.
//
// So that a copy reaches another document, or another program, the content also travels as the
// records of the transactions' member file and as plain text (see the transaction windows).
#include "model/Devise.h"
#include "model/TRANSACT.h"

#include <QByteArray>
#include <QList>
#include <QString>

class DOCUMENT;

class TransactClipboard {
public:
    const TransactList& transacts() const { return m_transacts; }

    void clearTransactClipboard() { m_transacts.clear(); }
    // Appends a prepared copy; the source is not changed.
    void copyTransactToClipboard(const TRANSACT& trans);
    bool canPasteTransact() const { return !m_transacts.isEmpty(); }
    // Appends each transaction to the document, the windows told once, after the last; the
    // positions of the new transactions. Nothing is pasted, and *errorKey (a key of "Dialogue")
    // says why, when one of them names an account the document lacks or the same account twice,
    // or has no number for an amount: a paste never stores a transaction the balances can't
    // take.
    QList<long> pasteTransactClipboard(DOCUMENT* doc, QString* errorKey);

    // The content as a member file's records: root "list", one "transact" each.
    QByteArray toXml(const DeviseList& devises) const;
    // Replaces the content with the records of such a text; false, with the content unchanged,
    // when the text is not a list of transaction records.
    bool setFromXml(const QByteArray& xml);
    // One line per transaction: date, means and account, category, reference, label, amount,
    // separated by tabs.
    QString toText(const DOCUMENT* doc) const;

    static TRANSACT preparedCopy(const TRANSACT& trans);

private:
    TransactList m_transacts;
};

// The program's clipboard, from start-up (initTransactClipboard) to quit (dispose).
void initTransactClipboard();
void disposeTransactClipboard();
// Null before init or after dispose.
TransactClipboard* transactClipboard();

// The localised name of the family, followed by " - " and the account's name when the account
// ident is not negative.
QString moyenCompteName(int family, long compteID, const DOCUMENT* doc);

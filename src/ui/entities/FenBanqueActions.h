#pragma once
// What the banks-and-accounts window decides, as plain functions over the document, so the
// decisions are tested without widgets: which account may go and how, where a typed letter
// lands, and moving accounts to another bank.
#include "model/ToolTree.h"

#include <QColor>
#include <QList>
#include <QString>

class DOCUMENT;
class MONTANT;
class TOOL;

// The alert (table "Dialogue") refusing to delete a reserved account; empty when it may go.
QString reservedCompteAlert(long compteID, const DOCUMENT& doc);

struct CompteDeletion {
    enum class Kind {
        Delete, // used nowhere: delete after confirmation
        Archive, // a payee used only by transactions: archive its transactions, then delete
        Refuse, // used elsewhere: show the alert, change nothing
    };
    Kind kind = Kind::Refuse;
    QString alertKey; // for Refuse
};
// Runs the where-used probe over every use before anything is touched.
CompteDeletion planCompteDeletion(const TOOL& compte, const DOCUMENT& doc);

// Puts the account under its bank in the display tree unless it is there already.
void showCompteInTree(long compteID, DOCUMENT& doc);
// Removes the account from the document and the display tree.
void deleteCompte(long compteID, DOCUMENT& doc);
// Moves the payee's transactions to the history account (made when missing), then deletes the
// payee; false, with the account and its transactions kept, when no history account can be had.
bool archiveAndDeleteCompte(long compteID, DOCUMENT& doc);

// Whether the accounts may be dropped on that bank: it exists and has their type.
bool canMoveComptesTo(const QList<long>& compteIDs, long banqueID, const DOCUMENT& doc);
// Moves the accounts found to the bank and recomputes both banks' balances; answers how many moved
// (none when canMoveComptesTo refuses).
int moveComptesToBanque(const QList<long>& compteIDs, long banqueID, DOCUMENT& doc);

// The row of the accounts list a typed character selects: the first name equal to it or sorting
// after it, else the last; -1 for a character not taken (not 0-9, A-Z, a-z) or an empty list.
int chercherCompteRow(QChar typed, const ToolNodeList& comptes, const DOCUMENT& doc);

// Dark red for a debt, dark green otherwise; a payee's balance reads the other way round.
QColor soldeColor(const MONTANT& solde, int bType);

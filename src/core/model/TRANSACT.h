#pragma once
// One movement of money, on one date, from the debited account who1 to the credited account
// who2. A transaction has no ident: the document addresses it by its position in its list.
#include "model/MONTANT.h"

#include <QList>
#include <QString>
#include <QUrl>

class DOCUMENT;

// One split line of a transaction.
class MULTI {
public:
    MONTANT montant;
    long posteID = -1;
    QString multiNote;

    MULTI() = default;
    MULTI(long poste, const MONTANT& m, const QString& note) : montant(m), posteID(poste), multiNote(note) {}
};
using MultiList = QList<MULTI>;

// A file attached to a transaction: chosen (docUrl) until the save stores it (docStoreName).
class AttachedDocument {
public:
    QString docVisibleName;
    QString docStoreName; // empty until stored in the package's "Documents" folder
    QString docUrl;       // path of a chosen file not yet stored; empty once stored
};
using AttachedDocumentList = QList<AttachedDocument>;

class TRANSACT {
public:
    double when = 0;
    long who1 = -1;
    long who2 = -1;
    long releveID1 = -1;
    long releveID2 = -1;
    int moyen = 0;
    long synonymeID = -1;
    long posteID = -1;
    long chronoID = -1;
    long previsionID = -1;
    long taxeID = -1;
    long titreID = -1;
    long remunereID = -1;
    long empruntID = -1;
    double nTitre = 0;
    bool isInit = false;
    double planifiedDate = 0;
    long importID = -1;
    bool importTouched = false;
    bool importDoublon = false;
    long synchroID = 0;
    double synchroDate = 0;
    long variante = -1;
    long clotureMarkD = 0;
    long clotureMarkC = 0;
    long devise = 0;
    bool annulation = false;
    bool mark = false; // memory only: never stored, never copied
    MONTANT solde;
    MONTANT taxe;
    MONTANT quote1;
    MONTANT quote2;
    MONTANT quote3;
    QString ref;
    QString why;
    QString whyImport;
    QString note;
    MultiList multis;
    AttachedDocumentList attachedDocuments;
};
using TransactList = QList<TRANSACT>;

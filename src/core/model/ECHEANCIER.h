#pragma once
// A scheduled transaction: a model transaction that repeats by a recurrence rule (type 0), plus
// custom occurrences the user placed by hand, kept sorted by date. Every transaction written from
// a schedule carries the schedule's ident in chronoID and the occurrence date in planifiedDate.
//
// The document keeps its schedules in echeancierHdl. Menus and lists reach them through its
// schedule ident index (DOCUMENT::echeancierIndex): the idents in the order of the schedules'
// names, case ignored, built when the document opens. Without a document there is no index.
#include "model/PECHEANCIER.h"
#include "model/Planificator.h"
#include "model/TRANSACT.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class DOCUMENT;

class ECHEANCIER {
public:
    long ident = -1; // 1..32767 once added to a document
    TRANSACT transact; // copied into each occurrence
    QString nom;
    Planificator planificator; // type 0
    PEcheancierList perso; // sorted by their transaction's when

    // A bare record: no name, a plain transaction and rule.
    ECHEANCIER() = default;
    // The document's new transaction as model (a null document gives the
    // defaults of none), the default name, a rule of type 0 starting on the model's date.
    explicit ECHEANCIER(const DOCUMENT* doc);
    static ECHEANCIER newEcheancier(const DOCUMENT* doc) { return ECHEANCIER(doc); }

    // The same schedule, ident included, with copies of its model, rule and custom occurrences.
    ECHEANCIER clonerEcheancier() const;
    static void disposeChrono(QList<ECHEANCIER>& list) { list.clear(); }
};
using EcheancierList = QList<ECHEANCIER>;

// ---- Functions on schedules ---------------------------------------------------------------------
// Pointers into a document's list live until that list changes.

// The rule is finished and every custom occurrence has been written.
bool echeancierIsFinished(const ECHEANCIER& echeancier);
// 0 for a null schedule.
long echeancierPersoCount(const ECHEANCIER* echeancier);
// A copy of the model dated (when and planifiedDate) on that date, with chronoID the schedule's.
TRANSACT echeancierOccurrenceAtDate(const ECHEANCIER& echeancier, double date);
// A copy of the custom occurrence's transaction with chronoID the schedule's.
TRANSACT echeancierPersoOccurrence(const ECHEANCIER& echeancier, const PECHEANCIER& perso);
// Null outside the list.
PECHEANCIER* echeancierPersoAtIndex(ECHEANCIER& echeancier, long index);
const PECHEANCIER* echeancierPersoAtIndex(const ECHEANCIER& echeancier, long index);
// Inserts before the first custom occurrence dated strictly later, so equal dates keep their
// order of insertion; answers the position.
long echeancierInsertPersoSorted(ECHEANCIER& echeancier, const PECHEANCIER& perso);
// Takes the custom occurrence out and hands it over; none outside the list.
std::optional<PECHEANCIER> echeancierRemovePersoAtIndex(ECHEANCIER& echeancier, long index);

// Nothing without a document.
void enumerateEcheanciers(DOCUMENT* doc, const std::function<void(ECHEANCIER&)>& block);
// The first schedule named so, case ignored; *index (may be null) -1 when none.
bool findEcheancierByName(const QString& name, const DOCUMENT* doc, long* index);
// The first schedule with that ident; *echeancier null and *index -1 when none. Both outputs
// may be null.
bool findEcheancier(long ident, DOCUMENT* doc, ECHEANCIER** echeancier, long* index);
bool findEcheancier(long ident, const DOCUMENT* doc, const ECHEANCIER** echeancier, long* index);
// "kMisc_PasDEcheancier" for -1, the name of the schedule found, "?" otherwise.
QString echeancierNameForIdent(long ident, const DOCUMENT* doc);
// The written transactions of that schedule no longer refer to it.
void detachTransactsFromEcheancier(long ident, DOCUMENT* doc);
// A category replaced by another in every model and custom occurrence.
void replacePosteInEcheanciers(long oldID, long newID, DOCUMENT* doc);

// Null for a null list or an index outside it.
template <typename T> const T* objectAtIndexOrNil(const QList<T>* list, long index)
{
    if (!list || index < 0 || index >= list->size())
        return nullptr;
    return &list->at(index);
}

// ---- The schedule ident index ---------------------------------------------------------------------

// A new index holding every schedule of the document, the old one dropped.
void buildEcheancierIndex(DOCUMENT* doc);
// Inserts the ident before the first indexed schedule whose name sorts after its schedule's
// (case ignored), at the end when none does or the schedule doesn't exist; answers the position
// (-1 without a document).
long insertEcheancierInIndex(long ident, DOCUMENT* doc);
// *position (may be null) -1 when the ident isn't indexed.
bool findEcheancierIndexPosition(long ident, long* position, const DOCUMENT* doc);
// The schedule at that position of the index; false outside the index or when it isn't found.
bool echeancierAtIndexPosition(long position, ECHEANCIER** echeancier, DOCUMENT* doc);
bool echeancierAtIndexPosition(long position, const ECHEANCIER** echeancier, const DOCUMENT* doc);
long echeancierIndexCount(const DOCUMENT* doc);
const QList<long>& echeancierIndexArray(const DOCUMENT* doc);
void enumerateEcheancierIndex(const DOCUMENT* doc, const std::function<void(long ident, long position)>& block);
// Stores the schedule in the document with that ident or, for a negative one, a random ident no
// schedule of the document has, and indexes it; *position (may be null) gets its index position.
// Answers the ident; -1, with nothing stored, when every ident is taken or there is no document.
long addEcheancier(const ECHEANCIER& echeancier, DOCUMENT* doc, long ident, long* position);
// Removes the schedule at that index position from the document, then the position from the index.
void removeEcheancierAtIndexPosition(long position, DOCUMENT* doc);

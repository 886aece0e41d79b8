#pragma once
// The categorisation-rule engine, one shared instance for the whole run. It learns rules from the
// imported transactions the user completed, finds the rule that fits an import reason, applies
// rules to one transaction or to the imported transactions of a listing, and writes a report of
// the rules. Rule lists are plain values: the document's own (DOCUMENT::reglesArray) or one just
// learnt.
#include "model/REGLE.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class DOCUMENT;
class LISTING;
class QObject;
class TRANSACT;

// What applying rules to a listing needs of the table that shows it.
// What a rule gives the transaction it fits: its accounts, category and payment family.
struct RegleAffectation {
    long who1 = -1;
    long who2 = -1;
    long posteID = -1;
    int moyen = 0;
};

class IRegleTable {
public:
    virtual ~IRegleTable() = default;
    // Whether the table shows that listing row selected.
    virtual bool isRowSelected(long row) const = 0;
    // The window controller an alert is shown on; null for an application-modal alert.
    virtual QObject* alertWindow() const = 0;
};

// Asks where to write the rules report (a save panel): the chosen path, empty when cancelled.
using RegleReportPanel = std::function<QString(const QString& defaultName, const QString& fileType)>;

// Which imported transactions of a listing the rules are applied to.
inline constexpr int kApplyReglesUntouched = 0; // those no rule or user completed yet
inline constexpr int kApplyReglesAll = 1;
inline constexpr int kApplyReglesSelection = 2; // those of the table's selected rows

class RegleManager {
public:
    static RegleManager& sharedRegleManager();
    RegleManager(const RegleManager&) = delete;
    RegleManager& operator=(const RegleManager&) = delete;

    // ---- Rule lists ------------------------------------------------------------------------------

    static REGLE allocNewRegle(const DOCUMENT* doc) { return REGLE::allocNewRegle(doc); }
    // 0 for no list.
    static long nbRegles(const RegleList* rules);
    // Null outside 0..count - 1; the pointer lives until the list changes.
    static const REGLE* regleAtIndex(const RegleList& rules, long index);
    static REGLE* regleAtIndex(RegleList& rules, long index);
    static void freeRegle(REGLE& regle) { regle.mots.clear(); }
    static void freeRegles(RegleList& rules) { rules.clear(); }
    // The rule's words joined by single blanks.
    static QString concatMots(const REGLE& regle);

    // ---- Learning --------------------------------------------------------------------------------

    // The rules taught by every pair of imported and completed transactions of the document that
    // went to the same accounts, category and family from the same import account, cleaned and
    // sorted. A reason without any word teaches nothing.
    RegleList computeRegles(const DOCUMENT* doc) const;
    // Counts the words as one more confirmation of every rule with these fields that shares some
    // of them (such a rule keeps only the shared words), stopping at a rule of exactly these words;
    // appends a new rule when none was confirmed.
    void addRegle(RegleList& rules, long importID, const RegleAffectation& affectation, const QStringList& mots) const;
    // Of two rules of one import account with the same words, keeps the one confirmed more often
    // (the later one on a tie).
    void cleanRegles(RegleList& rules) const;
    // By import account; within one, a rule whose words are all in another's comes after it, so
    // the more precise rule is tried first.
    void sortRegles(RegleList& rules) const;
    // Whether a goes before b in sortRegles' order.
    bool infRegle(const REGLE& a, const REGLE& b) const;
    // Where sortRegles inserts the rule: before the first rule it goes before, else at the end.
    long findReglePos(const REGLE& regle, const RegleList& rules) const;

    // ---- Words -----------------------------------------------------------------------------------

    // The distinct words of why2, in its order, that are among the first words of why1; at most
    // kRegleMaxMots.
    void regleFindCommun(const QString& why1, const QString& why2, QStringList& mots2) const;
    // The first kRegleMaxMots distinct words of the text.
    void regleExplode(const QString& why, QStringList& mots) const;

    // ---- Applying ----------------------------------------------------------------------------------

    // What the first rule, in list order, all of whose words are in the reason gives. Only rules
    // of that import account are tried unless reglesManuel (the application's setting of that
    // name) is on. None for a reason without words or an empty list.
    std::optional<RegleAffectation> findRegle(const RegleList& rules, bool reglesManuel, const QString& why,
                                              long importID) const;
    // Completes an imported transaction from the rule its import reason fits, marking it touched.
    // *locked (may be null) is set when the transaction lies in a locked statement and was left
    // alone. The document's payment means of the family may gain a record (cheques and cards).
    bool applyReglesToTransact(const RegleList& rules, bool reglesManuel, TRANSACT& transact, DOCUMENT* doc,
                               bool* locked) const;
    // The positions of the imported transactions of the listing that the kind selects, each once,
    // in listing order. The table may be null (nothing selected).
    std::vector<long> regleTargetsInListing(const LISTING* listing, int kind, const IRegleTable* table,
                                            const DOCUMENT* doc) const;
    // Applies freshly learnt rules to the imported transactions at those positions, replacing
    // each one changed in the document; the windows are told once, with the last replacement.
    // Transactions left alone because they are locked are reported once, in an alert on the
    // window (null: application-modal).
    void applyReglesToTransacts(const std::vector<long>& positions, bool reglesManuel, QObject* alertWindow,
                                DOCUMENT* doc) const;
    // Both steps at once, on the listing as it is.
    void applyReglesToListing(const LISTING* listing, int kind, bool reglesManuel, const IRegleTable* table,
                              DOCUMENT* doc) const;

    // ---- The report ----------------------------------------------------------------------------------

    // Learns the rules afresh and writes their report where the panel says.
    void printRegles(const DOCUMENT* doc, const RegleReportPanel& panel, QObject* window = nullptr) const;
    // Writes the report of the rules (UTF-8) where the panel says and opens it in the default
    // application. Nothing when the panel is cancelled; an alert when the file can't be written.
    // False unless the report was written.
    bool echoRegles(const RegleList& rules, const DOCUMENT* doc, const RegleReportPanel& panel,
                    QObject* window = nullptr) const;
    // Lines ended by a carriage return.
    QString reglesDescriptionString(const RegleList& rules, const DOCUMENT* doc) const;

private:
    RegleManager() = default;
};

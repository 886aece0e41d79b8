#pragma once
// The recurrence rule of a schedule (type 0) or of a forecast (type 1): when its occurrences fall,
// whether the whole series renews itself ("reconduction"), how long a forecast occurrence stays
// valid, how many days ahead a schedule occurrence becomes due, and what has been written already.
//
// A rule is a plain value: copying it copies every saved field. Walking its occurrences is the
// job of PlanificatorWalk, which keeps its own cursor, so a rule is never changed by a walk.
//
// Time units (repeat, renewal and validity): 0 month, 1 week, 2 day, 3 year. Any other code moves
// nothing: the date operations answer 0 for it and the walks end there.
#include <cstdint>
#include <optional>

namespace pugi {
class xml_node;
}
class LoadIssues;
class TRANSACT;
class XmlName;

class Planificator {
public:
    static constexpr int32_t kTypeEcheancier = 0;
    static constexpr int32_t kTypePrevision = 1;

    static constexpr int32_t kUnitMonth = 0;
    static constexpr int32_t kUnitWeek = 1;
    static constexpr int32_t kUnitDay = 2;
    static constexpr int32_t kUnitYear = 3;

    static constexpr int32_t kValideOwnDate = 0;
    static constexpr int32_t kValideEndOfMonth = 1;
    static constexpr int32_t kValideLength = 2;

    int32_t type = kTypeEcheancier;
    double firstDate = 0;
    int32_t repeatTimeUnit = kUnitMonth;
    long repeatTimeUnitCount = 1;
    long nbEcheance = 12; // occurrences of one period
    bool permanent = false; // no occurrence limit
    int32_t reconductionType = 0; // 1 renews after the last occurrence; any other value never does
    int32_t reconductionTimeUnit = kUnitMonth;
    long reconductionTimeUnitCount = 1;
    long reconductionNbEcheance = 1; // number of renewals
    bool reconductionPermanent = false;
    int32_t valideType = kValideLength;
    int32_t valideTimeUnit = kUnitMonth;
    long valideTimeUnitCount = 1;
    int32_t dateEcriture = 0; // 1: a schedule's occurrences fall on the last day of their month
    long avance = 0; // days ahead of its date that a schedule occurrence is due
    double lastWriteDate = 0; // latest regular occurrence written as a real transaction
    long nbWriteEch = 0;
    long nbWritePEch = 0;
    long budgetShift = 0; // months, for the budget views
    int32_t budgetShiftReference = 0;

    Planificator() = default;
    // As initWithFirstDate: every other field at its default.
    Planificator(double date, int32_t ruleType);
    void initWithFirstDate(double firstDate, int32_t type);
    Planificator copyOfPlanificator() const { return *this; }

    // ---- Date steps -------------------------------------------------------------------------

    // The date n units later at 00:00:00, stepped on the day/month/year triple (month and year
    // steps keep the day number); 0 for an unknown unit. n <= 0 only brings the date to midnight.
    static double nextPlanificationDate(double date, int32_t timeUnit, long numberOfUnits);
    // One repeat step from the date.
    double nextChronoDate(double date) const;
    // Seconds from firstDate to firstDate moved n units; 0 when the unit is unknown.
    double oneEcheanceDurationWithTimeUnit(int32_t timeUnit, long count) const;
    double oneEcheanceDuration() const;
    double oneReconductionDuration() const;

    // End of validity of an occurrence falling on the date: the date itself (valideType 0), the
    // last day of its month at 23:59:59 (1), or the day before the date moved by the validity
    // length, at 23:59:59 (2). 0 for any other valideType or an unknown validity unit.
    double computeValideToDate(double date) const;
    // A forecast valid to the end of its month: lastDayOfMonth of the date; otherwise the date.
    double rectifyPrevisionDateForEndOfMonth(double date) const;
    // A schedule written at the end of the month: lastDayOfMonth of the date; otherwise the date.
    double rectifyEcheancierDateForEndOfMonth(double date) const;
    double endOfPrevisionEcheance(double date) const;

    // ---- Durations and queries -------------------------------------------------------------

    // Seconds from firstDate to 23:59:59 of the day the last occurrence of one period ends; -1
    // when permanent.
    double totalDurationEcheance() const;
    // The same up to the end of the last renewal; -1 when it renews without limit.
    double totalDurationReconduction() const;
    double totalDuration() const;
    // Never for an open-ended rule; otherwise whether now is past firstDate + totalDuration.
    bool isFinished() const;
    // How far a schedule's due pass looks today: midnight of today moved forward by the advance
    // days. An occurrence after it is not due yet.
    double awakeHorizon() const;
    // Start of the renewal period that holds the date: firstDate for a rule that is permanent or
    // does not renew.
    double absoluteFirstDateFromPlanificator(double date) const;
    // Walks renewal starts from firstDate: the first start S with S <= date <= S +
    // totalDurationEcheance, or the date itself once a start passes it, falls between periods, or
    // the renewal step doesn't move forward.
    double findFirstDateInReconductiblePlanificator(double date) const;

    // ---- Sub-tree of the owner's record (PlanificatorXml.cpp) -----------------------------

    // The rule held by that element, each missing child at its default (firstDate and
    // lastWriteDate 0); none for a null element. The type comes from the file being read.
    // A first date that can't be read is the model transaction's date (as a rule of the older
    // format has it); a schedule with a date that can't be read, first or last written, counts as
    // written up to today's horizon, so that its guess never brings up occurrences the user may
    // have written already. Each is noted on issues (may be null).
    static std::optional<Planificator> allocFromXMLTree(pugi::xml_node element, int32_t type,
                                                        LoadIssues* issues = nullptr, double modelDate = 0);
    // Appends an element of that name holding every saved field but the type; false when the
    // element can't be made.
    bool appendXMLToTree(pugi::xml_node parent, const XmlName& name) const;
    // The rule of an older record that kept its repeat keys ("tousLes", "periode", ...) directly
    // in the record; the model transaction gives the first date.
    static Planificator tryPlanificatorMigration(pugi::xml_node record, const TRANSACT& transact, int32_t type,
                                                 LoadIssues* issues = nullptr);

    bool operator==(const Planificator&) const = default;

private:
    // The date moved `count` times by one step of that unit, each step from the previous result,
    // as the walk moves; stops early when a step doesn't move forward.
    static double repeatedSteps(double date, int32_t timeUnit, long unitCount, long count);
};

// A walk never takes more steps than this, whatever a rule read from a file says: a daily rule
// walked for a few centuries stays below it.
inline constexpr long kMaxPlanificatorSteps = 100'000;

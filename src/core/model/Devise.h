#pragma once
// A currency slot of a document. A document has exactly five; slot 0 is the reference in which
// every rate is expressed, and every amount carries one value per slot.
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class DOCUMENT;
namespace pugi
{
class xml_node;
}

class Devise;
using DeviseList = QList<Devise>;

inline constexpr int kDeviseSlotCount = 5;

// An entry of the known-currencies list shipped with the program.
struct DeviseTicker {
    QString code; // three-letter code
    QString nom; // the currency's name
};
using DeviseTickerList = QList<DeviseTicker>;

class Devise
{
public:
    QString fullName;
    QString unit;
    bool used = false;
    double convert = 1.0; // worth of one unit in slot 0's currency
    double date = 0; // not stored
    long decimale = 2;
    QString ticker; // three-letter code used to ask for rates
    double updateTime = 0; // last rate refresh, 0 for never

    // The same record without its date.
    Devise copyOfDevise() const;

    // Reading a slot of a currency list; a slot outside the list answers the stated fallback.
    static const Devise* deviseAtIndex(const DeviseList& list, long index);
    static QString deviseToString(const DeviseList& list, long index);
    static double deviseConvertAtIndex(const DeviseList& list, long index);
    static QString deviseUnitAtIndex(const DeviseList& list, long index);
    static QString deviseFullNameAtIndex(const DeviseList& list, long index);
    static QString deviseTickerAtIndex(const DeviseList& list, long index);
    static bool deviseUsedAtIndex(const DeviseList& list, long index);
    static long deviseDecimalesAtIndex(const DeviseList& list, long index);
    static bool findDeviseWithUnit(const DeviseList& list, const QString& unit, long* index);
    static DeviseList copyOfDeviseArray(const DeviseList& list);

    // The five slots of a document without a readable currency file.
    static DeviseList defaultDevises();

    // The known currencies, sorted by name: read from the program's resources on first use and
    // kept for the life of the process.
    static const DeviseTickerList& getDeviseTickers();
    // The list read from the resource; none when the resource is missing or unreadable.
    static std::optional<DeviseTickerList> loadDeviseTickers();
    // The name of the first known currency with exactly that code; empty when none.
    static QString findNameFromTicker(const QString& code);

    // Rates come from the quote service and arrive later, on the main thread.
    using DidUpdateBlock = std::function<void(double cours)>;
    using EndBlock = std::function<void()>;

    // Asks for the price of one unit of the currency `code` in the document's slot 0 currency;
    // didUpdate gets it when it is a usable rate, then end runs exactly once, whatever happened.
    static void updateDeviseTicker(
        const QString& code, DOCUMENT* doc, const DidUpdateBlock& didUpdate, const EndBlock& end);
    // The same for a slot in use above 0; any other slot just ends.
    static void updateDeviseTickerAtIndex(
        long index, DOCUMENT* doc, const DidUpdateBlock& didUpdate, const EndBlock& end);
    // Refreshes the rates of slots 1 to 4 of doc (the open document when none is given), one request
    // after another, then runs end once. Rates are stored only while doc is the open document; once
    // it is not, the refresh asks for nothing more and ends. A refresh asked for while one runs is
    // not started: its end runs at once.
    static void updateDeviseTickers(DOCUMENT* doc, const EndBlock& end);

private:
    struct DeviseRefresh;
    static void updateNextDevise(const std::shared_ptr<DeviseRefresh>& run);
    static void finishDeviseRefresh(const std::shared_ptr<DeviseRefresh>& run);
};

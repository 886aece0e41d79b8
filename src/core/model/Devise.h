#pragma once
// A currency slot of a document. A document has exactly five; slot 0 is the reference in which
// every rate is expressed, and every amount carries one value per slot.
#include <QList>
#include <QString>
#include <optional>

class DOCUMENT;
namespace pugi {
class xml_node;
}

class Devise;
using DeviseList = QList<Devise>;

inline constexpr int kDeviseSlotCount = 5;
// The decimals a rate is written with in the currencies file.
inline constexpr int kDeviseConvertDecimales = 6;

// An entry of the known-currencies list shipped with the program.
struct DeviseTicker {
    QString code; // three-letter code
    QString nom; // the currency's name
};
using DeviseTickerList = QList<DeviseTicker>;

class Devise {
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
};

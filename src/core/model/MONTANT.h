#pragma once
// The money of the system: one value per currency slot, so that every transaction, balance and
// total can be shown in any of the document's currencies. Slot 0 is the reference: sign and
// order look at it alone; equality allows a tolerance below the cent.
#include "model/Devise.h"

#include <QString>
#include <array>

#include "foundation/XmlRecordStream.h"
#include "foundation/xmlmember.h"

class DOCUMENT;

class MONTANT {
public:
    std::array<double, kDeviseSlotCount> values {};

    MONTANT() = default;
    bool operator==(const MONTANT&) const = default;

    bool nullMontant() const;
    bool negativeMontant() const;
    // Sets slot s to v and every other slot to v converted from s.
    void makeMontant(long slot, double v, const DeviseList& devises);
    void setFromMontant(const MONTANT& other) { values = other.values; }
    double getValueForDevise(long slot) const;
    void setValueForDevise(long slot, double v);

    // "-" for a null amount; else the slot's value grouped by three, with the unit when asked.
    QString montantToStringWithDecimales(long slot, const DeviseList* devises, bool showUnit, long d,
                                         QChar virgule) const;

    // The values as the transaction file holds them, so a figure summed from stored amounts reads
    // the same before a save and after the reopening: each slot in use rounded to its currency's
    // decimals exactly as the written text reads back (storedMontantValue). Slots not in use are
    // never shown and are kept; so is an amount of a document whose five currencies are not there.
    void roundAsStored(const DeviseList& devises);

    bool XML_append_montant(pugi::xml_node parent, const XmlName& key, const DeviseList& devises,
                            long decimales = 2) const;
    // The same with each slot written to its own currency's decimals, so a 3-decimal currency keeps
    // its third decimal across saves and a 0-decimal one is written without ".00".
    bool XML_append_montantWithDeviseDecimales(pugi::xml_node parent, const XmlName& key,
                                               const DeviseList& devises) const;
    bool XML_append_montantWithDeviseDecimales(XmlStreamNode parent, const XmlName& key,
                                               const DeviseList& devises) const;

    static const MONTANT& zero();

    // The currency slot windows open in and new records start in, for the whole run: 0 at start
    // and when the document context resets, the document's default when it loads.
    static int currentDeviseSlot();
    static void setCurrentDeviseSlot(int slot);
    static void startMontant();
    static void loadMontant(const DOCUMENT* doc);

    // v × rate(a) ÷ rate(b). Converting into a slot whose rate is 0 (an unused slot) gives 0:
    // an infinite value would poison every sum it enters.
    static double convertMontant(double v, long a, long b, const DeviseList& devises);

    static void addMontant(const MONTANT& a, const MONTANT& b, MONTANT& r);
    static void subMontant(const MONTANT& a, const MONTANT& b, MONTANT& r);
    static void multMontant(const MONTANT& a, double x, MONTANT& r);
    // A zero divisor gives zeros rather than infinities.
    static void divMontant(const MONTANT& a, double x, MONTANT& r);
    static void invertMontant(MONTANT& a);
    static bool supMontant(const MONTANT& a, const MONTANT& b);
    static bool infMontant(const MONTANT& a, const MONTANT& b);
    static bool sameMontant(const MONTANT& a, const MONTANT& b, bool allDevise, const DeviseList& devises);

    static QString montantToStringFromDouble(double v, long dec, QChar virgule);
    // Groups the digits of a plain number text by three with spaces; the point becomes virgule.
    static QString formatMontant(const QString& plain, long dec, QChar virgule);
    static QString montantToStringFromDoubleWithUnit(double v, long dec, QChar virgule, long slot,
                                                     const DeviseList* devises);
};

QString montantToStringForDevise(const MONTANT& m, long slot, const DeviseList* devises, bool showUnit);
// The number that the files' text of v with that many decimals reads back as: both conversions
// are correctly rounded, so this is the stored value to the last bit ("0" for zero or a value
// that is not finite).
double storedMontantValue(double v, long decimales);
bool loadMontantFromXML(pugi::xml_node parent, const XmlName& key, MONTANT& m);
void convertMontantSlot(MONTANT& m, long slot, const DeviseList& devises);
QString trimMontantZeros(const QString& text, long slot, const DeviseList& devises);

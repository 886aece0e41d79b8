#include "VARIANTE.h"

#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/Logo.h"
#include "model/idents.h"

#include <limits>

namespace {

constexpr long kDefaultNombre = 50;
constexpr long kDefaultAlerte = 10;
constexpr long kLongMax = std::numeric_limits<long>::max();
constexpr long kLongMin = std::numeric_limits<long>::min();

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Counts and margins come from files and editors: held at the bounds of long rather than
// wrapping, so an absurd book never turns an alert upside down.
long saturatingAdd(long a, long b)
{
    long sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? kLongMax : kLongMin;
}

long saturatingSub(long a, long b)
{
    long difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference))
        return difference;
    return b < 0 ? kLongMax : kLongMin;
}

QString defaultVarianteName(int family)
{
    switch (family) {
    case kFamilyChequeDebit:
        return localizedMisc(QStringLiteral("kMisc_Chequier"));
    case kFamilyCarteDebit:
        return localizedMisc(QStringLiteral("kMisc_CarteCredit"));
    default:
        return localizedMisc(QStringLiteral("kMisc_DefaultName"));
    }
}

} // namespace

void VARIANTE::defaultVariante(int family, const VarianteList& varianteArray)
{
    alerteDone = false;
    moyenType = family;
    ident = newVarianteID(varianteArray);
    lastNumero = -1;
    nombre = kDefaultNombre;
    limite = dateNow();
    alerte = kDefaultAlerte;
    logoID = -1;
    nom = defaultVarianteName(family);
    numero.clear();
}

VARIANTE VARIANTE::allocNewVariante(int family, const VarianteList& varianteArray)
{
    VARIANTE v;
    v.defaultVariante(family, varianteArray);
    return v;
}

long VARIANTE::newVarianteID(const VarianteList& array)
{
    return newMaxIdent(array, [](const VARIANTE& v) { return v.ident; });
}

long VARIANTE::nbVariantes(const VarianteList* array)
{
    return array ? static_cast<long>(array->size()) : 0;
}

const VARIANTE* VARIANTE::varianteAtIndex(const VarianteList& array, long index)
{
    return index >= 0 && index < array.size() ? &array[index] : nullptr;
}

VARIANTE* VARIANTE::varianteAtIndex(VarianteList& array, long index)
{
    return index >= 0 && index < array.size() ? &array[index] : nullptr;
}

bool VARIANTE::findVariante(long ident, const VarianteList& array, long* index)
{
    for (long i = 0; i < array.size(); ++i) {
        if (array[i].ident == ident) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

VarianteImage VARIANTE::getImageForFamily(int family, const DOCUMENT* doc) const
{
    VarianteImage image;
    if (logoID >= 0) {
        if (doc)
            image.png = Logo::logoImageWithIdent(logoID, *doc);
    } else if (family == kFamilyCarteDebit) {
        image.name = QStringLiteral("carte");
    } else if (family == kFamilyChequeDebit) {
        image.name = QStringLiteral("chequier");
    }
    return image;
}

void VARIANTE::splitReference(const QString& reference, QString* head, QString* zeros, QString* numPart)
{
    qsizetype headLength = reference.size();
    while (headLength > 0 && isAsciiDigit(reference[headLength - 1]))
        --headLength;
    qsizetype zerosEnd = headLength;
    while (zerosEnd < reference.size() && reference[zerosEnd] == QLatin1Char('0'))
        ++zerosEnd;
    if (head)
        *head = reference.left(headLength);
    if (zeros)
        *zeros = reference.mid(headLength, zerosEnd - headLength);
    if (numPart)
        *numPart = reference.mid(zerosEnd);
}

long VARIANTE::referenceNumber(const QString& reference)
{
    QString numPart;
    splitReference(reference, nullptr, nullptr, &numPart);
    long value = 0;
    for (const QChar c : numPart) {
        const long digit = c.unicode() - '0';
        if (value > (kLongMax - digit) / 10)
            return kLongMax;
        value = value * 10 + digit;
    }
    return value;
}

QString VARIANTE::newReference() const
{
    QString head;
    QString zeros;
    QString numPart;
    splitReference(numero, &head, &zeros, &numPart);
    const QString number = lastNumero < 1 ? numPart : QString::number(saturatingAdd(lastNumero, 1));
    const qsizetype gained = number.size() - numPart.size();
    if (gained > 0)
        zeros.chop(gained);
    return head + zeros + number;
}

bool VARIANTE::transactAlerteCheque(const QString& reference, const VARIANTE& variante)
{
    if (variante.alerteDone)
        return false;
    const long first = referenceNumber(variante.numero);
    const long lastCheque = saturatingSub(saturatingAdd(first, variante.nombre), 1);
    return referenceNumber(reference) >= saturatingSub(lastCheque, variante.alerte);
}

bool VARIANTE::transactAlerteCarte(double date, const VARIANTE& variante)
{
    if (variante.alerteDone)
        return false;
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, variante.limite);
    // A day at or below 0 composes into the previous month, so an alert longer than the day
    // of expiry still falls on the right date.
    double alertDate = 0;
    dmyToDate(saturatingSub(day, variante.alerte), month, year, &alertDate);
    return date >= alertDate;
}

#pragma once
// A cheque book or a card of one account: what a transaction names by its `variante` ident.
// A cheque book numbers its cheques from the reference of its first one and warns when few
// remain; a card warns some days before it expires.
#include <QByteArray>
#include <QList>
#include <QString>

class DOCUMENT;
class VARIANTE;
using VarianteList = QList<VARIANTE>;

// What a variant shows as its picture; the window layer decodes it. Either an application image
// by name or the PNG bytes of the variant's logo; neither when there is nothing to show.
struct VarianteImage {
    QString name;
    QByteArray png;
    bool isNull() const { return name.isEmpty() && png.isEmpty(); }
};

// The payment-means families that have variants.
inline constexpr int kFamilyChequeDebit = 9;
inline constexpr int kFamilyCarteDebit = 11;

class VARIANTE {
public:
    bool alerteDone = false; // the alert was given (or declined) and is not asked again
    int moyenType = 0; // family of the owning means; never stored, taken from the means
    long ident = -1; // unique within the owning means' array
    long lastNumero = 0; // number of the last cheque used; below 1 when none was
    long nombre = 0; // cheques in the book
    double limite = 0.0; // a card's expiry date
    long alerte = 0; // cheques: alert when this many or fewer remain; cards: days before limite
    long logoID = -1;
    QString nom;
    QString numero; // reference of the book's first cheque: a head, leading zeros and a number

    bool operator==(const VARIANTE&) const = default;

    // The values of a variant the user creates: its family's default name, 50 cheques, no cheque
    // used, expiry now, alert at 10, the next ident of the owning means' array.
    void defaultVariante(int family, const VarianteList& varianteArray);
    static VARIANTE allocNewVariante(int family, const VarianteList& varianteArray);
    VARIANTE copyOfVariante() const { return *this; }
    static VarianteList copyOfVarianteArray(const VarianteList& array) { return array; }

    // 1 + the largest ident, counted as at least 1: the first ident is 2.
    static long newVarianteID(const VarianteList& array);
    static long nbVariantes(const VarianteList* array);
    // Null outside 0..count - 1.
    static const VARIANTE* varianteAtIndex(const VarianteList& array, long index);
    static VARIANTE* varianteAtIndex(VarianteList& array, long index);
    // The first variant with that ident; index may be null.
    static bool findVariante(long ident, const VarianteList& array, long* index);

    // With a logo, its picture in the document (none when the logo or its file is gone, or
    // without a document); without, the image "carte" for family 11, "chequier" for family 9,
    // none for the others.
    VarianteImage getImageForFamily(int family, const DOCUMENT* doc) const;

    // A reference split into the text up to its last non-digit (head), the zeros that follow
    // and the remaining digits (numPart): "A12B0045" gives "A12B", "00", "45"; "000" gives "",
    // "000", "". Any output may be null.
    static void splitReference(const QString& reference, QString* head, QString* zeros, QString* numPart);
    // The value of a reference's number part, 0 when it has none; a run of digits beyond the
    // range of long is held at the largest long.
    static long referenceNumber(const QString& reference);
    // The reference of the book's next cheque: numero's head, then its zeros less as many as
    // the number gained digits, then lastNumero + 1 (or numero's own number when no cheque was
    // used), so CHQ0099 after 99 gives CHQ0100.
    QString newReference() const;

    // Whether a transaction paid with the cheque of that reference reaches the book's alert:
    // its number is at least the last cheque's number less alerte.
    static bool transactAlerteCheque(const QString& reference, const VARIANTE& variante);
    // Whether a transaction on that date reaches the card's alert: on or after the day that
    // lies alerte days before the expiry date (00:00).
    static bool transactAlerteCarte(double date, const VARIANTE& variante);
};

inline const VARIANTE* varianteAtIndex(const VarianteList& array, long index)
{
    return VARIANTE::varianteAtIndex(array, index);
}
inline VARIANTE* varianteAtIndex(VarianteList& array, long index)
{
    return VARIANTE::varianteAtIndex(array, index);
}

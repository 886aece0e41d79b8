#pragma once
// The transactions the phone sends: a property list in any of its forms (XML, binary or the old
// text form) holding an array of dictionaries, one per transaction, under the keys
//   "debitID", "creditID", "posteID", "kind", "variante", "devise"   integers
//   "when" (seconds since 2001-01-01), "montant" (in the slot "devise")   reals
//   "reference", "info"   texts
// A missing number reads as 0 and a missing text as empty; a number may also come as a numeric
// text (the old text form has nothing else).
#include <QByteArray>
#include <QList>
#include <QString>

class DOCUMENT;

struct PhoneTransaction {
    long debitID = 0;
    long creditID = 0;
    long posteID = 0;
    long kind = 0; // payment-means family
    long variante = 0;
    long devise = 0;
    double when = 0;
    QString reference;
    QString info;
    double montant = 0;
};
using PhoneTransactionList = QList<PhoneTransaction>;

// The list in the data; false, with the reason, when the data is no property list, its top level
// no array, one of its elements no dictionary or one of the values of the wrong kind.
bool readPhoneTransactions(const QByteArray& data, PhoneTransactionList* list, QString* reason);

// Empty when the transaction can be stored in the document as it stands, else what is wrong: a
// currency slot outside 0..4, an account or category the document lacks, a payment-means family
// outside 0..12, an amount or a date that is no finite number, or a date outside the years 1901
// to 2100.
QString phoneTransactionFault(const PhoneTransaction& trans, const DOCUMENT& doc);

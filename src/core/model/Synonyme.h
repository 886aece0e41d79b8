#pragma once
// A user-named alias of a payment-means family.
#include <QList>
#include <QString>

class Synonyme {
public:
    long ident = -1;
};
using SynonymeList = QList<Synonyme>;

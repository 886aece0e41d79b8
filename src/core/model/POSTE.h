#pragma once
// A category of transactions.
#include <QList>
#include <QString>

class POSTE {
public:
    long ident = -1;
};
using PosteList = QList<POSTE>;

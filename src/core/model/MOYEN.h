#pragma once
// A payment means of an account, with its cheque books or cards.
#include <QList>
#include <QString>

class MOYEN {
public:
    long ident = -1;
};
using MoyenList = QList<MOYEN>;

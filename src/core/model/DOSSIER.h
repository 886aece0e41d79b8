#pragma once
// A folder of categories.
#include <QList>
#include <QString>

class DOSSIER {
public:
    long ident = -1;
};
using DossierList = QList<DOSSIER>;

#pragma once
// A picture shown beside entities, stored as a file inside the document.
#include <QList>
#include <QString>

class Logo {
public:
    long ident = -1;
};
using LogoList = QList<Logo>;

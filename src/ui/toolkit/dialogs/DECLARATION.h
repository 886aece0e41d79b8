#pragma once
// What the tax declaration question asks and the tax statement listing is drawn over.
#include <QtGlobal>

// A tax and the period it is declared over.
struct DECLARATION {
    qint64 taxeID = -1;
    double date1 = 0.0;
    double date2 = 0.0;
};

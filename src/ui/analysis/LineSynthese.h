#pragma once
// One line of the month-by-month synthesis view: a month line (its folder total) that can be
// opened, or a folder or category line of an opened month.
#include "engines/AnalyseData.h"

#include <QString>

enum class LineKind : int {
    Dossier = 0,
    Poste = 1,
    Mois = 2,
};

struct LineSynthese {
    bool opened = false;
    LineKind kind = LineKind::Mois;
    QString title;
    AnalyseData analyseData;
    long month = 0; // the month column, from 1
    long ident = -1; // the folder's or category's; -1 for a month line
};

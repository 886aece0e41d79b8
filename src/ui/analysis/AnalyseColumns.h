#pragma once
// The columns shared by the rows and the header of the analysis and budget tables: the name,
// three expense figures, three income figures and the balance.
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/figures.h"

#include <QRect>

#include <algorithm>

namespace analysecolumns {

inline constexpr int kNameWidth = 210;
inline constexpr int kRowHeight = 22;
// What a figure column is given at the least, and what its cells leave on either side of their
// figure (the rows 2 and 5, the totals of the header 4 and 5).
inline constexpr int kLeastDataWidth = 84;
inline constexpr int kLeastSoldeWidth = 96;
inline constexpr int kFigureInsets = 9;

// A figure column holds the largest amount signed either way ("-" or "+", which is wider), upright
// or bold as the rows write it; the header's totals are smaller.
inline int figureColumnWidth(int least)
{
    static const int room = [] {
        const QString minus = largestAmountText();
        const QString plus = QLatin1Char('+') + minus.mid(1);
        int widest = 0;
        for (const bool bold : {false, true})
            widest = std::max({widest, figureRoom(minus, makeListFont(bold, false, 12)),
                               figureRoom(plus, makeListFont(bold, false, 12))});
        return widest + kFigureInsets;
    }();
    return std::max(least, room);
}
inline int dataWidth()
{
    return figureColumnWidth(kLeastDataWidth);
}
inline int soldeWidth()
{
    return figureColumnWidth(kLeastSoldeWidth);
}
inline int totalWidth()
{
    return kNameWidth + 6 * dataWidth() + soldeWidth();
}

// Column 0 the name, 1..6 the figures, 7 the balance; the full height given.
inline QRect columnRect(int column, int height)
{
    if (column == 0)
        return QRect(0, 0, kNameWidth, height);
    if (column <= 6)
        return QRect(kNameWidth + (column - 1) * dataWidth(), 0, dataWidth(), height);
    return QRect(kNameWidth + 6 * dataWidth(), 0, soldeWidth(), height);
}

} // namespace analysecolumns

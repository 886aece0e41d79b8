#pragma once
// The columns shared by the rows and the header of the analysis and budget tables: the name,
// three expense figures, three income figures and the balance.
#include <QRect>

namespace analysecolumns {

inline constexpr int kNameWidth = 210;
inline constexpr int kDataWidth = 84;
inline constexpr int kSoldeWidth = 96;
inline constexpr int kRowHeight = 22;
inline constexpr int kTotalWidth = kNameWidth + 6 * kDataWidth + kSoldeWidth;

// Column 0 the name, 1..6 the figures, 7 the balance; the full height given.
inline QRect columnRect(int column, int height)
{
    if (column == 0)
        return QRect(0, 0, kNameWidth, height);
    if (column <= 6)
        return QRect(kNameWidth + (column - 1) * kDataWidth, 0, kDataWidth, height);
    return QRect(kNameWidth + 6 * kDataWidth, 0, kSoldeWidth, height);
}

} // namespace analysecolumns

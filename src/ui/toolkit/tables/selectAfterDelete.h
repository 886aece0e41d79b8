#pragma once
// The row a list selects once the row at `row` of a list of `oldCount` rows is gone: the same row,
// or the new last one when the last was deleted; -1 (no selection) when the list is now empty.
inline int selectAfterDelete(int row, int oldCount)
{
    const int last = oldCount - 2;
    return row < last ? row : last;
}

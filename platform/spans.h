#pragma once
// Changes of a list of rows' or columns' things and where an index goes
// through them: Count items come in at At; the Count at At go (-1 for
// those); the Count from From move so that the first lands at To, those
// between closing up.
#include <algorithm>
#include <vector>

inline int IndexAfterInsert(int Index, int At, int Count)
{
    return Index >= At ? Index + Count : Index;
}

inline int IndexAfterRemove(int Index, int At, int Count)
{
    if (Index < At)
        return Index;
    return Index < At + Count ? -1 : Index - Count;
}

inline int IndexAfterMove(int Index, int From, int Count, int To)
{
    if (Index >= From && Index < From + Count)
        return Index + To - From;
    if (From < To && Index >= From + Count && Index < To + Count)
        return Index - Count;
    if (To < From && Index >= To && Index < From)
        return Index + Count;
    return Index;
}

// The same move of the items themselves: one rotation of the stretch
// between, whatever the count.
template <typename T>
void MoveSpan(std::vector<T>& Items, int From, int Count, int To)
{
    const auto first = Items.begin();
    if (To < From)
        std::rotate(first + To, first + From, first + From + Count);
    else if (From < To)
        std::rotate(first + From, first + From + Count, first + To + Count);
}

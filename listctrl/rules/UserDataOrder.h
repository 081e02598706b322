#pragma once
#include <vector>

#include "listctrl/UserDataItem.h"

// The row orders of the headers list: ascending by one column, and the
// reversal a repeated sort of the same column asks for.
class UserDataOrder {
public:
    // Sorts by the Name (column Id 0) or the Value (Id 1) in ordinal order
    // of UTF-16 code units (case-sensitive, no locale; a prefix first, the
    // empty text first of all). Rows with equal keys end in no particular
    // order. Any other Id has no key: the rows are left as they are.
    static void Sort(std::vector<UserDataItem>& items, int columnId);

    // First with last, second with second-to-last, and so on.
    static void Reverse(std::vector<UserDataItem>& items);
};

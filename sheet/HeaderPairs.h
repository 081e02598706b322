#pragma once
#include <string>
#include <vector>

#include "listctrl/UserDataItem.h"

class PreferenceSet;

// The name of a header row not filled in yet; such rows are never stored.
constexpr wchar_t PLACEHOLDER_HEADER[] = L".";

// How the additional HTTP headers travel between the preference set and
// the rows of the headers list: as pairs "h_name0", "h_val0", "h_name1",
// ... numbered from 0 without gaps.
class HeaderPairs {
public:
    // Takes the pairs out of the set, up to the first missing number (a
    // name without its value is dropped), as rows; one placeholder row
    // when there are none.
    static std::vector<UserDataItem> TakeRows(PreferenceSet& prefs);

    // Replaces the pairs of an earlier store with the rows' names and
    // values, appended in row order and numbered from 0; placeholder rows
    // are left out.
    static void StoreRows(PreferenceSet& prefs, const std::vector<UserDataItem>& rows);

    static UserDataItem PlaceholderRow() { return UserDataItem{L"", PLACEHOLDER_HEADER, L""}; }

private:
    static std::wstring NameKey(int n) { return L"h_name" + std::to_wstring(n); }
    static std::wstring ValueKey(int n) { return L"h_val" + std::to_wstring(n); }
    // Removes the numbered pairs, up to the first missing number, from the
    // set and gives them as rows.
    static std::vector<UserDataItem> TakePairs(PreferenceSet& prefs);
};

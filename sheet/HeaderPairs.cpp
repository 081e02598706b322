#include "sheet/HeaderPairs.h"

#include "prefs/PreferenceSet.h"

bool HeaderPairs::TakeValue(PreferenceSet& prefs, const std::wstring& key, std::wstring& value) {
    const int position = prefs.FindKey(key);
    if (position < 0) return false;
    value = prefs.ValueAt(position);
    prefs.RemoveAt(position);
    return true;
}

std::vector<UserDataItem> HeaderPairs::TakeRows(PreferenceSet& prefs) {
    std::vector<UserDataItem> rows;
    for (int n = 0;; ++n) {
        UserDataItem row;
        if (!TakeValue(prefs, NameKey(n), row.Name) || !TakeValue(prefs, ValueKey(n), row.Value))
            break;
        rows.push_back(std::move(row));
    }
    if (rows.empty()) rows.push_back(PlaceholderRow());
    return rows;
}

void HeaderPairs::StoreRows(PreferenceSet& prefs, const std::vector<UserDataItem>& rows) {
    std::wstring dropped;
    for (int n = 0; TakeValue(prefs, NameKey(n), dropped); ++n)
        TakeValue(prefs, ValueKey(n), dropped);
    // A pair the set has no room for is left out whole, so that the
    // numbers stay without gaps and loading reads every stored pair back.
    int n = 0;
    for (const UserDataItem& row : rows) {
        if (row.Name == PLACEHOLDER_HEADER || !prefs.Add(NameKey(n), row.Name)) continue;
        if (!prefs.Add(ValueKey(n), row.Value)) {
            prefs.RemoveAt(prefs.Count() - 1);
            continue;
        }
        ++n;
    }
}

#include "sheet/HeaderPairs.h"

#include <string_view>
#include <unordered_map>

#include "prefs/PreferenceSet.h"

std::vector<UserDataItem> HeaderPairs::TakePairs(PreferenceSet& prefs) {
    // One pass over the set finds the first pair of every key, so that a
    // file with a great many header pairs still opens the page at once.
    std::unordered_map<std::wstring_view, int> first;
    first.reserve(static_cast<size_t>(prefs.Count()));
    for (int i = 0; i < prefs.Count(); ++i) first.emplace(prefs.KeyAt(i), i);
    const auto find = [&first](const std::wstring& key) {
        const auto found = first.find(key);
        return found == first.end() ? -1 : found->second;
    };

    std::vector<UserDataItem> rows;
    std::vector<bool> taken(static_cast<size_t>(prefs.Count()), false);
    for (int n = 0;; ++n) {
        const int name = find(NameKey(n));
        if (name < 0) break;
        // A name without its value is dropped, and its key with it.
        taken[static_cast<size_t>(name)] = true;
        const int value = find(ValueKey(n));
        if (value < 0) break;
        taken[static_cast<size_t>(value)] = true;
        rows.push_back(UserDataItem{L"", std::wstring(prefs.ValueAt(name)), std::wstring(prefs.ValueAt(value))});
    }

    PreferenceSet kept;
    for (int i = 0; i < prefs.Count(); ++i)
        if (!taken[static_cast<size_t>(i)]) kept.Add(prefs.KeyAt(i), prefs.ValueAt(i));
    prefs = std::move(kept);
    return rows;
}

std::vector<UserDataItem> HeaderPairs::TakeRows(PreferenceSet& prefs) {
    std::vector<UserDataItem> rows = TakePairs(prefs);
    if (rows.empty()) rows.push_back(PlaceholderRow());
    return rows;
}

void HeaderPairs::StoreRows(PreferenceSet& prefs, const std::vector<UserDataItem>& rows) {
    TakePairs(prefs);
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

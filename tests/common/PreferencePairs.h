#pragma once
// The pairs of a preference set in order, for making and comparing sets in
// tests.
#include <string>
#include <utility>
#include <vector>

#include "prefs/PreferenceSet.h"

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

inline Pairs PairsOf(const PreferenceSet& set) {
    Pairs pairs;
    for (int i = 0; i < set.Count(); ++i)
        pairs.emplace_back(set.KeyAt(i), set.ValueAt(i));
    return pairs;
}

inline PreferenceSet SetOf(const Pairs& pairs) {
    PreferenceSet set;
    for (const auto& pair : pairs) set.Add(pair.first, pair.second);
    return set;
}

#pragma once
// The pairs of a preference set in order, for comparing sets in tests.
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

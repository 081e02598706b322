#include "policy/PolicyOverlay.h"

#include "prefs/PreferenceSet.h"
#include "sheet/HeaderPairs.h"

void PolicyOverlay::BeforeFile(const PolicyLevel& recommended, PreferenceSet& set) {
    SetValues(recommended, set);
}

void PolicyOverlay::AfterFile(const Policies& policies, PreferenceSet& set) {
    if (policies.Recommended.HasHeaders && set.FindKey(L"h_name0") < 0)
        HeaderPairs::StoreRows(set, policies.Recommended.Headers);
    Impose(policies.Mandatory, set);
}

void PolicyOverlay::Impose(const PolicyLevel& mandatory, PreferenceSet& set) {
    SetValues(mandatory, set);
    if (mandatory.HasHeaders) HeaderPairs::StoreRows(set, mandatory.Headers);
}

bool PolicyOverlay::Holds(const PolicyLevel& mandatory, const PreferenceSet& set) {
    for (const auto& value : mandatory.Values) {
        const int position = set.FindKey(value.first);
        if (position < 0 || set.ValueAt(position) != value.second) return false;
    }
    if (!mandatory.HasHeaders) return true;
    // The pairs a load would turn into rows must be the list's, and nothing
    // more: taking them from a copy gives exactly those rows.
    PreferenceSet copy = set;
    std::vector<UserDataItem> rows = HeaderPairs::TakeRows(copy);
    if (mandatory.Headers.empty() && rows.size() == 1 && rows[0].Name == PLACEHOLDER_HEADER) rows.clear();
    if (rows.size() != mandatory.Headers.size()) return false;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Name != mandatory.Headers[i].Name || rows[i].Value != mandatory.Headers[i].Value)
            return false;
    return true;
}

void PolicyOverlay::SetValues(const PolicyLevel& level, PreferenceSet& set) {
    for (const auto& value : level.Values)
        if (!set.SetAt(value.first, value.second)) set.Add(value.first, value.second);
}

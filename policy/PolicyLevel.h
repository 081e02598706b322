#pragma once
#include <string>
#include <utility>
#include <vector>

#include "listctrl/UserDataItem.h"

// The policies of one strength (mandatory or recommended), machine and user
// already combined: the value each set key takes and, when the header list
// is set, its rows.
struct PolicyLevel {
    std::vector<std::pair<std::wstring, std::wstring>> Values;  // in table order
    bool HasHeaders = false;
    std::vector<UserDataItem> Headers;

    bool IsEmpty() const { return Values.empty() && !HasHeaders; }
    // The value the level sets for the key; null when it sets none.
    const std::wstring* Find(const std::wstring& key) const {
        for (const auto& value : Values)
            if (value.first == key) return &value.second;
        return nullptr;
    }
};

// Everything an administrator set.
struct Policies {
    PolicyLevel Mandatory;
    PolicyLevel Recommended;

    bool IsEmpty() const { return Mandatory.IsEmpty() && Recommended.IsEmpty(); }
};

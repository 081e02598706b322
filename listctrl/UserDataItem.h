#pragma once
#include <string>

// One row of the headers list: column Id 0 shows Name, Id 1 Value; Tag
// travels with the row but is never shown.
struct UserDataItem {
    std::wstring Tag;
    std::wstring Name;
    std::wstring Value;
};

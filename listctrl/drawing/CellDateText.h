#pragma once
#include <windows.h>

#include <string>

// Date cells as the grid keeps them (a 14-digit key) and as it shows them
// (the user's short date and time formats).
class CellDateText {
public:
    // The key's fields; false (and an all-zero date) for no or a bad key.
    static bool ToDate(const std::wstring& key, SYSTEMTIME& date);
    // False when a field does not fit the key.
    static bool ToKey(const SYSTEMTIME& date, std::wstring& key);
    // The short date of the user's locale; empty for year 0.
    static std::wstring FormatDate(const SYSTEMTIME& date);
    static std::wstring FormatTime(const SYSTEMTIME& date);
    // Date, time or both, as a cell's flags ask.
    static std::wstring Format(const SYSTEMTIME& date, unsigned flags);
};

#pragma once
#include <string>

// The text form in which date cells store their value: fourteen digits,
// year, month, day, hour, minute, second ("%04d%02d%02d%02d%02d%02d").
// The empty text means no date.
struct DateKey {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;

    // Reads a key; false (and all fields 0) for the empty text and for any
    // text that is not exactly fourteen decimal digits.
    static bool Parse(const std::wstring& text, DateKey& key);

    // Writes the key; false when a field is negative or too wide for its
    // digits, since such a key would not read back.
    bool Format(std::wstring& text) const;
};

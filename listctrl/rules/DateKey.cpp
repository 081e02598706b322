#include "listctrl/rules/DateKey.h"

namespace {

constexpr size_t KeyLength = 14;

int ReadDigits(const std::wstring& text, size_t first, size_t count) {
    int value = 0;
    for (size_t i = first; i < first + count; ++i) value = value * 10 + (text[i] - L'0');
    return value;
}

void WriteDigits(std::wstring& text, int value, size_t count) {
    std::wstring digits(count, L'0');
    for (size_t i = count; i-- > 0; value /= 10) digits[i] = static_cast<wchar_t>(L'0' + value % 10);
    text += digits;
}

}  // namespace

bool DateKey::Parse(const std::wstring& text, DateKey& key) {
    key = DateKey();
    if (text.size() != KeyLength) return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    key.Year = ReadDigits(text, 0, 4);
    key.Month = ReadDigits(text, 4, 2);
    key.Day = ReadDigits(text, 6, 2);
    key.Hour = ReadDigits(text, 8, 2);
    key.Minute = ReadDigits(text, 10, 2);
    key.Second = ReadDigits(text, 12, 2);
    return true;
}

bool DateKey::Format(std::wstring& text) const {
    const int fields[] = {Year, Month, Day, Hour, Minute, Second};
    for (size_t i = 0; i < 6; ++i)
        if (fields[i] < 0 || fields[i] > (i == 0 ? 9999 : 99)) return false;
    text.clear();
    for (size_t i = 0; i < 6; ++i) WriteDigits(text, fields[i], i == 0 ? 4 : 2);
    return true;
}

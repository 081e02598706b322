#include "listctrl/drawing/CellDateText.h"

#include "listctrl/rules/DateKey.h"
#include "listctrl/ListConstants.h"

bool CellDateText::ToDate(const std::wstring& text, SYSTEMTIME& date) {
    date = SYSTEMTIME{};
    DateKey key;
    if (!DateKey::Parse(text, key)) return false;
    date.wYear = static_cast<WORD>(key.Year);
    date.wMonth = static_cast<WORD>(key.Month);
    date.wDay = static_cast<WORD>(key.Day);
    date.wHour = static_cast<WORD>(key.Hour);
    date.wMinute = static_cast<WORD>(key.Minute);
    date.wSecond = static_cast<WORD>(key.Second);
    return true;
}

bool CellDateText::ToKey(const SYSTEMTIME& date, std::wstring& text) {
    const DateKey key{date.wYear, date.wMonth, date.wDay, date.wHour, date.wMinute, date.wSecond};
    return key.Format(text);
}

std::wstring CellDateText::FormatDate(const SYSTEMTIME& date) {
    wchar_t text[32] = L"";
    if (date.wYear == 0 ||
        ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 32) == 0)
        return std::wstring();
    return text;
}

std::wstring CellDateText::FormatTime(const SYSTEMTIME& date) {
    SYSTEMTIME time = date;
    time.wYear = time.wMonth = time.wDay = 0;
    wchar_t text[32] = L"";
    if (::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, 32) == 0)
        return std::wstring();
    return text;
}

std::wstring CellDateText::Format(const SYSTEMTIME& date, unsigned flags) {
    if (flags & CELLF_DATE_ONLY) return FormatDate(date);
    if (flags & CELLF_TIME_ONLY) return FormatTime(date);
    return FormatDate(date) + L" " + FormatTime(date);
}

#include "listctrl/rules/NumericFilter.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "listctrl/ListConstants.h"

namespace {

// The ten decimal digits, which is all the standard digit test means in
// every locale; other scripts' digits would not read back as a number.
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

// The run-time library's reading of a leading integer, held to 32 bits as
// the control's number is on Windows.
long long LeadingInteger(const std::wstring& text) {
    const long long value = std::wcstoll(text.c_str(), nullptr, 10);
    return std::min<long long>(std::max<long long>(value, INT32_MIN), INT32_MAX);
}

}  // namespace

bool NumericFilter::Judges(unsigned flags, wchar_t ch) {
    return (flags & (CELLF_INTEGER | CELLF_DECIMAL)) != 0 && ch != L'\b';
}

NumericFilter::Result NumericFilter::Filter(unsigned flags, wchar_t ch, const std::wstring& text,
                                            int start, int end) {
    Result result;
    if (!Judges(flags, ch)) return result;
    // A selection the control could not report (a combo box without an
    // edit field says -1) counts as the end of the text.
    const int length = static_cast<int>(text.size());
    start = start < 0 ? length : std::min(start, length);
    end = end < 0 ? length : Clamp(end, start, length);
    if ((flags & CELLF_SIGNED) && ch == L'-') return ToggleSign(flags, text, start, end);
    result.Accept = Accepts(flags, text.substr(0, start) + ch + text.substr(end));
    return result;
}

NumericFilter::Result NumericFilter::ToggleSign(unsigned flags, const std::wstring& text,
                                                int start, int end) {
    Result result;
    result.Accept = false;
    result.Replace = true;
    bool wasNegative;
    if (flags & CELLF_DECIMAL) {
        const double value = std::wcstod(text.c_str(), nullptr);
        wasNegative = value < 0;
        result.Text = std::to_wstring(-value);  // "%lf": six decimals
    } else {
        const long long value = LeadingInteger(text);
        wasNegative = value < 0;
        // The lowest 32-bit number has no positive twin: it becomes the highest.
        result.Text = std::to_wstring(std::min<long long>(-value, INT32_MAX));
    }
    // The selection stays over the same digits: the sign came or went before them.
    const int shift = wasNegative ? -1 : 1;
    const int length = static_cast<int>(result.Text.size());
    result.SelectionStart = Clamp(start + shift, 0, length);
    result.SelectionEnd = Clamp(end + shift, 0, length);
    return result;
}

bool NumericFilter::Accepts(unsigned flags, const std::wstring& candidate) {
    const std::wstring comparators = L"<=>";
    int count[3] = {0, 0, 0};
    int last[3] = {-1, -1, -1};
    int points = 0;
    int lastMinus = -1;
    int firstDigit = -1;
    for (int i = 0; i < static_cast<int>(candidate.size()); ++i) {
        const wchar_t c = candidate[i];
        const size_t comparator = comparators.find(c);
        if (c == L'-') {
            lastMinus = i;
        } else if (c == L'.') {
            if (!(flags & CELLF_DECIMAL)) return false;
            ++points;
        } else if (comparator != std::wstring::npos) {
            if (!(flags & CELLF_COMPARATORS)) return false;
            ++count[comparator];
            last[comparator] = i;
        } else if (IsDigit(c)) {
            if (firstDigit < 0) firstDigit = i;
        } else {
            return false;
        }
        if (points > 1 || count[0] > 1 || count[1] > 1 || count[2] > 1) return false;
    }
    const int less = last[0], equal = last[1], greater = last[2];
    if (equal >= 0 && (equal < greater || equal < less)) return false;
    if (firstDigit >= 0 && std::max({less, equal, greater, lastMinus}) > firstDigit) return false;
    return true;
}

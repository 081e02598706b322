#include "prefs/StagedFileName.h"

namespace {
constexpr std::wstring_view kSuffix = L".tmp";
constexpr unsigned long long kLargest = 0xFFFFFFFFull;
}

std::wstring StagedFileName::Make(const std::wstring& target, unsigned long process, unsigned long tick,
                                  unsigned long number) {
    return target + L"." + std::to_wstring(process) + L"-" + std::to_wstring(tick) + L"-" +
           std::to_wstring(number) + std::wstring(kSuffix);
}

std::optional<unsigned long> StagedFileName::WriterOf(std::wstring_view targetName, std::wstring_view fileName) {
    if (fileName.size() <= targetName.size() + 1 + kSuffix.size() ||
        fileName.substr(0, targetName.size()) != targetName || fileName[targetName.size()] != L'.' ||
        fileName.substr(fileName.size() - kSuffix.size()) != kSuffix)
        return std::nullopt;
    // "<process>-<tick>-<n>." with the dot of the suffix closing the last number.
    std::wstring_view middle = fileName.substr(targetName.size() + 1, fileName.size() - targetName.size() - 4);
    const std::optional<unsigned long> process = TakeNumber(middle, L'-');
    if (!process || !TakeNumber(middle, L'-') || !TakeNumber(middle, L'.') || !middle.empty())
        return std::nullopt;
    return process;
}

std::optional<unsigned long> StagedFileName::TakeNumber(std::wstring_view& text, wchar_t end) {
    size_t digits = 0;
    unsigned long long value = 0;
    while (digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9') {
        value = value * 10 + static_cast<unsigned long long>(text[digits] - L'0');
        if (value > kLargest)
            return std::nullopt;
        ++digits;
    }
    // No digits, a leading zero, or something else after them.
    if (digits == 0 || (digits > 1 && text[0] == L'0') || digits == text.size() || text[digits] != end)
        return std::nullopt;
    text.remove_prefix(digits + 1);
    return static_cast<unsigned long>(value);
}

#include "prefs/StagedFileName.h"

namespace {
constexpr std::wstring_view kSuffix = L".tmp";
constexpr unsigned long long kLargest = 0xFFFFFFFFull;
constexpr size_t kMachineDigits = 16;
constexpr wchar_t kHexDigits[] = L"0123456789abcdef";
}

unsigned long long StagedFileName::MachineTag(std::wstring_view computerName) {
    unsigned long long hash = 14695981039346656037ull;
    for (wchar_t c : computerName) {
        hash ^= static_cast<unsigned long long>(static_cast<unsigned short>(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

std::wstring StagedFileName::Make(const std::wstring& target, std::optional<unsigned long long> machine,
                                  unsigned long process, unsigned long tick, unsigned long number) {
    std::wstring name = target + L".";
    if (machine) {
        for (int shift = 60; shift >= 0; shift -= 4)
            name.push_back(kHexDigits[(*machine >> shift) & 0xF]);
        name.push_back(L'.');
    }
    return name + std::to_wstring(process) + L"-" + std::to_wstring(tick) + L"-" + std::to_wstring(number) +
           std::wstring(kSuffix);
}

std::optional<StagedFileName::Writer> StagedFileName::WriterOf(std::wstring_view targetName,
                                                               std::wstring_view fileName) {
    if (fileName.size() <= targetName.size() + 1 + kSuffix.size() ||
        fileName.substr(0, targetName.size()) != targetName || fileName[targetName.size()] != L'.' ||
        fileName.substr(fileName.size() - kSuffix.size()) != kSuffix)
        return std::nullopt;
    // "[<machine>.]<process>-<tick>-<n>." with the dot of the suffix closing the last number.
    std::wstring_view middle = fileName.substr(targetName.size() + 1, fileName.size() - targetName.size() - 4);
    const std::optional<unsigned long long> machine = TakeMachine(middle);
    const std::optional<unsigned long> process = TakeNumber(middle, L'-');
    if (!process || !TakeNumber(middle, L'-') || !TakeNumber(middle, L'.') || !middle.empty())
        return std::nullopt;
    return Writer{machine, *process};
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

std::optional<unsigned long long> StagedFileName::TakeMachine(std::wstring_view& text) {
    if (text.size() <= kMachineDigits || text[kMachineDigits] != L'.')
        return std::nullopt;
    unsigned long long machine = 0;
    for (size_t i = 0; i < kMachineDigits; ++i) {
        const std::wstring_view digits(kHexDigits);
        const size_t digit = digits.find(text[i]);
        if (digit == std::wstring_view::npos)
            return std::nullopt;
        machine = machine * 16 + digit;
    }
    text.remove_prefix(kMachineDigits + 1);
    return machine;
}

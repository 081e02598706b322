#include "framework/HyperLinkText.h"

#include <climits>

namespace {

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

bool HyperLinkText::TagAt(std::wstring_view text, std::size_t position, std::wstring_view tag) {
    if (text.size() - position < tag.size()) return false;
    for (std::size_t i = 0; i < tag.size(); ++i)
        if (AsciiLower(text[position + i]) != tag[i]) return false;
    return true;
}

LinkLabelParts HyperLinkText::SplitLabel(std::wstring_view label) {
    constexpr std::wstring_view kOpen = L"<a>";
    constexpr std::wstring_view kClose = L"</a>";
    LinkLabelParts parts;
    bool opened = false;
    std::size_t linkStart = 0;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] != L'<') continue;
        if (!opened) {
            if (!TagAt(label, i, kOpen)) continue;
            opened = true;
            parts.Before = label.substr(0, i);
            linkStart = i + kOpen.size();
        } else if (TagAt(label, i, kClose)) {
            parts.Link = label.substr(linkStart, i - linkStart);
            parts.After = label.substr(i + kClose.size());
            break;
        }
    }
    return opened ? parts : LinkLabelParts{};
}

int HyperLinkText::LeadingNumber(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::optional<std::uint32_t> HyperLinkText::ParseColorTriplet(std::wstring_view text) {
    int components[3] = {};
    for (int i = 0; i < 2; ++i) {
        const std::size_t comma = text.find(L',');
        if (comma == std::wstring_view::npos) return std::nullopt;
        components[i] = LeadingNumber(text.substr(0, comma));
        if (components[i] == -1) return std::nullopt;
        text.remove_prefix(comma + 1);
    }
    if (text.empty()) return std::nullopt;
    components[2] = LeadingNumber(text);
    const auto low8 = [](int value) { return static_cast<std::uint32_t>(value) & 0xFFu; };
    return low8(components[0]) | low8(components[1]) << 8 | low8(components[2]) << 16;
}

#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// The three parts of a hyperlink label "before<A>link</A>after", as views
// into the label.
struct LinkLabelParts {
    std::wstring_view Before;
    std::wstring_view Link;
    std::wstring_view After;
};

// The texts a hyperlink control reads: its tagged label and the link
// colours of the browser's settings. Portable, so it means the same here
// and on Windows.
class HyperLinkText {
public:
    // Splits the label at its first "<A>" and the first "</A>" after it (in
    // either case). Without an opening tag all parts are empty; without a
    // closing tag the link part is.
    static LinkLabelParts SplitLabel(std::wstring_view label);

    // A colour written "r,g,b" (blanks allowed before each number, the low
    // 8 bits of each taken), as 0x00BBGGRR; nothing when a comma is
    // missing, the third number is missing, or the first or second reads
    // as -1.
    static std::optional<std::uint32_t> ParseColorTriplet(std::wstring_view text);

private:
    static bool TagAt(std::wstring_view text, std::size_t position, std::wstring_view tag);
    // The leading number of the text as the C runtime reads one: blanks,
    // a sign and decimal digits, saturated at the int range; 0 without digits.
    static int LeadingNumber(std::wstring_view text);
};

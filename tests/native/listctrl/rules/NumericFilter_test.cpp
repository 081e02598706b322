#include <gtest/gtest.h>

#include <string>

#include "listctrl/ListConstants.h"
#include "listctrl/rules/NumericFilter.h"

namespace {

constexpr unsigned INT = CELLF_INTEGER;
constexpr unsigned DEC = CELLF_DECIMAL;
constexpr unsigned CMP = CELLF_COMPARATORS;
constexpr unsigned SIGNED = CELLF_SIGNED;

struct CandidateCase {
    unsigned flags;
    const wchar_t* candidate;
    bool accepted;
};

}  // namespace

TEST(NumericFilterCandidates, DigitsSignPointAndComparatorsInTheirPlaces) {
    const CandidateCase cases[] = {
        {INT | CMP, L"<=12", true},
        {INT | CMP, L">=-3", true},
        {INT | CMP, L"<>5", true},
        {DEC, L"-1.5", true},
        {INT, L"", true},
        {INT, L"-", true},
        {DEC, L".5", true},
        {INT | CMP, L"=>1", false},  // '=' before '>'
        {INT | CMP, L"=<1", false},  // '=' before '<'
        {INT | CMP, L"1<", false},   // comparator after the digits
        {INT | CMP, L"1=", false},
        {INT, L"5-", false},         // minus after the digits
        {INT, L"1-2", false},
        {DEC, L"1.2.3", false},      // two points
        {INT | CMP, L"<<1", false},  // a comparator twice
        {INT | CMP, L">>", false},
        {INT, L"1.5", false},        // a point needs CELLF_DECIMAL
        {INT, L"<1", false},         // comparators need CELLF_COMPARATORS
        {INT | DEC | CMP, L"1a", false},
        {INT, L"1 2", false},
        {INT, L"\x0661", false},     // a digit of another script
        {INT, L"\xFF11", false},
    };
    for (const CandidateCase& c : cases)
        EXPECT_EQ(NumericFilter::Accepts(c.flags, c.candidate), c.accepted)
            << "flags " << c.flags << " text " << testing::PrintToString(std::wstring(c.candidate));
}

namespace {

struct TypingCase {
    unsigned flags;
    wchar_t ch;
    const wchar_t* text;
    int start, end;
    bool accept;
    bool replace;
    const wchar_t* newText;  // when replaced
    int newStart, newEnd;
};

}  // namespace

TEST(NumericFilterTyping, CharacterGoesInReplacesTheSelectionOrTogglesTheSign) {
    const TypingCase cases[] = {
        // Cells that are not numeric, and Backspace, are never judged.
        {0, L'x', L"12", 2, 2, true, false, L"", 0, 0},
        {CELLF_UPPERCASE, L'-', L"12", 2, 2, true, false, L"", 0, 0},
        {INT, L'\b', L"abc", 1, 1, true, false, L"", 0, 0},
        // The candidate is the text with ch over the selection.
        {INT, L'7', L"12", 1, 1, true, false, L"", 0, 0},
        {INT, L'x', L"12", 1, 1, false, false, L"", 0, 0},
        {DEC, L'.', L"1.5", 1, 2, true, false, L"", 0, 0},  // replaces the point
        {DEC, L'.', L"1.5", 3, 3, false, false, L"", 0, 0},
        // Unsigned: '-' may go before the digits, not after them.
        {INT, L'-', L"12", 0, 0, true, false, L"", 0, 0},
        {INT, L'-', L"12", 2, 2, false, false, L"", 0, 0},
        // Signed: '-' negates the number and the selection follows the digits.
        {INT | SIGNED, L'-', L"12", 2, 2, false, true, L"-12", 3, 3},
        {INT | SIGNED, L'-', L"-12", 3, 3, false, true, L"12", 2, 2},
        {INT | SIGNED, L'-', L"12", 0, 2, false, true, L"-12", 1, 3},
        {DEC | SIGNED, L'-', L"1.5", 1, 1, false, true, L"-1.500000", 2, 2},
        {DEC | SIGNED, L'-', L"-1.5", 0, 0, false, true, L"1.500000", 0, 0},
        {INT | SIGNED, L'-', L"", 0, 0, false, true, L"0", 1, 1},
        // The lowest 32-bit number has no positive twin.
        {INT | SIGNED, L'-', L"-2147483648", 0, 0, false, true, L"2147483647", 0, 0},
        {INT | SIGNED, L'-', L"99999999999", 0, 0, false, true, L"-2147483647", 1, 1},
        // A selection the control could not report counts as the end.
        {INT, L'-', L"12", -1, -1, false, false, L"", 0, 0},
        {INT, L'3', L"12", 7, 9, true, false, L"", 0, 0},
    };
    for (const TypingCase& c : cases) {
        const NumericFilter::Result r =
            NumericFilter::Filter(c.flags, c.ch, c.text, c.start, c.end);
        const std::string where = "flags " + std::to_string(c.flags) + " char " +
                                  std::to_string(int(c.ch)) + " on " +
                                  testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(r.Accept, c.accept) << where;
        EXPECT_EQ(r.Replace, c.replace) << where;
        if (!c.replace) continue;
        EXPECT_EQ(r.Text, c.newText) << where;
        EXPECT_EQ(r.SelectionStart, c.newStart) << where;
        EXPECT_EQ(r.SelectionEnd, c.newEnd) << where;
    }
}

#pragma once
#include <string>

// The characters a cell editor lets into a numeric cell (CELLF_INTEGER or
// CELLF_DECIMAL), judged on the text the editor would hold afterwards.
// Flags are the cell flags; positions count UTF-16 code units.
class NumericFilter {
public:
    // What becomes of one typed character.
    struct Result {
        bool Accept = true;    // the control inserts the character itself
        bool Replace = false;  // the control's text and selection become these instead
        std::wstring Text;
        int SelectionStart = 0;
        int SelectionEnd = 0;
    };

    // Whether the character is judged at all: only in numeric cells, and
    // Backspace never. The editor reads its text only when it is.
    static bool Judges(unsigned flags, wchar_t ch);

    // The fate of ch typed over the selection [start, end) of text. A '-'
    // in a signed cell negates the whole number instead of being typed.
    static Result Filter(unsigned flags, wchar_t ch, const std::wstring& text, int start,
                         int end);

    // Whether a numeric cell may hold the candidate text: digits, a minus
    // before them, with CELLF_DECIMAL one point, with CELLF_COMPARATORS at
    // most one each of '<', '=', '>' before the digits, '=' last of them.
    static bool Accepts(unsigned flags, const std::wstring& candidate);

private:
    static Result ToggleSign(unsigned flags, const std::wstring& text, int start, int end);
};

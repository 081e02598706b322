#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Finds a row by the first letters of its text as they are typed. Letters
// typed less than PAUSE_MS apart build one search text; after a pause a
// letter starts a new one. Repeating one letter moves on to the next row
// that begins with it. The clock is given so that tests can run it.
class TypeAhead {
public:
    using Clock = std::function<std::uint32_t()>;  // milliseconds; may wrap
    using RowText = std::function<std::wstring(int row)>;
    static constexpr std::uint32_t PAUSE_MS = 800;

    explicit TypeAhead(Clock clock) : m_clock(std::move(clock)) {}

    // The row to select for a typed upper-case letter, with currentRow the
    // focus row (-1 for none) among rowCount rows: -1 when no row begins
    // with the search text, or when the focus row already does.
    int Find(wchar_t letter, int currentRow, int rowCount, const RowText& textOf);

    const std::wstring& SearchText() const { return m_text; }

    // Case-insensitive over the prefix's length (letters A to Z fold).
    static bool BeginsWith(const std::wstring& text, const std::wstring& prefix);

private:
    Clock m_clock;
    std::wstring m_text;
    std::uint32_t m_time = 0;
};

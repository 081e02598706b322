#pragma once
#include <optional>
#include <string>
#include <string_view>

// The names of the temporary files a save writes beside its target:
// "<target>.<process>-<tick>-<n>.tmp", the id of the writing process, the
// tick count when it was named and a number counting that process's saves.
// Telling them apart from every other name lets a later save remove what an
// interrupted one left behind, and nothing else.
class StagedFileName {
public:
    static std::wstring Make(const std::wstring& target, unsigned long process, unsigned long tick,
                             unsigned long number);

    // The writing process of a temporary file of the target (both plain
    // file names, no folder), or nothing for any name Make does not form.
    static std::optional<unsigned long> WriterOf(std::wstring_view targetName, std::wstring_view fileName);

private:
    // A decimal number as to_wstring writes one, 32 bits at most; the text
    // is consumed up to the byte after it, which must be `end`.
    static std::optional<unsigned long> TakeNumber(std::wstring_view& text, wchar_t end);
};

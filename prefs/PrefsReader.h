#pragma once
#include <string>
#include <string_view>

class AnsiCodePage;
class PreferenceSet;

// The tolerant reader of the preferences file. Every "key: value" pair
// found between braces is laid over the set (Remove, then Add), so a key
// from the file moves to the end with its new value and a repeated key
// keeps its last occurrence. Anything it cannot make sense of is skipped.
class PrefsReader {
public:
    explicit PrefsReader(const AnsiCodePage& codePage);

    // Overlays the pairs of a file whose bytes are given as they are on disk.
    void Overlay(std::string_view fileBytes, PreferenceSet& set) const;

    // The text as a text-mode read sees it: CR LF reads as LF, and a byte
    // 0x1A or a NUL ends the text.
    static std::string TextFromFile(std::string_view fileBytes);

private:
    std::wstring DecodeValue(std::string_view token) const;
    static std::wstring Unescape(std::wstring text);
    static int HexDigitValue(wchar_t c);

    const AnsiCodePage& m_codePage;
};

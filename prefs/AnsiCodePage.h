#pragma once
#include <string>
#include <string_view>

// Converts between the preferences file's 8-bit text and UTF-16 code units
// (held in std::wstring). Raw bytes 0x80-0xFF in older files, and keys,
// which are written as they stand, go through the ANSI code page; the
// portable reader and writer take the conversion as a parameter so they
// stay free of the Windows API.
class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    // Appends the code units of the bytes to the text (nothing when they
    // cannot be converted).
    virtual void AppendDecoded(std::string_view bytes, std::wstring& text) const = 0;
    // Code units that the code page cannot represent become "?".
    virtual std::string Encode(std::wstring_view text) const = 0;
};

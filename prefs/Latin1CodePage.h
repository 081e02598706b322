#pragma once
#include "prefs/AnsiCodePage.h"

// The code page that maps every byte to the code unit of the same value
// (ISO 8859-1): the conversion of the portable code's tests and fuzzing,
// where no Windows code page is at hand.
class Latin1CodePage : public AnsiCodePage {
public:
    void AppendDecoded(std::string_view bytes, std::wstring& text) const override;
    std::string Encode(std::wstring_view text) const override;
};

#include "prefs/Latin1CodePage.h"

std::wstring Latin1CodePage::Decode(std::string_view bytes) const {
    std::wstring text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return text;
}

std::string Latin1CodePage::Encode(std::wstring_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text)
        bytes.push_back(static_cast<unsigned long>(c) <= 0xFF ? static_cast<char>(c) : '?');
    return bytes;
}

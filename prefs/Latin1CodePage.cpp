#include "prefs/Latin1CodePage.h"

void Latin1CodePage::AppendDecoded(std::string_view bytes, std::wstring& text) const {
    const size_t start = text.size();
    text.resize(start + bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        text[start + i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
}

std::string Latin1CodePage::Encode(std::wstring_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text)
        bytes.push_back(static_cast<unsigned long>(c) <= 0xFF ? static_cast<char>(c) : '?');
    return bytes;
}

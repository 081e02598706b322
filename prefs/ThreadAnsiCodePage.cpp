#include "prefs/ThreadAnsiCodePage.h"

#include <windows.h>

#include <climits>

namespace {
// Every ANSI code page is ASCII below 0x80, so such text needs no conversion
// call: the common case of keys, values and the file's own punctuation.
bool IsAscii(std::wstring_view text) {
    for (wchar_t c : text) {
        if (static_cast<unsigned long>(c) >= 0x80)
            return false;
    }
    return true;
}
}

void ThreadAnsiCodePage::AppendDecoded(std::string_view bytes, std::wstring& text) const {
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX))
        return;
    const size_t start = text.size();
    // Widened on the chance that the bytes are ASCII (one loop that also
    // finds out); otherwise the code page decides.
    text.resize(start + bytes.size());
    unsigned char seen = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        seen |= byte;
        text[start + i] = static_cast<wchar_t>(byte);
    }
    if (seen < 0x80)
        return;
    text.resize(start);
    const int byteCount = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), byteCount, nullptr, 0);
    if (length <= 0)
        return;
    text.resize(start + static_cast<size_t>(length));
    MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), byteCount, &text[start], length);
}

std::string ThreadAnsiCodePage::Encode(std::wstring_view text) const {
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX))
        return std::string();
    if (IsAscii(text))
        return std::string(text.begin(), text.end());
    const int unitCount = static_cast<int>(text.size());
    // No best-fit substitutes: a character the code page lacks becomes "?"
    // rather than a look-alike. UTF-8 as the ANSI code page takes no flags.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int length = WideCharToMultiByte(CP_THREAD_ACP, flags, text.data(), unitCount, nullptr, 0, nullptr, nullptr);
    if (length <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        length = WideCharToMultiByte(CP_THREAD_ACP, flags, text.data(), unitCount, nullptr, 0, nullptr, nullptr);
    }
    if (length <= 0)
        return std::string();
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, flags, text.data(), unitCount, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

#include "listctrl/rules/TypeAhead.h"

namespace {

wchar_t Fold(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

bool TypeAhead::BeginsWith(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Fold(text[i]) != Fold(prefix[i])) return false;
    return true;
}

int TypeAhead::Find(wchar_t letter, int currentRow, int rowCount, const RowText& textOf) {
    const std::uint32_t now = m_clock();
    const bool newLetter = m_text.empty() || letter != m_text[0];
    int start = currentRow + 1;
    if (m_text.empty() || now - m_time >= PAUSE_MS) {
        if (newLetter) start = 0;
        m_text.assign(1, letter);
    } else {
        if (newLetter) m_text += letter;
        if (m_text.size() >= 2 && currentRow >= 0 && currentRow < rowCount &&
            BeginsWith(textOf(currentRow), m_text)) {
            m_time = now;
            return -1;
        }
    }
    m_time = now;
    for (int row = start; row < rowCount; ++row)
        if (BeginsWith(textOf(row), m_text)) return row;
    for (int row = 0; row < start && row < rowCount; ++row)
        if (BeginsWith(textOf(row), m_text)) return row;
    return -1;
}

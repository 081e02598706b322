#include "prefs/PrefsTokenizer.h"

PrefsTokenizer::PrefsTokenizer(std::string_view text) : m_text(text), m_pos(0), m_exhausted(false) {}

bool PrefsTokenizer::IsWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool PrefsTokenizer::IsDelimiter(char c) {
    return IsWhitespace(c) || c == ',' || c == ':' || c == '{' || c == '}';
}

bool PrefsTokenizer::Exhausted() const {
    return m_exhausted;
}

std::string_view PrefsTokenizer::NextToken() {
    if (m_exhausted)
        return {};
    SkipWhitespace();
    if (m_pos >= m_text.size())
        return TakeToEnd();

    const size_t start = m_pos;
    if (IsDelimiter(m_text[start])) {
        ++m_pos;
        return m_text.substr(start, 1);
    }
    size_t pos = start;
    while (pos < m_text.size()) {
        const char c = m_text[pos];
        if (c == '"' || c == '\'') {
            pos = SkipQuotedRun(pos);
            if (pos == std::string_view::npos)
                return TakeToEnd();
        } else if (IsDelimiter(c)) {
            // The delimiter stays for the next call.
            m_pos = pos;
            return m_text.substr(start, pos - start);
        } else {
            ++pos;
        }
    }
    return TakeToEnd();
}

void PrefsTokenizer::SkipWhitespace() {
    while (m_pos < m_text.size() && IsWhitespace(m_text[m_pos]))
        ++m_pos;
}

size_t PrefsTokenizer::SkipQuotedRun(size_t open) const {
    const char quote = m_text[open];
    for (size_t pos = open + 1; pos < m_text.size(); ++pos) {
        if (m_text[pos] == '\\')
            ++pos;
        else if (m_text[pos] == quote)
            return pos + 1;
    }
    return std::string_view::npos;
}

std::string_view PrefsTokenizer::TakeToEnd() {
    m_pos = m_text.size();
    m_exhausted = true;
    return {};
}

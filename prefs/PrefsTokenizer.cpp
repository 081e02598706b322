#include "prefs/PrefsTokenizer.h"

namespace {

enum ByteClass : unsigned char { ORDINARY, WHITESPACE, DELIMITER, QUOTE, END, BACKSLASH };

// One look-up a byte instead of a chain of comparisons.
struct ByteClasses {
    unsigned char of[256] = {};
    constexpr ByteClasses() {
        for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
            of[c] = WHITESPACE;
        for (unsigned char c : {',', ':', '{', '}'})
            of[c] = DELIMITER;
        of[static_cast<unsigned char>('"')] = QUOTE;
        of[static_cast<unsigned char>('\'')] = QUOTE;
        of[0x00] = END;
        of[0x1A] = END;
        // Ordinary outside quoted runs; inside them, it escapes a byte.
        of[static_cast<unsigned char>('\\')] = BACKSLASH;
    }
};
constexpr ByteClasses kClasses;

ByteClass ClassOf(char c) {
    return static_cast<ByteClass>(kClasses.of[static_cast<unsigned char>(c)]);
}

}  // namespace

PrefsTokenizer::PrefsTokenizer(std::string_view text) : m_text(text), m_pos(0), m_exhausted(false) {}

bool PrefsTokenizer::Exhausted() const {
    return m_exhausted;
}

std::string_view PrefsTokenizer::NextToken() {
    if (m_exhausted)
        return {};
    const char* const end = m_text.data() + m_text.size();
    const char* at = m_text.data() + m_pos;
    while (at != end && ClassOf(*at) == WHITESPACE)
        ++at;
    if (at == end || ClassOf(*at) == END)
        return TakeToEnd();

    const char* const start = at;
    if (ClassOf(*at) == DELIMITER) {
        m_pos = static_cast<size_t>(at + 1 - m_text.data());
        return std::string_view(start, 1);
    }
    for (;;) {
        while (at != end && (ClassOf(*at) == ORDINARY || ClassOf(*at) == BACKSLASH))
            ++at;
        if (at == end || ClassOf(*at) == END)
            return TakeToEnd();
        if (ClassOf(*at) != QUOTE) {
            // The delimiter stays for the next call.
            m_pos = static_cast<size_t>(at - m_text.data());
            return std::string_view(start, static_cast<size_t>(at - start));
        }
        at = SkipQuotedRun(at, end);
        if (at == nullptr)
            return TakeToEnd();
    }
}

const char* PrefsTokenizer::SkipQuotedRun(const char* open, const char* end) {
    const char quote = *open;
    for (const char* at = open + 1;; ++at) {
        while (at != end && ClassOf(*at) <= DELIMITER)
            ++at;
        if (at == end || ClassOf(*at) == END)
            return nullptr;
        if (*at == quote)
            return at + 1;
        // The byte after a backslash, a quote included, is part of the run,
        // unless the text ends there.
        if (ClassOf(*at) == BACKSLASH && (++at == end || ClassOf(*at) == END))
            return nullptr;
    }
}

std::string_view PrefsTokenizer::TakeToEnd() {
    m_pos = m_text.size();
    m_exhausted = true;
    return {};
}

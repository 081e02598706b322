#pragma once
#include <string_view>

// Splits the preferences file's text into tokens: runs of bytes ended by
// whitespace or one of , : { }, each of those delimiters a token of its
// own. A quote (" or ') anywhere in a token opens a quoted run that ends at
// the same quote character; inside it delimiters are ordinary bytes and a
// backslash escapes the next byte, so an escaped quote does not end it.
// The text ends at its first NUL or 0x1A byte, where a text-mode read of the
// file ends it, or else at the end of the bytes given.
class PrefsTokenizer {
public:
    explicit PrefsTokenizer(std::string_view text);

    // The next token; an empty view when the text is exhausted, and also
    // for a final token that no delimiter follows (such a token is lost).
    std::string_view NextToken();
    bool Exhausted() const;

private:
    // Just past the quoted run that opens at `open`, or null if the text
    // ends inside it.
    static const char* SkipQuotedRun(const char* open, const char* end);
    std::string_view TakeToEnd();

    std::string_view m_text;
    size_t m_pos;
    bool m_exhausted;
};

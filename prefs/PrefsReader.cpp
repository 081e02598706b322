#include "prefs/PrefsReader.h"

#include "prefs/AnsiCodePage.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsTokenizer.h"

#include <vector>

PrefsReader::PrefsReader(const AnsiCodePage& codePage) : m_codePage(codePage) {}

void PrefsReader::Overlay(std::string_view fileBytes, PreferenceSet& set) const {
    const std::string text = TextFromFile(fileBytes);
    PrefsTokenizer tokens(text);
    std::vector<PreferenceSet::Pair> pairs;
    bool inside = false;
    while (!tokens.Exhausted()) {
        const std::string_view token = tokens.NextToken();
        if (token == "{") {
            inside = true;
            continue;
        }
        if (token == "}") {
            inside = false;
            continue;
        }
        // Outside the braces everything is ignored, and so are one-byte keys.
        if (!inside || token.size() <= 1)
            continue;
        const std::wstring key = m_codePage.Decode(token);
        // Whatever follows a key other than ":" is consumed with it.
        if (tokens.NextToken() != ":")
            continue;
        pairs.emplace_back(key, DecodeValue(tokens.NextToken()));
    }
    set.Overlay(pairs);
}

std::string PrefsReader::TextFromFile(std::string_view fileBytes) {
    const size_t nul = fileBytes.find('\0');
    const size_t eof = fileBytes.find('\x1A');
    fileBytes = fileBytes.substr(0, nul < eof ? nul : eof);
    std::string text;
    text.reserve(fileBytes.size());
    // Copied in runs between the CR LF pairs, whose CR is dropped.
    size_t start = 0;
    for (size_t cr = fileBytes.find('\r'); cr != std::string_view::npos;
         cr = fileBytes.find('\r', cr + 1)) {
        if (cr + 1 < fileBytes.size() && fileBytes[cr + 1] == '\n') {
            text.append(fileBytes.substr(start, cr - start));
            start = cr + 1;
        }
    }
    text.append(fileBytes.substr(start));
    return text;
}

// The value is the token without its first and last byte (the quotes, as
// the writer puts them, though any two bytes are dropped); a token of two
// bytes or fewer gives the empty value.
std::wstring PrefsReader::DecodeValue(std::string_view token) const {
    if (token.size() <= 2)
        return std::wstring();
    return Unescape(m_codePage.Decode(token.substr(1, token.size() - 2)));
}

// Decodes \\, \", \' and \uXXXX. Any other backslash stays as it stands, so
// files written before values were escaped read as they always did.
std::wstring PrefsReader::Unescape(std::wstring text) {
    if (text.find(L'\\') == std::wstring::npos)
        return text;
    std::wstring value;
    value.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'\\' || i + 1 == text.size()) {
            value.push_back(c);
            continue;
        }
        const wchar_t next = text[i + 1];
        if (next == L'\\' || next == L'"' || next == L'\'') {
            value.push_back(next);
            ++i;
            continue;
        }
        if (next == L'u' && i + 5 < text.size()) {
            unsigned int unit = 0;
            int digits = 0;
            for (; digits < 4; ++digits) {
                const int d = HexDigitValue(text[i + 2 + digits]);
                if (d < 0)
                    break;
                unit = unit * 16 + static_cast<unsigned int>(d);
            }
            if (digits == 4) {
                value.push_back(static_cast<wchar_t>(unit));
                i += 5;
                continue;
            }
        }
        value.push_back(c);
    }
    return value;
}

int PrefsReader::HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

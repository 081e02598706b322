#pragma once
// The preferences file's reading rules written the plain way, one step
// after the other on copies: the text as a text-mode read gives it, its
// tokens, each pair's key and value decoded byte for byte (ISO 8859-1) and
// unescaped, and each pair laid over the pairs as Remove then Add. Slow
// and obvious, to check the reader against.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/common/PreferencePairs.h"

class ReferencePrefsReader {
public:
    static Pairs Read(std::string_view fileBytes, Pairs pairs) {
        const std::string text = TextModeText(fileBytes);
        size_t pos = 0;
        bool exhausted = false;
        bool inside = false;
        while (!exhausted) {
            const std::string token = NextToken(text, pos, exhausted);
            if (token == "{" || token == "}") {
                inside = token == "{";
            } else if (inside && token.size() > 1 && NextToken(text, pos, exhausted) == ":") {
                const std::string value = NextToken(text, pos, exhausted);
                const std::wstring key = Widen(token);
                for (auto it = pairs.begin(); it != pairs.end(); ++it) {
                    if (it->first == key) {
                        pairs.erase(it);
                        break;
                    }
                }
                pairs.emplace_back(key, value.size() > 2 ? Unescape(Widen(value.substr(1, value.size() - 2)))
                                                          : std::wstring());
            }
        }
        return pairs;
    }

private:
    static std::string TextModeText(std::string_view bytes) {
        std::string text;
        for (size_t i = 0; i < bytes.size() && bytes[i] != '\0' && bytes[i] != '\x1A'; ++i) {
            const bool crBeforeLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            if (!crBeforeLf)
                text.push_back(bytes[i]);
        }
        return text;
    }

    static bool IsSpace(char c) { return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos; }
    static bool IsDelimiter(char c) { return IsSpace(c) || std::string_view(",:{}").find(c) != std::string_view::npos; }

    static std::string NextToken(const std::string& text, size_t& pos, bool& exhausted) {
        if (exhausted)
            return "";
        while (pos < text.size() && IsSpace(text[pos]))
            ++pos;
        const size_t start = pos;
        if (pos < text.size() && IsDelimiter(text[pos]))
            return text.substr(pos++, 1);
        while (pos < text.size()) {
            if (IsDelimiter(text[pos]))
                return text.substr(start, pos - start);
            if (text[pos] == '"' || text[pos] == '\'') {
                const char quote = text[pos++];
                while (pos < text.size() && text[pos] != quote)
                    pos += text[pos] == '\\' ? 2 : 1;
            }
            ++pos;
        }
        exhausted = true;
        return "";
    }

    static std::wstring Widen(const std::string& bytes) {
        std::wstring text;
        for (char c : bytes)
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        return text;
    }

    static std::wstring Unescape(const std::wstring& text) {
        std::wstring value;
        for (size_t i = 0; i < text.size(); ++i) {
            const std::wstring rest = text.substr(i);
            if (rest.size() >= 2 && rest[0] == L'\\' && std::wstring(L"\\\"'").find(rest[1]) != std::wstring::npos) {
                value.push_back(rest[1]);
                ++i;
            } else if (rest.size() >= 6 && rest.compare(0, 2, L"\\u") == 0 && IsHex(rest.substr(2, 4))) {
                value.push_back(static_cast<wchar_t>(std::stoul(rest.substr(2, 4), nullptr, 16)));
                i += 5;
            } else {
                value.push_back(text[i]);
            }
        }
        return value;
    }

    static bool IsHex(const std::wstring& digits) {
        return digits.find_first_not_of(L"0123456789abcdefABCDEF") == std::wstring::npos;
    }
};

#include "prefs/PrefsReader.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "prefs/AnsiCodePage.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsTokenizer.h"

namespace {

// What a byte of a key or value asks of the decoder beyond widening.
enum : unsigned char { NOT_ASCII = 1, CARRIAGE_RETURN = 2, BACKSLASH = 4 };

struct TextBytes {
    unsigned char of[256] = {};
    constexpr TextBytes() {
        for (int b = 0x80; b < 0x100; ++b)
            of[b] = NOT_ASCII;
        of[static_cast<unsigned char>('\r')] = CARRIAGE_RETURN;
        of[static_cast<unsigned char>('\\')] = BACKSLASH;
    }
};
constexpr TextBytes kTextBytes;

}  // namespace

PrefsReader::PrefsReader(const AnsiCodePage& codePage) : m_codePage(codePage) {}

bool PrefsReader::Overlay(std::string_view fileBytes, PreferenceSet& set) const {
    // Ranges in the table are 32-bit, like the file's size limit.
    if (fileBytes.size() > UINT32_MAX)
        throw std::length_error("preferences file");
    std::vector<Entry> pairs = FindPairs(fileBytes, static_cast<size_t>(set.Count()));
    size_t units = 0;
    for (const Entry& pair : pairs)
        units += pair.Key.Length + pair.Value.Length;
    // Room for the text of the set's pairs too, which go in front.
    std::wstring block;
    block.reserve(units + set.TextInUse());
    block.resize(units);
    DecodePairs(fileBytes, pairs, block);
    return set.Overlay(PairTable(std::move(block), std::move(pairs)));
}

std::vector<PrefsReader::Entry> PrefsReader::FindPairs(std::string_view text, size_t more) {
    std::vector<Entry> pairs;
    // Room from the start: growing it would allocate and copy it again and
    // again, at its largest when the file is.
    pairs.reserve(MostPairsIn(text) + more);
    PrefsTokenizer tokens(text);
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
        // Whatever follows a key other than ":" is consumed with it.
        if (tokens.NextToken() != ":")
            continue;
        pairs.push_back({RangeOf(text, token), ValueBytes(RangeOf(text, tokens.NextToken()))});
    }
    // Far fewer pairs than colons (values full of them): the room goes,
    // while nothing else of the load is held yet.
    if (pairs.capacity() - pairs.size() > more + pairs.size() / 8) {
        std::vector<Entry> fitted;
        fitted.reserve(pairs.size() + more);
        fitted.assign(pairs.begin(), pairs.end());
        pairs.swap(fitted);
    }
    return pairs;
}

// Every pair has a ":" of its own, and takes four bytes at least ("aa:,").
size_t PrefsReader::MostPairsIn(std::string_view text) {
    size_t colons = 0;
    for (const char c : text)
        colons += c == ':' ? 1 : 0;
    return std::min(colons, text.size() / 4 + 1);
}

// The value is the token without its first and last byte (the quotes, as
// the writer puts them, though any two bytes are dropped); a token of two
// bytes or fewer gives the empty value.
PrefsReader::Range PrefsReader::ValueBytes(Range token) {
    if (token.Length <= 2)
        return Range{token.Start, 0};
    return Range{token.Start + 1, token.Length - 2};
}

PrefsReader::Range PrefsReader::RangeOf(std::string_view text, std::string_view token) {
    // The empty token at the text's end may have no place in it.
    if (token.empty())
        return Range{0, 0};
    return Range{static_cast<uint32_t>(token.data() - text.data()), static_cast<uint32_t>(token.size())};
}

void PrefsReader::DecodePairs(std::string_view text, std::vector<Entry>& pairs, std::wstring& block) const {
    size_t used = 0;
    for (Entry& pair : pairs) {
        pair.Key = Decode(text.substr(pair.Key.Start, pair.Key.Length), false, block, used);
        pair.Value = Decode(text.substr(pair.Value.Start, pair.Value.Length), true, block, used);
    }
    block.resize(used);
}

// ASCII, the common case (every ANSI code page is ASCII below 0x80), is
// widened in the loop that also finds whether the bytes need more.
PrefsReader::Range PrefsReader::Decode(std::string_view bytes, bool unescape, std::wstring& block,
                                       size_t& used) const {
    const size_t start = used;
    // The block has a unit for each byte, but a code page may give more
    // units than bytes: a pair after one that grew may need more room.
    if (block.size() - start < bytes.size())
        block.resize(start + bytes.size());
    wchar_t* out = &block[0] + start;
    unsigned char needs = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        needs |= kTextBytes.of[byte];
        out[i] = static_cast<wchar_t>(byte);
    }
    wchar_t* end = out + bytes.size();
    if (needs & (NOT_ASCII | CARRIAGE_RETURN)) {
        // Rare: raw high bytes of older files, or a CR LF inside quotes.
        const std::wstring text = DecodeThroughCodePage(bytes);
        if (start + text.size() > block.size()) {
            block.resize(start + text.size());
            out = &block[0] + start;
        }
        end = std::copy(text.begin(), text.end(), out);
        needs |= std::find(out, end, L'\\') != end ? BACKSLASH : 0;
    }
    if (unescape && (needs & BACKSLASH))
        end = Unescape(out, end);
    used = static_cast<size_t>(end - &block[0]);
    if (used > UINT32_MAX)
        throw std::length_error("preferences file");
    return Range{static_cast<uint32_t>(start), static_cast<uint32_t>(used - start)};
}

std::wstring PrefsReader::DecodeThroughCodePage(std::string_view bytes) const {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n')
            text.push_back(bytes[i]);
    }
    std::wstring decoded;
    m_codePage.AppendDecoded(text, decoded);
    return decoded;
}

// Any other backslash stays as it stands, so files written before values
// were escaped read as they always did.
wchar_t* PrefsReader::Unescape(wchar_t* begin, wchar_t* end) {
    wchar_t* out = begin;
    for (wchar_t* at = begin; at < end; ++at) {
        const wchar_t c = *at;
        if (c != L'\\' || at + 1 == end) {
            *out++ = c;
            continue;
        }
        const wchar_t next = at[1];
        if (next == L'\\' || next == L'"' || next == L'\'') {
            *out++ = next;
            ++at;
            continue;
        }
        if (next == L'u' && end - at > 5) {
            unsigned int unit = 0;
            int digits = 0;
            for (; digits < 4; ++digits) {
                const int d = HexDigitValue(at[2 + digits]);
                if (d < 0)
                    break;
                unit = unit * 16 + static_cast<unsigned int>(d);
            }
            if (digits == 4) {
                *out++ = static_cast<wchar_t>(unit);
                at += 5;
                continue;
            }
        }
        *out++ = c;
    }
    return out;
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

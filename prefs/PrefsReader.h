#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "prefs/PairTable.h"

class AnsiCodePage;
class PreferenceSet;

// The tolerant reader of the preferences file. Every "key: value" pair
// found between braces is laid over the set (Remove, then Add), so a key
// from the file moves to the end with its new value and a repeated key
// keeps its last occurrence. Anything it cannot make sense of is skipped.
//
// The file is read as a text-mode read sees it (CR LF as LF, and a NUL or
// a byte 0x1A ends the text) without making that copy of it: the tokenizer
// stops where such a read would, CR and LF are both whitespace to it, and
// only a key or value that holds a CR LF needs it turned into LF. One pass
// over the tokens finds the pairs' bytes; then each key and value is
// decoded into one block of text sized for them all, and escapes are
// decoded only in values that have one.
class PrefsReader {
public:
    explicit PrefsReader(const AnsiCodePage& codePage);

    // Overlays the pairs of a file whose bytes are given as they are on disk.
    // False when the set has no room for the result; throws std::bad_alloc,
    // or std::length_error beyond 4 GiB of text. Either way the set stays as
    // it was.
    bool Overlay(std::string_view fileBytes, PreferenceSet& set) const;

private:
    using Range = PairTable::Range;
    using Entry = PairTable::Entry;

    // Each pair of the text as the bytes of its key token and its value
    // bytes (the value token without its first and last byte), with room
    // for `more` pairs after them.
    static std::vector<Entry> FindPairs(std::string_view text, size_t more);
    static size_t MostPairsIn(std::string_view text);
    static Range ValueBytes(Range token);
    static Range RangeOf(std::string_view text, std::string_view token);
    // Decodes each pair's bytes into the block, which has a unit for each
    // byte and grows where a code page gives more, and points the pair
    // there; the block is cut to what was used.
    void DecodePairs(std::string_view text, std::vector<Entry>& pairs, std::wstring& block) const;
    // Writes the text of the bytes at `used` and moves it past them.
    Range Decode(std::string_view bytes, bool unescape, std::wstring& block, size_t& used) const;
    // The text through the code page, with CR LF as LF: for bytes that
    // are not all ASCII, or hold a CR.
    std::wstring DecodeThroughCodePage(std::string_view bytes) const;
    // Decodes \\, \", \' and \uXXXX in place; returns the new end.
    static wchar_t* Unescape(wchar_t* begin, wchar_t* end);
    static int HexDigitValue(wchar_t c);

    const AnsiCodePage& m_codePage;
};

#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The storage of a preference set: the text of every key and value in one
// block of UTF-16 code units, and each pair as two ranges of it, in order.
// Replacing a value or removing a pair leaves its old text unused in the
// block; the block is rebuilt without it once it holds more unused text
// than text in use, so changes cost amortized constant time per unit.
// Operations that fail (std::bad_alloc, std::length_error) leave the table
// as it was unless they say otherwise.
class PairTable {
public:
    struct Range {
        uint32_t Start;
        uint32_t Length;
    };
    struct Entry {
        Range Key;
        Range Value;
    };

    PairTable() = default;
    // Takes a block and the ranges of each pair's key and value in it.
    PairTable(std::wstring block, std::vector<Entry> entries);

    int Count() const { return static_cast<int>(m_entries.size()); }
    // Views into the block, valid until the table next changes.
    std::wstring_view KeyAt(int index) const;
    std::wstring_view ValueAt(int index) const;

    // The texts given may be views into this table.
    void Append(std::wstring_view key, std::wstring_view value);
    void ReplaceValue(int index, std::wstring_view value);
    void Erase(int index);
    void Clear();
    // Code units of the block that pairs refer to.
    size_t TextInUse() const { return m_block.size() - m_unused; }

    // Keeps the pairs whose flag is set, in order (one flag a pair).
    void KeepOnly(const std::vector<bool>& kept);
    // Puts copies of the flagged pairs of `from` before this table's pairs,
    // in their order; with room for them reserved beforehand it allocates
    // nothing. On failure this table may hold unused text.
    void PrependCopies(const PairTable& from, const std::vector<bool>& kept);

private:
    std::wstring_view TextOf(Range range) const;
    // Appends both texts (which may lie in the block) and returns where the
    // first one starts.
    size_t AppendText(std::wstring_view first, std::wstring_view second);
    static Range RangeOf(size_t start, size_t end);
    void Unused(Range range);
    void CompactIfMostlyUnused();

    std::wstring m_block;
    std::vector<Entry> m_entries;
    size_t m_unused = 0;  // units of the block no pair refers to
};

#include "prefs/PairTable.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

PairTable::PairTable(std::wstring block, std::vector<Entry> entries)
    : m_block(std::move(block)), m_entries(std::move(entries)) {
    size_t used = 0;
    for (const Entry& entry : m_entries)
        used += entry.Key.Length + entry.Value.Length;
    m_unused = m_block.size() - used;
}

std::wstring_view PairTable::KeyAt(int index) const {
    return TextOf(m_entries[static_cast<size_t>(index)].Key);
}

std::wstring_view PairTable::ValueAt(int index) const {
    return TextOf(m_entries[static_cast<size_t>(index)].Value);
}

void PairTable::Append(std::wstring_view key, std::wstring_view value) {
    const size_t start = AppendText(key, value);
    try {
        m_entries.push_back({RangeOf(start, start + key.size()), RangeOf(start + key.size(), m_block.size())});
    } catch (...) {
        m_block.resize(start);
        throw;
    }
}

void PairTable::ReplaceValue(int index, std::wstring_view value) {
    const size_t start = AppendText(value, {});
    Entry& entry = m_entries[static_cast<size_t>(index)];
    Unused(entry.Value);
    entry.Value = RangeOf(start, m_block.size());
    CompactIfMostlyUnused();
}

void PairTable::Erase(int index) {
    const auto entry = m_entries.begin() + index;
    Unused(entry->Key);
    Unused(entry->Value);
    m_entries.erase(entry);
    CompactIfMostlyUnused();
}

void PairTable::Clear() {
    std::wstring().swap(m_block);
    std::vector<Entry>().swap(m_entries);
    m_unused = 0;
}

void PairTable::KeepOnly(const std::vector<bool>& kept) {
    size_t to = 0;
    for (size_t from = 0; from < m_entries.size(); ++from) {
        if (kept[from]) {
            m_entries[to++] = m_entries[from];
        } else {
            Unused(m_entries[from].Key);
            Unused(m_entries[from].Value);
        }
    }
    m_entries.resize(to);
    CompactIfMostlyUnused();
}

void PairTable::PrependCopies(const PairTable& from, const std::vector<bool>& kept) {
    std::vector<Entry> copies;
    for (int i = 0; i < from.Count(); ++i) {
        if (!kept[static_cast<size_t>(i)])
            continue;
        const std::wstring_view key = from.KeyAt(i);
        const size_t start = AppendText(key, from.ValueAt(i));
        copies.push_back({RangeOf(start, start + key.size()), RangeOf(start + key.size(), m_block.size())});
    }
    m_entries.insert(m_entries.begin(), copies.begin(), copies.end());
}

std::wstring_view PairTable::TextOf(Range range) const {
    return std::wstring_view(m_block.data() + range.Start, range.Length);
}

size_t PairTable::AppendText(std::wstring_view first, std::wstring_view second) {
    const size_t start = m_block.size();
    if (first.size() + second.size() > std::numeric_limits<uint32_t>::max() - start)
        throw std::length_error("preference text");
    const size_t needed = start + first.size() + second.size();
    if (needed <= m_block.capacity()) {
        // Nothing moves: texts that lie in the block stay where they are.
        m_block.append(first).append(second);
        return start;
    }
    // Built aside, so that texts in the block stay valid until copied.
    std::wstring grown;
    grown.reserve(std::max(needed, std::min(2 * m_block.capacity(), grown.max_size())));
    grown.append(m_block).append(first).append(second);
    m_block.swap(grown);
    return start;
}

PairTable::Range PairTable::RangeOf(size_t start, size_t end) {
    if (end > std::numeric_limits<uint32_t>::max())
        throw std::length_error("preference text");
    return Range{static_cast<uint32_t>(start), static_cast<uint32_t>(end - start)};
}

void PairTable::Unused(Range range) {
    m_unused += range.Length;
}

void PairTable::CompactIfMostlyUnused() {
    if (m_unused == 0 || m_unused <= m_block.size() - m_unused)
        return;
    try {
        std::wstring compact;
        compact.reserve(m_block.size() - m_unused);
        for (const Entry& entry : m_entries)
            compact.append(TextOf(entry.Key)).append(TextOf(entry.Value));
        uint32_t start = 0;
        for (Entry& entry : m_entries) {
            entry.Key.Start = start;
            entry.Value.Start = start + entry.Key.Length;
            start += entry.Key.Length + entry.Value.Length;
        }
        m_block.swap(compact);
        m_unused = 0;
    } catch (const std::bad_alloc&) {
        // The unused text stays until a later change finds room.
    }
}

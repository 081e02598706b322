#include "prefs/OverlayPlan.h"

#include <stdexcept>

#include "prefs/PairTable.h"

OverlayPlan::OverlayPlan(const PairTable& set, const PairTable& read)
    : m_set(set),
      m_read(read),
      m_setKeys(static_cast<size_t>(set.Count())),
      m_setKept(static_cast<size_t>(set.Count()), true),
      m_readKept(static_cast<size_t>(read.Count()), false) {
    const size_t keys = m_setKeys.size() + m_readKept.size();
    if (keys >= SET_KEY)
        throw std::length_error("preference overlay");
    // A power of two at least half as large again as the keys there can be,
    // so that probes stay short.
    size_t slots = 8;
    while (slots < keys + keys / 2)
        slots *= 2;
    m_slots.assign(slots, 0);
    PlaceSetKeys();
    KeepLastReadPairs();
    KeepLastSetPairs();
}

void OverlayPlan::PlaceSetKeys() {
    for (int i = 0; i < m_set.Count(); ++i) {
        uint32_t& slot = SlotOf(m_set.KeyAt(i));
        if (slot == 0)
            slot = SET_KEY | static_cast<uint32_t>(i);
        ++m_setKeys[slot & ~SET_KEY].InSet;
    }
}

// From the last pair read back: a key the set lacks keeps only its last
// pair; one it has keeps as many of its last pairs as the set holds.
void OverlayPlan::KeepLastReadPairs() {
    for (int i = m_read.Count() - 1; i >= 0; --i) {
        uint32_t& slot = SlotOf(m_read.KeyAt(i));
        bool kept = false;
        if (slot == 0) {
            slot = static_cast<uint32_t>(i) + 1;
            kept = true;
        } else if (slot & SET_KEY) {
            SetKey& key = m_setKeys[slot & ~SET_KEY];
            kept = key.Read++ < key.InSet;
        }
        m_readKept[static_cast<size_t>(i)] = kept;
        m_readPairsKept += kept ? 1 : 0;
    }
}

// Each pair read removed one of the set's pairs of its key, first ones first.
void OverlayPlan::KeepLastSetPairs() {
    for (int i = 0; i < m_set.Count(); ++i) {
        SetKey& key = m_setKeys[SlotOf(m_set.KeyAt(i)) & ~SET_KEY];
        const bool kept = key.Seen++ >= key.Read;
        m_setKept[static_cast<size_t>(i)] = kept;
        m_setPairsKept += kept ? 1 : 0;
    }
}

uint32_t& OverlayPlan::SlotOf(std::wstring_view key) {
    const size_t mask = m_slots.size() - 1;
    for (size_t at = HashOf(key) & mask;; at = (at + 1) & mask) {
        uint32_t& slot = m_slots[at];
        if (slot == 0 || KeyOfSlot(slot) == key)
            return slot;
    }
}

// FNV-1a over the code units: keys are short, and this costs a fraction
// of a general byte hash.
size_t OverlayPlan::HashOf(std::wstring_view key) {
    uint32_t hash = 2166136261u;
    for (wchar_t c : key) {
        hash ^= static_cast<uint32_t>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::wstring_view OverlayPlan::KeyOfSlot(uint32_t slot) const {
    if (slot & SET_KEY)
        return m_set.KeyAt(static_cast<int>(slot & ~SET_KEY));
    return m_read.KeyAt(static_cast<int>(slot - 1));
}

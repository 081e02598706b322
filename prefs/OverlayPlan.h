#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class PairTable;

// Which pairs remain when pairs read are laid over a set one at a time as
// Remove(key) then Add(key, value). The pairs of one key leave in queue
// order: the set's own first, then those added, one for each pair read,
// except that the first read of a key the set lacks finds nothing to
// remove. So of a key's s pairs in the set and r read, the last max(s, 1)
// of that queue remain, and the result is the set's remaining pairs
// followed by the remaining read ones, each in their order.
class OverlayPlan {
public:
    OverlayPlan(const PairTable& set, const PairTable& read);

    // One flag a pair, in order.
    const std::vector<bool>& SetKept() const { return m_setKept; }
    const std::vector<bool>& ReadKept() const { return m_readKept; }
    size_t SetPairsKept() const { return m_setPairsKept; }
    size_t ReadPairsKept() const { return m_readPairsKept; }

private:
    // What the plan knows of a key of the set, at the key's first pair there.
    struct SetKey {
        uint32_t InSet = 0;
        uint32_t Read = 0;
        uint32_t Seen = 0;
    };
    // A slot holds nothing (0), a key of the set (SET_KEY | its first
    // position there) or a key only read (its last position read + 1).
    static constexpr uint32_t SET_KEY = 0x80000000u;

    void PlaceSetKeys();
    void KeepLastReadPairs();
    void KeepLastSetPairs();
    uint32_t& SlotOf(std::wstring_view key);
    static size_t HashOf(std::wstring_view key);
    std::wstring_view KeyOfSlot(uint32_t slot) const;

    const PairTable& m_set;
    const PairTable& m_read;
    std::vector<uint32_t> m_slots;  // open addressing, linear probing
    std::vector<SetKey> m_setKeys;  // by position in the set
    std::vector<bool> m_setKept;
    std::vector<bool> m_readKept;
    size_t m_setPairsKept = 0;
    size_t m_readPairsKept = 0;
};

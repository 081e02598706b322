#pragma once
#include <string_view>

#include "prefs/PairTable.h"

// The ordered key/value table that the options sheet edits and the
// preferences file stores. Keys are compared exactly (UTF-16 code unit by
// code unit, case-sensitively) and need not be unique: every lookup finds
// the first pair with the key. Order matters because the file is written
// in set order. The set keeps copies of the texts it is given.
class PreferenceSet {
public:
    // Appends the pair without looking for the key; false, leaving the set
    // as it was, when there is no room for it.
    bool Add(std::wstring_view key, std::wstring_view value);
    // Position of the first pair with the key, or -1.
    int FindKey(std::wstring_view key) const;
    // Replaces the value of the first pair with the key; false if none, or
    // (leaving it as it was) when there is no room for the new value.
    bool SetAt(std::wstring_view key, std::wstring_view value);
    // Removes the first pair with the key; false if none.
    bool Remove(std::wstring_view key);
    // Removes the pair at the position, moving the later ones down; false
    // for a position outside 0..Count()-1.
    bool RemoveAt(int index);
    void Clear();

    // Lays the pairs over the set as Remove(key) then Add(key, value) for
    // each of them in turn would, in time linear in the sizes. The result
    // takes the table's block: with room there for TextInUse() more units
    // and for Count() more pairs, nothing more is allocated. False, with
    // the set unchanged, when there is no room for the result.
    bool Overlay(PairTable read);
    // Code units of text that the set's pairs hold.
    size_t TextInUse() const;

    int Count() const;
    // The key or value at a position; empty outside 0..Count()-1. The view
    // holds until the set next changes.
    std::wstring_view KeyAt(int index) const;
    std::wstring_view ValueAt(int index) const;

private:
    bool IsValidIndex(int index) const;

    PairTable m_pairs;
};

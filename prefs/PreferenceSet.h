#pragma once
#include <string>
#include <utility>
#include <vector>

// The ordered key/value table that the options sheet edits and the
// preferences file stores. Keys are compared exactly (UTF-16 code unit by
// code unit, case-sensitively) and need not be unique: every lookup finds
// the first pair with the key. Order matters because the file is written
// in set order.
class PreferenceSet {
public:
    // Appends the pair without looking for the key; false, leaving the set
    // as it was, when there is no room for it.
    bool Add(const std::wstring& key, const std::wstring& value);
    // Position of the first pair with the key, or -1.
    int FindKey(const std::wstring& key) const;
    // Replaces the value of the first pair with the key; false if none.
    bool SetAt(const std::wstring& key, const std::wstring& value);
    // Removes the first pair with the key; false if none.
    bool Remove(const std::wstring& key);
    // Removes the pair at the position, moving the later ones down; false
    // for a position outside 0..Count()-1.
    bool RemoveAt(int index);
    void Clear();

    using Pair = std::pair<std::wstring, std::wstring>;
    // Lays the pairs over the set as Remove(key) then Add(key, value) for
    // each of them in turn would, but in time linear in the sizes, so a
    // file of many thousand pairs loads at once. False, with the set
    // unchanged, when there is no room for the result.
    bool Overlay(const std::vector<Pair>& pairs);

    int Count() const;
    // The key or value at a position; an empty string outside 0..Count()-1.
    const std::wstring& KeyAt(int index) const;
    const std::wstring& ValueAt(int index) const;

private:
    bool IsValidIndex(int index) const;

    std::vector<std::wstring> m_keys;
    std::vector<std::wstring> m_values;  // parallel to m_keys
};

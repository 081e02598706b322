#include "prefs/PreferenceSet.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace {
const std::wstring kNoText;
}

bool PreferenceSet::Add(const std::wstring& key, const std::wstring& value) {
    if (m_keys.size() >= static_cast<size_t>(INT_MAX))
        return false;
    // The arrays grow geometrically: growing them by exactly one pair each
    // time would make building a large set quadratic.
    try {
        m_keys.push_back(key);
        try {
            m_values.push_back(value);
        } catch (...) {
            m_keys.pop_back();
            throw;
        }
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

int PreferenceSet::FindKey(const std::wstring& key) const {
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == key)
            return static_cast<int>(i);
    }
    return -1;
}

bool PreferenceSet::SetAt(const std::wstring& key, const std::wstring& value) {
    const int index = FindKey(key);
    if (index < 0)
        return false;
    try {
        m_values[static_cast<size_t>(index)] = value;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool PreferenceSet::Remove(const std::wstring& key) {
    return RemoveAt(FindKey(key));
}

bool PreferenceSet::RemoveAt(int index) {
    if (!IsValidIndex(index))
        return false;
    m_keys.erase(m_keys.begin() + index);
    m_values.erase(m_values.begin() + index);
    return true;
}

// Replaying Remove then Add, the pairs of one key leave in queue order: the
// set's own first, then those added, one for each pair read, except that
// the first read of a key the set lacks finds nothing to remove. So each key
// loses a known number of its pairs from the front of that queue, and the
// result is the set's remaining pairs followed by the remaining read ones.
bool PreferenceSet::Overlay(const std::vector<Pair>& pairs) {
    struct Tally {
        size_t inSet = 0;
        size_t read = 0;
        size_t setToDrop = 0;
        size_t readToDrop = 0;
    };
    try {
        std::unordered_map<std::wstring_view, Tally> tallies;
        tallies.reserve(pairs.size());
        for (const Pair& pair : pairs)
            ++tallies[pair.first].read;
        for (const std::wstring& key : m_keys) {
            const auto found = tallies.find(key);
            if (found != tallies.end())
                ++found->second.inSet;
        }
        size_t count = m_keys.size() + pairs.size();
        for (auto& entry : tallies) {
            Tally& tally = entry.second;
            const size_t removals = tally.inSet > 0 ? tally.read : tally.read - 1;
            tally.setToDrop = std::min(tally.inSet, removals);
            tally.readToDrop = removals - tally.setToDrop;
            count -= removals;
        }
        if (count > static_cast<size_t>(INT_MAX))
            return false;

        std::vector<std::wstring> keys;
        std::vector<std::wstring> values;
        keys.reserve(count);
        values.reserve(count);
        for (size_t i = 0; i < m_keys.size(); ++i) {
            const auto found = tallies.find(m_keys[i]);
            if (found != tallies.end() && found->second.setToDrop > 0) {
                --found->second.setToDrop;
                continue;
            }
            keys.push_back(m_keys[i]);
            values.push_back(m_values[i]);
        }
        for (const Pair& pair : pairs) {
            Tally& tally = tallies.find(pair.first)->second;
            if (tally.readToDrop > 0) {
                --tally.readToDrop;
                continue;
            }
            keys.push_back(pair.first);
            values.push_back(pair.second);
        }
        m_keys.swap(keys);
        m_values.swap(values);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

void PreferenceSet::Clear() {
    m_keys.clear();
    m_values.clear();
}

int PreferenceSet::Count() const {
    return static_cast<int>(m_keys.size());
}

const std::wstring& PreferenceSet::KeyAt(int index) const {
    return IsValidIndex(index) ? m_keys[static_cast<size_t>(index)] : kNoText;
}

const std::wstring& PreferenceSet::ValueAt(int index) const {
    return IsValidIndex(index) ? m_values[static_cast<size_t>(index)] : kNoText;
}

bool PreferenceSet::IsValidIndex(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_keys.size();
}

#include "prefs/PreferenceSet.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>

namespace {
const std::wstring kNoText;
}

bool PreferenceSet::Add(const std::wstring& key, const std::wstring& value) {
    if (m_keys.size() >= static_cast<size_t>(INT_MAX))
        return false;
    try {
        std::wstring keyCopy = key;
        std::wstring valueCopy = value;
        // Room grows by half at a time, so adding many pairs stays linear.
        if (m_keys.size() == m_keys.capacity() || m_values.size() == m_values.capacity()) {
            const size_t room = std::min<size_t>(m_keys.size() + m_keys.size() / 2 + 8, INT_MAX);
            m_keys.reserve(room);
            m_values.reserve(room);
        }
        // Neither push_back can throw now: both have room and the strings are moved.
        m_keys.push_back(std::move(keyCopy));
        m_values.push_back(std::move(valueCopy));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool PreferenceSet::Overlay(std::vector<std::pair<std::wstring, std::wstring>> pairs) {
    try {
        // Positions count the set's pairs first and the new pairs after
        // them, as if each had been added in turn.
        const size_t existing = m_keys.size();
        const size_t total = existing + pairs.size();
        auto keyAt = [&](size_t i) -> const std::wstring& {
            return i < existing ? m_keys[i] : pairs[i - existing].first;
        };
        // Positions grouped by key (shorter keys first: any grouping
        // order will do), each group in position order.
        std::vector<size_t> order(total);
        for (size_t i = 0; i < total; ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            const std::wstring& keyA = keyAt(a);
            const std::wstring& keyB = keyAt(b);
            if (keyA.size() != keyB.size())
                return keyA.size() < keyB.size();
            const int compared = keyA.compare(keyB);
            return compared < 0 || (compared == 0 && a < b);
        });
        // Within a group, each new pair removes the first occurrence still
        // there before it.
        std::vector<bool> kept(total, true);
        for (size_t first = 0; first < total;) {
            size_t end = first + 1;
            while (end < total && keyAt(order[end]) == keyAt(order[first]))
                ++end;
            size_t removed = first;
            for (size_t g = first; g < end; ++g) {
                if (order[g] >= existing && removed < g)
                    kept[order[removed++]] = false;
            }
            first = end;
        }
        const size_t count = static_cast<size_t>(std::count(kept.begin(), kept.end(), true));
        if (count > static_cast<size_t>(INT_MAX))
            return false;
        std::vector<std::wstring> keys, values;
        keys.reserve(count);
        values.reserve(count);
        // Nothing below allocates: the strings are moved.
        for (size_t i = 0; i < total; ++i) {
            if (!kept[i])
                continue;
            keys.push_back(std::move(i < existing ? m_keys[i] : pairs[i - existing].first));
            values.push_back(std::move(i < existing ? m_values[i] : pairs[i - existing].second));
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

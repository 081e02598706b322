#include "prefs/PreferenceSet.h"

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
        m_keys.reserve(m_keys.size() + 1);
        m_values.reserve(m_values.size() + 1);
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

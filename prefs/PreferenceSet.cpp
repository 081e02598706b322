#include "prefs/PreferenceSet.h"

#include <climits>
#include <new>
#include <stdexcept>
#include <utility>

#include "prefs/OverlayPlan.h"

bool PreferenceSet::Add(std::wstring_view key, std::wstring_view value) {
    if (Count() == INT_MAX)
        return false;
    try {
        m_pairs.Append(key, value);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

int PreferenceSet::FindKey(std::wstring_view key) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_pairs.KeyAt(i) == key)
            return i;
    }
    return -1;
}

bool PreferenceSet::SetAt(std::wstring_view key, std::wstring_view value) {
    const int index = FindKey(key);
    if (index < 0)
        return false;
    try {
        m_pairs.ReplaceValue(index, value);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool PreferenceSet::Remove(std::wstring_view key) {
    return RemoveAt(FindKey(key));
}

bool PreferenceSet::RemoveAt(int index) {
    if (!IsValidIndex(index))
        return false;
    m_pairs.Erase(index);
    return true;
}

void PreferenceSet::Clear() {
    m_pairs.Clear();
}

bool PreferenceSet::Overlay(PairTable read) {
    try {
        const OverlayPlan plan(m_pairs, read);
        if (plan.SetPairsKept() + plan.ReadPairsKept() > static_cast<size_t>(INT_MAX))
            return false;
        read.KeepOnly(plan.ReadKept());
        read.PrependCopies(m_pairs, plan.SetKept());
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    m_pairs = std::move(read);
    return true;
}

size_t PreferenceSet::TextInUse() const {
    return m_pairs.TextInUse();
}

int PreferenceSet::Count() const {
    return m_pairs.Count();
}

std::wstring_view PreferenceSet::KeyAt(int index) const {
    return IsValidIndex(index) ? m_pairs.KeyAt(index) : std::wstring_view();
}

std::wstring_view PreferenceSet::ValueAt(int index) const {
    return IsValidIndex(index) ? m_pairs.ValueAt(index) : std::wstring_view();
}

bool PreferenceSet::IsValidIndex(int index) const {
    return index >= 0 && index < Count();
}

#include "listctrl/accessibility/CEnumChildIds.h"

#include <new>

IEnumVARIANT* CEnumChildIds::Make(const std::vector<LONG>& ids, std::size_t cursor) {
    CEnumChildIds* enumerator = new (std::nothrow) CEnumChildIds(ids, cursor);
    if (enumerator != nullptr) enumerator->AddRef();
    return enumerator;
}

STDMETHODIMP CEnumChildIds::Next(ULONG count, VARIANT* items, ULONG* fetched) {
    if (fetched != nullptr) *fetched = 0;
    if (items == nullptr) return E_POINTER;
    // Without a place to report the number, only one item may be asked for.
    if (fetched == nullptr && count != 1) return E_INVALIDARG;
    ULONG copied = 0;
    for (; copied < count && m_cursor < m_ids.size(); ++copied) {
        ::VariantInit(&items[copied]);
        items[copied].vt = VT_I4;
        items[copied].lVal = m_ids[m_cursor++];
    }
    if (fetched != nullptr) *fetched = copied;
    return copied == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumChildIds::Skip(ULONG count) {
    const std::size_t left = m_ids.size() - m_cursor;
    m_cursor += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumChildIds::Reset() {
    m_cursor = 0;
    return S_OK;
}

STDMETHODIMP CEnumChildIds::Clone(IEnumVARIANT** clone) {
    if (clone == nullptr) return E_POINTER;
    *clone = Make(m_ids, m_cursor);
    return *clone != nullptr ? S_OK : E_OUTOFMEMORY;
}

#include "listctrl/dragdrop/CEnumFormatEtc.h"

#include <new>

CEnumFormatEtc::CEnumFormatEtc(std::vector<FORMATETC> formats, size_t cursor)
    : m_formats(std::move(formats)), m_cursor(cursor) {}

IEnumFORMATETC* CEnumFormatEtc::Make(const std::vector<FORMATETC>& formats, size_t cursor) {
    CEnumFormatEtc* enumerator = new (std::nothrow) CEnumFormatEtc(formats, cursor);
    if (enumerator != nullptr) enumerator->AddRef();
    return enumerator;
}

STDMETHODIMP CEnumFormatEtc::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
    if (fetched != nullptr) *fetched = 0;
    if (count == 0 || formats == nullptr) return S_FALSE;
    // Without a place to report the number, only one record may be asked for.
    if (m_cursor >= m_formats.size() || (fetched == nullptr && count != 1)) return S_FALSE;
    ULONG copied = 0;
    while (m_cursor < m_formats.size() && copied < count) formats[copied++] = m_formats[m_cursor++];
    if (fetched != nullptr) *fetched = copied;
    return copied == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumFormatEtc::Skip(ULONG count) {
    if (count > m_formats.size() - m_cursor) return S_FALSE;
    m_cursor += count;
    return S_OK;
}

STDMETHODIMP CEnumFormatEtc::Reset() {
    m_cursor = 0;
    return S_OK;
}

STDMETHODIMP CEnumFormatEtc::Clone(IEnumFORMATETC** clone) {
    if (clone == nullptr) return E_POINTER;
    *clone = Make(m_formats, m_cursor);
    return *clone != nullptr ? S_OK : E_OUTOFMEMORY;
}

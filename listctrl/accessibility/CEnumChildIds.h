#pragma once
#include <oaidl.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "framework/CUnknownImpl.h"

// Enumerates accessible child ids as VT_I4 variants: the answer to a
// screen reader that asks for a selection of several rows.
class CEnumChildIds : public CUnknownImpl<IEnumVARIANT, IID_IEnumVARIANT> {
public:
    // A new enumerator with one reference; null when out of memory.
    static IEnumVARIANT* Make(const std::vector<LONG>& ids, std::size_t cursor = 0);

    STDMETHODIMP Next(ULONG count, VARIANT* items, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** clone) override;

private:
    CEnumChildIds(std::vector<LONG> ids, std::size_t cursor)
        : m_ids(std::move(ids)), m_cursor(cursor) {}

    std::vector<LONG> m_ids;
    std::size_t m_cursor;
};

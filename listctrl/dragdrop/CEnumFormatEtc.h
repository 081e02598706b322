#pragma once
#include <ole2.h>

#include <vector>

#include "framework/CUnknownImpl.h"

// Enumerates a copy of a data object's formats. The records carry no
// target device, so a plain copy is what the caller owns.
class CEnumFormatEtc : public CUnknownImpl<IEnumFORMATETC, IID_IEnumFORMATETC> {
public:
    explicit CEnumFormatEtc(std::vector<FORMATETC> formats, size_t cursor = 0);

    STDMETHODIMP Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumFORMATETC** clone) override;

    // A new enumerator with one reference over the formats; null when out of memory.
    static IEnumFORMATETC* Make(const std::vector<FORMATETC>& formats, size_t cursor);

private:
    std::vector<FORMATETC> m_formats;
    size_t m_cursor;
};

#include "listctrl/dragdrop/CDataObject.h"

#include <cwchar>

#include "listctrl/dragdrop/CEnumFormatEtc.h"

CDataObject::CDataObject() : m_swapButtons(::GetSystemMetrics(SM_SWAPBUTTON) != 0) {}

CDataObject::~CDataObject() {
    for (STGMEDIUM& medium : m_media) ::ReleaseStgMedium(&medium);
}

bool CDataObject::OnRenderData(const FORMATETC&, STGMEDIUM&, bool) { return false; }

bool CDataObject::IsDropComplete() const {
    return (::GetAsyncKeyState(m_swapButtons ? VK_RBUTTON : VK_LBUTTON) & 0x8000) == 0;
}

STDMETHODIMP CDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    *medium = STGMEDIUM{};
    for (size_t i = 0; i < m_formats.size(); ++i) {
        const FORMATETC& offered = m_formats[i];
        if (!(offered.tymed & format->tymed) || offered.dwAspect != format->dwAspect ||
            offered.cfFormat != format->cfFormat)
            continue;
        if (m_media[i].tymed != TYMED_NULL)
            return CopyMedium(m_media[i], offered.cfFormat, *medium) ? S_OK : E_OUTOFMEMORY;
        return m_rendering && OnRenderData(offered, *medium, IsDropComplete()) ? S_OK
                                                                               : DV_E_FORMATETC;
    }
    return DV_E_FORMATETC;
}

STDMETHODIMP CDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP CDataObject::QueryGetData(FORMATETC* format) {
    if (format == nullptr) return E_INVALIDARG;
    if (!(format->dwAspect & DVASPECT_CONTENT)) return DV_E_DVASPECT;
    // The last record that fails decides which part of the request is wrong.
    HRESULT result = DV_E_TYMED;
    for (const FORMATETC& offered : m_formats) {
        if (!(offered.tymed & format->tymed)) {
            result = DV_E_TYMED;
        } else if (offered.cfFormat == format->cfFormat) {
            return S_OK;
        } else {
            result = DV_E_CLIPFORMAT;
        }
    }
    return result;
}

STDMETHODIMP CDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    return out != nullptr ? DATA_S_SAMEFORMATETC : E_INVALIDARG;
}

STDMETHODIMP CDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    // Records are handed out by plain copy, which a target device would not survive.
    if (format->ptd != nullptr) return DV_E_DVTARGETDEVICE;
    STGMEDIUM kept = *medium;
    if (!release && !CopyMedium(*medium, format->cfFormat, kept)) return E_OUTOFMEMORY;
    // Data set again for a format replaces what it had (the drag-image
    // helper sets its formats anew at every drag); every medium kept is ours.
    for (size_t i = 0; i < m_formats.size(); ++i) {
        if (m_formats[i].cfFormat != format->cfFormat || m_formats[i].dwAspect != format->dwAspect)
            continue;
        ::ReleaseStgMedium(&m_media[i]);
        m_formats[i] = *format;
        m_media[i] = kept;
        return S_OK;
    }
    m_formats.push_back(*format);
    m_media.push_back(kept);
    return S_OK;
}

STDMETHODIMP CDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) {
    if (enumerator == nullptr) return E_POINTER;
    *enumerator = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    *enumerator = CEnumFormatEtc::Make(m_formats, 0);
    return *enumerator != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP CDataObject::DUnadvise(DWORD) { return E_NOTIMPL; }

STDMETHODIMP CDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

bool CDataObject::CopyMedium(const STGMEDIUM& from, CLIPFORMAT format, STGMEDIUM& to) {
    to = STGMEDIUM{};
    switch (from.tymed) {
    case TYMED_HGLOBAL:
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
        // All four handle members share one place in the union.
        to.hGlobal = static_cast<HGLOBAL>(::OleDuplicateData(from.hGlobal, format, 0));
        if (to.hGlobal == nullptr) return false;
        break;
    case TYMED_FILE: {
        // A file medium holds a name, not a handle: copy the text.
        if (from.lpszFileName == nullptr) break;
        const size_t bytes = (std::wcslen(from.lpszFileName) + 1) * sizeof(wchar_t);
        to.lpszFileName = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
        if (to.lpszFileName == nullptr) return false;
        std::wmemcpy(to.lpszFileName, from.lpszFileName, bytes / sizeof(wchar_t));
        break;
    }
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        to.pstm = from.pstm;
        if (to.pstm != nullptr) to.pstm->AddRef();
        break;
    default:
        break;
    }
    to.tymed = from.tymed;
    to.pUnkForRelease = from.pUnkForRelease;
    if (to.pUnkForRelease != nullptr) to.pUnkForRelease->AddRef();
    return true;
}

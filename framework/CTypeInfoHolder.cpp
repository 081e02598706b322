#include "framework/CTypeInfoHolder.h"

#include <oleauto.h>

CTypeInfoHolder::CTypeInfoHolder(const IID& iid, const GUID& libid, WORD majorVersion,
                                 WORD minorVersion, LCID libraryLcid)
    : m_iid(iid), m_libid(libid), m_majorVersion(majorVersion), m_minorVersion(minorVersion),
      m_libraryLcid(libraryLcid) {}

HRESULT CTypeInfoHolder::LoadTypeInfo() {
    if (m_typeInfo) return S_OK;
    ITypeLib* pTypeLib = nullptr;
    HRESULT hr = ::LoadRegTypeLib(m_libid, m_majorVersion, m_minorVersion, m_libraryLcid, &pTypeLib);
    if (FAILED(hr)) return hr;
    ITypeInfo* pTypeInfo = nullptr;
    hr = pTypeLib->GetTypeInfoOfGuid(m_iid, &pTypeInfo);
    pTypeLib->Release();
    if (SUCCEEDED(hr)) m_typeInfo.Reset(pTypeInfo);
    return hr;
}

HRESULT CTypeInfoHolder::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo == nullptr) return E_POINTER;
    *ppTInfo = nullptr;
    if (iTInfo != 0) return DISP_E_BADINDEX;
    const HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    m_typeInfo.Get()->AddRef();
    *ppTInfo = m_typeInfo.Get();
    return S_OK;
}

HRESULT CTypeInfoHolder::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                       DISPID* rgDispId) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (cNames != 0 && (rgszNames == nullptr || rgDispId == nullptr)) return E_POINTER;
    const HRESULT hr = LoadTypeInfo();
    return FAILED(hr) ? hr : ::DispGetIDsOfNames(m_typeInfo.Get(), rgszNames, cNames, rgDispId);
}

HRESULT CTypeInfoHolder::Invoke(IDispatch* pThis, DISPID dispIdMember, REFIID riid, LCID,
                                WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                EXCEPINFO* pExcepInfo, UINT* puArgErr) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (pDispParams == nullptr) return E_POINTER;
    const HRESULT hr = LoadTypeInfo();
    return FAILED(hr) ? hr
                      : ::DispInvoke(pThis, m_typeInfo.Get(), dispIdMember, wFlags, pDispParams,
                                     pVarResult, pExcepInfo, puArgErr);
}

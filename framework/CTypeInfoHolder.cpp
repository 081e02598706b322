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
    if (FAILED(hr)) return hr;
    m_typeInfo.Reset(InterfaceOf(pTypeInfo));
    return S_OK;
}

// A dual interface is found as its dispatch description; calls are made
// through the interface's own table, which its interface description gives.
ITypeInfo* CTypeInfoHolder::InterfaceOf(ITypeInfo* pTypeInfo) {
    TYPEATTR* pAttr = nullptr;
    if (FAILED(pTypeInfo->GetTypeAttr(&pAttr))) return pTypeInfo;
    const bool dual = pAttr->typekind == TKIND_DISPATCH && (pAttr->wTypeFlags & TYPEFLAG_FDUAL);
    pTypeInfo->ReleaseTypeAttr(pAttr);
    HREFTYPE interfaceRef = 0;
    ITypeInfo* pInterface = nullptr;
    if (!dual || FAILED(pTypeInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &interfaceRef)) ||
        FAILED(pTypeInfo->GetRefTypeInfo(interfaceRef, &pInterface)))
        return pTypeInfo;
    pTypeInfo->Release();
    return pInterface;
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

#pragma once
#include <windows.h>
#include <oaidl.h>

#include "framework/CComReference.h"

// The type description of one dual interface, taken from the registered
// type library on first use and kept until the holder goes. Serves the
// type-library-driven half of IDispatch.
class CTypeInfoHolder {
public:
    // The library is looked up under its version and the locale it was registered with.
    CTypeInfoHolder(const IID& iid, const GUID& libid, WORD majorVersion, WORD minorVersion,
                    LCID libraryLcid);
    CTypeInfoHolder(const CTypeInfoHolder&) = delete;
    CTypeInfoHolder& operator=(const CTypeInfoHolder&) = delete;

    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo);
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                          DISPID* rgDispId);
    HRESULT Invoke(IDispatch* pThis, DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                   UINT* puArgErr);

private:
    HRESULT LoadTypeInfo();
    // Takes the reference given; returns the one to keep.
    static ITypeInfo* InterfaceOf(ITypeInfo* pTypeInfo);

    const IID& m_iid;
    const GUID& m_libid;
    WORD m_majorVersion;
    WORD m_minorVersion;
    LCID m_libraryLcid;
    CComReference<ITypeInfo> m_typeInfo;
};

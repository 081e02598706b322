#include "framework/CTypeLibRegistrar.h"

#include <oleauto.h>

HRESULT CTypeLibRegistrar::Register(LPCWSTR modulePath) {
    ITypeLib* pTypeLib = nullptr;
    HRESULT hr = ::LoadTypeLibEx(modulePath, REGKIND_NONE, &pTypeLib);
    if (FAILED(hr)) return hr;
    // The path is only read; the declaration predates const.
    hr = ::RegisterTypeLib(pTypeLib, const_cast<LPOLESTR>(modulePath), nullptr);
    pTypeLib->Release();
    return hr;
}

HRESULT CTypeLibRegistrar::Unregister(LPCWSTR modulePath) {
    ITypeLib* pTypeLib = nullptr;
    HRESULT hr = ::LoadTypeLibEx(modulePath, REGKIND_NONE, &pTypeLib);
    if (FAILED(hr)) return hr;
    TLIBATTR* pAttr = nullptr;
    hr = pTypeLib->GetLibAttr(&pAttr);
    if (SUCCEEDED(hr)) {
        // Only a library registered under this version and locale is removed.
        BSTR registeredPath = nullptr;
        if (SUCCEEDED(::QueryPathOfRegTypeLib(pAttr->guid, pAttr->wMajorVerNum,
                                              pAttr->wMinorVerNum, pAttr->lcid, &registeredPath))) {
            ::SysFreeString(registeredPath);
            hr = ::UnRegisterTypeLib(pAttr->guid, pAttr->wMajorVerNum, pAttr->wMinorVerNum,
                                     pAttr->lcid, pAttr->syskind);
        }
        pTypeLib->ReleaseTLibAttr(pAttr);
    }
    pTypeLib->Release();
    return hr;
}

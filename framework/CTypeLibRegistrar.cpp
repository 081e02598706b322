#include "framework/CTypeLibRegistrar.h"

#include <oleauto.h>

#include <string>

HRESULT CTypeLibRegistrar::Register(LPCWSTR modulePath) {
    ITypeLib* pTypeLib = nullptr;
    HRESULT hr = ::LoadTypeLibEx(modulePath, REGKIND_NONE, &pTypeLib);
    if (FAILED(hr)) return hr;
    // The help folder is the module's folder with its trailing backslash,
    // named explicitly: without it the system writes the folder without the
    // backslash, and only when it creates the HELPDIR key, so that the value
    // would depend on what was registered before. A Windows Installer
    // package writes the same value as "[FOLDER]".
    std::wstring helpFolder(modulePath);
    helpFolder.erase(helpFolder.find_last_of(L"\\/") + 1);
    // The paths are only read; the declaration predates const.
    hr = ::RegisterTypeLib(pTypeLib, const_cast<LPOLESTR>(modulePath),
                           helpFolder.empty() ? nullptr : &helpFolder[0]);
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

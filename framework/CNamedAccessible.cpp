#include "framework/CNamedAccessible.h"

CNamedAccessible* CNamedAccessible::Create(HWND hWnd, const std::wstring& name) {
    auto* pAccessible = new CNamedAccessible(name);
    if (pAccessible->Connect(hWnd)) return pAccessible;
    pAccessible->Release();
    return nullptr;
}

STDMETHODIMP CNamedAccessible::get_accName(VARIANT varChild, BSTR* pszName) {
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF)
        return CAccessibleProxy::get_accName(varChild, pszName);
    if (const HRESULT hr = CheckSelfCall(varChild, pszName); hr != S_OK) return hr;
    return ReturnString(m_name.c_str(), pszName);
}

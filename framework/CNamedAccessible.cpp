#include "framework/CNamedAccessible.h"

CNamedAccessible* CNamedAccessible::Create(HWND hWnd, const std::wstring& name,
                                           const std::wstring& description) {
    auto* pAccessible = new CNamedAccessible(name, description);
    if (pAccessible->Connect(hWnd)) return pAccessible;
    pAccessible->Release();
    return nullptr;
}

STDMETHODIMP CNamedAccessible::get_accName(VARIANT varChild, BSTR* pszName) {
    HRESULT hr = S_OK;
    if (!AnswersItself(m_name, varChild, pszName, hr)) return CAccessibleProxy::get_accName(varChild, pszName);
    return hr != S_OK ? hr : ReturnString(m_name.c_str(), pszName);
}

STDMETHODIMP CNamedAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
    HRESULT hr = S_OK;
    if (!AnswersItself(m_description, varChild, pszDescription, hr))
        return CAccessibleProxy::get_accDescription(varChild, pszDescription);
    return hr != S_OK ? hr : ReturnString(m_description.c_str(), pszDescription);
}

bool CNamedAccessible::AnswersItself(const std::wstring& text, const VARIANT& varChild, const BSTR* pResult,
                                     HRESULT& hr) const {
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF || text.empty()) return false;
    hr = CheckSelfCall(varChild, pResult);
    return true;
}

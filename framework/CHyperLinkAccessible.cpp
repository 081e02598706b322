#include "framework/CHyperLinkAccessible.h"

#include <string>

#include "framework/CHyperLinkImpl.h"

CHyperLinkAccessible* CHyperLinkAccessible::Create(CHyperLinkImpl& link) {
    auto* pAccessible = new CHyperLinkAccessible(link);
    if (pAccessible->Connect(link.m_hWnd)) return pAccessible;
    pAccessible->Release();
    return nullptr;
}

STDMETHODIMP CHyperLinkAccessible::get_accName(VARIANT varChild, BSTR* pszName) {
    if (const HRESULT hr = CheckSelfCall(varChild, pszName); hr != S_OK) return hr;
    return ReturnString(std::wstring(m_link.SplitLabel().Link).c_str(), pszName);
}

STDMETHODIMP CHyperLinkAccessible::get_accValue(VARIANT varChild, BSTR* pszValue) {
    if (const HRESULT hr = CheckSelfCall(varChild, pszValue); hr != S_OK) return hr;
    return ReturnString(m_link.GetLinkTarget().c_str(), pszValue);
}

STDMETHODIMP CHyperLinkAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
    if (const HRESULT hr = CheckSelfCall(varChild, pvarRole); hr != S_OK) return hr;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_LINK;
    return S_OK;
}

STDMETHODIMP CHyperLinkAccessible::get_accState(VARIANT varChild, VARIANT* pvarState) {
    if (const HRESULT hr = CheckSelfCall(varChild, pvarState); hr != S_OK) return hr;
    const HWND hWnd = Window();
    LONG state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
    if (::GetFocus() == hWnd) state |= STATE_SYSTEM_FOCUSED;
    if (m_link.IsVisited()) state |= STATE_SYSTEM_TRAVERSED;
    if (!::IsWindowEnabled(hWnd)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (!::IsWindowVisible(hWnd)) state |= STATE_SYSTEM_INVISIBLE;
    pvarState->vt = VT_I4;
    pvarState->lVal = state;
    return S_OK;
}

STDMETHODIMP CHyperLinkAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    if (const HRESULT hr = CheckSelfCall(varChild, pszDefaultAction); hr != S_OK) return hr;
    return ReturnString(L"Jump", pszDefaultAction);
}

// As a click would: nothing while the link is disabled.
STDMETHODIMP CHyperLinkAccessible::accDoDefaultAction(VARIANT varChild) {
    if (const HRESULT hr = CheckSelfCall(varChild); hr != S_OK) return hr;
    if (!::IsWindowEnabled(Window())) return E_FAIL;
    return m_link.LaunchLink() ? S_OK : E_FAIL;
}

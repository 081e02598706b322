#include "framework/CAccessibleProxy.h"

// LIBID_Accessibility, spelt out: MinGW's x86_64 oleacc import library
// also has a symbol of that name, which is no GUID.
const GUID& CAccessibleProxy::AccessibilityLibrary() {
    static const GUID library = {0x1ea4dbf0, 0x3c3b, 0x11cf,
                                 {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    return library;
}

bool CAccessibleProxy::Connect(HWND hWnd) {
    void* pStandard = nullptr;
    if (FAILED(::CreateStdAccessibleObject(hWnd, OBJID_CLIENT, __uuidof(IAccessible), &pStandard)) ||
        pStandard == nullptr)
        return false;
    m_standard.Reset(static_cast<IAccessible*>(pStandard));
    m_hWnd = hWnd;
    return true;
}

LRESULT CAccessibleProxy::Answer(WPARAM wParam) {
    if (!IsConnected()) return 0;
    const LRESULT result =
        ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(this));
    return result < 0 ? 0 : result;
}

void CAccessibleProxy::Disconnect() {
    if (!m_standard) return;
    m_standard.Reset();
    m_hWnd = nullptr;
    // Clients in other apartments or processes lose their proxies now; the
    // caller's reference keeps this object alive through it.
    ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT CAccessibleProxy::CheckSelfCall(const VARIANT& varChild) const {
    if (!IsConnected()) return RPC_E_DISCONNECTED;
    if (varChild.vt != VT_I4 || varChild.lVal != CHILDID_SELF) return E_INVALIDARG;
    return S_OK;
}

HRESULT CAccessibleProxy::CheckSelfCall(const VARIANT& varChild, const void* pResult) const {
    const HRESULT hr = CheckSelfCall(varChild);
    if (hr != S_OK) return hr;
    return pResult != nullptr ? S_OK : E_POINTER;
}

HRESULT CAccessibleProxy::ReturnString(const wchar_t* text, BSTR* pResult) {
    *pResult = ::SysAllocString(text);
    return *pResult != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAccessibleProxy::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
        *ppv = static_cast<IAccessible*>(this);
    } else if (riid == IID_IOleWindow) {
        *ppv = static_cast<IOleWindow*>(this);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CAccessibleProxy::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CAccessibleProxy::Release() {
    const LONG references = ::InterlockedDecrement(&m_references);
    if (references == 0) delete this;
    return static_cast<ULONG>(references);
}

STDMETHODIMP CAccessibleProxy::GetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo == nullptr) return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

STDMETHODIMP CAccessibleProxy::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
    return m_dispatch.GetTypeInfo(iTInfo, lcid, ppTInfo);
}

STDMETHODIMP CAccessibleProxy::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                             LCID lcid, DISPID* rgDispId) {
    return m_dispatch.GetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
}

// Through this object's own methods, so that a client using IDispatch
// hears what one calling IAccessible directly hears.
STDMETHODIMP CAccessibleProxy::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                      DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                      EXCEPINFO* pExcepInfo, UINT* puArgErr) {
    return m_dispatch.Invoke(static_cast<IAccessible*>(this), dispIdMember, riid, lcid, wFlags,
                             pDispParams, pVarResult, pExcepInfo, puArgErr);
}

STDMETHODIMP CAccessibleProxy::get_accParent(IDispatch** ppdispParent) {
    return Delegate(&IAccessible::get_accParent, ppdispParent);
}

STDMETHODIMP CAccessibleProxy::get_accChildCount(LONG* pcountChildren) {
    return Delegate(&IAccessible::get_accChildCount, pcountChildren);
}

STDMETHODIMP CAccessibleProxy::get_accChild(VARIANT varChild, IDispatch** ppdispChild) {
    return Delegate(&IAccessible::get_accChild, varChild, ppdispChild);
}

STDMETHODIMP CAccessibleProxy::get_accName(VARIANT varChild, BSTR* pszName) {
    return Delegate(&IAccessible::get_accName, varChild, pszName);
}

STDMETHODIMP CAccessibleProxy::get_accValue(VARIANT varChild, BSTR* pszValue) {
    return Delegate(&IAccessible::get_accValue, varChild, pszValue);
}

STDMETHODIMP CAccessibleProxy::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
    return Delegate(&IAccessible::get_accDescription, varChild, pszDescription);
}

STDMETHODIMP CAccessibleProxy::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
    return Delegate(&IAccessible::get_accRole, varChild, pvarRole);
}

STDMETHODIMP CAccessibleProxy::get_accState(VARIANT varChild, VARIANT* pvarState) {
    return Delegate(&IAccessible::get_accState, varChild, pvarState);
}

STDMETHODIMP CAccessibleProxy::get_accHelp(VARIANT varChild, BSTR* pszHelp) {
    return Delegate(&IAccessible::get_accHelp, varChild, pszHelp);
}

STDMETHODIMP CAccessibleProxy::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild,
                                                LONG* pidTopic) {
    return Delegate(&IAccessible::get_accHelpTopic, pszHelpFile, varChild, pidTopic);
}

STDMETHODIMP CAccessibleProxy::get_accKeyboardShortcut(VARIANT varChild,
                                                       BSTR* pszKeyboardShortcut) {
    return Delegate(&IAccessible::get_accKeyboardShortcut, varChild, pszKeyboardShortcut);
}

STDMETHODIMP CAccessibleProxy::get_accFocus(VARIANT* pvarChild) {
    return Delegate(&IAccessible::get_accFocus, pvarChild);
}

STDMETHODIMP CAccessibleProxy::get_accSelection(VARIANT* pvarChildren) {
    return Delegate(&IAccessible::get_accSelection, pvarChildren);
}

STDMETHODIMP CAccessibleProxy::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    return Delegate(&IAccessible::get_accDefaultAction, varChild, pszDefaultAction);
}

STDMETHODIMP CAccessibleProxy::accSelect(LONG flagsSelect, VARIANT varChild) {
    return Delegate(&IAccessible::accSelect, flagsSelect, varChild);
}

STDMETHODIMP CAccessibleProxy::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth,
                                           LONG* pcyHeight, VARIANT varChild) {
    return Delegate(&IAccessible::accLocation, pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}

STDMETHODIMP CAccessibleProxy::accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEndUpAt) {
    return Delegate(&IAccessible::accNavigate, navDir, varStart, pvarEndUpAt);
}

STDMETHODIMP CAccessibleProxy::accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarChild) {
    return Delegate(&IAccessible::accHitTest, xLeft, yTop, pvarChild);
}

STDMETHODIMP CAccessibleProxy::accDoDefaultAction(VARIANT varChild) {
    return Delegate(&IAccessible::accDoDefaultAction, varChild);
}

STDMETHODIMP CAccessibleProxy::put_accName(VARIANT varChild, BSTR szName) {
    return Delegate(&IAccessible::put_accName, varChild, szName);
}

STDMETHODIMP CAccessibleProxy::put_accValue(VARIANT varChild, BSTR szValue) {
    return Delegate(&IAccessible::put_accValue, varChild, szValue);
}

STDMETHODIMP CAccessibleProxy::GetWindow(HWND* phwnd) {
    if (phwnd == nullptr) return E_POINTER;
    *phwnd = m_hWnd;
    return IsConnected() ? S_OK : RPC_E_DISCONNECTED;
}

STDMETHODIMP CAccessibleProxy::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

#pragma once
#include <windows.h>
#include <oleacc.h>
#include <ole2.h>

#include "framework/CComReference.h"
#include "framework/CTypeInfoHolder.h"

// The accessible object of one window's client area: a class derived from
// this one answers what it knows about its window, and everything else
// goes to the system's standard proxy for the window, which this object
// owns. The window hands it out on WM_GETOBJECT (Answer) and disconnects
// it when the window is destroyed (CAccessibleHolder does both); a client
// that keeps a pointer past that gets RPC_E_DISCONNECTED from every call.
// IDispatch reaches the same answers: its calls are served from the
// description of IAccessible in the system's accessibility type library
// and land on this object's own methods.
class CAccessibleProxy : public IAccessible, public IOleWindow {
public:
    // For CUniqueHandle: the owning window's reference is given up this way.
    struct Closer {
        void operator()(CAccessibleProxy* pAccessible) const {
            pAccessible->Disconnect();
            pAccessible->Release();
        }
    };

    // The answer to WM_GETOBJECT that hands this object to the client; 0
    // (so the client gets the standard proxy) when it cannot be handed over.
    LRESULT Answer(WPARAM wParam);

    // Cuts the object from its window: the standard proxy is released and
    // every later call fails with RPC_E_DISCONNECTED.
    void Disconnect();
    bool IsConnected() const { return static_cast<bool>(m_standard); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                               DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                        DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                        UINT* puArgErr) override;

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
    STDMETHODIMP get_accChildCount(LONG* pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, LONG* pidTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(LONG flagsSelect, VARIANT varChild) override;
    STDMETHODIMP accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight,
                             VARIANT varChild) override;
    STDMETHODIMP accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    STDMETHODIMP accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT varChild, BSTR szName) override;
    STDMETHODIMP put_accValue(VARIANT varChild, BSTR szValue) override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;

protected:
    // One reference, the window's. Connect before handing the object out.
    CAccessibleProxy() = default;
    // Reached only through the last Release, when no client holds the
    // object: nothing is left to disconnect but the standard proxy.
    virtual ~CAccessibleProxy() = default;
    CAccessibleProxy(const CAccessibleProxy&) = delete;
    CAccessibleProxy& operator=(const CAccessibleProxy&) = delete;

    // Creates the standard proxy of the window's client area; false when
    // the system gives none.
    bool Connect(HWND hWnd);
    HWND Window() const { return m_hWnd; }

    // What a derived answer checks first: RPC_E_DISCONNECTED once
    // disconnected, E_INVALIDARG for anything but the window itself
    // (CHILDID_SELF), E_POINTER for a null result pointer; S_OK otherwise.
    HRESULT CheckSelfCall(const VARIANT& varChild) const;
    HRESULT CheckSelfCall(const VARIANT& varChild, const void* pResult) const;
    // A new string for a result; E_OUTOFMEMORY when it cannot be made.
    static HRESULT ReturnString(const wchar_t* text, BSTR* pResult);

private:
    template <class Method, class... Args>
    HRESULT Delegate(Method method, Args... args) {
        return m_standard ? (m_standard.Get()->*method)(args...) : RPC_E_DISCONNECTED;
    }

    // The system's accessibility type library, version 1.1.
    static const GUID& AccessibilityLibrary();

    LONG m_references = 1;
    CTypeInfoHolder m_dispatch{__uuidof(IAccessible), AccessibilityLibrary(), 1, 1, LOCALE_NEUTRAL};
    CComReference<IAccessible> m_standard;
    HWND m_hWnd = nullptr;
};

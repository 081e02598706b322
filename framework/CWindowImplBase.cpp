#include "framework/CWindowImplBase.h"

#include <commctrl.h>

#include "framework/CBaseModule.h"
#include "framework/CWinModule.h"

// Each object's subclass is told apart by the object's address.
UINT_PTR CWindowImplBase::SubclassId() const { return reinterpret_cast<UINT_PTR>(this); }

CWindowImplBase::~CWindowImplBase() {
    if (m_hWnd != nullptr) UnsubclassWindow();
}

BOOL CWindowImplBase::SubclassWindow(HWND hWnd) {
    if (m_hWnd != nullptr || hWnd == nullptr || !::IsWindow(hWnd)) return FALSE;
    if (!::SetWindowSubclass(hWnd, SubclassProc, SubclassId(),
                             reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWindowImplBase::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) ::RemoveWindowSubclass(hWnd, SubclassProc, SubclassId());
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWindowImplBase::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }

LRESULT CWindowImplBase::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowImplBase::DefWindowProc() {
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

void CWindowImplBase::OnFinalMessage(HWND) {}

HWND CWindowImplBase::CreateWindowOfClass(ATOM atom, HWND hWndParent, const RECT& rect,
                                          LPCWSTR name, DWORD style, DWORD exStyle,
                                          HMENU hMenuOrId) {
    if (atom == 0 || m_hWnd != nullptr) return nullptr;
    CWinModule::AddCreateWndData(this);
    HWND hWnd = ::CreateWindowExW(exStyle, MAKEINTATOM(atom), name, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, hWndParent,
                                  hMenuOrId, CBaseModule::Get().GetModuleInstance(), nullptr);
    // A creation that failed before the first message leaves the data unused.
    CWinModule::ExtractCreateWndData();
    return hWnd;
}

LRESULT CWindowImplBase::AttachCreated(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (!::SetWindowSubclass(hWnd, SubclassProc, SubclassId(),
                             reinterpret_cast<DWORD_PTR>(this)))
        return ::CallWindowProcW(CWinModule::SuperProcOf(hWnd), hWnd, uMsg, wParam, lParam);
    m_hWnd = hWnd;
    return Dispatch(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowImplBase::SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    return reinterpret_cast<CWindowImplBase*>(refData)->Dispatch(hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowImplBase::Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    MSG msg{hWnd, uMsg, wParam, lParam, 0, {0, 0}};
    const MSG* pOldMsg = m_pCurrentMsg;
    m_pCurrentMsg = &msg;
    LRESULT lResult = 0;
    if (!ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0))
        lResult = ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
    m_pCurrentMsg = pOldMsg;
    if (uMsg == WM_NCDESTROY) {
        // The window is gone: detach, then let the object finish.
        ::RemoveWindowSubclass(hWnd, SubclassProc, SubclassId());
        if (m_hWnd == hWnd) m_hWnd = nullptr;
        OnFinalMessage(hWnd);
    }
    return lResult;
}

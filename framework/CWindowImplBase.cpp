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

void CWindowImplBase::OnFinalMessage(HWND) {}

HWND CWindowImplBase::CreateWindowOfClass(ATOM atom, HWND hWndParent, const RECT& rect,
                                          LPCWSTR name, DWORD style, DWORD exStyle,
                                          HMENU hMenuOrId) {
    if (atom == 0 || m_hWnd != nullptr) return nullptr;
    HWND hWnd = nullptr;
    {
        CWinModule::CreateWndData offer(this, atom);
        hWnd = ::CreateWindowExW(exStyle, MAKEINTATOM(atom), name, style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, hWndParent,
                                 hMenuOrId, CBaseModule::Get().GetModuleInstance(), nullptr);
    }
    // A window this object could not take over would be run by nobody and
    // destroyed by nobody.
    if (hWnd != nullptr && m_hWnd != hWnd) {
        ::DestroyWindow(hWnd);
        return nullptr;
    }
    return hWnd;
}

LRESULT CALLBACK CWindowImplBase::SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    return reinterpret_cast<CWindowImplBase*>(refData)->Dispatch(hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowImplBase::Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    ++m_nesting;
    LRESULT lResult = 0;
    if (!ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0))
        lResult = ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        // The window is gone: detach now, and finish the object once none of
        // its messages is being handled any more.
        ::RemoveWindowSubclass(hWnd, SubclassProc, SubclassId());
        if (m_hWnd == hWnd) m_hWnd = nullptr;
        m_destroyed = true;
    }
    --m_nesting;
    if (m_destroyed && m_nesting == 0) {
        m_destroyed = false;
        // Last of all: the hook may delete the object.
        OnFinalMessage(hWnd);
    }
    return lResult;
}

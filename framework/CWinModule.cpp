#include "framework/CWinModule.h"

#include "framework/CBaseModule.h"
#include "framework/CWindowImplBase.h"

namespace {
thread_local CWindowImplBase* t_pCreating = nullptr;
}

std::vector<std::pair<ATOM, WNDPROC>>& CWinModule::Classes() {
    static std::vector<std::pair<ATOM, WNDPROC>> classes;
    return classes;
}

ATOM CWinModule::FindRegistered(LPCWSTR className) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    return static_cast<ATOM>(
        ::GetClassInfoExW(CBaseModule::Get().GetModuleInstance(), className, &wc));
}

ATOM CWinModule::RegisterObjectClass(WNDCLASSEXW wc, WNDPROC superProc) {
    CModuleLockGuard lock;
    if (ATOM atom = FindRegistered(wc.lpszClassName)) return atom;
    wc.cbSize = sizeof(wc);
    wc.hInstance = CBaseModule::Get().GetModuleInstance();
    wc.lpfnWndProc = StartWindowProc;
    ATOM atom = ::RegisterClassExW(&wc);
    if (atom != 0) Classes().emplace_back(atom, superProc);
    return atom;
}

void CWinModule::UnregisterClasses() {
    CModuleLockGuard lock;
    for (const auto& entry : Classes())
        ::UnregisterClassW(MAKEINTATOM(entry.first), CBaseModule::Get().GetModuleInstance());
    Classes().clear();
}

void CWinModule::AddCreateWndData(CWindowImplBase* pObject) { t_pCreating = pObject; }

CWindowImplBase* CWinModule::ExtractCreateWndData() {
    CWindowImplBase* pObject = t_pCreating;
    t_pCreating = nullptr;
    return pObject;
}

WNDPROC CWinModule::SuperProcOf(HWND hWnd) {
    const ATOM atom = static_cast<ATOM>(::GetClassLongPtrW(hWnd, GCW_ATOM));
    CModuleLockGuard lock;
    for (const auto& entry : Classes())
        if (entry.first == atom) return entry.second;
    return ::DefWindowProcW;
}

LRESULT CALLBACK CWinModule::StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // The first message a new window receives is sent while its object
    // waits in the creation data: it attaches the window to the object.
    // Afterwards this procedure is only reached as the default handling
    // below the object's subclass.
    if (CWindowImplBase* pObject = ExtractCreateWndData())
        return pObject->AttachCreated(hWnd, uMsg, wParam, lParam);
    return ::CallWindowProcW(SuperProcOf(hWnd), hWnd, uMsg, wParam, lParam);
}

#include "framework/CWinModule.h"

#include "framework/CBaseModule.h"
#include "framework/CModuleLockGuard.h"
#include "framework/CWindowImplBase.h"

namespace {
// This thread's waiting offers, the latest first.
thread_local CWinModule::CreateWndData* t_pOffers = nullptr;
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

CWinModule::CreateWndData::CreateWndData(CWindowImplBase* pObject, ATOM atom)
    : m_pObject(pObject), m_atom(atom), m_pNext(t_pOffers) {
    t_pOffers = this;
}

// An offer nobody took (the creation failed before the first message).
CWinModule::CreateWndData::~CreateWndData() { Unlink(*this); }

void CWinModule::Unlink(CreateWndData& data) {
    for (CreateWndData** ppLink = &t_pOffers; *ppLink != nullptr; ppLink = &(*ppLink)->m_pNext) {
        if (*ppLink == &data) {
            *ppLink = data.m_pNext;
            return;
        }
    }
}

CWindowImplBase* CWinModule::ExtractCreateWndData(ATOM atom) {
    for (CreateWndData* pData = t_pOffers; pData != nullptr; pData = pData->m_pNext) {
        if (pData->m_atom == atom) {
            Unlink(*pData);
            return pData->m_pObject;
        }
    }
    return nullptr;
}

WNDPROC CWinModule::SuperProcOf(ATOM atom) {
    CModuleLockGuard lock;
    for (const auto& entry : Classes())
        if (entry.first == atom) return entry.second;
    return ::DefWindowProcW;
}

LRESULT CALLBACK CWinModule::StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // Only a window's first message comes here: the window's own procedure
    // becomes its class's default handling at once, so no later message,
    // of this window or another, can take an offer meant for a new window.
    const ATOM atom = static_cast<ATOM>(::GetClassLongPtrW(hWnd, GCW_ATOM));
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SuperProcOf(atom)));
    if (CWindowImplBase* pObject = ExtractCreateWndData(atom)) pObject->SubclassWindow(hWnd);
    // To the object, if it took the window over, else to the default.
    const auto proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    return ::CallWindowProcW(proc, hWnd, uMsg, wParam, lParam);
}

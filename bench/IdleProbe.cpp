#include "bench/IdleProbe.h"

#include <commctrl.h>
#include <prsht.h>

#include <cwchar>

#include "bench/BenchTable.h"

namespace {

constexpr UINT WM_LOOK = WM_APP + 1;
constexpr int MAX_LOOKS = 100000;  // a sheet that never comes up is given up on
const wchar_t CLASS_NAME[] = L"VTL_BenchIdleProbe";

struct SheetSearch {
    HWND Owner;
    HWND Found;
};

BOOL CALLBACK FindOwnedDialog(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<SheetSearch*>(lParam);
    wchar_t className[16];
    if (::GetWindow(hWnd, GW_OWNER) == search->Owner && ::IsWindowVisible(hWnd) &&
        ::GetClassNameW(hWnd, className, 16) && std::wcscmp(className, L"#32770") == 0) {
        search->Found = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

IdleProbe::IdleProbe(HWND owner) : m_owner(owner) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &IdleProbe::WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = CLASS_NAME;
    ::RegisterClassExW(&windowClass);  // already there for a second probe
    m_hWnd = ::CreateWindowExW(0, CLASS_NAME, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               ::GetModuleHandleW(nullptr), this);
}

IdleProbe::~IdleProbe() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

void IdleProbe::Start() {
    m_elapsed = -1;
    m_looks = 0;
    m_start = BenchTable::Now();
    ::PostMessageW(m_hWnd, WM_LOOK, 0, 0);
}

LRESULT CALLBACK IdleProbe::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (message == WM_LOOK) {
        reinterpret_cast<IdleProbe*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA))->Look();
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// Once the sheet is up, runs its queue here the way its own loop would,
// until nothing is left (nothing posted or sent, no input, nothing to
// paint): that moment is idle. The probe itself was posted, and posted
// messages come before input and paints, so it cannot simply look again later.
void IdleProbe::Look() {
    const HWND sheet = FindSheet();
    if (sheet == nullptr) {
        if (++m_looks < MAX_LOOKS) ::PostMessageW(m_hWnd, WM_LOOK, 0, 0);
        return;
    }
    MSG message;
    while (::IsWindow(sheet) && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!::IsDialogMessageW(sheet, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    m_elapsed = BenchTable::Now() - m_start;
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

HWND IdleProbe::FindSheet() const {
    SheetSearch search{m_owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindOwnedDialog,
                        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

#include "framework/WindowDpi.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Systems older than the per-monitor DPI functions lack it.
GetDpiForWindowFunction FindGetDpiForWindow() {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetDpiForWindow")));
}

int GetScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return USER_DEFAULT_SCREEN_DPI;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int GetWindowDpi(HWND hWnd) {
    static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow != nullptr && hWnd != nullptr) {
        const UINT dpi = getDpiForWindow(hWnd);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    return GetScreenDpi();
}

#include "framework/IsThemingAvailable.h"

#include <windows.h>

namespace {

INIT_ONCE g_tested = INIT_ONCE_STATIC_INIT;

// The component imports the visual-styles library, so the loader has
// mapped it before any of this code runs: asking for its handle loads
// nothing.
BOOL CALLBACK FindThemeLibrary(PINIT_ONCE, PVOID, PVOID* pFound) {
    *pFound = ::GetModuleHandleW(L"uxtheme.dll");
    return TRUE;
}

}  // namespace

bool IsThemingAvailable() {
    PVOID found = nullptr;
    return ::InitOnceExecuteOnce(&g_tested, FindThemeLibrary, nullptr, &found) && found != nullptr;
}

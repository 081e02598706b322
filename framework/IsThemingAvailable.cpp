#include "framework/IsThemingAvailable.h"

#include <windows.h>

#include "framework/CBaseModule.h"

bool IsThemingAvailable() {
    static bool tested = false;
    static bool available = false;
    CModuleLockGuard lock;
    if (!tested) {
        if (HMODULE library = ::LoadLibraryW(L"uxtheme.dll")) {
            available = true;
            ::FreeLibrary(library);
        }
        tested = true;
    }
    return available;
}

// Entry points of BrackwynVTL.dll.
#include <windows.h>

#include "framework/CBaseModule.h"
#include "module/CBrackwynVTLModule.h"

namespace {
// Built at load, before DllMain runs.
CBrackwynVTLModule g_module;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        CBaseModule::Get().SetModuleInstance(hInstance);
        ::DisableThreadLibraryCalls(hInstance);
        if (CBrackwynVTLModule::IsHostedByExplorer()) return FALSE;
        return g_module.InitFailed() || CBaseModule::Get().InitFailed() ? FALSE : TRUE;
    case DLL_PROCESS_DETACH:
        g_module.Term();
        return TRUE;
    default:
        return TRUE;
    }
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    return g_module.DllGetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return g_module.DllCanUnloadNow(); }

STDAPI DllRegisterServer() { return g_module.DllRegisterServer(); }

STDAPI DllUnregisterServer() { return g_module.DllUnregisterServer(); }

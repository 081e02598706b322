// Entry points of BrackwynVTL.dll.
#include <windows.h>

#include "module/CBrackwynVTLModule.h"

namespace {
// Built at load, before DllMain runs.
CBrackwynVTLModule g_module;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID reserved) {
    // Windows Explorer must not load the component.
    if (dwReason == DLL_PROCESS_ATTACH && CBrackwynVTLModule::IsHostedByExplorer()) return FALSE;
    return g_module.DllMain(hInstance, dwReason, reserved);
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    return g_module.DllGetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return g_module.DllCanUnloadNow(); }

STDAPI DllRegisterServer() { return g_module.DllRegisterServer(); }

STDAPI DllUnregisterServer() { return g_module.DllUnregisterServer(); }

// Entry points of BrackwynVTL.dll.
#include <windows.h>

#include "module/CBrackwynVTLModule.h"
#include "policy/PolicyApplication.h"
#include "policy/RegistryPolicySource.h"
#include "prefs/PrefsFile.h"

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

// rundll32 BrackwynVTL.dll,ApplyPolicy: writes the administrator's
// mandatory settings into the current user's preferences files. rundll32
// gives no exit code of its own, so a failure ends the process with one.
extern "C" void CALLBACK ApplyPolicy(HWND, HINSTANCE, LPSTR, int) {
    const PolicyApplication::Result result =
        PolicyApplication::Run(RegistryPolicySource(), PrefsFile::FromEnvironment());
    if (result != PolicyApplication::Applied) ::ExitProcess(static_cast<UINT>(result));
}

#include "framework/CAtlModule.h"

#include "framework/CBaseModule.h"
#include "framework/CRegistrar.h"

HRESULT CAtlModule::AddCommonRGSReplacements(CRegistrar&) { return S_OK; }

std::wstring CAtlModule::ModulePath() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length =
        ::GetModuleFileNameW(CBaseModule::Get().GetModuleInstance(), path, ARRAYSIZE(path));
    if (length == 0 || length >= ARRAYSIZE(path)) return std::wstring();
    return std::wstring(path, length);
}

HRESULT CAtlModule::UpdateRegistryFromResource(UINT resourceId, bool doRegister) {
    const std::wstring modulePath = ModulePath();
    if (modulePath.empty()) return E_UNEXPECTED;
    CRegistrar registrar;
    HRESULT hr = registrar.AddReplacement(L"MODULE", modulePath.c_str());
    if (SUCCEEDED(hr)) hr = AddCommonRGSReplacements(registrar);
    if (FAILED(hr)) return hr;
    const HINSTANCE hRes = CBaseModule::Get().GetResourceInstance();
    return doRegister ? registrar.ResourceRegister(hRes, resourceId)
                      : registrar.ResourceUnregister(hRes, resourceId);
}

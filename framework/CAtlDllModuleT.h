#pragma once
#include <windows.h>

#include <string>

#include "framework/CAtlModule.h"
#include "framework/CBaseModule.h"
#include "framework/CModuleLockGuard.h"
#include "framework/CObjectMapEntry.h"
#include "framework/CRegistrar.h"
#include "framework/CTypeLibRegistrar.h"
#include "framework/CWinModule.h"

// The module of an in-process COM server: serves the classes of its object
// map through the four DLL exports. T supplies the AppID (T::GetAppId(),
// in braces) and the REGISTRY resource of the module script
// (T::IDR_MODULE_SCRIPT).
template <class T>
class CAtlDllModuleT : public CAtlModule {
public:
    CAtlDllModuleT(CObjectMapEntry* pFirst, CObjectMapEntry* pLast)
        : m_pFirst(pFirst), m_pLast(pLast) {}

    HRESULT AddCommonRGSReplacements(CRegistrar& registrar) override {
        return registrar.AddReplacement(L"APPID", T::GetAppId());
    }

    HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        for (CObjectMapEntry* pEntry = m_pFirst; pEntry != m_pLast; ++pEntry) {
            if (!IsEqualCLSID(*pEntry->pClsid, rclsid)) continue;
            const HRESULT hr = CreateClassObject(*pEntry);
            return FAILED(hr) ? hr : pEntry->pClassObject->QueryInterface(riid, ppv);
        }
        return CLASS_E_CLASSNOTAVAILABLE;
    }

    HRESULT DllCanUnloadNow() { return CBaseModule::Get().GetLockCount() == 0 ? S_OK : S_FALSE; }

    // The module script, then the classes and the type library.
    HRESULT DllRegisterServer() {
        return InSystemLocale([this] {
            HRESULT hr = UpdateRegistryFromResource(T::IDR_MODULE_SCRIPT, true);
            if (FAILED(hr)) return hr;
            for (CObjectMapEntry* pEntry = m_pFirst; pEntry != m_pLast; ++pEntry) {
                hr = UpdateRegistryFromResource(pEntry->registryResourceId, true);
                if (FAILED(hr)) return hr;
            }
            const std::wstring path = ModulePath();
            return path.empty() ? E_UNEXPECTED : CTypeLibRegistrar::Register(path.c_str());
        });
    }

    // The classes and the type library, then, if they went, the module script.
    HRESULT DllUnregisterServer() {
        return InSystemLocale([this] {
            HRESULT hr = S_OK;
            for (CObjectMapEntry* pEntry = m_pFirst; pEntry != m_pLast; ++pEntry) {
                hr = UpdateRegistryFromResource(pEntry->registryResourceId, false);
                if (FAILED(hr)) return hr;
            }
            const std::wstring path = ModulePath();
            hr = path.empty() ? E_UNEXPECTED : CTypeLibRegistrar::Unregister(path.c_str());
            if (FAILED(hr)) return hr;
            return UpdateRegistryFromResource(T::IDR_MODULE_SCRIPT, false);
        });
    }

    // The DLL entry point's work: at load, record the module and accept
    // unless its lock could not be made; at unload, Term(). At process exit
    // (reserved not null) nothing: the other threads were stopped wherever
    // they were, perhaps holding the module lock, and the system takes back
    // all the process had.
    BOOL DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID reserved) {
        switch (dwReason) {
        case DLL_PROCESS_ATTACH:
            CBaseModule::Get().SetModuleInstance(hInstance);
            ::DisableThreadLibraryCalls(hInstance);
            return CBaseModule::Get().InitFailed() ? FALSE : TRUE;
        case DLL_PROCESS_DETACH:
            if (reserved == nullptr) Term();
            return TRUE;
        default:
            return TRUE;
        }
    }

    // At unload: the window classes and the cached class objects go.
    void Term() {
        CWinModule::UnregisterClasses();
        for (CObjectMapEntry* pEntry = m_pFirst; pEntry != m_pLast; ++pEntry) {
            if (pEntry->pClassObject == nullptr) continue;
            pEntry->pClassObject->Release();
            pEntry->pClassObject = nullptr;
        }
    }

private:
    // Class objects are made once, whichever thread asks first.
    HRESULT CreateClassObject(CObjectMapEntry& entry) {
        CModuleLockGuard lock;
        if (entry.pClassObject != nullptr) return S_OK;
        return entry.pfnGetClassObject(entry.pfnCreateInstance, IID_IUnknown,
                                       reinterpret_cast<void**>(&entry.pClassObject));
    }

    // Registration runs in the system default locale, whatever the caller's.
    template <class F>
    static HRESULT InSystemLocale(F run) {
        const LCID previous = ::GetThreadLocale();
        ::SetThreadLocale(LOCALE_SYSTEM_DEFAULT);
        const HRESULT hr = run();
        ::SetThreadLocale(previous);
        return hr;
    }

    CObjectMapEntry* m_pFirst;
    CObjectMapEntry* m_pLast;
};

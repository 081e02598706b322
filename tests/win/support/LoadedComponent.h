#pragma once
#include <windows.h>
#include <unknwn.h>

// BrackwynVTL.dll loaded into the test process, with its four entry points.
class LoadedComponent {
public:
    LoadedComponent();
    ~LoadedComponent();
    LoadedComponent(const LoadedComponent&) = delete;
    LoadedComponent& operator=(const LoadedComponent&) = delete;

    bool IsLoaded() const {
        return m_pGetClassObject != nullptr && m_pCanUnloadNow != nullptr &&
               m_pRegisterServer != nullptr && m_pUnregisterServer != nullptr;
    }

    HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) const {
        return m_pGetClassObject(rclsid, riid, ppv);
    }
    HRESULT CanUnloadNow() const { return m_pCanUnloadNow(); }
    HMODULE Module() const { return m_hDll; }
    HRESULT RegisterServer() const { return m_pRegisterServer(); }
    HRESULT UnregisterServer() const { return m_pUnregisterServer(); }

    // A new Options object through the class factory, as the interface asked for.
    template <class I>
    HRESULT CreateOptions(REFIID riid, I** ppv) const;

private:
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using ServerFn = HRESULT(STDAPICALLTYPE*)();

    template <class F>
    F Export(const char* name) const {
        // Through the generic function type: the export's own type is known here only.
        return reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(m_hDll, name)));
    }

    HMODULE m_hDll;
    GetClassObjectFn m_pGetClassObject = nullptr;
    ServerFn m_pCanUnloadNow = nullptr;
    ServerFn m_pRegisterServer = nullptr;
    ServerFn m_pUnregisterServer = nullptr;
};

#include "module/BrackwynVTL.h"

template <class I>
HRESULT LoadedComponent::CreateOptions(REFIID riid, I** ppv) const {
    IClassFactory* pFactory = nullptr;
    HRESULT hr = GetClassObject(CLSID_Options, IID_IClassFactory, reinterpret_cast<void**>(&pFactory));
    if (FAILED(hr)) return hr;
    hr = pFactory->CreateInstance(nullptr, riid, reinterpret_cast<void**>(ppv));
    pFactory->Release();
    return hr;
}

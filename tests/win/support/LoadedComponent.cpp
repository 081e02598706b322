#include "support/LoadedComponent.h"

#include "support/ComponentFiles.h"

LoadedComponent::LoadedComponent() : m_hDll(::LoadLibraryW(ComponentFiles::DllPath().c_str())) {
    if (m_hDll == nullptr) return;
    m_pGetClassObject = Export<GetClassObjectFn>("DllGetClassObject");
    m_pCanUnloadNow = Export<ServerFn>("DllCanUnloadNow");
    m_pRegisterServer = Export<ServerFn>("DllRegisterServer");
    m_pUnregisterServer = Export<ServerFn>("DllUnregisterServer");
}

LoadedComponent::~LoadedComponent() {
    if (m_hDll != nullptr) ::FreeLibrary(m_hDll);
}

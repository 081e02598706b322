#include "framework/CComClassFactory.h"

#include <new>

#include "framework/CBaseModule.h"
#include "framework/CComObjectCached.h"

HRESULT CComClassFactory::CreateCached(CInstanceCreator pfnCreateInstance, REFIID riid,
                                       void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    auto* pFactory = new (std::nothrow) CComObjectCached<CComClassFactory>();
    if (pFactory == nullptr) return E_OUTOFMEMORY;
    pFactory->m_pfnCreateInstance = pfnCreateInstance;
    const HRESULT hr = pFactory->QueryInterface(riid, ppv);
    if (FAILED(hr)) {
        // Nobody took a reference: the object goes with this one.
        pFactory->AddRef();
        pFactory->Release();
    }
    return hr;
}

HRESULT CComClassFactory::InternalQueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CComClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    // An aggregating caller may only ask for the inner IUnknown.
    if (pUnkOuter != nullptr && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    if (m_pfnCreateInstance == nullptr) return E_UNEXPECTED;
    return m_pfnCreateInstance(pUnkOuter, riid, ppv);
}

HRESULT CComClassFactory::LockServer(BOOL fLock) {
    if (fLock) {
        ::InterlockedIncrement(&m_serverLocks);
        CBaseModule::Get().Lock();
    } else if (TakeBackServerLock()) {
        CBaseModule::Get().Unlock();
    }
    return S_OK;
}

// An unlock without a lock taken here must not undo a lock that a live
// object holds.
bool CComClassFactory::TakeBackServerLock() {
    LONG count = m_serverLocks;
    while (count > 0) {
        const LONG seen = ::InterlockedCompareExchange(&m_serverLocks, count - 1, count);
        if (seen == count) return true;
        count = seen;
    }
    return false;
}

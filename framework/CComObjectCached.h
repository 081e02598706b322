#pragma once
#include <windows.h>

#include "framework/CAtlModule.h"

// A COM object the module itself keeps one reference to. Its count is
// interlocked; a second reference (anyone but the module) holds a module
// lock, so the module's own reference does not keep the DLL loaded.
template <class Base>
class CComObjectCached final : public Base {
public:
    CComObjectCached() = default;

    STDMETHOD_(ULONG, AddRef)() override {
        const LONG count = ::InterlockedIncrement(&m_refCount);
        if (count == 2) LockModule();
        return static_cast<ULONG>(count);
    }

    STDMETHOD_(ULONG, Release)() override {
        const LONG count = ::InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        else if (count == 1)
            UnlockModule();
        return static_cast<ULONG>(count);
    }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
        return this->InternalQueryInterface(riid, ppv);
    }

private:
    ~CComObjectCached() override = default;

    static void LockModule() {
        if (CAtlModule* pModule = CAtlModule::Get()) pModule->Lock();
    }
    static void UnlockModule() {
        if (CAtlModule* pModule = CAtlModule::Get()) pModule->Unlock();
    }

    volatile LONG m_refCount = 0;
};

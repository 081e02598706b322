#pragma once
#include <windows.h>

#include "framework/CBaseModule.h"

// A COM object the module itself keeps one reference to. Its count is
// interlocked; a second reference (anyone but the module) holds a module
// lock, so the module's own reference does not keep the DLL loaded.
template <class Base>
class CComObjectCached final : public Base {
public:
    CComObjectCached() = default;

    STDMETHOD_(ULONG, AddRef)() override {
        const LONG count = ::InterlockedIncrement(&m_refCount);
        if (count == 2) CBaseModule::Get().Lock();
        return static_cast<ULONG>(count);
    }

    STDMETHOD_(ULONG, Release)() override {
        const LONG count = ::InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        else if (count == 1)
            CBaseModule::Get().Unlock();
        return static_cast<ULONG>(count);
    }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
        return this->InternalQueryInterface(riid, ppv);
    }

private:
    ~CComObjectCached() override = default;

    volatile LONG m_refCount = 0;
};

#pragma once
#include <windows.h>
#include <unknwn.h>

// An object that only counts its references and answers no interface: an
// outer unknown, or a class object, whose count a test then checks.
class CountingUnknown : public IUnknown {
public:
    STDMETHOD(QueryInterface)(REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
    STDMETHOD_(ULONG, Release)() override { return --refs; }
    ULONG refs = 1;
};

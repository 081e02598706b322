#pragma once
#include <windows.h>
#include <unknwn.h>

#include "framework/CObjectMapEntry.h"

// The class object of a class: hands out instances through the class's
// instance creator and locks the module on request. Its IUnknown comes from
// the object that wraps it (CComObjectCached).
class CComClassFactory : public IClassFactory {
public:
    // The class-object creator of an object map entry: a cached factory
    // for the instance creator given.
    static HRESULT CreateCached(CInstanceCreator pfnCreateInstance, REFIID riid, void** ppv);

    STDMETHOD(CreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    // Locks or unlocks the module; unlocks beyond the locks taken through
    // this method are ignored.
    STDMETHOD(LockServer)(BOOL fLock) override;

protected:
    CComClassFactory() = default;
    virtual ~CComClassFactory() = default;
    CComClassFactory(const CComClassFactory&) = delete;
    CComClassFactory& operator=(const CComClassFactory&) = delete;

    // Answers IUnknown and IClassFactory.
    HRESULT InternalQueryInterface(REFIID riid, void** ppv);

private:
    bool TakeBackServerLock();

    CInstanceCreator m_pfnCreateInstance = nullptr;
    volatile LONG m_serverLocks = 0;
};

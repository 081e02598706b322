#pragma once
#include <windows.h>
#include <unknwn.h>

// Creates an instance of a class: the outer unknown (null unless the
// caller aggregates), the interface wanted and where to put it.
using CInstanceCreator = HRESULT (*)(IUnknown* pUnkOuter, REFIID riid, void** ppv);

// Creates the class object of a class that hands out instances through the creator given.
using CClassObjectCreator = HRESULT (*)(CInstanceCreator pfnCreateInstance, REFIID riid,
                                        void** ppv);

// One class the module serves: its id, the REGISTRY resource that registers
// it, how its class object and its instances are made, and the class object
// once made (owned by the module, created on first request).
struct CObjectMapEntry {
    const CLSID* pClsid;
    UINT registryResourceId;
    CClassObjectCreator pfnGetClassObject;
    CInstanceCreator pfnCreateInstance;
    IUnknown* pClassObject;
};

#pragma once
#include <windows.h>

// Registers and unregisters the type library a module carries as its
// TYPELIB 1 resource.
class CTypeLibRegistrar {
public:
    static HRESULT Register(LPCWSTR modulePath);
    // Succeeds when the library is not registered.
    static HRESULT Unregister(LPCWSTR modulePath);
};

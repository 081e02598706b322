#pragma once
#include "framework/CAtlDllModuleT.h"
#include "module/resource.h"

// The module object of BrackwynVTL.dll: one class, "Options".
class CBrackwynVTLModule : public CAtlDllModuleT<CBrackwynVTLModule> {
public:
    enum { IDR_MODULE_SCRIPT = IDR_BRACKWYNVTL };

    CBrackwynVTLModule();

    static LPCWSTR GetAppId() { return L"{9F4A7C9F-DA72-498B-9E30-623981E8E580}"; }

    // True when the process's executable is Windows Explorer, which must not load the DLL.
    static bool IsHostedByExplorer();
};

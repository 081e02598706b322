#pragma once
#include <windows.h>

#include <string>

class CRegistrar;

// The COM server side of the module: running its registry scripts with
// the replacements every script of the module may use. Its lock count and
// lock are those of CBaseModule.
class CAtlModule {
public:
    CAtlModule() = default;
    virtual ~CAtlModule() = default;
    CAtlModule(const CAtlModule&) = delete;
    CAtlModule& operator=(const CAtlModule&) = delete;

    // Replacements every registry script of the module may use besides MODULE.
    virtual HRESULT AddCommonRGSReplacements(CRegistrar& registrar);

    // Runs a REGISTRY resource of this module for registration or unregistration.
    HRESULT UpdateRegistryFromResource(UINT resourceId, bool doRegister);

protected:
    // The full path of this module's file; empty if it cannot be had.
    static std::wstring ModulePath();
};

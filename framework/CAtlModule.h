#pragma once
#include <windows.h>

#include <string>

class CRegistrar;

// The COM side of the module that holds the component: the lock count that
// decides whether the DLL may be unloaded, and the critical section that
// guards the one-time creation of class objects. Exactly one exists per
// module; Get() finds it.
class CAtlModule {
public:
    CAtlModule();
    virtual ~CAtlModule();
    CAtlModule(const CAtlModule&) = delete;
    CAtlModule& operator=(const CAtlModule&) = delete;

    static CAtlModule* Get();

    // Interlocked; each returns the new count.
    virtual LONG Lock();
    virtual LONG Unlock();
    virtual LONG GetLockCount();

    // Replacements every registry script of the module may use besides MODULE.
    virtual HRESULT AddCommonRGSReplacements(CRegistrar& registrar);

    // True when the critical section could not be created at load.
    bool InitFailed() const { return m_initFailed; }

    // Runs a REGISTRY resource of this module for registration or unregistration.
    HRESULT UpdateRegistryFromResource(UINT resourceId, bool doRegister);

protected:
    // The full path of this module's file; empty if it cannot be had.
    static std::wstring ModulePath();

    void EnterObjectMapLock() { ::EnterCriticalSection(&m_cs); }
    void LeaveObjectMapLock() { ::LeaveCriticalSection(&m_cs); }

private:
    volatile LONG m_lockCount = 0;
    CRITICAL_SECTION m_cs;
    bool m_initFailed;
};

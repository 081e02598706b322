#pragma once
#include <windows.h>

// The module that holds the component, one object per process: its
// instance handle (also where resources come from), the lock count that
// decides whether the DLL may unload, and the module lock, a critical
// section for the few one-time tasks that must not race (class objects,
// window classes). DllMain takes the module lock when the DLL unloads,
// under the loader lock: nothing that may wait for the loader, such as
// loading a library, may run while holding it.
class CBaseModule {
public:
    CBaseModule();
    ~CBaseModule();
    CBaseModule(const CBaseModule&) = delete;
    CBaseModule& operator=(const CBaseModule&) = delete;

    static CBaseModule& Get();

    HINSTANCE GetModuleInstance() const { return m_hInst; }
    HINSTANCE GetResourceInstance() const { return m_hInstResource; }
    void SetModuleInstance(HINSTANCE hInst) { m_hInst = m_hInstResource = hInst; }

    // The lock count: interlocked; each returns the new count.
    LONG Lock() { return ::InterlockedIncrement(&m_lockCount); }
    LONG Unlock() { return ::InterlockedDecrement(&m_lockCount); }
    LONG GetLockCount() const { return m_lockCount; }

    // True when the module lock could not be created at load; the module
    // then refuses to load.
    bool InitFailed() const { return m_initFailed; }

private:
    friend class CModuleLockGuard;

    HINSTANCE m_hInst;
    HINSTANCE m_hInstResource;
    volatile LONG m_lockCount = 0;
    CRITICAL_SECTION m_cs;
    bool m_initFailed;
};

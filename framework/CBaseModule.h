#pragma once
#include <windows.h>

// Process-wide data of the module that holds the component: its instance
// handle (also where resources come from) and the module lock, a critical
// section for the few one-time tests that must not race.
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

    // True when the lock could not be created at load; the module then refuses to load.
    bool InitFailed() const { return m_initFailed; }
    void Lock() { EnterCriticalSection(&m_cs); }
    void Unlock() { LeaveCriticalSection(&m_cs); }

private:
    HINSTANCE m_hInst;
    HINSTANCE m_hInstResource;
    CRITICAL_SECTION m_cs;
    bool m_initFailed;
};

// Holds the module lock for one scope.
class CModuleLockGuard {
public:
    CModuleLockGuard() { CBaseModule::Get().Lock(); }
    ~CModuleLockGuard() { CBaseModule::Get().Unlock(); }
    CModuleLockGuard(const CModuleLockGuard&) = delete;
    CModuleLockGuard& operator=(const CModuleLockGuard&) = delete;
};

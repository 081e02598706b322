#pragma once
#include <windows.h>

#include "framework/CBaseModule.h"

// Holds the module lock for one scope.
class CModuleLockGuard {
public:
    CModuleLockGuard() { ::EnterCriticalSection(&CBaseModule::Get().m_cs); }
    ~CModuleLockGuard() { ::LeaveCriticalSection(&CBaseModule::Get().m_cs); }
    CModuleLockGuard(const CModuleLockGuard&) = delete;
    CModuleLockGuard& operator=(const CModuleLockGuard&) = delete;
};

#include "framework/CBaseModule.h"

namespace {
CBaseModule g_baseModule;
}

CBaseModule::CBaseModule()
    : m_hInst(GetModuleHandleW(nullptr)), m_hInstResource(m_hInst),
      m_initFailed(!InitializeCriticalSectionAndSpinCount(&m_cs, 0)) {}

CBaseModule::~CBaseModule() {
    if (!m_initFailed) DeleteCriticalSection(&m_cs);
}

CBaseModule& CBaseModule::Get() { return g_baseModule; }

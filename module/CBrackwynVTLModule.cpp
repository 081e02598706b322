#include "module/CBrackwynVTLModule.h"

#include "command/COptions.h"
#include "framework/CComClassFactory.h"
#include "module/BrackwynVTL.h"

namespace {

CObjectMapEntry g_objectMap[] = {
    {&CLSID_Options, IDR_OPTIONS, &CComClassFactory::CreateCached, &COptions::CreateInstance,
     nullptr},
};

}  // namespace

CBrackwynVTLModule::CBrackwynVTLModule()
    : CAtlDllModuleT(g_objectMap, g_objectMap + ARRAYSIZE(g_objectMap)) {}

bool CBrackwynVTLModule::IsHostedByExplorer() {
    static const wchar_t explorer[] = L"explorer.exe";
    const size_t suffix = ARRAYSIZE(explorer) - 1;
    wchar_t path[1024];
    const DWORD copied = ::GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
    // A truncated path need not be terminated: count at most the whole buffer.
    size_t length = 0;
    while (length < copied && length < ARRAYSIZE(path) && path[length] != L'\0') ++length;
    if (length <= suffix) return false;
    return ::CompareStringOrdinal(path + length - suffix, static_cast<int>(suffix), explorer,
                                  static_cast<int>(suffix), TRUE) == CSTR_EQUAL;
}

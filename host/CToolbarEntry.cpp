#include "host/CToolbarEntry.h"

#include <objbase.h>

#include "framework/CUniqueHandle.h"

namespace {

const wchar_t kExtensionsKey[] = L"SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
// The browser's class id for a toolbar button that runs a COM object.
const wchar_t kButtonRunsObject[] = L"{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}";

std::wstring ReadString(HKEY hKey, LPCWSTR name) {
    wchar_t buffer[2048];
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    buffer[bytes / sizeof(wchar_t)] = L'\0';
    return buffer;
}

}  // namespace

bool CToolbarEntry::FindFirst(CToolbarEntry& entry) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kExtensionsKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    const CRegKeyHandle extensions(hKey);
    bool found = false;
    wchar_t name[256];
    for (DWORD index = 0; !found; ++index) {
        DWORD length = ARRAYSIZE(name);
        if (::RegEnumKeyExW(extensions.Get(), index, name, &length, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS)
            break;
        HKEY hEntry = nullptr;
        if (::RegOpenKeyExW(extensions.Get(), name, 0, KEY_READ, &hEntry) != ERROR_SUCCESS)
            continue;
        const CRegKeyHandle entryKey(hEntry);
        found = entry.Read(entryKey.Get());
    }
    return found;
}

bool CToolbarEntry::Read(HKEY hKey) {
    if (::CompareStringOrdinal(ReadString(hKey, L"CLSID").c_str(), -1, kButtonRunsObject, -1,
                               TRUE) != CSTR_EQUAL)
        return false;
    std::wstring clsid = ReadString(hKey, L"ClsidExtension");
    if (FAILED(::CLSIDFromString(&clsid[0], &ClsidExtension))) return false;
    ButtonText = ReadString(hKey, L"ButtonText");
    MenuText = ReadString(hKey, L"MenuText");
    Icon = ReadString(hKey, L"Icon");
    return true;
}

HICON CToolbarEntry::LoadIcon() const {
    const size_t comma = Icon.rfind(L',');
    if (comma == std::wstring::npos) return nullptr;
    const std::wstring path = Icon.substr(0, comma);
    const int id = _wtoi(Icon.c_str() + comma + 1);
    if (id <= 0) return nullptr;
    HMODULE hModule =
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (hModule == nullptr) return nullptr;
    // The icon is a copy of its own; the module may go.
    HICON hIcon = static_cast<HICON>(
        ::LoadImageW(hModule, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ::FreeLibrary(hModule);
    return hIcon;
}

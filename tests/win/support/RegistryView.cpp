#include "support/RegistryView.h"

namespace {

HKEY Open(HKEY hRoot, const std::wstring& path) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(hRoot, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return nullptr;
    return hKey;
}

}  // namespace

bool RegistryView::KeyExists(HKEY hRoot, const std::wstring& path) {
    HKEY hKey = Open(hRoot, path);
    if (hKey == nullptr) return false;
    ::RegCloseKey(hKey);
    return true;
}

std::set<std::wstring> RegistryView::ValueNames(HKEY hRoot, const std::wstring& path) {
    std::set<std::wstring> names;
    HKEY hKey = Open(hRoot, path);
    if (hKey == nullptr) return names;
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = ARRAYSIZE(name);
        if (::RegEnumValueW(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    ::RegCloseKey(hKey);
    return names;
}

std::set<std::wstring> RegistryView::SubkeyNames(HKEY hRoot, const std::wstring& path) {
    std::set<std::wstring> names;
    HKEY hKey = Open(hRoot, path);
    if (hKey == nullptr) return names;
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = ARRAYSIZE(name);
        if (::RegEnumKeyExW(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    ::RegCloseKey(hKey);
    return names;
}

bool RegistryView::String(HKEY hRoot, const std::wstring& path, const std::wstring& name,
                          std::wstring& value) {
    HKEY hKey = Open(hRoot, path);
    if (hKey == nullptr) return false;
    wchar_t buffer[2048];
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status = ::RegQueryValueExW(hKey, name.empty() ? nullptr : name.c_str(), nullptr,
                                              &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    ::RegCloseKey(hKey);
    if (status != ERROR_SUCCESS || type != REG_SZ) return false;
    buffer[bytes / sizeof(wchar_t)] = L'\0';
    value = buffer;
    return true;
}

bool RegistryView::CreateKey(HKEY hRoot, const std::wstring& path) {
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(hRoot, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

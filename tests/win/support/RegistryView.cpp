#include "support/RegistryView.h"

namespace {

HKEY Open(HKEY hRoot, const std::wstring& path) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(hRoot, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return nullptr;
    return hKey;
}

// Both enumerations take an index and fill a name buffer; only the call differs.
using NameAt = LSTATUS (*)(HKEY hKey, DWORD index, wchar_t* name, DWORD* length);

LSTATUS ValueNameAt(HKEY hKey, DWORD index, wchar_t* name, DWORD* length) {
    return ::RegEnumValueW(hKey, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

LSTATUS SubkeyNameAt(HKEY hKey, DWORD index, wchar_t* name, DWORD* length) {
    return ::RegEnumKeyExW(hKey, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

std::set<std::wstring> Names(HKEY hRoot, const std::wstring& path, NameAt nameAt) {
    std::set<std::wstring> names;
    HKEY hKey = Open(hRoot, path);
    if (hKey == nullptr) return names;
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = ARRAYSIZE(name);
        if (nameAt(hKey, i, name, &length) != ERROR_SUCCESS) break;
        names.insert(name);
    }
    ::RegCloseKey(hKey);
    return names;
}

}  // namespace

bool RegistryView::KeyExists(HKEY hRoot, const std::wstring& path) {
    HKEY hKey = Open(hRoot, path);
    if (hKey == nullptr) return false;
    ::RegCloseKey(hKey);
    return true;
}

std::set<std::wstring> RegistryView::ValueNames(HKEY hRoot, const std::wstring& path) {
    return Names(hRoot, path, ValueNameAt);
}

std::set<std::wstring> RegistryView::SubkeyNames(HKEY hRoot, const std::wstring& path) {
    return Names(hRoot, path, SubkeyNameAt);
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

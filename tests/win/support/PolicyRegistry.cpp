#include "support/PolicyRegistry.h"

#include "policy/PolicyTable.h"

PolicyRegistry::PolicyRegistry() { RemoveAll(); }

PolicyRegistry::~PolicyRegistry() { RemoveAll(); }

bool PolicyRegistry::SetString(HKEY hRoot, const std::wstring& subkey, const std::wstring& name,
                               const std::wstring& value) {
    return SetValue(hRoot, subkey, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool PolicyRegistry::SetStrings(const std::vector<Entry>& entries) {
    bool set = true;
    for (const Entry& entry : entries) set = SetString(entry.Root, entry.Subkey, entry.Name, entry.Value) && set;
    return set;
}

bool PolicyRegistry::SetDword(HKEY hRoot, const std::wstring& subkey, const std::wstring& name, DWORD value) {
    return SetValue(hRoot, subkey, name, REG_DWORD, &value, sizeof(value));
}

bool PolicyRegistry::SetValue(HKEY hRoot, const std::wstring& subkey, const std::wstring& name, DWORD type,
                              const void* data, DWORD size) {
    std::wstring path = PolicyTable::PolicyKey;
    if (!subkey.empty()) path += L"\\" + subkey;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(hRoot, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &hKey,
                          nullptr) != ERROR_SUCCESS)
        return false;
    const bool set = ::RegSetValueExW(hKey, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
                     ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    return set;
}

void PolicyRegistry::RemoveAll() {
    for (HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExW(hRoot, PolicyTable::PolicyKey, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &hKey) !=
            ERROR_SUCCESS)
            continue;
        ::RegDeleteTreeW(hKey, nullptr);
        ::RegCloseKey(hKey);
        ::RegDeleteKeyExW(hRoot, PolicyTable::PolicyKey, KEY_WOW64_64KEY, 0);
    }
}

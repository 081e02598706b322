#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Policies written to the registry as Group Policy writes them, for one
// test: values under the policy key of HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER (64-bit view), removed with the whole policy key of
// both when the object goes.
class PolicyRegistry {
public:
    PolicyRegistry();
    ~PolicyRegistry();
    PolicyRegistry(const PolicyRegistry&) = delete;
    PolicyRegistry& operator=(const PolicyRegistry&) = delete;

    // One string value; subkey "" is the policy key itself ("Recommended",
    // "AdditionalHeaders", ...).
    struct Entry {
        HKEY Root;
        const wchar_t* Subkey;
        const wchar_t* Name;
        const wchar_t* Value;
    };

    bool SetString(HKEY hRoot, const std::wstring& subkey, const std::wstring& name, const std::wstring& value);
    // Every entry; false when one could not be set.
    bool SetStrings(const std::vector<Entry>& entries);
    bool SetDword(HKEY hRoot, const std::wstring& subkey, const std::wstring& name, DWORD value);

private:
    static bool SetValue(HKEY hRoot, const std::wstring& subkey, const std::wstring& name, DWORD type,
                         const void* data, DWORD size);
    static void RemoveAll();
};

#pragma once
#include <windows.h>

#include <set>
#include <string>

// Reads the registry as registration left it.
class RegistryView {
public:
    static bool KeyExists(HKEY hRoot, const std::wstring& path);
    // Value names of the key; "" stands for the default value when it is set.
    static std::set<std::wstring> ValueNames(HKEY hRoot, const std::wstring& path);
    static std::set<std::wstring> SubkeyNames(HKEY hRoot, const std::wstring& path);
    // A REG_SZ value ("" name: the default value); false when absent or of another type.
    static bool String(HKEY hRoot, const std::wstring& path, const std::wstring& name,
                       std::wstring& value);
    static bool CreateKey(HKEY hRoot, const std::wstring& path);
};

#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Runs registry scripts (REGISTRY resources) for registration and
// unregistration. A script names root keys and, under them, nested keys
// with string values:
//
//   HKCR
//   {
//       NoRemove CLSID
//       {
//           ForceRemove '{...}' = s 'Name'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Registration creates every key and value; a ForceRemove key is deleted
// with its subtree first. Unregistration deletes every listed key with its
// subtree, except NoRemove keys, which stay while their listed subkeys and
// values go. %NAME% in a name or string is replaced by the replacement of
// that name ('%%' is a percent sign); '' inside quotes is one quote.
// A script that does not parse changes nothing.
class CRegistrar {
public:
    // Adds or replaces a replacement; names compare case-insensitively.
    HRESULT AddReplacement(LPCWSTR name, LPCWSTR value);

    HRESULT ResourceRegister(HINSTANCE hInst, UINT resourceId);
    HRESULT ResourceUnregister(HINSTANCE hInst, UINT resourceId);
    HRESULT StringRegister(const std::wstring& script);
    HRESULT StringUnregister(const std::wstring& script);

    // The result of a script that does not parse or uses an unknown replacement.
    static constexpr HRESULT E_BADSCRIPT = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

private:
    struct Value {
        std::wstring name;  // empty: the key's default value
        std::wstring data;
    };
    struct Key {
        std::wstring name;
        bool forceRemove = false;
        bool noRemove = false;
        std::vector<Value> values;
        std::vector<Key> subkeys;
    };
    struct Root {
        HKEY hKey;
        std::vector<Key> keys;
    };
    struct Token {
        std::wstring text;
        bool quoted = false;
    };
    class Parser;

    HRESULT Run(const std::wstring& script, bool doRegister);
    HRESULT LoadScript(HINSTANCE hInst, UINT resourceId, std::wstring& script);
    bool Expand(const std::wstring& text, std::wstring& out) const;

    static HRESULT RegisterKey(HKEY hParent, const Key& key);
    static HRESULT UnregisterKey(HKEY hParent, const Key& key);
    static HRESULT DeleteTree(HKEY hParent, const std::wstring& name);

    std::vector<std::pair<std::wstring, std::wstring>> m_replacements;
};

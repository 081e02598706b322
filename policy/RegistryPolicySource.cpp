#include "policy/RegistryPolicySource.h"

#include "policy/PolicyTable.h"

namespace {

// Closes the key it was given.
class CRegKey {
public:
    CRegKey(HKEY hRoot, const std::wstring& path) {
        if (::RegOpenKeyExW(hRoot, path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &m_hKey) != ERROR_SUCCESS)
            m_hKey = nullptr;
    }
    ~CRegKey() {
        if (m_hKey != nullptr) ::RegCloseKey(m_hKey);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

}  // namespace

std::vector<PolicySource::Value> RegistryPolicySource::Values(Scope scope, const std::wstring& subkey) const {
    std::wstring path = PolicyTable::PolicyKey;
    if (!subkey.empty()) path += L"\\" + subkey;
    const CRegKey key(scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, path);
    return key.Get() != nullptr ? ReadValues(key.Get()) : std::vector<Value>();
}

// Names longer than any that matters, and data beyond what a value may hold
// (the reader drops over-long texts), are read whole all the same: the
// buffers are sized from what the key says it holds.
std::vector<PolicySource::Value> RegistryPolicySource::ReadValues(HKEY hKey) {
    DWORD count = 0, longestName = 0, longestData = 0;
    if (::RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                           &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<Value> values;
    std::wstring name(longestName + 1, L'\0');
    std::vector<BYTE> data(longestData + sizeof(wchar_t));
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD dataSize = static_cast<DWORD>(data.size() - sizeof(wchar_t));
        if (::RegEnumValueW(hKey, i, &name[0], &nameLength, nullptr, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS)
            continue;
        Value value{name.substr(0, nameLength), std::nullopt};
        if (type == REG_SZ) {
            // The stored text may or may not end with its NUL.
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), dataSize / sizeof(wchar_t));
            const size_t end = text.find(L'\0');
            if (end != std::wstring::npos) text.resize(end);
            value.Text = std::move(text);
        }
        values.push_back(std::move(value));
    }
    return values;
}

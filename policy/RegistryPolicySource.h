#pragma once
#include <windows.h>

#include "policy/PolicySource.h"

// The policies as Group Policy writes them: under the policy key of
// HKEY_LOCAL_MACHINE (Machine) and HKEY_CURRENT_USER (User), always in the
// 64-bit view of the registry, so that the 32-bit and the 64-bit component
// read the same keys.
class RegistryPolicySource : public PolicySource {
public:
    std::vector<Value> Values(Scope scope, const std::wstring& subkey) const override;

private:
    static std::vector<Value> ReadValues(HKEY hKey);
};

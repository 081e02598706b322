#pragma once
#include <optional>
#include <string>
#include <vector>

// Where policies are read from: the registry on Windows, a table in tests.
class PolicySource {
public:
    enum class Scope { Machine, User };

    // One value of a key: its name and, when it is a string, its text
    // (a value of any other type has none, and counts as absent).
    struct Value {
        std::wstring Name;
        std::optional<std::wstring> Text;
    };

    // The values of a key below the policy key ("" for the policy key
    // itself, "Recommended\AdditionalHeaders" for a deeper one); none when
    // the key does not exist.
    virtual std::vector<Value> Values(Scope scope, const std::wstring& subkey) const = 0;

protected:
    ~PolicySource() = default;
};

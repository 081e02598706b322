#pragma once
#include <string>
#include <vector>

#include "listctrl/UserDataItem.h"
#include "policy/PolicyLevel.h"
#include "policy/PolicySource.h"

// Reads what an administrator set: the values named after the preference
// keys under the policy key (mandatory) and its Recommended subkey, each
// with an AdditionalHeaders subkey of entries "1", "2", ... "Name: Value".
// For each key and for the header list the machine's policy wins over the
// user's. What cannot be used is left out: a value that is not a string,
// longer than a field holds, or a port that is not a number; a header
// entry without a colon or with an empty name.
class PolicyReader {
public:
    static Policies Read(const PolicySource& source);

    // "Name: Value" split at the first colon, spaces and tabs around both
    // parts trimmed; false for an entry without a colon, with an empty name
    // or with the grid's placeholder name ".".
    static bool ParseHeaderEntry(const std::wstring& entry, UserDataItem& row);

private:
    using Values = std::vector<PolicySource::Value>;

    static PolicyLevel ReadLevel(const PolicySource& source, const std::wstring& subkey);
    static bool ReadHeaders(const Values& values, std::vector<UserDataItem>& rows);
    // The text of the value with this name (names compare as the registry
    // compares them, ignoring ASCII letter case); null when there is none.
    static const std::wstring* TextOf(const Values& values, const std::wstring& name);
    static bool SameName(const std::wstring& a, const std::wstring& b);
    // A list entry's number: 1 or more, plain decimal; 0 for any other name.
    static unsigned long EntryNumber(const std::wstring& name);
    static std::wstring Trim(const std::wstring& text);
};

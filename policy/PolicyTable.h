#pragma once
#include <cstddef>
#include <string>
#include <vector>

class ChoiceTable;

// What a policy value of a key may be.
enum class PolicyKind {
    Choice,  // one of the page's choices (another text is kept, as from the file)
    Text,    // any text: a host name or an address
    Port,    // empty, or a port number 1 to 65535 in plain decimal
};

// One preference an administrator may set: its key (also the registry
// value's name), what the Group Policy editor calls it, what it may hold
// and, for a choice, the page's own list of choices.
struct PolicyEntry {
    const wchar_t* Key;
    const wchar_t* Title;
    PolicyKind Kind;
    const ChoiceTable* Choices;  // null unless Kind is Choice
};

// The preferences that policies set, shared by the code that reads the
// policies and the generator of the Group Policy templates, so that the two
// cannot drift apart.
class PolicyTable {
public:
    // Under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
    static constexpr wchar_t PolicyKey[] = L"Software\\Policies\\Brackwyn Software\\Vantrel";
    // Subkeys of the policy key: recommended values, and the header list
    // (under the policy key and under its Recommended subkey).
    static constexpr wchar_t RecommendedSubkey[] = L"Recommended";
    static constexpr wchar_t HeadersSubkey[] = L"AdditionalHeaders";
    static constexpr wchar_t HeadersTitle[] = L"Additional HTTP Headers";

    // The longest value taken: what a field of the pages holds, so that a
    // value shown in a locked field is stored back whole.
    static constexpr std::size_t MaxValueLength = 4095;

    // The twelve keys, in the order of the pages.
    static const std::vector<PolicyEntry>& Entries();
    // The entry of a key, or null.
    static const PolicyEntry* Find(const std::wstring& key);

    // Whether a registry text is taken as the key's value: not longer than
    // MaxValueLength, and for a port empty or a number 1 to 65535.
    static bool Accepts(const PolicyEntry& entry, const std::wstring& value);

private:
    static bool IsPort(const std::wstring& value);
};

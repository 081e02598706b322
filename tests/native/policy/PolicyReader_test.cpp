#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "policy/PolicyOverlay.h"
#include "policy/PolicyReader.h"
#include "policy/PolicyTable.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"

namespace {

using Scope = PolicySource::Scope;
constexpr Scope M = Scope::Machine;
constexpr Scope U = Scope::User;

// Registry keys as a table: (scope, subkey) -> values.
class TablePolicySource : public PolicySource {
public:
    void Set(Scope scope, const std::wstring& subkey, const std::wstring& name,
             std::optional<std::wstring> text) {
        m_keys[{scope, subkey}].push_back(Value{name, std::move(text)});
    }
    std::vector<Value> Values(Scope scope, const std::wstring& subkey) const override {
        const auto found = m_keys.find({scope, subkey});
        return found == m_keys.end() ? std::vector<Value>() : found->second;
    }

private:
    std::map<std::pair<Scope, std::wstring>, std::vector<Value>> m_keys;
};

const std::wstring kRecommended = L"Recommended";
const std::wstring kHeaders = L"AdditionalHeaders";
const std::wstring kRecommendedHeaders = L"Recommended\\AdditionalHeaders";

// What a sheet's set holds for a key when built from the defaults, the
// policies and the file's pairs, as the sheet builds it.
std::wstring Effective(const TablePolicySource& source, const std::vector<std::pair<std::wstring, std::wstring>>& file,
                       const std::wstring& key) {
    const Policies policies = PolicyReader::Read(source);
    PreferenceSet set;
    AddDefaultPreferences(set);
    PolicyOverlay::BeforeFile(policies.Recommended, set);
    for (const auto& pair : file) {
        set.Remove(pair.first);
        set.Add(pair.first, pair.second);
    }
    PolicyOverlay::AfterFile(policies, set);
    const int position = set.FindKey(key);
    return position < 0 ? L"<absent>" : std::wstring(set.ValueAt(position));
}

std::vector<std::wstring> RowTexts(const std::vector<UserDataItem>& rows) {
    std::vector<std::wstring> texts;
    for (const UserDataItem& row : rows) texts.push_back(row.Name + L"=" + row.Value);
    return texts;
}

}  // namespace

TEST(PolicyPrecedence, MachineOverUserAndMandatoryOverFileOverRecommendedOverDefault) {
    struct Case {
        const char* what;
        std::optional<std::wstring> machine, user, machineRecommended, userRecommended, file;
        std::wstring expected;
    };
    const Case cases[] = {
        {"nothing set: the default", {}, {}, {}, {}, {}, L"lod.brackwyn.example"},
        {"file over default", {}, {}, {}, {}, L"file.example", L"file.example"},
        {"recommended over default", {}, {}, {}, L"rec-user.example", {}, L"rec-user.example"},
        {"machine recommended over user recommended", {}, {}, L"rec-machine.example", L"rec-user.example", {},
         L"rec-machine.example"},
        {"file over recommended", {}, {}, L"rec-machine.example", {}, L"file.example", L"file.example"},
        {"user mandatory over file", {}, L"user.example", {}, {}, L"file.example", L"user.example"},
        {"machine mandatory over user mandatory", L"machine.example", L"user.example", {}, {}, L"file.example",
         L"machine.example"},
        {"mandatory over recommended", {}, L"user.example", L"rec-machine.example", {}, {}, L"user.example"},
        {"an empty mandatory value is a value", L"", L"user.example", {}, {}, L"file.example", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TablePolicySource source;
        if (c.machine) source.Set(M, L"", L"sparqlhost", c.machine);
        if (c.user) source.Set(U, L"", L"sparqlhost", c.user);
        if (c.machineRecommended) source.Set(M, kRecommended, L"sparqlhost", c.machineRecommended);
        if (c.userRecommended) source.Set(U, kRecommended, L"sparqlhost", c.userRecommended);
        std::vector<std::pair<std::wstring, std::wstring>> file;
        if (c.file) file.emplace_back(L"sparqlhost", *c.file);
        EXPECT_EQ(Effective(source, file, L"sparqlhost"), c.expected);
    }
}

TEST(PolicyPrecedence, AValueThatCannotBeUsedIsAbsentAndLeavesTheNextInForce) {
    struct Case {
        const char* what;
        const wchar_t* key;
        std::optional<std::wstring> machine;  // nullopt text: a value of another type
        std::wstring expected;                 // with the user's policy "8080" / "user.example" below it
    };
    const std::wstring tooLong(PolicyTable::MaxValueLength + 1, L'h');
    const std::wstring longest(PolicyTable::MaxValueLength, L'h');
    const Case cases[] = {
        {"a port that is not a number", L"sparqlport", L"eighty", L"8080"},
        {"a port with a sign", L"sparqlport", L"+80", L"8080"},
        {"a port out of range", L"sparqlport", L"65536", L"8080"},
        {"port zero", L"sparqlport", L"0", L"8080"},
        {"a port number", L"sparqlport", L"8443", L"8443"},
        {"an empty port: the scheme's own", L"sparqlport", L"", L""},
        {"a value of another type", L"sparqlhost", std::nullopt, L"user.example"},
        {"a value longer than a field holds", L"sparqlhost", tooLong, L"user.example"},
        {"the longest value a field holds", L"sparqlhost", longest, longest},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TablePolicySource source;
        source.Set(M, L"", c.key, c.machine);
        source.Set(U, L"", L"sparqlport", L"8080");
        source.Set(U, L"", L"sparqlhost", L"user.example");
        EXPECT_EQ(Effective(source, {{c.key, L"file-value"}}, c.key), c.expected);
    }
}

TEST(PolicyPrecedence, OnlyTheTableKeysAreReadAndNamesIgnoreLetterCase) {
    TablePolicySource source;
    source.Set(M, L"", L"ViewerType", L"custom");
    source.Set(M, L"", L"sparqlgenendpoint", L"http://not.a.policy/");
    source.Set(M, L"", L"h_name0", L"X-Not-A-Policy");
    const Policies policies = PolicyReader::Read(source);
    ASSERT_EQ(policies.Mandatory.Values.size(), 1u);
    EXPECT_EQ(policies.Mandatory.Values[0].first, L"viewertype");
    EXPECT_EQ(policies.Mandatory.Values[0].second, L"custom");
    EXPECT_FALSE(policies.Mandatory.HasHeaders);
    EXPECT_TRUE(PolicyReader::Read(TablePolicySource()).IsEmpty());
}

TEST(PolicyHeaders, EntriesAreSplitAtTheFirstColonAndBadOnesSkipped) {
    struct Case {
        std::wstring entry;
        bool taken;
        std::wstring name, value;
    };
    const Case cases[] = {
        {L"Accept: text/turtle", true, L"Accept", L"text/turtle"},
        {L"X-Time: 10:30", true, L"X-Time", L"10:30"},
        {L"  X-Pad  :   padded value \t", true, L"X-Pad", L"padded value"},
        {L"X-Empty:", true, L"X-Empty", L""},
        {L"X-Inner:a : b", true, L"X-Inner", L"a : b"},
        {L"no colon at all", false, L"", L""},
        {L": no name", false, L"", L""},
        {L"   : blank name", false, L"", L""},
        {L".: placeholder name", false, L"", L""},
        {L"", false, L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "entry \"" << std::string(c.entry.begin(), c.entry.end()) << "\"");
        UserDataItem row{L"tag", L"n", L"v"};
        ASSERT_EQ(PolicyReader::ParseHeaderEntry(c.entry, row), c.taken);
        if (c.taken) {
            EXPECT_EQ(row.Name, c.name);
            EXPECT_EQ(row.Value, c.value);
            EXPECT_EQ(row.Tag, L"");
        }
    }
}

TEST(PolicyHeaders, ListsAreReadInNumberOrderAndTheMachineListWinsWhole) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::wstring, std::optional<std::wstring>>> machine, user;
        bool set;
        std::vector<std::wstring> rows;
    };
    const Case cases[] = {
        {"no list", {}, {}, false, {}},
        {"user list", {}, {{L"1", L"A: a"}, {L"2", L"B: b"}}, true, {L"A=a", L"B=b"}},
        {"number order, gaps allowed", {}, {{L"10", L"C: c"}, {L"2", L"B: b"}, {L"1", L"A: a"}}, true,
         {L"A=a", L"B=b", L"C=c"}},
        {"machine list wins whole", {{L"1", L"M: m"}}, {{L"1", L"A: a"}, {L"2", L"B: b"}}, true, {L"M=m"}},
        {"bad entries skipped", {},
         {{L"1", L"no colon"}, {L"2", std::nullopt}, {L"3", L"Ok: yes"}, {L"4", L":x"}},
         true, {L"Ok=yes"}},
        {"names that are not numbers are no entries", {},
         {{L"first", L"A: a"}, {L"01", L"B: b"}, {L"0", L"C: c"}, {L"-1", L"D: d"}}, false, {}},
        {"nothing usable still sets an empty list", {{L"1", L"broken"}}, {{L"1", L"A: a"}}, true, {}},
    };
    for (bool recommended : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << (recommended ? ", recommended" : ", mandatory"));
            TablePolicySource source;
            const std::wstring& subkey = recommended ? kRecommendedHeaders : kHeaders;
            for (const auto& value : c.machine) source.Set(M, subkey, value.first, value.second);
            for (const auto& value : c.user) source.Set(U, subkey, value.first, value.second);
            const Policies policies = PolicyReader::Read(source);
            const PolicyLevel& level = recommended ? policies.Recommended : policies.Mandatory;
            const PolicyLevel& other = recommended ? policies.Mandatory : policies.Recommended;
            EXPECT_EQ(level.HasHeaders, c.set);
            EXPECT_EQ(RowTexts(level.Headers), c.rows);
            EXPECT_FALSE(other.HasHeaders);
        }
    }
}

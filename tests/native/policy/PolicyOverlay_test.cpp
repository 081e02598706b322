#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "policy/PolicyOverlay.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"
#include "tests/common/PreferencePairs.h"

namespace {

PolicyLevel Headers(std::vector<UserDataItem> rows) {
    PolicyLevel level;
    level.HasHeaders = true;
    level.Headers = std::move(rows);
    return level;
}

}  // namespace

TEST(PolicyOverlay, TheRecommendedHeaderListFillsOnlyAFileWithoutHeaderPairs) {
    struct Case {
        const char* what;
        Pairs file;
        Pairs expectedHeaders;
    };
    const Case cases[] = {
        {"no header pair: the list's", {{L"viewertype", L"builtin"}},
         {{L"h_name0", L"R"}, {L"h_val0", L"r"}}},
        {"the user's pairs win", {{L"h_name0", L"U"}, {L"h_val0", L"u"}}, {{L"h_name0", L"U"}, {L"h_val0", L"u"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Policies policies;
        policies.Recommended = Headers({{L"", L"R", L"r"}});
        PreferenceSet set = SetOf(c.file);
        PolicyOverlay::AfterFile(policies, set);
        Pairs headers;
        for (const auto& pair : PairsOf(set))
            if (pair.first.rfind(L"h_", 0) == 0) headers.push_back(pair);
        EXPECT_EQ(headers, c.expectedHeaders);
    }
}

TEST(PolicyOverlay, MandatoryValuesKeepTheirPlacesAndTheHeaderListReplacesThePairs) {
    PolicyLevel mandatory = Headers({{L"", L"M", L"m"}});
    mandatory.Values = {{L"sparqlhost", L"policy.example"}, {L"proxyport", L"8080"}};
    PreferenceSet set = SetOf({{L"zzz", L"kept"}, {L"sparqlhost", L"file.example"}, {L"h_name0", L"F"},
                               {L"h_val0", L"f"}, {L"other", L"kept too"}});
    EXPECT_FALSE(PolicyOverlay::Holds(mandatory, set));
    PolicyOverlay::Impose(mandatory, set);
    const Pairs expected = {{L"zzz", L"kept"},      {L"sparqlhost", L"policy.example"},
                            {L"other", L"kept too"}, {L"proxyport", L"8080"},
                            {L"h_name0", L"M"},      {L"h_val0", L"m"}};
    EXPECT_EQ(PairsOf(set), expected);
    EXPECT_TRUE(PolicyOverlay::Holds(mandatory, set));
}

TEST(PolicyOverlay, HoldsIsFalseForEachDifferenceAMandatoryPolicyWouldMake) {
    struct Case {
        const char* what;
        Pairs set;
        bool holds;
    };
    const Case cases[] = {
        {"all held", {{L"viewertype", L"custom"}, {L"h_name0", L"A"}, {L"h_val0", L"a"}}, true},
        {"value differs", {{L"viewertype", L"builtin"}, {L"h_name0", L"A"}, {L"h_val0", L"a"}}, false},
        {"value differs in case only", {{L"viewertype", L"Custom"}, {L"h_name0", L"A"}, {L"h_val0", L"a"}}, false},
        {"key missing", {{L"h_name0", L"A"}, {L"h_val0", L"a"}}, false},
        {"a header row more",
         {{L"viewertype", L"custom"}, {L"h_name0", L"A"}, {L"h_val0", L"a"}, {L"h_name1", L"B"}, {L"h_val1", L"b"}},
         false},
        {"a header value differs", {{L"viewertype", L"custom"}, {L"h_name0", L"A"}, {L"h_val0", L"x"}}, false},
        {"no header rows", {{L"viewertype", L"custom"}}, false},
    };
    PolicyLevel mandatory = Headers({{L"", L"A", L"a"}});
    mandatory.Values = {{L"viewertype", L"custom"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PolicyOverlay::Holds(mandatory, SetOf(c.set)), c.holds);
    }
    PolicyLevel emptyList = Headers({});
    EXPECT_TRUE(PolicyOverlay::Holds(emptyList, SetOf({{L"viewertype", L"builtin"}})));
    EXPECT_FALSE(PolicyOverlay::Holds(emptyList, SetOf({{L"h_name0", L"A"}, {L"h_val0", L"a"}})));
}

TEST(PolicyOverlay, NoPolicyLeavesTheSetExactlyAsDefaultsAndFileMakeIt) {
    PreferenceSet withPolicies;
    AddDefaultPreferences(withPolicies);
    const Pairs before = PairsOf(withPolicies);
    const Policies none;
    PolicyOverlay::BeforeFile(none.Recommended, withPolicies);
    PolicyOverlay::AfterFile(none, withPolicies);
    EXPECT_EQ(PairsOf(withPolicies), before);
}

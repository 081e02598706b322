#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"

#include "tests/common/PreferencePairs.h"

TEST(PreferenceSet, DefaultsAreTheFourteenKeysInTableOrder) {
    PreferenceSet set;
    AddDefaultPreferences(set);
    const std::wstring host = DefaultServiceHost;
    const Pairs expected = {
        {L"viewertype", L"builtin"},
        {L"viewerendpoint", L"http://" + host + L"/vtl/?uri[]="},
        {L"openingbehavior", L"new"},
        {L"openingmode", L"win"},
        {L"sparqltype", L"corvessa"},
        {L"sparqlhost", host},
        {L"sparqlport", L""},
        {L"sparqlgenendpoint", L"http://" + host + L"/sparql"},
        {L"sparqlcustendpoint", L"http://" + host + L"/sparql"},
        {L"proxyservice", L"corvessa"},
        {L"proxyhost", host},
        {L"proxyport", L""},
        {L"proxygenendpoint", L"http://" + host + L"/about?url="},
        {L"proxycustendpoint", L"http://" + host + L"/about?url="},
    };
    EXPECT_EQ(PairsOf(set), expected);
    EXPECT_EQ(host, L"lod.brackwyn.example");
}

TEST(PreferenceSet, RepeatedKeysAreFoundAndRemovedFirstOccurrenceFirst) {
    PreferenceSet set;
    EXPECT_EQ(set.FindKey(L"k"), -1);
    ASSERT_TRUE(set.Add(L"other", L"x"));
    ASSERT_TRUE(set.Add(L"k", L"a"));
    ASSERT_TRUE(set.Add(L"k", L"b"));
    EXPECT_EQ(set.FindKey(L"k"), 1);
    EXPECT_EQ(set.ValueAt(set.FindKey(L"k")), L"a");

    EXPECT_TRUE(set.SetAt(L"k", L"a2"));
    EXPECT_EQ(PairsOf(set), (Pairs{{L"other", L"x"}, {L"k", L"a2"}, {L"k", L"b"}}));

    EXPECT_TRUE(set.Remove(L"k"));
    EXPECT_EQ(PairsOf(set), (Pairs{{L"other", L"x"}, {L"k", L"b"}}));
    EXPECT_TRUE(set.Remove(L"k"));
    EXPECT_FALSE(set.Remove(L"k"));
    EXPECT_EQ(PairsOf(set), (Pairs{{L"other", L"x"}}));
}

TEST(PreferenceSet, KeysAreCaseSensitiveAndAbsentKeysChangeNothing) {
    PreferenceSet set;
    AddDefaultPreferences(set);
    const Pairs before = PairsOf(set);
    EXPECT_FALSE(set.SetAt(L"ViewerType", L"disco"));
    EXPECT_FALSE(set.SetAt(L"viewertype ", L"disco"));
    EXPECT_FALSE(set.Remove(L"VIEWERTYPE"));
    EXPECT_EQ(set.FindKey(L"viewerType"), -1);
    EXPECT_EQ(PairsOf(set), before);
    EXPECT_EQ(set.ValueAt(set.FindKey(L"viewertype")), L"builtin");
}

TEST(PreferenceSet, RemoveAtShiftsLaterPairsDownAndRefusesOutOfRange) {
    PreferenceSet set;
    set.Add(L"k0", L"v0");
    set.Add(L"k1", L"v1");
    set.Add(L"k2", L"");
    EXPECT_FALSE(set.RemoveAt(-1));
    EXPECT_FALSE(set.RemoveAt(3));
    EXPECT_EQ(set.Count(), 3);

    EXPECT_TRUE(set.RemoveAt(0));
    EXPECT_EQ(PairsOf(set), (Pairs{{L"k1", L"v1"}, {L"k2", L""}}));

    // Positions outside the set read as empty text, never as another pair.
    EXPECT_EQ(set.KeyAt(2), L"");
    EXPECT_EQ(set.ValueAt(-1), L"");
    set.Clear();
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.KeyAt(0), L"");
    EXPECT_FALSE(set.RemoveAt(0));
}

// Overlay is one pass over what Remove then Add per pair does; repeated
// keys, in the set and among the pairs, are where the two could part.
TEST(PreferenceSet, OverlayEndsAsRemoveThenAddForEachPair) {
    const std::vector<std::pair<Pairs, Pairs>> cases = {
        {{}, {}},
        {{{L"a", L"1"}, {L"b", L"2"}}, {}},
        {{}, {{L"a", L"1"}, {L"a", L"2"}, {L"a", L"3"}}},
        {{{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}}, {{L"b", L"x"}, {L"d", L"y"}}},
        {{{L"a", L"1"}, {L"b", L"2"}, {L"a", L"3"}},
         {{L"a", L"x"}, {L"c", L"y"}, {L"a", L"z"}, {L"a", L"w"}, {L"c", L"v"}}},
        {{{L"k", L"1"}, {L"k", L"2"}, {L"k", L"3"}}, {{L"k", L"x"}}},
        {{{L"", L"empty key"}, {L"K", L"upper"}}, {{L"k", L"lower"}, {L"", L"again"}}},
    };
    for (const auto& [start, pairs] : cases) {
        PreferenceSet stepwise, overlaid;
        for (const auto& [key, value] : start) {
            stepwise.Add(key, value);
            overlaid.Add(key, value);
        }
        for (const auto& [key, value] : pairs) {
            stepwise.Remove(key);
            stepwise.Add(key, value);
        }
        EXPECT_TRUE(overlaid.Overlay(pairs));
        EXPECT_EQ(PairsOf(overlaid), PairsOf(stepwise)) << "case with " << pairs.size() << " pairs";
    }
}

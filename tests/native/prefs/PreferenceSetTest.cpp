#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceSet.h"

#include "tests/common/PreferencePairs.h"

namespace {

PairTable TableOf(const Pairs& pairs) {
    PairTable table;
    for (const auto& pair : pairs)
        table.Append(pair.first, pair.second);
    return table;
}

}  // namespace

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

TEST(PreferenceSet, OverlayEndsAsRemoveThenAddOfEachPairWould) {
    struct Case {
        Pairs set;
        Pairs read;
    };
    const Case cases[] = {
        {{}, {}},
        {{{L"a", L"1"}, {L"b", L"2"}}, {}},
        {{}, {{L"k", L"1"}, {L"k", L"2"}, {L"j", L"3"}}},
        {{{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}}, {{L"b", L"x"}, {L"new", L"y"}, {L"a", L"z"}}},
        {{{L"k", L"a"}, {L"x", L"-"}, {L"k", L"b"}}, {{L"k", L"1"}}},
        {{{L"k", L"a"}, {L"x", L"-"}, {L"k", L"b"}}, {{L"k", L"1"}, {L"k", L"2"}, {L"k", L"3"}}},
        {{{L"k", L"a"}, {L"x", L"-"}}, {{L"k", L"1"}, {L"x", L"2"}, {L"k", L"3"}, {L"K", L"4"}}},
    };
    for (const Case& c : cases) {
        PreferenceSet replayed;
        PreferenceSet overlaid;
        for (const auto& pair : c.set) {
            replayed.Add(pair.first, pair.second);
            overlaid.Add(pair.first, pair.second);
        }
        for (const auto& pair : c.read) {
            replayed.Remove(pair.first);
            replayed.Add(pair.first, pair.second);
        }
        EXPECT_TRUE(overlaid.Overlay(TableOf(c.read)));
        EXPECT_EQ(PairsOf(overlaid), PairsOf(replayed));
    }

    // Many thousand distinct keys over the defaults: all of them, in order.
    PreferenceSet set;
    AddDefaultPreferences(set);
    PairTable read;
    for (int i = 0; i < 20000; ++i)
        read.Append(L"h_name" + std::to_wstring(i), std::to_wstring(i));
    read.Append(L"viewertype", L"disco");
    ASSERT_TRUE(set.Overlay(std::move(read)));
    ASSERT_EQ(set.Count(), 13 + 20001);
    EXPECT_EQ(set.KeyAt(13), L"h_name0");
    EXPECT_EQ(set.ValueAt(13 + 19999), L"19999");
    EXPECT_EQ(set.KeyAt(set.Count() - 1), L"viewertype");
}

TEST(PreferenceSet, KeepsEveryPairRightThroughLongRunsOfChanges) {
    // Values replaced and pairs removed leave unused text behind, which the
    // set drops from time to time; texts taken from the set itself are
    // copied before it moves.
    std::mt19937 random(7);
    PreferenceSet set;
    Pairs model;
    for (int step = 0; step < 20000; ++step) {
        const std::wstring key = L"k" + std::to_wstring(random() % 40);
        const std::wstring value(random() % 30, static_cast<wchar_t>(L'a' + random() % 26));
        int position = -1;
        for (size_t i = 0; i < model.size() && position < 0; ++i) {
            if (model[i].first == key)
                position = static_cast<int>(i);
        }
        switch (random() % 5) {
        case 0:
        case 1:
            ASSERT_TRUE(set.Add(key, value));
            model.emplace_back(key, value);
            break;
        case 2:
            ASSERT_EQ(set.SetAt(key, value), position >= 0);
            if (position >= 0)
                model[static_cast<size_t>(position)].second = value;
            break;
        case 3:
            ASSERT_EQ(set.Remove(key), position >= 0);
            if (position >= 0)
                model.erase(model.begin() + position);
            break;
        default:
            if (!model.empty()) {
                // A pair's own key and another pair's value, read from the set.
                const int from = static_cast<int>(random() % model.size());
                ASSERT_TRUE(set.Add(set.KeyAt(from), set.ValueAt(set.Count() - 1)));
                model.emplace_back(model[static_cast<size_t>(from)].first, model.back().second);
                ASSERT_TRUE(set.SetAt(set.KeyAt(0), set.KeyAt(set.Count() - 1)));
                model.front().second = model.back().first;
            }
        }
        ASSERT_EQ(set.Count(), static_cast<int>(model.size()));
    }
    EXPECT_EQ(PairsOf(set), model);
    set.Clear();
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.ValueAt(0), L"");
}

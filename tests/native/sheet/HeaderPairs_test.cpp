#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prefs/PreferenceSet.h"
#include "sheet/HeaderPairs.h"
#include "tests/common/PreferencePairs.h"

namespace {

// Rows as "Tag|Name|Value" texts.
std::vector<std::wstring> TextsOf(const std::vector<UserDataItem>& rows) {
    std::vector<std::wstring> texts;
    for (const UserDataItem& row : rows)
        texts.push_back(row.Tag + L"|" + row.Name + L"|" + row.Value);
    return texts;
}

}  // namespace

TEST(HeaderPairs, TakesNumberedPairsUpToTheFirstGapOrAPlaceholderRow) {
    struct Case {
        Pairs set;
        std::vector<std::wstring> rows;
        Pairs left;
    };
    const std::wstring placeholder = L"|.|";
    const Case cases[] = {
        {{{L"a", L"1"}}, {placeholder}, {{L"a", L"1"}}},
        {{{L"h_val1", L"b"}, {L"h_name0", L"A"}, {L"x", L""}, {L"h_name1", L"B"},
          {L"h_val0", L"a"}, {L"h_name3", L"D"}, {L"h_val3", L"d"}},
         {L"|A|a", L"|B|b"},
         {{L"x", L""}, {L"h_name3", L"D"}, {L"h_val3", L"d"}}},
        // A name without its value is dropped, and taken out all the same.
        {{{L"h_name0", L"A"}, {L"h_val1", L"b"}}, {placeholder}, {{L"h_val1", L"b"}}},
    };
    for (const Case& c : cases) {
        PreferenceSet set = SetOf(c.set);
        EXPECT_EQ(TextsOf(HeaderPairs::TakeRows(set)), c.rows);
        EXPECT_EQ(PairsOf(set), c.left);
    }
}

TEST(HeaderPairs, StoresNamedRowsRenumberedAfterTheOtherKeysReplacingAnEarlierStore) {
    PreferenceSet set = SetOf({{L"h_name0", L"Old"}, {L"a", L"1"}, {L"h_val0", L"old"},
                               {L"h_name1", L"Gone"}});
    HeaderPairs::StoreRows(set, {{L"", L".", L"filled"}, {L"t", L"A", L"a\"\\"}, {L"", L"", L""},
                                 {L"", L"..", L"\u0416"}});
    EXPECT_EQ(PairsOf(set), (Pairs{{L"a", L"1"}, {L"h_name0", L"A"}, {L"h_val0", L"a\"\\"},
                                   {L"h_name1", L""}, {L"h_val1", L""}, {L"h_name2", L".."},
                                   {L"h_val2", L"\u0416"}}));
    HeaderPairs::StoreRows(set, {HeaderPairs::PlaceholderRow()});
    EXPECT_EQ(PairsOf(set), (Pairs{{L"a", L"1"}}));
}

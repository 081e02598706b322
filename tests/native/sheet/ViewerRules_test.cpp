#include <gtest/gtest.h>

#include "sheet/ViewerRules.h"

TEST(ViewerChoices, PositionsAndValuesMapBothWays) {
    const wchar_t* viewers[] = {L"builtin", L"zitgist", L"marbles",
                                L"disco", L"tabulator", L"custom"};
    const wchar_t* texts[] = {L"Vantrel (default)", L"Zitgist Data Viewer", L"Marbles",
                              L"DISCO", L"Tabulator", L"Custom (URL)"};
    const ChoiceTable& types = ViewerRules::ViewerTypes();
    ASSERT_EQ(types.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(types.ValueAt(i), viewers[i]);
        EXPECT_STREQ(types.At(i)->Text, texts[i]);
        EXPECT_EQ(types.PositionOf(viewers[i]), i);
    }
    EXPECT_EQ(types.PositionOf(L"Builtin"), -1);
    EXPECT_EQ(types.PositionOf(L"builtin "), -1);
    EXPECT_EQ(types.PositionOf(L""), -1);
    EXPECT_EQ(types.ValueAt(6), nullptr);
    EXPECT_EQ(types.ValueAt(-1), nullptr);
}

TEST(ViewerChoices, RadioGroupsFollowTheirControlOrder) {
    const ChoiceTable& behaviors = ViewerRules::OpeningBehaviors();
    ASSERT_EQ(behaviors.Count(), 3);
    EXPECT_EQ(behaviors.PositionOf(L"add"), 0);
    EXPECT_EQ(behaviors.PositionOf(L"replace"), 1);
    EXPECT_EQ(behaviors.PositionOf(L"new"), 2);
    EXPECT_EQ(behaviors.PositionOf(L"New"), -1);
    const ChoiceTable& modes = ViewerRules::OpeningModes();
    ASSERT_EQ(modes.Count(), 2);
    EXPECT_STREQ(modes.ValueAt(0), L"win");
    EXPECT_STREQ(modes.ValueAt(1), L"tab");
    EXPECT_EQ(modes.PositionOf(L"window"), -1);
}

TEST(ViewerEnablingRules, OnlyBuiltinOpensBehavioursAndSparqlOnlyCustomTheAddress) {
    const ViewerEnabling builtin = ViewerRules::EnablingFor(L"builtin");
    EXPECT_TRUE(builtin.BehaviorRadios);
    EXPECT_TRUE(builtin.SparqlSection);
    EXPECT_FALSE(builtin.UrlField);
    const ViewerEnabling custom = ViewerRules::EnablingFor(L"custom");
    EXPECT_FALSE(custom.BehaviorRadios);
    EXPECT_FALSE(custom.SparqlSection);
    EXPECT_TRUE(custom.UrlField);
    for (const wchar_t* other : {L"zitgist", L"marbles", L"disco", L"tabulator", L"Builtin",
                                 L"Custom", L"", L"whatever"}) {
        const ViewerEnabling e = ViewerRules::EnablingFor(other);
        EXPECT_FALSE(e.BehaviorRadios || e.UrlField || e.SparqlSection) << other;
    }
}

#include <gtest/gtest.h>

#include "prefs/PreferenceSet.h"
#include "sheet/ChoiceTable.h"
#include "sheet/PageValues.h"

TEST(PageValues, CopiesTheFirstPairsValueAndKeepsTheHeldOneForAMissingKey) {
    PreferenceSet prefs;
    prefs.Add(L"viewertype", L"marbles");
    prefs.Add(L"viewertype", L"disco");
    prefs.Add(L"sparqlport", L"");
    std::wstring viewer = L"held";
    PageValues::CopyIfFound(prefs, L"viewertype", viewer);
    EXPECT_EQ(viewer, L"marbles");
    std::wstring port = L"8890";
    PageValues::CopyIfFound(prefs, L"sparqlport", port);
    EXPECT_EQ(port, L"");
    std::wstring mode = L"held";
    PageValues::CopyIfFound(prefs, L"ViewerType", mode);
    PageValues::CopyIfFound(prefs, L"openingmode", mode);
    EXPECT_EQ(mode, L"held");
}

TEST(PageValues, NothingChosenKeepsTheHeldValue) {
    const Choice choices[] = {{L"One", L"one"}, {L"Two", L"two"}};
    const ChoiceTable table(choices);
    std::wstring value = L"stored";
    for (int position : {-1, 2, 99}) {
        PageValues::TakeChoice(table, position, value);
        EXPECT_EQ(value, L"stored") << position;
    }
    PageValues::TakeChoice(table, 1, value);
    EXPECT_EQ(value, L"two");
}

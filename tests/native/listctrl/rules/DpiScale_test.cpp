#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "listctrl/rules/DpiScale.h"
#include "listctrl/rules/ListColumn.h"

namespace {

// The list's 96-DPI measures: default column widths, image and cursor
// sizes, margins and paddings, the arrows' window, negative offsets.
const std::vector<int> MEASURES = {145, 195, 16, 32, 0, 1, 2, 3, 4, 5, 11, 12, 15, 20, -5};

struct Expected {
    int dpi;
    std::vector<int> scaled;
    int zoneLeft, zoneRight;  // divider zone around a right edge at 100
};

const Expected TABLE[] = {
    {96, {145, 195, 16, 32, 0, 1, 2, 3, 4, 5, 11, 12, 15, 20, -5}, 95, 104},
    {120, {181, 244, 20, 40, 0, 1, 3, 4, 5, 6, 14, 15, 19, 25, -6}, 94, 105},
    {144, {218, 293, 24, 48, 0, 2, 3, 5, 6, 8, 17, 18, 23, 30, -8}, 92, 106},
    {192, {290, 390, 32, 64, 0, 2, 4, 6, 8, 10, 22, 24, 30, 40, -10}, 90, 108},
};

}  // namespace

TEST(DpiScale, RoundsEveryMeasureToTheNearestPixelAsMulDivDoes) {
    for (const Expected& row : TABLE) {
        SCOPED_TRACE(row.dpi);
        const DpiScale scale(row.dpi);
        EXPECT_EQ(scale.Dpi(), row.dpi);
        for (size_t i = 0; i < MEASURES.size(); ++i)
            EXPECT_EQ(scale.Scale(MEASURES[i]), row.scaled[i]) << MEASURES[i];
        const DpiScale::Zone zone = scale.DividerZone(100);
        EXPECT_EQ(zone.Left, row.zoneLeft);
        EXPECT_EQ(zone.Right, row.zoneRight);
        EXPECT_TRUE(zone.Contains(row.zoneLeft) && zone.Contains(row.zoneRight));
        EXPECT_FALSE(zone.Contains(row.zoneLeft - 1) || zone.Contains(row.zoneRight + 1));
    }
}

TEST(DpiScale, UnreadableDpiCountsAsNinetySixAndHugeValuesDoNotWrap) {
    EXPECT_EQ(DpiScale().Dpi(), 96);
    EXPECT_EQ(DpiScale(0).Scale(145), 145);
    EXPECT_EQ(DpiScale(-144).Scale(145), 145);
    EXPECT_EQ(DpiScale(192).Scale(INT_MAX), INT_MAX);
    EXPECT_EQ(DpiScale(192).Scale(INT_MIN), INT_MIN);
    EXPECT_EQ(DpiScale(96).Scale(INT_MAX), INT_MAX);
}

TEST(DpiScale, ImageOnlyColumnKeepsItsMarginAtTheListsDpi) {
    ListColumn column;
    column.Image = 6;
    column.Normalize(24, DpiScale(144));
    EXPECT_EQ(column.Width, 32);  // 24 + 5 scaled
}

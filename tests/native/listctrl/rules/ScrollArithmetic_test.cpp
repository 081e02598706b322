#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "listctrl/rules/ScrollAnimation.h"
#include "listctrl/rules/ScrollArithmetic.h"

using SA = ScrollArithmetic;

TEST(ScrollArithmeticRanges, NoRowsOrNarrowColumnsNeedNoBar) {
    EXPECT_EQ(SA::VerticalRange(22, 0, 22, 100).Max, 0);
    EXPECT_EQ(SA::VerticalRange(22, 3, 22, 88).Max, 0);  // exactly fits
    auto r = SA::VerticalRange(22, 4, 22, 88);
    EXPECT_EQ(r.Max, 110);
    EXPECT_EQ(r.Page, 66);
    EXPECT_EQ(SA::HorizontalRange(340, 400).Max, 0);
    EXPECT_EQ(SA::HorizontalRange(401, 400).Max, 0);  // max 400 == page
    r = SA::HorizontalRange(402, 400);
    EXPECT_EQ(r.Max, 401);
    EXPECT_EQ(r.Page, 400);
    EXPECT_EQ(SA::VerticalRange(22, 100000000, 22, 100).Max, INT_MAX);  // no overflow
}

TEST(ScrollArithmeticRanges, VisibleRowsAndFirstRow) {
    EXPECT_EQ(SA::VisibleRowCount(66, 22, false), 3);
    EXPECT_EQ(SA::VisibleRowCount(70, 22, false), 3);
    EXPECT_EQ(SA::VisibleRowCount(70, 22, true), 4);
    EXPECT_EQ(SA::VisibleRowCount(10, 22, false), 1);
    EXPECT_EQ(SA::VisibleRowCount(0, 0, true), 1);
    EXPECT_EQ(SA::FirstVisibleRow(43, 22), 1);
    EXPECT_EQ(SA::FirstVisibleRow(44, 22), 2);
    EXPECT_EQ(SA::FirstVisibleRow(44, 0), 0);
}

TEST(ScrollArithmeticRequests, VerticalBar) {
    int t = -1;
    EXPECT_TRUE(SA::VerticalTarget(SA::LineBack, 10, 22, 66, 9, 0, t));
    EXPECT_EQ(t, 0);
    EXPECT_TRUE(SA::VerticalTarget(SA::LineForward, 10, 22, 66, 9, 0, t));
    EXPECT_EQ(t, 32);
    EXPECT_TRUE(SA::VerticalTarget(SA::PageBack, 100, 22, 66, 9, 0, t));
    EXPECT_EQ(t, 34);
    EXPECT_TRUE(SA::VerticalTarget(SA::PageForward, 100, 22, 66, 9, 0, t));
    EXPECT_EQ(t, 166);
    EXPECT_TRUE(SA::VerticalTarget(SA::ToEnd, 0, 22, 66, 9, 0, t));
    EXPECT_EQ(t, 198);
    EXPECT_TRUE(SA::VerticalTarget(SA::ThumbTrack, 0, 22, 66, 9, 44, t));
    EXPECT_EQ(t, 44);
    EXPECT_FALSE(SA::VerticalTarget(SA::ThumbPosition, 44, 22, 66, 9, 44, t));
    EXPECT_FALSE(SA::VerticalTarget(SA::EndScroll, 44, 22, 66, 9, 0, t));
    EXPECT_FALSE(SA::VerticalTarget(99, 44, 22, 66, 9, 0, t));
}

TEST(ScrollArithmeticRequests, HorizontalBarStaysInsideTheContent) {
    int t = -1;
    EXPECT_TRUE(SA::HorizontalTarget(SA::LineBack, 5, 100, 340, 0, t));
    EXPECT_EQ(t, 0);
    EXPECT_TRUE(SA::HorizontalTarget(SA::LineBack, 6, 100, 340, 0, t));
    EXPECT_EQ(t, 1);
    EXPECT_TRUE(SA::HorizontalTarget(SA::LineForward, 337, 100, 340, 0, t));
    EXPECT_EQ(t, 339);
    EXPECT_TRUE(SA::HorizontalTarget(SA::PageForward, 300, 100, 340, 0, t));
    EXPECT_EQ(t, 339);
    EXPECT_TRUE(SA::HorizontalTarget(SA::PageBack, 50, 100, 340, 0, t));
    EXPECT_EQ(t, 0);
    EXPECT_TRUE(SA::HorizontalTarget(SA::ToEnd, 0, 100, 0, 0, t));
    EXPECT_EQ(t, 0);  // no columns: no negative position
}

TEST(ScrollArithmeticRequests, WheelAtTheTopStaysAtZero) {
    EXPECT_EQ(SA::WheelTarget(0, 120, 3, 22), 0);
    EXPECT_EQ(SA::WheelTarget(30, 120, 3, 22), 0);
    EXPECT_EQ(SA::WheelTarget(100, 120, 3, 22), 34);
    EXPECT_EQ(SA::WheelTarget(0, -120, 3, 22), 66);
    EXPECT_EQ(SA::WheelTarget(0, -240, 1, 22), 44);
    EXPECT_EQ(SA::WheelTarget(0, -120, -1, 22), 0);  // page-scroll setting: no overflow
}

TEST(ScrollAnimationSteps, OneRowOf22PixelsShowsTheDocumentedOffsets) {
    ScrollAnimation anim;
    ASSERT_TRUE(anim.Start(3, 4, 22));
    EXPECT_EQ(anim.Remaining(), 22);  // first frame: the old position
    std::vector<int> frames;
    while (anim.Tick()) frames.push_back(anim.Remaining());
    EXPECT_EQ(frames, (std::vector<int>{18, 14, 10, 6, 4, 3, 2, 1, 0}));
    EXPECT_FALSE(anim.Running());
}

TEST(ScrollAnimationSteps, StripWindowMovesFromOldToNewRows) {
    ScrollAnimation down;
    ASSERT_TRUE(down.Start(2, 5, 20));
    EXPECT_TRUE(down.Downward());
    EXPECT_EQ(down.TopRow(), 2);
    const int strip = (4 + 3) * 20;
    EXPECT_EQ(down.SourceY(strip, 4, 20), 0);  // shows row 2 first
    while (down.Remaining() > 0) down.Tick();
    EXPECT_EQ(down.SourceY(strip, 4, 20), 60);  // and row 5 last

    ScrollAnimation up;
    ASSERT_TRUE(up.Start(5, 2, 20));
    EXPECT_FALSE(up.Downward());
    EXPECT_EQ(up.TopRow(), 2);
    EXPECT_EQ(up.SourceY(strip, 4, 20), 60);

    ScrollAnimation none;
    EXPECT_FALSE(none.Start(4, 4, 20));
    EXPECT_FALSE(none.Tick());
}

TEST(ScrollAnimationSteps, LongAndTinyScrollsAlwaysFinish) {
    for (int rows : {1, 3, 7, 40, 100000}) {
        for (int height : {1, 2, 22}) {
            ScrollAnimation anim;
            ASSERT_TRUE(anim.Start(0, rows, height));
            int frames = 0;
            int last = anim.Remaining();
            while (anim.Tick()) {
                ASSERT_LT(anim.Remaining(), last);
                last = anim.Remaining();
                ++frames;
            }
            EXPECT_LE(frames, 8 + 8 + 2) << rows << "x" << height;
        }
    }
}

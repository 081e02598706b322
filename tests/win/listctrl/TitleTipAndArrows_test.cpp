#include <gtest/gtest.h>

#include <string>

#include "GridTestSupport.h"
#include "listctrl/CDropArrows.h"
#include "listctrl/CTitleTip.h"

// After the framework: its macros would rename framework members.
#include <windowsx.h>

using namespace gridtest;

namespace {

const wchar_t TEXT[] = L"A header value too long for its cell";

// A tip owned by a hidden captioned window that plays the list.
class TitleTip : public ::testing::Test {
protected:
    void SetUp() override {
        const RECT rect{100, 100, 500, 300};
        ASSERT_NE(owner.Create(nullptr, rect, L"owner", WS_POPUP | WS_CAPTION), nullptr);
        ASSERT_TRUE(tip.Create(owner.m_hWnd, false));
        HDC hdc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(hdc, tip.GetFont());
        RECT measured{0, 0, 0, 0};
        DrawTextW(hdc, TEXT, -1, &measured, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        SelectObject(hdc, old);
        ReleaseDC(nullptr, hdc);
        textWidth = measured.right;
    }
    void TearDown() override {
        tip.DestroyWindow();
        owner.DestroyWindow();
    }

    // A text rectangle from the owner's caption down into its client area.
    RECT TextRect(int width) const {
        RECT window;
        GetWindowRect(owner.m_hWnd, &window);
        return RECT{window.left + 20, window.top + 2, window.left + 20 + width,
                    ClientOrigin().y + 20};
    }
    POINT ClientOrigin() const {
        POINT origin{0, 0};
        ClientToScreen(owner.m_hWnd, &origin);
        return origin;
    }
    // The first mouse message, client or non-client, posted to the owner.
    bool TakePosted(MSG& msg) {
        while (PeekMessageW(&msg, owner.m_hWnd, 0, 0, PM_REMOVE))
            if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK))
                return true;
        return false;
    }

    CParentWindow owner;
    CTitleTip tip;
    int textWidth = 0;
};

}  // namespace

TEST_F(TitleTip, ShowsOnlyTextThatDoesNotFitPlacedOverTheCellText) {
    EXPECT_FALSE(tip.Show(TextRect(textWidth + 1), TEXT, L""));
    EXPECT_FALSE(IsWindowVisible(tip.m_hWnd));
    EXPECT_FALSE(tip.Show(TextRect(10), L"", L""));

    const RECT cell = TextRect(textWidth);
    ASSERT_TRUE(tip.Show(cell, TEXT, L""));
    EXPECT_TRUE(IsWindowVisible(tip.m_hWnd));
    EXPECT_EQ(GetCapture(), tip.m_hWnd);
    RECT placed;
    GetWindowRect(tip.m_hWnd, &placed);
    EXPECT_EQ(placed.left, cell.left - 4);
    EXPECT_EQ(placed.top, cell.top);
    EXPECT_EQ(placed.right - placed.left, textWidth + 11);
    EXPECT_EQ(placed.bottom - placed.top, cell.bottom - cell.top);
    wchar_t shown[64];
    GetWindowTextW(tip.m_hWnd, shown, 64);
    EXPECT_STREQ(shown, TEXT);

    SendMessageW(tip.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));  // within: stays
    EXPECT_TRUE(IsWindowVisible(tip.m_hWnd));
    SendMessageW(tip.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(-2, 3));  // left it: hides
    EXPECT_FALSE(IsWindowVisible(tip.m_hWnd));
    EXPECT_NE(GetCapture(), tip.m_hWnd);

    CTitleTip never;
    EXPECT_FALSE(never.Show(cell, TEXT, L""));  // no window
}

TEST_F(TitleTip, ClicksGoToTheListPartUnderThem) {
    const RECT cell = TextRect(textWidth);
    ASSERT_TRUE(tip.Show(cell, TEXT, L""));
    const int height = cell.bottom - cell.top;
    const POINT origin = ClientOrigin();
    const struct {
        UINT message;
        WPARAM keys;
        int y;  // in the tip; x is 10
        UINT expected;
        WPARAM expectedWParam;
    } cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, height - 2, WM_LBUTTONDOWN, MK_LBUTTON},
        {WM_RBUTTONUP, 0, height - 2, WM_RBUTTONUP, 0},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, 1, WM_NCLBUTTONDBLCLK, HTCAPTION},
        {WM_MBUTTONDOWN, MK_MBUTTON, 1, WM_NCMBUTTONDOWN, HTCAPTION},
        {WM_XBUTTONDOWN, 0, 1, 0, 0},  // no counterpart: dropped
    };
    MSG stale;
    while (TakePosted(stale)) {
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        SendMessageW(tip.m_hWnd, c.message, c.keys, MAKELPARAM(10, c.y));
        const POINT screen{cell.left - 4 + 10, cell.top + c.y};
        MSG posted{};
        if (c.expected == 0) {
            EXPECT_FALSE(TakePosted(posted)) << posted.message;
            continue;
        }
        ASSERT_TRUE(TakePosted(posted));
        EXPECT_EQ(posted.message, c.expected);
        EXPECT_EQ(posted.wParam, c.expectedWParam);
        const bool client = c.expected < WM_NCMOUSEMOVE || c.expected > WM_NCXBUTTONDBLCLK;
        EXPECT_EQ(GET_X_LPARAM(posted.lParam), client ? screen.x - origin.x : screen.x);
        EXPECT_EQ(GET_Y_LPARAM(posted.lParam), client ? screen.y - origin.y : screen.y);
    }
}

TEST_F(TitleTip, PaintsClassicFrameOrThemedGradient) {
    for (bool themed : {false, true}) {
        SCOPED_TRACE(themed);
        tip.DestroyWindow();
        ASSERT_TRUE(tip.Create(owner.m_hWnd, themed));
        ASSERT_TRUE(tip.Show(TextRect(textWidth), TEXT, L""));
        const Capture pixels(tip.m_hWnd);
        const int middle = pixels.width / 2, bottom = pixels.height - 1;
        if (!themed) {
            const COLORREF frame = GetSysColor(COLOR_INFOTEXT);
            EXPECT_EQ(pixels.At(0, 0), frame);
            EXPECT_EQ(pixels.At(middle, bottom), frame);
            EXPECT_EQ(pixels.At(1, 1), GetSysColor(COLOR_INFOBK));
        } else {
            EXPECT_EQ(pixels.At(middle, 0), RGB(220, 220, 220));
            EXPECT_EQ(pixels.At(middle, 1), RGB(245, 245, 245));
            EXPECT_TRUE(Capture::Near(pixels.At(2, 2), RGB(250, 250, 250), 3));
            EXPECT_TRUE(Capture::Near(pixels.At(2, bottom - 2), RGB(235, 235, 235), 3));
        }
        // Some text was drawn in the text colour.
        const COLORREF text = GetSysColor(themed ? COLOR_WINDOWTEXT : COLOR_INFOTEXT);
        EXPECT_GT(pixels.Count(RECT{4, 2, pixels.width - 2, pixels.height - 2}, text), 10);
    }
}

TEST(DropArrows, ShapedAroundTheBandAndShownAtThePoint) {
    CParentWindow owner;
    ASSERT_NE(owner.CreateHidden(), nullptr);
    const struct {
        bool vertical;
        SIZE size;
        POINT tips[2];  // the pixels at the points; the tip vertices of the
                        // vertical arrows, (6,9) and (6,30), lie on the edges
                        // a region leaves out
        POINT gap;  // between the arrows: not part of the window
        POINT placed;  // for Show(100, 200)
    } cases[] = {
        {true, {12, 40}, {{6, 8}, {6, 31}}, {6, 20}, {93, 180}},
        {false, {40, 12}, {{9, 6}, {30, 6}}, {20, 6}, {80, 195}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vertical);
        CDropArrows arrows;
        ASSERT_TRUE(arrows.Create(owner.m_hWnd, 20, c.vertical));
        EXPECT_EQ(arrows.Length(), 40);
        RECT window;
        GetWindowRect(arrows.m_hWnd, &window);
        EXPECT_EQ(window.right - window.left, c.size.cx);
        EXPECT_EQ(window.bottom - window.top, c.size.cy);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(arrows.m_hWnd, region), ERROR);
        for (POINT tip : c.tips) EXPECT_TRUE(PtInRegion(region, tip.x, tip.y)) << tip.x << tip.y;
        EXPECT_FALSE(PtInRegion(region, c.gap.x, c.gap.y));
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        DeleteObject(region);

        EXPECT_FALSE(IsWindowVisible(arrows.m_hWnd));
        arrows.Show(100, 200);
        GetWindowRect(arrows.m_hWnd, &window);
        EXPECT_EQ(window.left, c.placed.x);
        EXPECT_EQ(window.top, c.placed.y);
        EXPECT_TRUE(IsWindowVisible(arrows.m_hWnd));
        arrows.DestroyWindow();
        arrows.Show(0, 0);  // no window: nothing happens
    }
    owner.DestroyWindow();
}

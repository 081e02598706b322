#include <gtest/gtest.h>

#include "listctrl/GridTestSupport.h"
#include "listctrl/dragdrop/CDropArrows.h"
#include "listctrl/grid/CTitleTip.h"

// After the framework: its macros would rename framework members.
#include <windowsx.h>

using namespace gridtest;

namespace {

const wchar_t TEXT[] = L"A header value too long for its cell";

// A tip owned by a hidden captioned window that plays the list.
class TitleTip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(owner.Create(nullptr, RECT{100, 100, 500, 300}, L"list", WS_POPUP | WS_CAPTION),
                  nullptr);
        ASSERT_TRUE(tip.Create(owner.m_hWnd, false));
        HDC hdc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(hdc, tip.GetFont());
        RECT measured{0, 0, 0, 0};
        DrawTextW(hdc, TEXT, -1, &measured, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        SelectObject(hdc, old);
        ReleaseDC(nullptr, hdc);
        textWidth = measured.right;
        POINT origin{0, 0};
        ClientToScreen(owner.m_hWnd, &origin);
        clientOrigin = origin;
    }
    void TearDown() override { owner.DestroyWindow(); }

    // A text rectangle from the owner's caption down into its client area.
    RECT TextRect(int width) const {
        return RECT{120, 102, 120 + width, clientOrigin.y + 20};
    }
    // The next mouse message, client or non-client, posted to the owner.
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
    POINT clientOrigin{};
};

}  // namespace

TEST_F(TitleTip, ShowsOnlyTextThatDoesNotFitPlacedOverTheCellText) {
    EXPECT_FALSE(tip.Show(TextRect(textWidth + 1), TEXT, L""));
    EXPECT_FALSE(tip.Show(TextRect(10), L"", L""));
    EXPECT_FALSE(IsWindowVisible(tip.m_hWnd));

    const RECT cell = TextRect(textWidth);
    ASSERT_TRUE(tip.Show(cell, TEXT, L""));
    EXPECT_EQ(GetCapture(), tip.m_hWnd);
    RECT placed;
    GetWindowRect(tip.m_hWnd, &placed);
    EXPECT_EQ(placed.left, cell.left - 4);
    EXPECT_EQ(placed.top, cell.top);
    EXPECT_EQ(placed.right - placed.left, textWidth + 11);
    EXPECT_EQ(placed.bottom - placed.top, cell.bottom - cell.top);

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
    const int clientY = cell.bottom - cell.top - 2, captionY = 1;
    const struct {
        UINT message;
        WPARAM keys;
        int y;
        UINT expected;
        WPARAM expectedWParam;
    } cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, clientY, WM_LBUTTONDOWN, MK_LBUTTON},
        {WM_RBUTTONUP, 0, clientY, WM_RBUTTONUP, 0},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, captionY, WM_NCLBUTTONDBLCLK, HTCAPTION},
        {WM_MBUTTONDOWN, MK_MBUTTON, captionY, WM_NCMBUTTONDOWN, HTCAPTION},
        {WM_XBUTTONDOWN, 0, captionY, 0, 0},  // no counterpart: dropped
    };
    MSG posted;
    while (TakePosted(posted)) {
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        SendMessageW(tip.m_hWnd, c.message, c.keys, MAKELPARAM(10, c.y));
        ASSERT_EQ(TakePosted(posted), c.expected != 0);
        if (c.expected == 0) continue;
        EXPECT_EQ(posted.message, c.expected);
        EXPECT_EQ(posted.wParam, c.expectedWParam);
        // Client messages carry the list's client point, the others the screen point.
        const POINT shift = c.expected == c.message ? clientOrigin : POINT{0, 0};
        EXPECT_EQ(GET_X_LPARAM(posted.lParam), cell.left - 4 + 10 - shift.x);
        EXPECT_EQ(GET_Y_LPARAM(posted.lParam), cell.top + c.y - shift.y);
    }
}

TEST_F(TitleTip, PaintsAClassicFrameOrAThemedGradient) {
    for (bool themed : {false, true}) {
        SCOPED_TRACE(themed);
        tip.DestroyWindow();
        ASSERT_TRUE(tip.Create(owner.m_hWnd, themed));
        ASSERT_TRUE(tip.Show(TextRect(textWidth), TEXT, L""));
        const Capture pixels(tip.m_hWnd);
        const int middle = pixels.width / 2, bottom = pixels.height - 1;
        const COLORREF text = GetSysColor(themed ? COLOR_WINDOWTEXT : COLOR_INFOTEXT);
        if (themed) {
            EXPECT_EQ(pixels.At(middle, 0), RGB(220, 220, 220));
            EXPECT_EQ(pixels.At(middle, 1), RGB(245, 245, 245));
            EXPECT_TRUE(Capture::Near(pixels.At(2, 2), RGB(250, 250, 250), 3));
            EXPECT_TRUE(Capture::Near(pixels.At(2, bottom - 2), RGB(235, 235, 235), 3));
        } else {
            EXPECT_EQ(pixels.At(0, 0), text);
            EXPECT_EQ(pixels.At(middle, bottom), text);
            EXPECT_EQ(pixels.At(1, 1), GetSysColor(COLOR_INFOBK));
        }
        EXPECT_GT(pixels.Count(RECT{4, 2, pixels.width - 2, pixels.height - 2}, text), 10);
    }
}

TEST(DropArrows, ShapedAroundTheBandAndShownAtThePoint) {
    CParentWindow owner;
    ASSERT_NE(owner.CreateHidden(), nullptr);
    // The pixels at the tips. The tip vertices of the vertical arrows,
    // (6,9) and (6,30), lie on the edges a polygon region leaves out.
    const struct {
        bool vertical;
        SIZE size;
        POINT tips[2], gap, placed;  // placed by Show(100, 200)
    } cases[] = {
        {true, {12, 40}, {{6, 8}, {6, 31}}, {6, 20}, {93, 180}},
        {false, {40, 12}, {{9, 6}, {30, 6}}, {20, 6}, {80, 195}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vertical);
        CDropArrows arrows;
        ASSERT_TRUE(arrows.Create(owner.m_hWnd, 20, c.vertical));
        RECT window;
        GetWindowRect(arrows.m_hWnd, &window);
        EXPECT_EQ(window.right - window.left, c.size.cx);
        EXPECT_EQ(window.bottom - window.top, c.size.cy);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(arrows.m_hWnd, region), ERROR);
        for (POINT tip : c.tips) EXPECT_TRUE(PtInRegion(region, tip.x, tip.y)) << tip.x << tip.y;
        EXPECT_FALSE(PtInRegion(region, c.gap.x, c.gap.y));
        DeleteObject(region);

        EXPECT_FALSE(IsWindowVisible(arrows.m_hWnd));
        arrows.Show(100, 200);
        GetWindowRect(arrows.m_hWnd, &window);
        EXPECT_EQ(window.left, c.placed.x);
        EXPECT_EQ(window.top, c.placed.y);
        EXPECT_TRUE(IsWindowVisible(arrows.m_hWnd));
        arrows.DestroyWindow();
    }
    owner.DestroyWindow();
}

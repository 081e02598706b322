#include <gtest/gtest.h>

#include "listctrl/GridTestSupport.h"

using namespace gridtest;

namespace {

class ListGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CreateChildList(parent, list));
        GetClientRect(list.m_hWnd, &client);
        rh = list.GetRowHeight();
        hh = list.GetHeaderHeight();
    }
    void TearDown() override { parent.DestroyWindow(); }

    void AddRows(int count) {
        for (int i = 0; i < count; ++i)
            list.AddItem({L"", L"name" + std::to_wstring(i), L"value" + std::to_wstring(i)});
    }
    SCROLLINFO Bar(int bar) const {
        SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(list.m_hWnd, bar, &info);
        return info;
    }
    void Scroll(int request, UINT message = WM_VSCROLL) {
        SendMessageW(list.m_hWnd, message, MAKEWPARAM(request, 0), 0);
    }

    CParentWindow parent;
    CListUserData list;
    RECT client{};
    int rh = 0;
    int hh = 0;
};

}  // namespace

TEST_F(ListGeometry, NoRowsAndNarrowColumnsNeedNoScrollBars) {
    EXPECT_EQ(Bar(SB_VERT).nMax, 0);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 0);  // 340 pixels of columns in about 400
    EXPECT_FALSE(list.IsHorzBarInUse());
    const LONG_PTR style = GetWindowLongPtrW(list.m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL), 0);

    const int fit = (client.bottom - hh) / rh;
    AddRows(fit);
    EXPECT_EQ(Bar(SB_VERT).nMax, 0);
    AddRows(1);
    GetClientRect(list.m_hWnd, &client);
    SCROLLINFO v = Bar(SB_VERT);
    EXPECT_EQ(v.nMax, hh + (fit + 1) * rh);
    EXPECT_EQ(int(v.nPage), client.bottom - hh);

    ASSERT_TRUE(list.SetColumnWidth(1, 500));
    GetClientRect(list.m_hWnd, &client);
    SCROLLINFO h = Bar(SB_HORZ);
    EXPECT_EQ(h.nMax, 644);
    EXPECT_EQ(int(h.nPage), client.right);
    EXPECT_TRUE(list.IsHorzBarInUse());
    EXPECT_EQ(list.GetContentWidth(false), 644);

    // Removing rows shrinks the range again.
    while (list.GetItemCount() > 0) {
        list.Items().pop_back();
        list.ItemRemoved(list.GetItemCount());
    }
    EXPECT_EQ(Bar(SB_VERT).nMax, 0);
}

TEST_F(ListGeometry, WheelScrollsWholeRowsAndStopsAtTheTop) {
    AddRows(40);
    SendMessageW(list.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0);
    EXPECT_EQ(SendMessageW(list.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, list.GetWheelLines() * rh);
    SendMessageW(list.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0);
}

TEST_F(ListGeometry, ScrollRequestsMoveByRowsPagesAndEnds) {
    AddRows(40);
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(Bar(SB_VERT).nPos, rh);
    Scroll(SB_PAGEDOWN);
    EXPECT_EQ(Bar(SB_VERT).nPos, rh + client.bottom - hh);
    Scroll(SB_ENDSCROLL);
    Scroll(0x77);  // unknown: nothing moves
    EXPECT_EQ(Bar(SB_VERT).nPos, rh + client.bottom - hh);
    Scroll(SB_PAGEUP);
    Scroll(SB_LINEUP);
    Scroll(SB_LINEUP);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0);
    Scroll(SB_BOTTOM);
    const SCROLLINFO v = Bar(SB_VERT);
    EXPECT_EQ(v.nPos, v.nMax - int(v.nPage) + 1);  // held at the end by the bar
    Scroll(SB_TOP);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0);

    list.SetColumnWidth(0, 600);
    Scroll(SB_LINERIGHT, WM_HSCROLL);
    EXPECT_EQ(Bar(SB_HORZ).nPos, 5);
    RECT header;
    ASSERT_TRUE(list.GetColumnHeaderRect(1, header));
    EXPECT_EQ(header.left, 595);
    EXPECT_EQ(header.right, 790);
    EXPECT_EQ(header.top, 0);
    EXPECT_EQ(header.bottom, hh);
    Scroll(SB_LINELEFT, WM_HSCROLL);
    EXPECT_EQ(Bar(SB_HORZ).nPos, 0);
}

TEST_F(ListGeometry, HitTestsMapPixelsToRowsAndColumnPositions) {
    AddRows(40);
    int row = -1, cell = -1;
    ASSERT_TRUE(list.CellFromPoint(10, hh + rh + 1, row, cell));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(cell, 0);
    ASSERT_TRUE(list.CellFromPoint(146, hh, row, cell));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(cell, 1);
    EXPECT_FALSE(list.CellFromPoint(145, hh + 2, row, cell));  // on the column edge
    EXPECT_EQ(row, 0);
    EXPECT_EQ(cell, -1);
    EXPECT_FALSE(list.CellFromPoint(350, hh + 2, row, cell));  // right of the columns
    EXPECT_FALSE(list.CellFromPoint(10, hh - 1, row, cell));   // in the header band
    EXPECT_EQ(row, -1);

    Scroll(SB_LINEDOWN);
    Scroll(SB_LINEDOWN);
    ASSERT_TRUE(list.CellFromPoint(10, hh + 1, row, cell));
    EXPECT_EQ(row, 2);

    RECT rect;
    EXPECT_FALSE(list.GetCellRect(1, 0, rect));  // scrolled out
    ASSERT_TRUE(list.GetCellRect(3, 1, rect));
    EXPECT_EQ(rect.top, hh + rh);
    EXPECT_EQ(rect.bottom, hh + 2 * rh);
    EXPECT_EQ(rect.left, 145);
    EXPECT_EQ(rect.right, 340);
    ASSERT_TRUE(list.GetCellRect(3, -1, rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 339);

    const int whole = (client.bottom - hh) / rh;
    const bool part = (client.bottom - hh) % rh != 0;
    EXPECT_EQ(list.GetVisibleRowCount(false), whole);
    EXPECT_EQ(list.GetVisibleRowCount(true), whole + (part ? 1 : 0));
    EXPECT_TRUE(list.IsCellInView(2, 1, false));
    EXPECT_TRUE(list.IsCellInView(2 + whole - 1, 0, false));
    EXPECT_FALSE(list.IsCellInView(2 + whole, 0, false));
    EXPECT_EQ(list.IsCellInView(2 + whole, 0, true), part);
    EXPECT_FALSE(list.IsCellInView(1, 0, true));
    EXPECT_FALSE(list.IsCellInView(2, 5, false));  // no such column

    list.SetColumnWidth(0, 500);  // column 1 now starts beyond the client area
    EXPECT_FALSE(list.IsCellInView(2, 1, false));
    EXPECT_TRUE(list.IsCellInView(2, -1, false));
}

TEST_F(ListGeometry, ScrollingACellIntoViewMovesBothBars) {
    AddRows(40);
    list.SetColumnWidth(0, 500);
    list.SetCurrentCell(30, 1);
    EXPECT_TRUE(list.IsCellInView(30, 1, false));
    EXPECT_EQ(Bar(SB_VERT).nPos, (30 + 1 - list.GetVisibleRowCount(false)) * rh);
    RECT header;
    ASSERT_TRUE(list.GetColumnHeaderRect(1, header));
    GetClientRect(list.m_hWnd, &client);  // narrower now, beside the vertical bar
    EXPECT_EQ(header.right, client.right);
    list.SetCurrentCell(0, 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0);
    EXPECT_EQ(Bar(SB_HORZ).nPos, 0);
}

TEST_F(ListGeometry, RedrawOffDefersTheLayoutUntilRedrawComesBack) {
    ShowWindow(parent.m_hWnd, SW_SHOWNOACTIVATE);  // hidden windows gather no update region
    UpdateWindow(list.m_hWnd);
    SendMessageW(list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    EXPECT_EQ(GetWindowLongPtrW(list.m_hWnd, GWL_STYLE) & WS_VISIBLE, 0)
        << "the system flag follows";
    AddRows(40);
    list.SetColumnWidth(1, 500);
    list.Items().pop_back();
    list.ItemRemoved(39);
    EXPECT_EQ(Bar(SB_VERT).nMax, 0);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 0);
    EXPECT_EQ(list.GetContentWidth(false), 644);  // geometry itself stays current
    ValidateRect(list.m_hWnd, nullptr);

    SendMessageW(list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    EXPECT_NE(GetWindowLongPtrW(list.m_hWnd, GWL_STYLE) & WS_VISIBLE, 0);
    GetClientRect(list.m_hWnd, &client);
    const SCROLLINFO v = Bar(SB_VERT);
    EXPECT_EQ(v.nMax, hh + 39 * rh);
    EXPECT_EQ(int(v.nPage), client.bottom - hh);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 644);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(list.m_hWnd, &update, FALSE)) << "repainted once redraw is on";
    EXPECT_EQ(update.right, client.right);
    EXPECT_EQ(update.bottom, client.bottom);
}

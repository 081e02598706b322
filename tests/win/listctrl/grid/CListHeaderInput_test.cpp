#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listctrl/GridTestSupport.h"

using namespace gridtest;

namespace {

class HeaderInput : public GridFixture<> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GridFixture::SetUp());
        hh = grid.GetHeaderHeight();
    }

    // A mouse message at x on the band.
    void Post(UINT message, int x, WPARAM keys = 0) { Mouse(hWnd, message, POINT{x, hh / 2}, keys); }
    int TextWidth(const std::wstring& text) const {
        HDC hdc = GetDC(hWnd);
        HGDIOBJ old = SelectObject(hdc, grid.GetFont());
        SIZE size{};
        GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(hdc, old);
        ReleaseDC(hWnd, hdc);
        return size.cx;
    }
    std::vector<std::wstring> Column(int id) const {
        std::vector<std::wstring> texts;
        for (const auto& row : grid.rows) texts.push_back(row[id]);
        return texts;
    }

    int hh = 0;
};

}  // namespace

TEST_F(HeaderInput, DividerZonesReachFiveLeftAndFourRightOfEachColumnEdge) {
    for (int width : {100, 0, 0, 80, 60}) grid.AddColumn(L"C", width, -1, false, CELL_EDIT, 0);
    const unsigned D = HEADER_ZONE_DIVIDER;
    struct Probe {
        int X, Y;
        bool Hit;
        int Position;
        unsigned Zone;
    } probes[] = {
        {94, 5, true, 0, 0},   {95, 5, true, 0, D},  {97, 5, true, 0, D},
        {103, 5, true, 2, D},  // right of it: the last of the collapsed columns after it
        {104, 5, true, 2, D},  {105, 5, true, 3, 0},
        {177, 5, true, 3, D},  {183, 5, true, 3, D},  // the next column is the last one
        {243, 5, true, 4, D},  {245, 5, false, -1, 0},
        {50, 0, true, 0, 0},   {50, hh, true, 0, 0},  {50, hh + 1, false, -1, 0},
    };
    for (const Probe& p : probes) {
        int position = 7;
        unsigned zone = 7;
        EXPECT_EQ(grid.HeaderFromPoint(p.X, p.Y, position, zone), p.Hit) << p.X << "," << p.Y;
        EXPECT_EQ(position, p.Position) << p.X << "," << p.Y;
        EXPECT_EQ(zone, p.Zone) << p.X << "," << p.Y;
    }
    grid.Options.ShowHeader = false;
    int position = 0;
    unsigned zone = 0;
    EXPECT_FALSE(grid.HeaderFromPoint(50, 5, position, zone));
}

TEST_F(HeaderInput, DividersResizeByDragAndFitTheContentOnADoubleClick) {
    grid.AddColumn(L"Name", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"Value", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"Fixed", 100, -1, true, CELL_EDIT, 0);
    grid.AddRow({L"a", L"", L"x"});
    grid.AddRow({L"a rather longer name than the column", L"", L"x"});

    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    Post(WM_MOUSEMOVE, 98);
    EXPECT_NE(GetCursor(), arrow);  // the divider cursor
    SetCursor(arrow);
    Post(WM_MOUSEMOVE, 298);
    EXPECT_EQ(GetCursor(), arrow);  // not over a fixed column's divider

    Post(WM_LBUTTONDOWN, 98, MK_LBUTTON);
    Post(WM_MOUSEMOVE, 128, MK_LBUTTON);
    EXPECT_EQ(grid.GetColumnWidth(0), 130);
    Post(WM_MOUSEMOVE, -60, MK_LBUTTON);
    EXPECT_EQ(grid.GetColumnWidth(0), 0);
    Post(WM_MOUSEMOVE, 140, MK_LBUTTON);
    EXPECT_EQ(grid.GetColumnWidth(0), 142);
    Post(WM_LBUTTONUP, 140);
    Post(WM_MOUSEMOVE, 170);
    EXPECT_EQ(grid.GetColumnWidth(0), 142);
    EXPECT_EQ(grid.Options.SortColumnId, -1);  // a resize does not sort
    EXPECT_EQ(GetCapture(), nullptr);

    // Empty cells: the title's width; else the widest cell text.
    const int valueEdge = 142 + 100;
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        Post(message, valueEdge - 1, message == WM_LBUTTONUP ? 0 : MK_LBUTTON);
    EXPECT_EQ(grid.GetColumnWidth(1), TextWidth(L"Value") + 20);
    EXPECT_TRUE(grid.FitColumnToContent(0));
    EXPECT_EQ(grid.GetColumnWidth(0), TextWidth(L"a rather longer name than the column") + 20);
    EXPECT_FALSE(grid.FitColumnToContent(2));  // fixed
    EXPECT_FALSE(grid.FitColumnToContent(3));
    EXPECT_EQ(grid.GetColumnWidth(2), 100);
}

TEST_F(HeaderInput, AtTheRightEndADividerDraggedLeftShrinksTheColumnOnATimer) {
    grid.AddColumn(L"A", 300, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"B", 300, -1, false, CELL_EDIT, 0);
    ASSERT_TRUE(grid.IsHorzBarInUse());
    SendMessageW(hWnd, WM_HSCROLL, SB_RIGHT, 0);
    RECT b;
    ASSERT_TRUE(grid.GetColumnHeaderRect(1, b));
    const int edge = b.right - 2;
    // The shrinking follows the mouse itself, 10 pixels left of where it began.
    POINT mouse{edge - 40, hh / 2};
    ClientToScreen(hWnd, &mouse);
    SetCursorPos(mouse.x, mouse.y);
    Pump(50);
    Post(WM_LBUTTONDOWN, edge, MK_LBUTTON);
    Post(WM_MOUSEMOVE, edge - 30, MK_LBUTTON);  // would pull the view: shrinks instead
    EXPECT_EQ(grid.GetColumnWidth(1), 300);
    Post(WM_MOUSEMOVE, edge - 40, MK_LBUTTON);  // moves change nothing meanwhile
    EXPECT_EQ(grid.GetColumnWidth(1), 300);
    Pump(100);
    const int shrunk = grid.GetColumnWidth(1);
    EXPECT_LT(shrunk, 300);
    EXPECT_EQ((300 - shrunk) % 10, 0);
    for (DWORD start = GetTickCount(); grid.IsHorzBarInUse() && GetTickCount() - start < 3000;)
        Pump(20);  // until the columns fit and the bar goes
    EXPECT_FALSE(grid.IsHorzBarInUse());
    const int fitted = grid.GetColumnWidth(1);
    Pump(100);
    EXPECT_EQ(grid.GetColumnWidth(1), fitted);
    Post(WM_LBUTTONUP, edge - 40);
}

TEST_F(HeaderInput, AClickSortsAndReversesWhileADragOrAResizeDoesNot) {
    grid.AddColumn(L"Name", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"Value", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"Fixed", 80, -1, true, CELL_EDIT, 0);
    grid.AddColumn(L"", 15, -1, false, CELL_EDIT, 0);
    for (const wchar_t* name : {L"b", L"B", L"a", L""})
        grid.AddRow({name, std::wstring(L"v") + name, std::wstring(L"f") + name, L""});
    const POINT name{50, hh / 2}, fixed{240, hh / 2}, fixedDivider{278, hh / 2};
    grid.SelectRow(1, 0, 0);

    Click(hWnd, name);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"", L"B", L"a", L"b"}));
    EXPECT_EQ(grid.Options.SortColumnId, 0);
    EXPECT_TRUE(grid.Options.SortAscending);
    EXPECT_EQ(grid.GetSelection().Count(), 0);
    int row = 0, cell = 0;
    EXPECT_FALSE(grid.GetCurrentCell(row, cell));
    EXPECT_EQ(parent.notifications.back().Code, GLN_LEFTCLICK);
    EXPECT_EQ(parent.notifications.back().Item, -1);

    Click(hWnd, name);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"b", L"a", L"B", L""}));
    EXPECT_FALSE(grid.Options.SortAscending);

    Click(hWnd, fixed);  // a fixed column sorts too
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"f", L"fB", L"fa", L"fb"}));
    Click(hWnd, fixedDivider);  // and its divider presses it instead of resizing it
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"fb", L"fa", L"fB", L"f"}));
    EXPECT_EQ(grid.GetColumnWidth(2), 80);

    // Pressed and moved by more than 4 pixels: a column drag, no sort.
    Mouse(hWnd, WM_LBUTTONDOWN, POINT{150, hh / 2}, MK_LBUTTON);
    Mouse(hWnd, WM_MOUSEMOVE, POINT{153, hh / 2 + 4}, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), hWnd);  // 4 pixels: still a press
    Mouse(hWnd, WM_MOUSEMOVE, POINT{155, hh / 2}, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(hWnd, WM_LBUTTONUP, POINT{155, hh / 2});
    EXPECT_EQ(grid.Options.SortColumnId, 2);

    grid.Options.SortEnabled = false;
    Click(hWnd, name);
    EXPECT_EQ(grid.Options.SortColumnId, 2);
    EXPECT_FALSE(grid.SortByColumn(0));
    grid.Options.SortEnabled = true;
    EXPECT_FALSE(grid.SortByColumn(4));
    grid.Options.ShowHeader = false;
    EXPECT_FALSE(grid.SortByColumn(0));
}

TEST_F(HeaderInput, PressedColumnIsFilledAndTheHotOneDrawnHot) {
    grid.AddColumn(L"A", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"B", 100, -1, false, CELL_EDIT, 0);
    const RECT plainPart{60, 2, 95, hh - 2};  // clear of title and separators
    grid.Options.UseThemes = false;
    Mouse(hWnd, WM_LBUTTONDOWN, POINT{50, hh / 2}, MK_LBUTTON);
    EXPECT_TRUE(Capture(hWnd).Uniform(plainPart, 0xB48C82));
    Mouse(hWnd, WM_LBUTTONUP, POINT{50, hh / 2});
    EXPECT_EQ(Capture(hWnd).Count(plainPart, 0xB48C82), 0);

    Mouse(hWnd, WM_MOUSEMOVE, POINT{50, hh / 2});  // classic: no hot column
    grid.Options.UseThemes = true;
    ASSERT_TRUE(grid.IsThemed()) << "this Wine prefix has no visual style";
    auto differing = [&](const Capture& a, const Capture& b) {
        int n = 0;
        for (int y = plainPart.top; y < plainPart.bottom; ++y)
            for (int x = plainPart.left; x < plainPart.right; ++x) n += a.At(x, y) != b.At(x, y);
        return n;
    };
    const Capture normal(hWnd);
    Mouse(hWnd, WM_MOUSEMOVE, POINT{50, hh / 2});
    EXPECT_GT(differing(Capture(hWnd), normal), 0);
    Mouse(hWnd, WM_MOUSEMOVE, POINT{50, hh + 5});  // off the band
    EXPECT_EQ(differing(Capture(hWnd), normal), 0);
}

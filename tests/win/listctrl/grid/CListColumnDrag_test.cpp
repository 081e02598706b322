#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "listctrl/GridTestSupport.h"

using namespace gridtest;

namespace {

// A step run inside the drag loop by a thread timer, which the loop
// dispatches like any other message.
std::function<void()> g_duringDrag;

void CALLBACK RunDuringDrag(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_duringDrag) g_duringDrag();
}

// The button and Ctrl as the drag loop reads them from the thread's key state.
void HoldKeys(bool button, bool ctrl) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_LBUTTON] = button ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
}

using Titles = std::vector<std::wstring>;
const Titles ORIGINAL{L"Header", L"Value", L"Third"};

// Two lists of the same kind side by side on a shown window, so that the
// drag finds them under the cursor. Columns "Header", "Value" and "Third"
// span x 0..100, 100..220 and 220..300; classic drawing. One window serves
// the suite: under Wine a shown top-level window takes seconds to go away.
class ColumnDrag : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_parent.Create(nullptr, RECT{40, 30, 800, 180}, L"column drag",
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    }
    static void TearDownTestSuite() { s_parent.DestroyWindow(); }

    void SetUp() override {
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        ASSERT_TRUE(s_parent.IsWindow());
        int left = 0;
        for (CTestGrid* list : {&grid, &other}) {
            ASSERT_NE(list->Create(s_parent.m_hWnd, RECT{left, 0, left + 360, 150}, nullptr,
                                   WS_CHILD | WS_VISIBLE, 0, LIST_ID),
                      nullptr);
            left += 400;
            list->Options.UseThemes = false;
            list->AddColumn(L"Header", 100, -1, false, CELL_EDIT, 0);
            list->AddColumn(L"Value", 120, -1, false, CELL_EDIT, 0);
            list->AddColumn(L"Third", 80, -1, false, CELL_EDIT, 0);
            list->AddRow({L"h0", L"v0", L"t0"});
        }
        hh = grid.GetHeaderHeight();
    }
    void TearDown() override {
        HoldKeys(false, false);
        grid.DestroyWindow();
        other.DestroyWindow();
        OleUninitialize();
    }

    static Titles TitlesOf(const CTestGrid& list) {
        Titles titles;
        ListColumn column;
        for (int position = 0; list.GetColumn(position, column); ++position)
            titles.push_back(column.Title);
        return titles;
    }
    static void RestoreOrder(CTestGrid& list) {
        for (int id = 0; id < list.GetColumnCount(); ++id)
            list.MoveColumn(list.FindColumnById(id), id);
    }
    // A point on the band of a list, in screen coordinates.
    POINT OnBand(const CTestGrid& list, int x) const {
        POINT point{x, hh / 2};
        ClientToScreen(list.m_hWnd, &point);
        return point;
    }

    // Presses header cell `column` of `from` and moves off it, which runs
    // the drag; the drag loop finds the cursor at `over` with the button
    // (and Ctrl if asked) held, runs `during`, then the button comes up.
    void Drag(CTestGrid& from, int column, POINT over, bool ctrl, std::function<void()> during) {
        RECT cell{};
        ASSERT_TRUE(from.GetColumnHeaderRect(column, cell));
        const POINT press{(cell.left + cell.right) / 2, hh / 2};
        SetCursorPos(over.x, over.y);
        HoldKeys(true, ctrl);
        bool ran = false;
        g_duringDrag = [&] {
            ran = true;
            during();
            HoldKeys(false, ctrl);
        };
        const UINT_PTR timer = SetTimer(nullptr, 0, 150, RunDuringDrag);
        Mouse(from.m_hWnd, WM_LBUTTONDOWN, press, MK_LBUTTON);
        Mouse(from.m_hWnd, WM_MOUSEMOVE, POINT{press.x + 10, press.y}, MK_LBUTTON);
        KillTimer(nullptr, timer);
        g_duringDrag = nullptr;
        HoldKeys(false, false);
        EXPECT_TRUE(ran) << "no drag loop ran";
    }

    static inline CParentWindow s_parent;
    CTestGrid grid, other;
    int hh = 0;
};

}  // namespace

TEST_F(ColumnDrag, DropsWhereTheArrowsPointOnlyForItsOwnMoveDrags) {
    const struct {
        const char* what;
        CTestGrid* from;
        int column;
        int x;  // over the grid's band
        bool ctrl, escape;
        int arrows;  // insertion edge shown during the drag, -1 for none
        bool move;   // the move cursor, else the no-drop one
        Titles after;
    } cases[] = {
        {"column 0 onto the right half of the last", &grid, 0, 280, false, false, 300, true,
         {L"Value", L"Third", L"Header"}},
        {"the last column onto the left half of column 0", &grid, 2, 20, false, false, 0, true,
         {L"Third", L"Header", L"Value"}},
        {"column 0 onto the left half of the last", &grid, 0, 240, false, false, 220, true,
         {L"Value", L"Header", L"Third"}},
        {"just right of its own place", &grid, 0, 120, false, false, -1, false, ORIGINAL},
        {"Escape cancels", &grid, 0, 280, false, true, 300, true, ORIGINAL},
        {"Ctrl asks for a copy", &grid, 0, 280, true, false, 300, false, ORIGINAL},
        {"a drag from another list", &other, 0, 280, false, false, -1, false, ORIGINAL},
    };
    HCURSOR moveCursor = nullptr, noDropCursor = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const HWND arrows = grid.DropArrows();
        Drag(*c.from, c.column, OnBand(grid, c.x), c.ctrl, [&] {
            EXPECT_EQ(IsWindowVisible(arrows) != FALSE, c.arrows != -1);
            RECT placed{};
            GetWindowRect(arrows, &placed);
            const POINT edge = OnBand(grid, c.arrows);
            if (c.arrows != -1) {
                EXPECT_EQ(placed.left + 7, edge.x);  // the tips' x
                EXPECT_EQ(placed.top + (hh + 20) / 2, edge.y);
            }
            HCURSOR& expected = c.move ? moveCursor : noDropCursor;
            if (expected == nullptr) expected = GetCursor();
            EXPECT_EQ(GetCursor(), expected);
            if (c.escape) PostMessageW(grid.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        EXPECT_EQ(TitlesOf(grid), c.after);
        EXPECT_EQ(TitlesOf(other), ORIGINAL);
        EXPECT_FALSE(IsWindowVisible(grid.DropArrows()));
        EXPECT_EQ(GetCapture(), nullptr);
        RestoreOrder(grid);
    }
    EXPECT_NE(moveCursor, noDropCursor);

    // The moved column keeps its Id: the row's data stays where it was.
    Drag(grid, 0, OnBand(grid, 280), false, [] {});
    EXPECT_EQ(grid.GetColumnId(0), 1);
    EXPECT_EQ(grid.GetItemText(0, grid.GetColumnId(0)), L"v0");
    EXPECT_EQ(grid.GetItemText(0, 1), L"v0");
}

TEST_F(ColumnDrag, FollowsTheMouseFromPressToRelease) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    auto at = [&](POINT point, DWORD button) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = (point.x * 65536 + width - 1) / width;
        input.mi.dy = (point.y * 65536 + height - 1) / height;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | button;
        return input;
    };
    const POINT press = OnBand(grid, 50), off = OnBand(grid, 56), over = OnBand(grid, 280);
    INPUT inputs[] = {at(press, 0), at(press, MOUSEEVENTF_LEFTDOWN), at(off, 0), at(over, 0),
                      at(over, MOUSEEVENTF_LEFTUP)};
    ASSERT_EQ(SendInput(5, inputs, sizeof(INPUT)), 5u);
    for (DWORD start = GetTickCount(); TitlesOf(grid) == ORIGINAL && GetTickCount() - start < 2000;)
        Pump(20);
    EXPECT_EQ(TitlesOf(grid), (Titles{L"Value", L"Third", L"Header"}));
    EXPECT_EQ(grid.Options.SortColumnId, -1);  // a drag does not sort
}

TEST_F(ColumnDrag, ImageIsTheHeaderCellDrawnPressed) {
    SHDRAGIMAGE image{};
    EXPECT_FALSE(grid.DragImage(3, image));
    ASSERT_TRUE(grid.DragImage(1, image));
    ASSERT_NE(image.hbmpDragImage, nullptr);
    EXPECT_EQ(image.sizeDragImage.cx, 120);
    EXPECT_EQ(image.sizeDragImage.cy, hh);
    EXPECT_EQ(image.ptOffset.x, 60);
    EXPECT_EQ(image.ptOffset.y, hh / 2);
    EXPECT_EQ(image.crColorKey, GetSysColor(COLOR_WINDOW));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image.hbmpDragImage);
    EXPECT_EQ(GetPixel(dc, 119, hh - 1), GetSysColor(COLOR_3DDKSHADOW));  // raised edge
    EXPECT_EQ(GetPixel(dc, 100, hh / 2), GetSysColor(COLOR_BTNFACE));
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    int title = 0;  // "Value" in the header text colour, from the left
    for (int x = 2; x < 60; ++x)
        for (int y = 2; y < hh - 2; ++y) title += GetPixel(dc, x, y) == text;
    EXPECT_GT(title, 10);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(image.hbmpDragImage);
}

TEST_F(ColumnDrag, TheFocusAndHotCellsStayOnTheirColumns) {
    grid.Options.CellFocus = true;
    grid.toolTips = true;
    grid.AddRow({L"h1", L"v1", L"t1"});
    auto cellToolTip = [&] {
        wchar_t text[64] = L"";
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = grid.m_hWnd;
        tool.uId = 1000;
        tool.lpszText = text;
        SendMessageW(grid.ToolTip(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    const POINT first = CellCentre(grid, 0, 0);
    Click(grid.m_hWnd, first);  // "Header" of row 0 has the focus
    Mouse(grid.m_hWnd, WM_MOUSEMOVE, first);
    EXPECT_EQ(cellToolTip(), L"tip h0");

    Drag(grid, 0, OnBand(grid, 280), false, [] {});
    ASSERT_EQ(TitlesOf(grid), (Titles{L"Value", L"Third", L"Header"}));
    Mouse(grid.m_hWnd, WM_MOUSEMOVE, first);  // now over "Value"
    EXPECT_EQ(cellToolTip(), L"tip v0");

    Key(grid.m_hWnd, VK_DOWN);  // the editor opens in "Header" of row 1
    int row = -1, cell = -1;
    ASSERT_TRUE(grid.GetCurrentCell(row, cell));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(cell, 2);
    wchar_t edited[16] = L"";
    GetWindowTextW(GetFocus(), edited, 16);
    EXPECT_STREQ(edited, L"h1");
    SetFocus(grid.m_hWnd);
}

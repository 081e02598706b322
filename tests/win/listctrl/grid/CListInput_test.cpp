#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listctrl/GridTestSupport.h"

using namespace gridtest;

namespace {

const wchar_t* const NAMES[] = {L"Alpha", L"Bravo", L"Bob",    L"Charlie", L"bobcat",
                                L"Delta", L"Echo",  L"Foxtrot", L"Golf",   L"Hotel"};

// A grid of 20 rows: a plain name, a check, a link, a read-only check and
// a three-state cell.
class GridInput : public GridFixture<> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GridFixture::SetUp());
        grid.AddColumn(L"Name", 100, -1, false, CELL_PLAIN, 0);
        grid.AddColumn(L"Check", 60, -1, false, CELL_CHECK, 0);
        grid.AddColumn(L"Link", 80, -1, false, CELL_LINK, 0);
        grid.AddColumn(L"Locked", 60, -1, false, CELL_CHECK, CELLF_READONLY);
        grid.AddColumn(L"Three", 60, -1, false, CELL_TRISTATE, 0);
        for (int i = 0; i < 20; ++i)
            grid.AddRow({i < 10 ? NAMES[i] : L"Row" + std::to_wstring(i), L"0",
                         L"http://example.org/" + std::to_wstring(i), L"0", L"0"});
        GetClientRect(hWnd, &client);
    }

    std::vector<Notification> Sent(int code) const {
        std::vector<Notification> sent;
        for (const Notification& n : parent.notifications)
            if (n.Code == code) sent.push_back(n);
        return sent;
    }
    std::vector<int> Selected() const { return grid.GetSelection().Rows(); }
    POINT BesideRow(int row) const { return POINT{client.right - 4, At(row, 0).y}; }
    int FirstVisibleRow() const { return GetScrollPos(hWnd, SB_VERT) / grid.GetRowHeight(); }

    RECT client{};
};

// A dialog of an edit box, a headers list and a button, in this tab order.
class TabDialog {
public:
    enum { EDIT = 100, LIST = 101, BUTTON = 102 };

    HWND Create() {
        CListUserData::RegisterWindowClass();
        Words({LOWORD(WS_POPUP | WS_CAPTION), HIWORD(WS_POPUP | WS_CAPTION), 0, 0, 3, 0, 0, 200,
               120, 0, 0, 0});
        Item(EDIT, L"EDIT", 10, 200, 12);
        Item(LIST, L"HdrsList", 30, 200, 60);
        Item(BUTTON, L"BUTTON", 95, 50, 14);
        return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                          reinterpret_cast<LPCDLGTEMPLATEW>(m_words.data()),
                                          nullptr, Procedure, 0);
    }

private:
    static INT_PTR CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
    void Words(std::initializer_list<WORD> words) {
        m_words.insert(m_words.end(), words.begin(), words.end());
    }
    void Text(const wchar_t* text) {
        do m_words.push_back(*text); while (*text++);
    }
    void Item(WORD id, const wchar_t* className, short y, short cx, short cy) {
        if (m_words.size() % 2) m_words.push_back(0);  // items start on a DWORD
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        Words({LOWORD(style), HIWORD(style), 0, 0, 5, static_cast<WORD>(y),
               static_cast<WORD>(cx), static_cast<WORD>(cy), id});
        Text(className);
        Text(L"");
        Words({0});
    }
    std::vector<WORD> m_words;
};

// Tab as the keyboard delivers it to whatever has the focus.
void PressTab(HWND dialog, bool shift) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, MAKELPARAM(1, MapVirtualKeyW(VK_TAB, 0)));
    Pump(100, dialog);
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
}

}  // namespace

TEST(GridInADialog, TabMovesAlongTheRowAndLeavesTheGridAtEitherEnd) {
    TabDialog page;
    HWND dialog = page.Create();
    ASSERT_NE(dialog, nullptr);
    CListUserData list;
    ASSERT_TRUE(list.SubclassAndSetUp(GetDlgItem(dialog, TabDialog::LIST)));
    list.AddItem({L"", L"Accept", L"text/turtle"});
    list.AddItem({L"", L"Accept-Language", L"de"});
    auto inGrid = [&] { return GetFocus() == list.m_hWnd || IsChild(list.m_hWnd, GetFocus()); };
    auto current = [&] {
        int row = -1, cell = -1;
        list.GetCurrentCell(row, cell);
        return std::make_pair(row, cell);
    };

    SetFocus(list.m_hWnd);
    list.SelectRow(1, 0, 0);
    PressTab(dialog, false);
    EXPECT_TRUE(inGrid());
    EXPECT_EQ(current(), std::make_pair(1, 1));
    SendMessageW(GetFocus(), WM_CHAR, L'z', 1);  // into the editor of cell 1
    PressTab(dialog, false);  // past the last cell, once the edit is stored
    EXPECT_EQ(list.GetItemText(1, 1), L"z");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, TabDialog::BUTTON));

    SetFocus(list.m_hWnd);
    list.SelectRow(1, 1, 0);
    PressTab(dialog, true);
    EXPECT_TRUE(inGrid());
    EXPECT_EQ(current(), std::make_pair(1, 0));
    PressTab(dialog, true);  // before the first cell
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, TabDialog::EDIT));
    DestroyWindow(dialog);
}

TEST_F(GridInput, ClicksSelectWithShiftAndCtrlAndReportEveryRelease) {
    struct Step {
        POINT Where;
        WPARAM Keys;
        std::vector<int> Rows;
        int Selected;  // GLN_SELECTED sent by this click, with this Item; -1 for none
        int SubItem;
    } steps[] = {
        {At(2, 0), 0, {2}, 2, 0},
        {At(5, 2), MK_CONTROL, {2, 5}, 5, 0},  // two rows: no cell reported
        {At(7, 3), MK_SHIFT, {5, 6, 7}, 7, 0},  // from the anchor, the Ctrl+clicked row
        {At(3, 2), 0, {3}, 3, 2},
        {At(3, 0), 0, {3}, -1, 0},              // the only selected row again: quiet
        {At(3, 0), MK_CONTROL, {}, -1, 0},      // deselected, quietly
        {BesideRow(8), 0, {}, -1, 0},           // beside the columns: no anchor any more
        {At(4, 0), MK_SHIFT, {4}, 4, 0},        // so Shift selects just the row...
        {At(6, 0), MK_SHIFT, {4, 5, 6}, 6, 0},  // ...which anchors the next range
    };
    for (const Step& step : steps) {
        const size_t before = Sent(GLN_SELECTED).size();
        Click(hWnd, step.Where, step.Keys);
        SCOPED_TRACE(testing::Message() << "click at " << step.Where.x << "," << step.Where.y);
        EXPECT_EQ(Selected(), step.Rows);
        const std::vector<Notification> selected = Sent(GLN_SELECTED);
        ASSERT_EQ(selected.size(), before + (step.Selected != -1 ? 1 : 0));
        if (step.Selected != -1) {
            EXPECT_EQ(selected.back().Item, step.Selected);
            EXPECT_EQ(selected.back().SubItem, step.SubItem);
        }
        // Every release reports the cell under the mouse, by column Id.
        int row = -1, cell = -1;
        grid.CellFromPoint(step.Where.x, step.Where.y, row, cell);
        ASSERT_EQ(parent.notifications.back().Code, GLN_LEFTCLICK);
        EXPECT_EQ(parent.notifications.back().Item, cell == -1 ? -1 : row);
        EXPECT_EQ(parent.notifications.back().SubItem, cell == -1 ? 0 : cell);
    }
    EXPECT_EQ(GetFocus(), hWnd);
    EXPECT_EQ(GetCapture(), nullptr);

    // The right button selects an unselected row; released over no cell it
    // clears the selection.
    Mouse(hWnd, WM_RBUTTONDOWN, At(9, 0), MK_RBUTTON);
    Mouse(hWnd, WM_RBUTTONUP, At(9, 0));
    EXPECT_EQ(Selected(), (std::vector<int>{9}));
    EXPECT_EQ(parent.notifications.back().Code, GLN_RIGHTCLICK);
    EXPECT_EQ(parent.notifications.back().Item, 9);
    Mouse(hWnd, WM_RBUTTONUP, BesideRow(9));
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(parent.notifications.back().Item, -1);
}

TEST_F(GridInput, PressInsideASelectionOfThreeKeepsItUntilTheButtonComesUp) {
    Click(hWnd, At(1, 0));
    Click(hWnd, At(3, 0), MK_SHIFT);
    ASSERT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
    const size_t before = Sent(GLN_SELECTED).size();
    Mouse(hWnd, WM_LBUTTONDOWN, At(2, 2), MK_LBUTTON);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
    Mouse(hWnd, WM_LBUTTONUP, At(2, 2));
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    ASSERT_EQ(Sent(GLN_SELECTED).size(), before + 1);
    EXPECT_EQ(Sent(GLN_SELECTED).back().Item, 2);
    EXPECT_EQ(Sent(GLN_SELECTED).back().SubItem, 2);
}

TEST_F(GridInput, CheckCellsToggleLinksReportAndReadOnlyCellsStayAsTheyAre) {
    DoubleClick(hWnd, At(0, 1));  // toggles twice
    EXPECT_EQ(grid.GetItemText(0, 1), L"0");
    ASSERT_EQ(Sent(GLN_MODIFIED).size(), 2u);
    EXPECT_EQ(Sent(GLN_MODIFIED).back().Item, 0);
    EXPECT_EQ(Sent(GLN_MODIFIED).back().SubItem, 1);
    ASSERT_EQ(Sent(GLN_DOUBLECLICK).size(), 1u);
    EXPECT_EQ(Sent(GLN_DOUBLECLICK).back().SubItem, 1);

    for (const wchar_t* next : {L"1", L"-1", L"0"}) {  // three-state cycles
        Click(hWnd, At(1, 4));
        EXPECT_EQ(grid.GetItemText(1, 4), next);
    }
    Click(hWnd, At(1, 3));
    EXPECT_EQ(grid.GetItemText(1, 3), L"0");
    EXPECT_EQ(Sent(GLN_MODIFIED).size(), 5u);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));  // a read-only cell still selects

    Click(hWnd, At(2, 2));
    ASSERT_EQ(Sent(GLN_LINKCLICK).size(), 1u);
    EXPECT_EQ(Sent(GLN_LINKCLICK).back().Item, 2);
    EXPECT_EQ(Sent(GLN_LINKCLICK).back().SubItem, 2);

    // Space acts on the focus cell as a click does.
    grid.Options.CellFocus = true;
    Click(hWnd, At(4, 1));
    Key(hWnd, VK_SPACE);
    EXPECT_EQ(grid.GetItemText(4, 1), L"0");
    Key(hWnd, VK_SPACE);
    EXPECT_EQ(grid.GetItemText(4, 1), L"1");
    Key(hWnd, VK_RIGHT);
    Key(hWnd, VK_RIGHT);  // the read-only check
    Key(hWnd, VK_SPACE);
    EXPECT_EQ(grid.GetItemText(4, 3), L"0");
}

TEST_F(GridInput, HotCellsShowTheirTooltipAndLinksTheirCursor) {
    grid.toolTips = true;
    HWND tip = grid.ToolTip();
    ASSERT_NE(tip, nullptr);
    // The text of the one cell tool, or "none".
    auto toolAt = [&](POINT point) -> std::wstring {
        Mouse(hWnd, WM_MOUSEMOVE, point);
        if (SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) != 1) return L"none";
        wchar_t text[64] = L"";
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = hWnd;
        tool.uId = 1000;
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
        return text;
    };
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    EXPECT_EQ(toolAt(At(1, 0)), L"tip Bravo");
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(toolAt(At(2, 2)), L"tip http://example.org/2");
    EXPECT_NE(GetCursor(), arrow);  // the link cursor
    EXPECT_EQ(toolAt(BesideRow(2)), L"none");
}

TEST_F(GridInput, TitleTipsShowCutOffTextsOnceEachTimeTheMouseComesToTheCell) {
    HWND tip = grid.TitleTip();
    grid.SetItemText(0, 0, L"A name far too long for a column of a hundred pixels");
    grid.SetItemText(1, 0, L"");
    auto shownAt = [&](int row, int cell) {
        Mouse(hWnd, WM_MOUSEMOVE, At(row, cell));
        return IsWindowVisible(tip) != FALSE;
    };
    EXPECT_TRUE(shownAt(0, 0));
    EXPECT_FALSE(shownAt(0, 1));  // a check cell has no text
    EXPECT_FALSE(shownAt(1, 0));  // nor has an empty one
    EXPECT_FALSE(shownAt(2, 0));  // "Bob" fits
    EXPECT_TRUE(shownAt(0, 0));
    SendMessageW(tip, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));  // the mouse leaves the tip
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_FALSE(shownAt(0, 0));  // still the same cell: not again
    EXPECT_FALSE(shownAt(2, 0));
    EXPECT_TRUE(shownAt(0, 0));  // back from another cell
    Mouse(hWnd, WM_MOUSEMOVE, POINT{50, grid.GetHeaderHeight() / 2});  // onto the band
    EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(GridInput, KeysMoveTheFocusCellAndTheSelectionFollows) {
    grid.Options.CellFocus = true;
    const int page = grid.GetVisibleRowCount(false);
    ASSERT_GE(page, 3);
    Click(hWnd, At(0, 0));
    struct Press {
        UINT Key;
        bool Shift, Ctrl;
        int Row, Cell, Count;
    } presses[] = {
        {VK_DOWN, false, false, 1, 0, 1},
        {VK_RIGHT, false, false, 1, 1, 1},
        {VK_TAB, false, false, 1, 2, 1},
        {VK_TAB, true, false, 1, 1, 1},
        {VK_LEFT, false, false, 1, 0, 1},
        {VK_LEFT, false, false, 1, 0, 1},  // not below the first cell
        {VK_NEXT, false, false, page, 0, 1},
        {VK_END, false, false, 19, 0, 1},
        {VK_DOWN, false, false, 19, 0, 1},
        {VK_PRIOR, false, false, 19 - (page - 1), 0, 1},
        {VK_HOME, false, false, 0, 0, 1},
        {VK_UP, false, false, 0, 0, 1},
        {VK_DOWN, true, false, 1, -1, 2},  // Shift extends; no cell for a range
        {VK_DOWN, true, false, 2, -1, 3},
        {'A', false, true, 2, -1, 20},     // Ctrl+A
        {VK_HOME, false, true, 0, -1, 20}, // Ctrl moves the focus only
    };
    for (const Press& p : presses) {
        Key(hWnd, p.Key, p.Shift, p.Ctrl);
        int row = -1, cell = -1;
        grid.GetCurrentCell(row, cell);
        EXPECT_EQ(row, p.Row) << "key " << p.Key;
        EXPECT_EQ(cell, p.Cell) << "key " << p.Key;
        EXPECT_EQ(grid.GetSelection().Count(), p.Count) << "key " << p.Key;
    }
    EXPECT_EQ(FirstVisibleRow(), 0);

    grid.Options.SingleSelect = true;
    Click(hWnd, At(1, 0));
    Key(hWnd, 'A', false, true);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
}

TEST_F(GridInput, TypingFindsRowsByTheStartOfTheirName) {
    Key(hWnd, 'B');
    EXPECT_EQ(Selected(), (std::vector<int>{1}));  // Bravo
    Sleep(1000);
    Key(hWnd, 'B');
    EXPECT_EQ(Selected(), (std::vector<int>{2}));  // the next B: Bob
    Key(hWnd, 'O');
    EXPECT_EQ(Selected(), (std::vector<int>{2}));  // "Bob" begins with "bo": stays
    Sleep(900);
    Key(hWnd, 'B');
    EXPECT_EQ(Selected(), (std::vector<int>{4}));  // bobcat

    // The search column is the sort column by its Id, wherever it stands.
    grid.MoveColumn(0, 2);
    grid.Options.SortColumnId = 0;
    Sleep(900);
    Key(hWnd, 'C');
    EXPECT_EQ(Selected(), (std::vector<int>{3}));  // Charlie
}

TEST_F(GridInput, DraggingARectangleSelectsTheRowsItTouchesAndScrollsAtTheEdge) {
    Mouse(hWnd, WM_LBUTTONDOWN, At(1, 3), MK_LBUTTON);
    Mouse(hWnd, WM_MOUSEMOVE, At(4, 2), MK_LBUTTON);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 4}));
    Mouse(hWnd, WM_LBUTTONUP, At(4, 2));
    EXPECT_TRUE(Sent(GLN_LEFTCLICK).empty());
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 4}));

    // Held below the list, the view scrolls on its own and the rows it
    // shows join the selection.
    Mouse(hWnd, WM_LBUTTONDOWN, BesideRow(2), MK_LBUTTON);
    POINT below{200, client.bottom + 20};
    Mouse(hWnd, WM_MOUSEMOVE, below, MK_LBUTTON);
    ClientToScreen(hWnd, &below);
    SetCursorPos(below.x, below.y);
    Pump(300);
    const int first = FirstVisibleRow();
    EXPECT_GT(first, 0);
    const int lastShown = first + grid.GetVisibleRowCount(true) - 1;
    EXPECT_EQ(Selected().front(), 2);
    EXPECT_GE(Selected().back(), std::min(lastShown, 19));
    ScreenToClient(hWnd, &below);
    Mouse(hWnd, WM_LBUTTONUP, below);
    Pump(50);
    EXPECT_EQ(FirstVisibleRow(), first);  // the timer stopped with the button
}

TEST_F(GridInput, AClickOnAPartlyVisibleRowScrollsItIntoViewAMomentLater) {
    grid.Options.CellFocus = true;
    const int whole = grid.GetVisibleRowCount(false);
    ASSERT_GT(grid.GetVisibleRowCount(true), whole) << "the last row must be cut off";
    const POINT partly{50, grid.GetHeaderHeight() + whole * grid.GetRowHeight() + 2};
    Click(hWnd, partly);
    EXPECT_EQ(Selected(), (std::vector<int>{whole}));
    EXPECT_EQ(FirstVisibleRow(), 0);
    Pump(400);
    EXPECT_EQ(FirstVisibleRow(), 1);
}

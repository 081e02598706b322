#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listctrl/GridTestSupport.h"

using namespace gridtest;

namespace {

enum Column { NAME, KIND, WHEN, NO_CHOICES, LOCKED };

// A grid with cell focus whose columns open each editor, or none.
class GridEditing : public GridFixture<> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GridFixture::SetUp());
        grid.Options.CellFocus = true;
        grid.AddColumn(L"Name", 90, -1, false, CELL_EDIT, 0);
        grid.AddColumn(L"Kind", 70, -1, false, CELL_COMBO, 0);
        grid.AddColumn(L"When", 110, -1, false, CELL_DATETIME, 0);
        grid.AddColumn(L"None", 50, -1, false, CELL_COMBO, 0);
        grid.AddColumn(L"Locked", 50, -1, false, CELL_EDIT, CELLF_READONLY);
        grid.SetChoices(KIND, {L"beta", L"alpha"});
        for (int i = 0; i < 12; ++i)
            grid.AddRow({L"name" + std::to_wstring(i), L"alpha", L"20240229133005", L"", L"x"});
        SetFocus(hWnd);
        ASSERT_EQ(GetFocus(), hWnd);
    }

    // The focused editor, or null while the list itself has the focus.
    HWND Editor() const {
        HWND focus = GetFocus();
        while (focus != nullptr && GetParent(focus) != hWnd) focus = GetParent(focus);
        return focus;
    }
    std::wstring ClassOf(HWND window) const {
        wchar_t name[64] = L"";
        GetClassNameW(window, name, 64);
        return name;
    }
    // A key as the keyboard delivers it to the focus, translated into its character.
    void Press(UINT vk) {
        PostMessageW(GetFocus(), WM_KEYDOWN, vk, MAKELPARAM(1, MapVirtualKeyW(vk, 0)));
        Pump(50);
    }
    void Type(wchar_t c) {
        SendMessageW(GetFocus(), WM_CHAR, c, 1);
        Pump(20);
    }
    size_t Modified() const {
        size_t n = 0;
        for (const Notification& note : parent.notifications) n += note.Code == GLN_MODIFIED;
        return n;
    }
};

}  // namespace

TEST_F(GridEditing, EachEditorOpensOverItsCellAndEscapeStoresNothing) {
    struct Case {
        int Cell;
        const wchar_t* ClassName;
        RECT Inset;  // editor edges from the cell edges; bottom -1: not checked
    } cases[] = {
        {NAME, L"ListEdit", {2, 3, -3, -2}},
        {KIND, L"ListCombo", {3, 0, 0, -1}},
        {WHEN, L"ListDate", {3, 2, -3, -2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.Cell);
        Click(hWnd, At(2, c.Cell));
        HWND editor = Editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(ClassOf(editor), c.ClassName);
        EXPECT_TRUE(grid.IsEditActive());
        RECT cell, placed;
        ASSERT_TRUE(grid.GetCellRect(2, c.Cell, cell));
        GetWindowRect(editor, &placed);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, cell.left + c.Inset.left);
        EXPECT_EQ(placed.top, cell.top + c.Inset.top);
        EXPECT_EQ(placed.right, cell.right + c.Inset.right);
        if (c.Inset.bottom != -1) {
            EXPECT_EQ(placed.bottom, cell.bottom + c.Inset.bottom);
        }

        Press(VK_ESCAPE);
        EXPECT_EQ(GetFocus(), hWnd);
        EXPECT_FALSE(grid.IsEditActive());
        EXPECT_FALSE(IsWindowVisible(editor));
    }
    EXPECT_EQ(grid.rows[2], (std::vector<std::wstring>{L"name2", L"alpha", L"20240229133005",
                                                        L"", L"x"}));
    EXPECT_EQ(Modified(), 0u);
}

TEST_F(GridEditing, EnterTabAndAClickElsewhereStoreTheEditAndTellTheParent) {
    Click(hWnd, At(1, NAME));
    Type(L'R');
    Press(VK_RETURN);
    EXPECT_EQ(grid.GetItemText(1, NAME), L"R");
    ASSERT_EQ(Modified(), 1u);
    EXPECT_EQ(parent.notifications.back().Code, GLN_MODIFIED);
    EXPECT_EQ(parent.notifications.back().Item, 1);
    EXPECT_EQ(parent.notifications.back().SubItem, NAME);
    EXPECT_EQ(GetFocus(), hWnd);

    Click(hWnd, At(3, NAME));
    Type(L'Q');
    Press(VK_TAB);  // stored, and on to the combo of the next column
    EXPECT_EQ(grid.GetItemText(3, NAME), L"Q");
    EXPECT_EQ(ClassOf(Editor()), L"ListCombo");
    int row = -1, cell = -1;
    ASSERT_TRUE(grid.GetCurrentCell(row, cell));
    EXPECT_EQ(cell, KIND);

    grid.SetItemText(0, NAME, L"A name far too long for a column of ninety pixels");
    Mouse(hWnd, WM_MOUSEMOVE, At(0, NAME));
    EXPECT_FALSE(IsWindowVisible(grid.TitleTip()));  // no title tips while editing

    SendMessageW(Editor(), CB_SETCURSEL, 1, 0);  // sorted: alpha, beta
    Click(hWnd, At(5, LOCKED));  // a click elsewhere ends it
    EXPECT_EQ(grid.GetItemText(3, KIND), L"beta");
    EXPECT_EQ(Modified(), 3u);
    EXPECT_EQ(Editor(), nullptr);  // a read-only cell opens nothing

    Click(hWnd, At(4, WHEN));
    Press(VK_RETURN);  // the date goes back as its key, unchanged
    EXPECT_EQ(grid.GetItemText(4, WHEN), L"20240229133005");
    EXPECT_EQ(Modified(), 3u);
}

// The parent hears of an edit only when it changed the cell: an Enter that
// changed nothing, or a value the list refused, modified nothing.
TEST_F(GridEditing, OnlyAChangeStoredInTheCellIsReportedAsModified) {
    struct Case {
        const char* what;
        int row;
        int cell;
        wchar_t typed;  // 0: nothing typed
        bool refused;
        const wchar_t* stored;
        size_t reported;
    } cases[] = {
        {"Enter on an unchanged name", 1, NAME, 0, false, L"name1", 0},
        {"Enter on an unchanged date", 4, WHEN, 0, false, L"20240229133005", 0},
        {"a name the list refused", 2, NAME, L'Q', true, L"name2", 0},
        {"a changed name", 2, NAME, L'Q', false, L"Q", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t before = Modified();
        grid.refuseWrites = c.refused;
        Click(hWnd, At(c.row, c.cell));
        ASSERT_NE(Editor(), nullptr);
        if (c.typed != 0) Type(c.typed);
        Press(VK_RETURN);
        EXPECT_EQ(grid.GetItemText(c.row, c.cell), c.stored);
        EXPECT_EQ(Modified() - before, c.reported);
    }
}

TEST_F(GridEditing, AComboWithoutChoicesAndAReadOnlyCellOpenNothing) {
    Click(hWnd, At(0, NO_CHOICES));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_FALSE(grid.IsEditActive());
    EXPECT_FALSE(grid.BeginCellEdit(0, NO_CHOICES));
    EXPECT_TRUE(grid.BeginCellEdit(0, LOCKED));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_FALSE(grid.BeginCellEdit(0, 9));
    EXPECT_FALSE(grid.BeginCellEdit(40, NAME));

    SetFocus(nullptr);  // without the focus nothing opens
    EXPECT_FALSE(grid.BeginCellEdit(0, NAME));
    EXPECT_FALSE(grid.IsEditActive());
}

TEST_F(GridEditing, APartlyVisibleRowIsSelectedAtOnceAndEditedOnceScrolledIntoView) {
    const int whole = grid.GetVisibleRowCount(false);
    ASSERT_GT(grid.GetVisibleRowCount(true), whole) << "the last row must be cut off";
    const POINT partly{40, grid.GetHeaderHeight() + whole * grid.GetRowHeight() + 2};
    Click(hWnd, partly);
    EXPECT_EQ(grid.GetSelection().Rows(), (std::vector<int>{whole}));
    EXPECT_EQ(Editor(), nullptr);
    Pump(150);
    EXPECT_EQ(Editor(), nullptr);  // not before 250 ms
    Pump(250);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(GetScrollPos(hWnd, SB_VERT) / grid.GetRowHeight(), 1);
    RECT cell, placed;
    ASSERT_TRUE(grid.GetCellRect(whole, NAME, cell));
    GetWindowRect(Editor(), &placed);
    MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.top, cell.top + 3);
}

TEST_F(GridEditing, AnOpeningEditorOrAKeyMovingTheFocusCellHidesTheTitleTip) {
    grid.SetItemText(0, NAME, L"A name far too long for a column of ninety pixels");
    const HWND tip = grid.TitleTip();
    const struct {
        const char* what;
        UINT key;  // 0: the list opens an editor by itself
        bool ctrl;
        bool opens;
    } cases[] = {
        {"Down", VK_DOWN, false, true},
        {"Tab", VK_TAB, false, true},
        {"Ctrl+Down moves the focus cell alone", VK_DOWN, true, false},
        {"BeginCellEdit", 0, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Click(hWnd, At(2, NAME));
        SetFocus(hWnd);  // the editor the click opened ends
        Mouse(hWnd, WM_MOUSEMOVE, At(0, NAME));
        ASSERT_TRUE(IsWindowVisible(tip));
        ASSERT_EQ(GetCapture(), tip);
        if (c.key != 0)
            Key(hWnd, c.key, false, c.ctrl);
        else
            EXPECT_TRUE(grid.BeginCellEdit(3, NAME));
        EXPECT_EQ(Editor() != nullptr, c.opens);
        // Still over the editor, the tip would take its clicks to the list.
        EXPECT_FALSE(IsWindowVisible(tip));
        EXPECT_NE(GetCapture(), tip);
    }
}

TEST_F(GridEditing, AnEmptyDateCellLeftWithoutAChoiceStaysEmptyAndUnreported) {
    const struct {
        const char* what;
        UINT up;    // VK_UP: the user steps the picker's field, a choice
        UINT exit;  // 0: a click elsewhere
        bool stored;
    } cases[] = {
        {"Enter", 0, VK_RETURN, false},
        {"Tab", 0, VK_TAB, false},
        {"a click elsewhere", 0, 0, false},
        {"a step of a field, then Enter", VK_UP, VK_RETURN, true},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        grid.SetItemText(row, WHEN, L"");
        const size_t modified = Modified();
        Click(hWnd, At(row, WHEN));
        ASSERT_EQ(ClassOf(Editor()), L"ListDate");
        if (c.up != 0) Press(c.up);
        if (c.exit != 0)
            Press(c.exit);
        else
            Click(hWnd, At(row, LOCKED));
        EXPECT_FALSE(grid.IsEditActive());
        EXPECT_EQ(grid.GetItemText(row, WHEN).empty(), !c.stored) << grid.GetItemText(row, WHEN);
        EXPECT_EQ(Modified(), modified + (c.stored ? 1 : 0));
        SetFocus(hWnd);
        ++row;
    }
}
